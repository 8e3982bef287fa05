#include "data/cash_row.h"
#include "data/control_row.h"
#include "journal/cash_balance_window.h"
#include "support/test_files.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using db::Currency;

constexpr char NotNumeric[] = "入力結果が数字ではありません。";

// The shown form of an amount: grouped and right-aligned in 13 characters.
QString shownAmount(const char* grouped) { return QString::fromUtf8(grouped).rightJustified(13, ' '); }

class CashBalanceWindowTest : public ::testing::Test {
protected:
    explicit CashBalanceWindowTest(bool emptyTables = false) : files(emptyTables) {}

    void open(std::int16_t firstMonth = 4) {
        files.state.F01Record.F01_STMM = firstMonth;
        window.reset(journal::frmACT0210::create(files.state));
        ASSERT_NE(window, nullptr);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        enter(0);
    }

    QWidget* focused() const { return QApplication::focusWidget(); }
    QLineEdit* field(int index) const { return window->Text1(index); }
    QPushButton* registerButton() const { return window->Command1(0); }
    void enter(int index) {
        field(index)->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(focused(), k, modifiers); }
    void type(const QString& text) { QTest::keyClicks(focused(), text); }
    // Replaces a field's text as a user would: select all, type.
    void retype(int index, const QString& text) {
        enter(index);
        key(Qt::Key_A, Qt::ControlModifier);
        key(Qt::Key_Delete);
        type(text);
    }

    // The cash row as the file holds it now.
    data::F46Rec fileRow() {
        std::int16_t status = 0;
        data::F46Access(files.state, "GET", status);
        EXPECT_EQ(status, 0);
        return files.state.F46Record;
    }

    testing_support::OpenState files;
    std::unique_ptr<journal::frmACT0210> window;
};

class CashBalanceWindowOnEmptyFileTest : public CashBalanceWindowTest {
protected:
    CashBalanceWindowOnEmptyFileTest() : CashBalanceWindowTest(true) {}
};

TEST_F(CashBalanceWindowTest, MonthCaptionsFollowTheFirstFiscalMonth) {
    struct Case {
        std::int16_t firstMonth;
        std::vector<QString> captions;
    };
    const Case cases[] = {
        {1, {" 1月", " 2月", " 3月", " 4月", " 5月", " 6月", " 7月", " 8月", " 9月", "10月", "11月", "12月"}},
        {4, {" 4月", " 5月", " 6月", " 7月", " 8月", " 9月", "10月", "11月", "12月", " 1月", " 2月", " 3月"}},
    };
    for (const Case& c : cases) {
        open(c.firstMonth);
        std::vector<QString> captions;
        for (int i = 5; i <= 16; ++i)
            captions.push_back(window->Label1(i)->text());
        EXPECT_EQ(captions, c.captions) << c.firstMonth;
    }
    EXPECT_EQ(window->windowTitle(), "現金出納簿残高明細の更新");
    EXPECT_EQ(window->Label1(4)->text(), "繰越");
    EXPECT_EQ(window->Label1(17)->text(), "繰越");
}

TEST_F(CashBalanceWindowOnEmptyFileTest, AMissingCashRowIsCreatedWithZerosAndShownSo) {
    open();
    for (int i = 0; i <= 37; ++i)
        EXPECT_EQ(field(i)->text(), i == 0 ? "0" : shownAmount("0")) << i; // field 0 has the focus
    EXPECT_EQ(fileRow().F46_RNO, 1);
    EXPECT_TRUE(files.messages.shown.empty());
}

