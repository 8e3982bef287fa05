// Drives an entry window the way a user does: focus by click, keys, typed text, button clicks.
#pragma once

#include "data/program_state.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// The messages one action should have shown: none, or the one text.
inline std::vector<std::string> only(const std::string& message) {
    return message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message};
}

// Clicks into a field of a window no fixture drives, replaces its text and leaves the field with Enter.
inline void typeInto(QLineEdit* field, const QString& text) {
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

template <class Window> class WindowTest : public ::testing::Test {
protected:
    // The window goes before the fixture's data file and services it works on.
    void TearDown() override { window.reset(); }

    void open(Window* opened) {
        window.reset(opened);
        ASSERT_NE(window, nullptr);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QApplication::processEvents();
    }
    static QWidget* focused() { return QApplication::focusWidget(); }
    // The user goes to another window and comes back to this one.
    void comeBackFromAnotherWindow() {
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QLineEdit* field(int index) const { return window->Text1(index); }
    QPushButton* button(int index) const { return window->Command1(index); }
    QString hint() const { return window->hintLine()->text(); }
    void enter(int index) {
        field(index)->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
    }
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focused(), k, modifiers);
    }
    // Key by key; "\n" is the Enter key, "\b" Backspace and "\x7f" Delete; a character outside ASCII arrives as
    // an input method sends it.
    static void type(const QString& text) {
        for (const QChar ch : text) {
            if (ch == '\n' || ch == '\b' || ch == '\x7f')
                key(ch == '\n' ? Qt::Key_Return : ch == '\b' ? Qt::Key_Backspace : Qt::Key_Delete);
            else if (ch.unicode() < 0x80)
                QTest::keyClick(focused(), ch.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
    // Replaces a field's text as the user would, staying in the field.
    void retype(int index, const QString& text) {
        enter(index);
        field(index)->selectAll();
        key(Qt::Key_Backspace);
        type(text);
    }
    // The texts of the fields, in the order asked.
    QStringList texts(std::initializer_list<int> indexes) const {
        QStringList result;
        for (int index : indexes)
            result.push_back(field(index)->text());
        return result;
    }
    // A day picked in the calendar, handed to the window's calendar field as the calendar does it.
    void pickInCalendar(data::ProgramState& s, std::int32_t date) {
        if (focused()) focused()->clearFocus(); // the calendar holds the focus meanwhile
        s.CalendarPicked = 1;
        s.CalendarDate = date;
        window->fieldWidget(s.CalendarFieldIndex)->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    }
    void click(int index) {
        QTest::mouseClick(button(index), Qt::LeftButton);
        QApplication::processEvents();
    }

    std::unique_ptr<Window> window;
};

} // namespace testing_support
