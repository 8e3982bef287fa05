#include "shell/window_placement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>

namespace shell {

namespace {

QMdiSubWindow* subWindowOf(const QWidget* window) { return qobject_cast<QMdiSubWindow*>(window->parentWidget()); }

} // namespace

QSize placementArea(const QWidget* window) {
    if (auto* sub = subWindowOf(window)) {
        if (auto* area = sub->mdiArea()) return area->viewport()->size();
    }
    if (const QScreen* screen = window->screen()) return screen->availableGeometry().size();
    return {};
}

QSize outerSize(const QWidget* window) {
    if (auto* sub = subWindowOf(window)) return sub->frameGeometry().size();
    return window->frameGeometry().size();
}

void moveOuterFrame(QWidget* window, int left, int top) {
    QWidget* frame = subWindowOf(window);
    if (!frame) frame = window;
    frame->move(left, top < 0 ? frame->y() : top);
}

} // namespace shell