TEST_F(CashBalanceWindowTest, BalancesFollowTheTypingAndRegisterWritesThemToTheFile) {
    open();
    const data::F46Rec before = fileRow();
    type("100000");
    key(Qt::Key_Return);
    for (int i = 3; i <= 37; i += 3)
        EXPECT_EQ(field(i)->text(), shownAmount("100,000")) << i;
    EXPECT_EQ(field(37)->text(), shownAmount("100,000"));

    // Month 3: receipts 5,000 and payments 2,000 raise months 3 to 12 by 3,000.
    enter(7);
    type("5000");
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(focused(), field(8));
    type("2000");
    key(Qt::Key_Return);
    EXPECT_EQ(focused(), field(10));
    EXPECT_EQ(field(7)->text(), shownAmount("5,000"));
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(field(3 * m)->text(), shownAmount(m < 3 ? "100,000" : "103,000")) << m;
    EXPECT_EQ(field(37)->text(), shownAmount("103,000"));
    enter(7);
    EXPECT_EQ(field(7)->text(), "5000"); // the edit form has no separators
    EXPECT_EQ(window->hintLine()->text(), "該当月の入金額を入力して下さい。");

    EXPECT_EQ(fileRow().F46_RM1, before.F46_RM1); // nothing written before register
    QTest::mouseClick(registerButton(), Qt::LeftButton);
    EXPECT_TRUE(files.messages.shown.empty());
    EXPECT_EQ(focused(), field(0));
    const data::F46Rec stored = fileRow();
    EXPECT_EQ(stored.F46_RM1, Currency::fromWhole(100000));
    EXPECT_EQ(stored.Amt[1][3], Currency::fromWhole(5000));
    EXPECT_EQ(stored.Amt[2][3], Currency::fromWhole(2000));
    EXPECT_EQ(stored.Amt[3][2], Currency::fromWhole(100000));
    EXPECT_EQ(stored.Amt[3][3], Currency::fromWhole(103000));
    EXPECT_EQ(stored.Amt[3][12], Currency::fromWhole(103000));
    EXPECT_EQ(stored.F46_RM2, Currency::fromWhole(103000));
    EXPECT_EQ(field(37)->text(), shownAmount("103,000"));
}

TEST_F(CashBalanceWindowTest, KeysMoveByTheTableAndPassingThroughChecksNothing) {
    open();
    struct Case {
        int from;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int to; // -1: the register button
    };
    const Case cases[] = {
        {0, Qt::Key_Return, Qt::NoModifier, 1},
        {2, Qt::Key_Return, Qt::NoModifier, 4},
        {35, Qt::Key_Return, Qt::NoModifier, -1},
        {1, Qt::Key_Up, Qt::NoModifier, 1},
        {4, Qt::Key_Up, Qt::NoModifier, 1},
        {0, Qt::Key_Down, Qt::NoModifier, 0},
        {1, Qt::Key_Down, Qt::NoModifier, 4},
        {34, Qt::Key_Down, Qt::NoModifier, -1},
        {35, Qt::Key_Down, Qt::NoModifier, -1},
        {1, Qt::Key_Right, Qt::ShiftModifier, 2},
        {2, Qt::Key_Right, Qt::ShiftModifier, 2},
        {0, Qt::Key_Right, Qt::ShiftModifier, 0},
        {2, Qt::Key_Left, Qt::ShiftModifier, 1},
        {1, Qt::Key_Left, Qt::ShiftModifier, 1},
        {1, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier, 1},
        {2, Qt::Key_Tab, Qt::NoModifier, 4}, // balances take no focus
    };
    for (const Case& c : cases) {
        enter(c.from);
        key(c.key, c.modifiers);
        QWidget* expected = c.to < 0 ? static_cast<QWidget*>(registerButton()) : field(c.to);
        EXPECT_EQ(focused(), expected) << "from " << c.from << " key " << c.key;
    }
    EXPECT_TRUE(files.messages.shown.empty());
    enter(35);
    key(Qt::Key_Return);
    EXPECT_EQ(window->hintLine()->text(), "ｸﾘｯｸ 又は、ｴﾝﾀーで作業を選択して下さい。");
    enter(0);
    EXPECT_EQ(window->hintLine()->text(), "前年度繰越額を入力して下さい。");
    enter(5);
    EXPECT_EQ(window->hintLine()->text(), "該当月の出金額を入力して下さい。");
}

