#include "shell/window_arrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <vector>

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

// Each window takes its share of the room, but never less than its least size, the size it was designed
// at: what does not fit makes the area scroll rather than squeeze a window's fields together.
void tile(QMdiArea& area, Direction direction) {
    const bool vertical = direction == Direction::Vertical;
    // Along: the axis on which the windows follow one another; across: the other one.
    const auto along = [vertical](const QSize& size) { return vertical ? size.height() : size.width(); };
    const auto across = [vertical](const QSize& size) { return vertical ? size.width() : size.height(); };
    QSize room = area.viewport()->size();
    room.setHeight(std::max(0, room.height() - placeIcons(area)));
    const auto open = windows(area, false);
    const int count = int(open.size());

    std::vector<int> lengths;
    int total = 0;
    for (int i = 0; i < count; ++i) {
        const int share = along(room) * (i + 1) / count - along(room) * i / count;
        lengths.push_back(std::max(share, along(open[i]->minimumSize())));
        total += lengths.back();
    }
    // Windows running past the room bring up the scroll bar that follows them; it takes its width across.
    int breadthOfRoom = across(room);
    const QScrollBar* bar = vertical ? area.verticalScrollBar() : area.horizontalScrollBar();
    if (total > along(room) && !bar->isVisible())
        breadthOfRoom -= area.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar);

    int next = 0;
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow* window = open[i];
        if (window->isMaximized()) window->showNormal();
        const int breadth = std::max(breadthOfRoom, across(window->minimumSize()));
        window->setGeometry(vertical ? QRect(0, next, breadth, lengths[i]) : QRect(next, 0, lengths[i], breadth));
        next += along(window->size());
    }
}

} // namespace

// Each window keeps its size and steps one caption down and right from the one behind it, so the window
// in front stays in front and every caption stays in sight.
void cascadeWindows(QMdiArea& area) {
    int step = 0;
    int offset = 0;
    for (auto* window : area.subWindowList(QMdiArea::StackingOrder)) {
        if (!arrangeable(window) || window->isMinimized()) continue;
        if (window->isMaximized()) window->showNormal();
        if (step == 0) step = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
        window->move(offset, offset);
        offset += step;
    }
}

void tileOneAboveAnother(QMdiArea& area) { tile(area, Direction::Vertical); }

void tileSideBySide(QMdiArea& area) { tile(area, Direction::Horizontal); }

void arrangeIcons(QMdiArea& area) { placeIcons(area); }

} // namespace shell
