// Places a task window the way the program's windows place themselves on load: relative to the
// space they live in, which is the main window's work area when they are shown inside it.
#pragma once

#include <QSize>

class QWidget;

namespace shell {

// The size of the space the window is placed in: the work area of its main window, or the screen.
QSize placementArea(const QWidget* window);

// The outer size of the window, frame and caption included.
QSize outerSize(const QWidget* window);

// Moves the window's outer frame; `top` < 0 keeps the current top.
void moveOuterFrame(QWidget* window, int left, int top = -1);

} // namespace shell
