// Window sizes and positions are designed in twips (1440 to the inch); the screen has 96 pixels
// to the inch, so 15 twips make one pixel.
#pragma once

#include <QRect>

namespace shell {

constexpr int TwipsPerPixel = 15;

// Rounded to the nearest pixel, so that a 255-twip cell and a 240-twip step stay 17 and 16 pixels.
constexpr int twipsToPixels(int twips) {
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

// A rectangle designed in twips, on the screen.
inline QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace shell