TEST_F(CashBalanceWindowTest, BadNumbersAndAmountsTheRowCannotHoldAreRefusedAndKeepTheFocus) {
    open(4);
    const std::string outOfRange = "金額は -999,999,999～2,147,483,647 の範囲で入力して下さい。";
    struct Case {
        int index;
        QString typed;
        std::string message; // empty: taken
        QString after;       // the field's text afterwards
    };
    const Case cases[] = {
        {1, "12a", NotNumeric, "12a"},
        {1, "1..2", NotNumeric, "1..2"},
        {1, ",", NotNumeric, ","},
        {1, "+12-", NotNumeric, "+12-"},
        {2, "9999999999", outOfRange, "9999999999"},
        {0, "9999999999",
         "この金額では4月の残高が 9,999,999,999 となり、記録できる範囲（-999,999,999～2,147,483,647）を超えます。",
         "9999999999"},
        {1, "2147483647", "", shownAmount("2,147,483,647")},
        {4, "1",
         "この金額では5月の残高が 2,147,483,648 となり、記録できる範囲（-999,999,999～2,147,483,647）を超えます。",
         "1"},
        {2, "+1,500", "", shownAmount("1,500")},
        {4, "12.5", "", shownAmount("13")}, // whole numbers, as the row keeps them
        {5, "", "", shownAmount("0")},
    };
    for (const Case& c : cases) {
        files.messages.shown.clear();
        retype(c.index, c.typed);
        key(Qt::Key_Tab);
        const std::vector<std::string> expected =
            c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message};
        EXPECT_EQ(files.messages.shown, expected) << c.typed.toStdString();
        EXPECT_EQ(field(c.index)->text(), c.after) << c.typed.toStdString();
        if (!c.message.empty()) {
            EXPECT_EQ(focused(), field(c.index)) << c.typed.toStdString();
        }
    }
    // Refused texts stored nothing: only the three amounts taken count.
    const data::F46Rec& row = window->cashRow();
    EXPECT_EQ(row.F46_RM1, Currency());
    EXPECT_EQ(row.Amt[1][1], Currency::fromWhole(2147483647));
    EXPECT_EQ(row.Amt[2][1], Currency::fromWhole(1500));
    EXPECT_EQ(row.Amt[1][2], Currency::fromWhole(13));
    EXPECT_EQ(field(6)->text(), shownAmount("2,147,482,160"));
}

TEST_F(CashBalanceWindowTest, RegisterWritesTheWindowsFiguresWhateverF46RecordHoldsMeanwhile) {
    open();
    type("500");
    key(Qt::Key_Return);
    // A report reads the cash row meanwhile and leaves its own figures in the buffer.
    const data::F46Rec before = fileRow();
    files.state.F46Record.F46_RM1 = Currency::fromWhole(777);
    files.state.F46Record.Amt[1][1] = Currency::fromWhole(999);
    QTest::mouseClick(registerButton(), Qt::LeftButton);
    const data::F46Rec stored = fileRow();
    EXPECT_EQ(before.F46_RM1, Currency());
    EXPECT_EQ(stored.F46_RM1, Currency::fromWhole(500));
    EXPECT_EQ(stored.Amt[1][1], Currency());
    EXPECT_EQ(stored.F46_RM2, Currency::fromWhole(500));
    EXPECT_EQ(field(1)->text(), shownAmount("0"));
}

TEST_F(CashBalanceWindowTest, EndDropsUnregisteredEditsAndAFailedWriteKeepsThem) {
    open();
    type("300");
    key(Qt::Key_Return);
    QTest::mouseClick(window->Command1(1), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(fileRow().F46_RM1, Currency());

    // The row gone from under the window: the write is refused and the figures stay on screen.
    open();
    type("400");
    key(Qt::Key_Return);
    files.state.MainDatabase->execute("DELETE FROM F46TB");
    QTest::mouseClick(registerButton(), Qt::LeftButton);
    EXPECT_EQ(files.messages.shown, std::vector<std::string>{data::MissingRowMessage});
    EXPECT_EQ(field(0)->text(), shownAmount("400"));
    EXPECT_EQ(window->cashRow().F46_RM1, Currency::fromWhole(400));
}

TEST_F(CashBalanceWindowTest, ARowThatCannotBeReadOpensNoWindow) {
    fileRow(); // the row exists
    files.state.MainDatabase->execute("UPDATE F46TB SET F46_GAMT1 = ?", {db::Value(std::string("damaged"))});
    EXPECT_EQ(journal::frmACT0210::create(files.state), nullptr);
    EXPECT_EQ(files.messages.shown.size(), 1u);
}

} // namespace
