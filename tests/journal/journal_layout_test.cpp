#include "journal/cash_balance_window.h"
#include "journal/closing_dialog_window.h"
#include "journal/closing_files.h"
#include "shell/program_font.h"
#include "support/readable_layout.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <vector>

namespace {

// Each focus writes its own hint, the longest of them the closing date's; none may push the controls aside.
void expectReadWholeWithTheFocusIn(shell::EntryWindow* window, const std::vector<QWidget*>& focusTargets) {
    const std::string name = window->objectName().toStdString();
    EXPECT_EQ(testing_support::unreadableControls(window), "") << name;
    for (QWidget* target : focusTargets) {
        target->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(testing_support::unreadableControls(window), "")
            << name << " with the hint " << window->hintLine()->text().toStdString();
    }
}

TEST(JournalWindowLayout, TheClosingDialogOfEitherJobAndTheCashBalanceTableAreReadWholeInsideTheMainWindow) {
    shell::useProgramFont();
    testing_support::ClosingFile file;
    file.defineFifthEra();
    data::ProgramState& s = file.s;
    s.F01Record.F01_ACT = 20260415;
    for (const std::int16_t mode : {1, 2}) {
        s.SimeMode = mode;
        testing_support::WorkArea area;
        auto* dialog = new journal::frmSIME(s);
        area.show(dialog);
        expectReadWholeWithTheFocusIn(dialog, {dialog->Text1(0), dialog->Text1(journal::frmSIME::DateField),
                                               dialog->Command1(journal::frmSIME::StartButton),
                                               dialog->Command1(journal::frmSIME::EndButton)});
    }
    testing_support::WorkArea area;
    auto* cash = journal::frmACT0210::create(s);
    ASSERT_NE(cash, nullptr);
    area.show(cash);
    expectReadWholeWithTheFocusIn(cash, {cash->Text1(0), cash->Text1(1), cash->Text1(2), cash->Command1(0)});
}

} // namespace
