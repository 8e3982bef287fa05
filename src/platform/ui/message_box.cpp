#include "platform/ui/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

Answer QtMessageBox::show(const std::string& text, Buttons buttons, bool defaultSecond) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QApplication::applicationName());
    box.setText(QString::fromStdString(text));

    struct Choice {
        const char* caption;
        QMessageBox::ButtonRole role;
        Answer answer;
    };
    std::vector<Choice> choices;
    switch (buttons) {
    case Buttons::Ok:
        choices = {{"OK", QMessageBox::AcceptRole, Answer::Ok}};
        break;
    case Buttons::OkCancel:
        choices = {{"OK", QMessageBox::AcceptRole, Answer::Ok},
                   {"キャンセル", QMessageBox::RejectRole, Answer::Cancel}};
        break;
    case Buttons::YesNo:
        choices = {{"はい", QMessageBox::YesRole, Answer::Yes}, {"いいえ", QMessageBox::NoRole, Answer::No}};
        break;
    }

    std::vector<QPushButton*> pushButtons;
    for (const auto& choice : choices)
        pushButtons.push_back(box.addButton(QString::fromUtf8(choice.caption), choice.role));
    const std::size_t defaultIndex = defaultSecond && pushButtons.size() > 1 ? 1 : 0;
    box.setDefaultButton(pushButtons[defaultIndex]);
    // Escape (or the close box) answers like the last button: Cancel or No, and OK for a plain box.
    box.setEscapeButton(pushButtons.back());

    box.exec();
    for (std::size_t i = 0; i < pushButtons.size(); ++i)
        if (box.clickedButton() == pushButtons[i]) return choices[i].answer;
    return choices.back().answer;
}

} // namespace platform
