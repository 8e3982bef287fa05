// The base of every task window shown inside the main window. It knows whether a close comes
// from the user or from the program, because some windows tidy up only when the user closes them.
#pragma once

#include <QCloseEvent>
#include <QEvent>
#include <QMdiSubWindow>
#include <QWidget>

namespace shell {

class ChildWindow : public QWidget {
    Q_OBJECT
public:
    // `formName` is the window's system name ("frmACT0100"), also its objectName.
    ChildWindow(const QString& formName, QWidget* parent = nullptr) : QWidget(parent) { setObjectName(formName); }

    // Closes the window without the clean-up of a user's close.
    void closeByProgram() {
        closingByProgram_ = true;
        close();
        closingByProgram_ = false;
    }
    bool closingByProgram() const { return closingByProgram_; }
    // The program is about to close the window, or to end and take it along: from here nothing the
    // user left half-typed is checked or taken, whichever window the focus passes through on the way.
    void prepareClosingByProgram() { closeStarting(); }

    // Field `index` of the window's field array (its Text1), where the calendar hands a picked date.
    virtual QWidget* fieldWidget(int index) {
        (void)index;
        return nullptr;
    }

signals:
    void closed();

protected:
    // A user's close; return false to keep the window open.
    virtual bool userCloseRequested() { return true; }

    // A window whose contents come to need more room than it has (a grid widened by a long row) grows
    // to it, rather than squeezing its fields into each other.
    bool event(QEvent* event) override {
        const bool handled = QWidget::event(event);
        if (event->type() == QEvent::LayoutRequest) {
            QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
            // A window laid down as an icon keeps its icon's size.
            if (frame->isMinimized()) return handled;
            const QSize least = frame->minimumSizeHint();
            if (frame->width() < least.width() || frame->height() < least.height())
                frame->resize(frame->size().expandedTo(least));
        }
        return handled;
    }

    // The close is decided and the window is about to be hidden; hiding moves the focus, which is no
    // leaving by the user.
    virtual void closeStarting() {}

    void closeEvent(QCloseEvent* event) override {
        if (!closingByProgram_ && !userCloseRequested()) {
            event->ignore();
            return;
        }
        event->accept();
        closeStarting();
        emit closed();
    }

private:
    bool closingByProgram_ = false;
};

} // namespace shell
