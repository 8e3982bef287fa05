// What a user sees of a task window shown inside the main window at its opening size: the controls
// that would not be read whole, because they stand outside the window, are squeezed below the size
// their text needs, or lie over another control or over a frame they are not in; and the label read
// beside a control on its line.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
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
    if (!control->objectName().isEmpty()) return control->objectName();
    if (const auto* frame = qobject_cast<const QGroupBox*>(control)) return frame->title();
    if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    return {};
}

inline QRect placeIn(QWidget* window, const QWidget* control) {
    return QRect(control->mapTo(window, QPoint(0, 0)), control->size());
}

// The controls a user could not read whole, one clause each; empty when every control can be.
inline std::string unreadableControls(QWidget* window) {
    QStringList result;
    const QList<QWidget*> controls = readableControls(window);
    QList<QRect> places;
    for (QWidget* control : controls) {
        const QRect place = placeIn(window, control);
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
    // A control over a frame it is not in hides part of it; one that no layout places lands so, at the corner.
    for (QGroupBox* frame : window->findChildren<QGroupBox*>()) {
        if (!frame->isVisibleTo(window)) continue;
        for (int c = 0; c < controls.size(); ++c)
            if (!frame->isAncestorOf(controls[c]) && places[c].intersects(placeIn(window, frame)))
                result.push_back(nameOf(controls[c]) + " lies over " + nameOf(frame));
    }
    return result.join("; ").toStdString();
}

// The text of the label a user reads beside `control` on its line, in its frame: the nearest to its left
// (side -1), where a caption stands, or to its right (side 1), where a looked-up name does; empty when none.
inline QString textBeside(QWidget* control, int side) {
    QWidget* frame = control->parentWidget();
    const QRect place = placeIn(frame, control);
    const QLabel* nearest = nullptr;
    int distance = 0;
    for (QLabel* label : frame->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QRect at = placeIn(frame, label);
        const int away = side < 0 ? place.left() - at.right() : at.left() - place.right();
        if (!label->isVisibleTo(frame) || away <= 0 || at.top() > place.center().y() ||
            at.bottom() < place.center().y())
            continue;
        if (!nearest || away < distance) nearest = label, distance = away;
    }
    return nearest ? nearest->text() : QString();
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
