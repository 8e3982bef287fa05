// Colours written as Windows colour values: 0xBBGGRR, or 0x80000000 plus the index of a system colour.
#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace shell {

constexpr std::uint32_t ButtonFaceColor = 0x8000000F;

// The system colours map to the palette's nearest roles; the program only uses the button face.
inline QColor windowsColor(std::uint32_t value, const QPalette& palette) {
    if (value & 0x80000000u) {
        switch (value & 0xFFu) {
        case 0x05:
            return palette.color(QPalette::Base);
        case 0x08:
            return palette.color(QPalette::Text);
        case 0x0F:
            return palette.color(QPalette::Button);
        case 0x12:
            return palette.color(QPalette::ButtonText);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

} // namespace shell
