// Arranging the task windows inside the main window. The area's own tiling makes only a grid and its
// cascade resizes the windows, so the arrangements of the window menu are done here. None of them makes
// a window smaller than its least size.
#pragma once

class QMdiArea;

namespace shell {

// Each window at its own size.
void cascadeWindows(QMdiArea& area);
// Full width, one above the other.
void tileOneAboveAnother(QMdiArea& area);
// Full height, side by side.
void tileSideBySide(QMdiArea& area);
// Lines up the minimised windows along the bottom edge, left to right.
void arrangeIcons(QMdiArea& area);

} // namespace shell
