#include "shell/window_arrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace shell {

namespace {

// Windows being closed by the program stay in the area's list until they are deleted.
bool arrangeable(const QMdiSubWindow* window) { return !window->isHidden() && !window->property("retired").toBool(); }

QList<QMdiSubWindow*> windows(QMdiArea& area, bool minimised) {
    QList<QMdiSubWindow*> found;
    for (auto* window : area.subWindowList(QMdiArea::CreationOrder))
        if (arrangeable(window) && window->isMinimized() == minimised) found << window;
    return found;
}

// Places the icons and returns the height they take at the bottom of the area.
int placeIcons(QMdiArea& area) {
    const QRect room = area.viewport()->rect();
    int x = 0, bottom = room.bottom() + 1, rowHeight = 0, used = 0;
    for (auto* icon : windows(area, true)) {
        const QSize size = icon->size();
        if (x > 0 && x + size.width() > room.width()) {
            x = 0;
            bottom -= rowHeight;
            rowHeight = 0;
        }
        icon->move(x, bottom - size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
        used = room.bottom() + 1 - bottom + rowHeight;
    }
    return used;
}

enum class Direction { Vertical, Horizontal };

void tile(QMdiArea& area, Direction direction) {
    QRect room = area.viewport()->rect();
    room.setHeight(std::max(0, room.height() - placeIcons(area)));
    const auto open = windows(area, false);
    const int count = int(open.size());
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow* window = open[i];
        if (window->isMaximized()) window->showNormal();
        if (direction == Direction::Vertical) {
            const int top = room.top() + room.height() * i / count;
            const int next = room.top() + room.height() * (i + 1) / count;
            window->setGeometry(room.left(), top, room.width(), next - top);
        } else {
            const int left = room.left() + room.width() * i / count;
            const int next = room.left() + room.width() * (i + 1) / count;
            window->setGeometry(left, room.top(), next - left, room.height());
        }
    }
}

} // namespace

void cascadeWindows(QMdiArea& area) { area.cascadeSubWindows(); }

void tileOneAboveAnother(QMdiArea& area) { tile(area, Direction::Vertical); }

void tileSideBySide(QMdiArea& area) { tile(area, Direction::Horizontal); }

void arrangeIcons(QMdiArea& area) { placeIcons(area); }

} // namespace shell
