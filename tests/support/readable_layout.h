// What a user sees of a task window shown inside the main window at its opening size: the controls
// that would not be read whole, because they stand outside the window, are squeezed below the size
// their text needs, or lie over another control.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QStringList>

#include <string>

namespace testing_support {

// The controls a user reads or types in; the parts of a grid or a list box are their owner's.
inline QList<QWidget*> readableControls(QWidget* window) {
    QList<QWidget*> result;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(window)) continue;
        bool part = false;
        for (QWidget* up = control->parentWidget(); up && up != window; up = up->parentWidget())
            part = part || qobject_cast<QAbstractItemView*>(up) || qobject_cast<QComboBox*>(up);
        if (part) continue;
        const auto* label = qobject_cast<QLabel*>(control);
        if (label && label->text().isEmpty() && label->frameShape() == QFrame::NoFrame) continue;
        if (label || qobject_cast<QLineEdit*>(control) || qobject_cast<QAbstractButton*>(control) ||
            qobject_cast<QComboBox*>(control) || qobject_cast<QAbstractItemView*>(control))
            result.push_back(control);
    }
    return result;
}

inline QString nameOf(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control); label && control->objectName().isEmpty())
        return label->text();
    return control->objectName();
}

// The controls a user could not read whole, one clause each; empty when every control can be.
inline std::string unreadableControls(QWidget* window) {
    QStringList result;
    const QList<QWidget*> controls = readableControls(window);
    QList<QRect> places;
    for (QWidget* control : controls) {
        const QRect place(control->mapTo(window, QPoint(0, 0)), control->size());
        places.push_back(place);
        // A size the window set itself is the size it wants, as Qt's layouts take it.
        const QSize hint = control->minimumSizeHint(), set = control->minimumSize();
        const QSize needed(set.width() > 0 ? set.width() : hint.width(),
                           set.height() > 0 ? set.height() : hint.height());
        if (!window->rect().contains(place)) result.push_back(nameOf(control) + " lies outside the window");
        if (control->width() < needed.width() || control->height() < needed.height())
            result.push_back(nameOf(control) + " is squeezed");
        if (const auto* grid = qobject_cast<QAbstractItemView*>(control);
            grid && grid->horizontalScrollBar()->isVisible())
            result.push_back(nameOf(control) + " hides part of its columns");
    }
    for (int a = 0; a < controls.size(); ++a)
        for (int b = a + 1; b < controls.size(); ++b)
            // Touching counts: a caption that runs into the box beside it reads as cut off.
            if (places[a].adjusted(0, 0, 1, 1).intersects(places[b]))
                result.push_back(nameOf(controls[a]) + " runs into " + nameOf(controls[b]));
    return result.join("; ").toStdString();
}

// Shows `window` inside a work area the size of a main window on a desktop of 1600 by 1000 pixels.
class WorkArea {
public:
    WorkArea() {
        area_.resize(1280, 800);
        area_.show();
    }
    void show(QWidget* window) {
        area_.addSubWindow(window)->show();
        QApplication::processEvents();
    }

private:
    QMdiArea area_;
};

} // namespace testing_support
