#include "shell/guarded_application.h"

#include "shell/event_guard.h"

namespace shell {

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    if (!state_) return QApplication::notify(receiver, event);
    bool handled = false;
    guardEvent(*state_, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace shell
