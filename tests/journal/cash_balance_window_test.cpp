#include "data/cash_row.h"
#include "data/control_row.h"
#include "data/table_rows.h"
#include "journal/cash_balance_window.h"
#include "support/entry_window_test.h"

#include <tuple>

namespace {

using db::Currency;
using testing_support::only;

// The shown form of an amount: grouped and right-aligned in 13 characters.
QString shownAmount(const char* grouped) { return QString::fromUtf8(grouped).rightJustified(13, ' '); }

class CashBalanceWindowTest : public testing_support::EntryWindowTest<journal::frmACT0210> {
protected:
    // Months from April, the focus in the carried-forward balance.
    void SetUp() override {
        s().F01Record.F01_STMM = 4;
        open(journal::frmACT0210::create(s()));
        enter(0);
    }
    // The twelve month balances and the closing balance, as shown.
    QStringList balances() const {
        QStringList shownBalances;
        for (int i = 3; i <= 36; i += 3)
            shownBalances << field(i)->text();
        return shownBalances << field(37)->text();
    }
    data::F46Rec fileRow() { return testing_support::storedCashRow(s()); }
};

TEST_F(CashBalanceWindowTest, BalancesFollowTheTypingAndRegisterWritesThemToTheFile) {
    type("100000\n");
    EXPECT_EQ(balances(), QStringList(13, shownAmount("100,000")));
    QStringList captions; // the carried-forward row, the fiscal months from April, the closing row
    for (int i : {4, 5, 16, 17})
        captions << window->Label1(i)->text();
    EXPECT_EQ(captions, QStringList({"繰越", " 4月", " 3月", "繰越"}));

    // Month 3: receipts 5,000 and payments 2,000 raise months 3 to 12 and the closing balance by 3,000.
    enter(7);
    type("5000");
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(focused(), field(8));
    type("2000\n");
    EXPECT_EQ(focused(), field(10));
    EXPECT_EQ(field(7)->text(), shownAmount("5,000"));
    QStringList expected(13, shownAmount("103,000"));
    expected[0] = expected[1] = shownAmount("100,000");
    EXPECT_EQ(balances(), expected);
    enter(7);
    EXPECT_EQ(field(7)->text(), "5000"); // the edit form has no separators
    EXPECT_EQ(hint(), "該当月の入金額を入力して下さい。");

    EXPECT_EQ(fileRow().F46_RM1, Currency()); // nothing written before register
    click(0);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(focused(), field(0));
    const data::F46Rec r = fileRow();
    EXPECT_EQ(std::make_tuple(r.F46_RM1, r.Amt[1][3], r.Amt[2][3], r.Amt[3][2], r.Amt[3][12], r.F46_RM2),
              std::make_tuple(Currency::fromWhole(100000), Currency::fromWhole(5000), Currency::fromWhole(2000),
                              Currency::fromWhole(100000), Currency::fromWhole(103000), Currency::fromWhole(103000)));
}

// From a field, a key goes to a field (-1 the register button); balances take no focus.
TEST_F(CashBalanceWindowTest, KeysMoveByTheTableAndPassingThroughChecksNothing) {
    const auto enterKey = Qt::Key_Return, up = Qt::Key_Up, down = Qt::Key_Down, right = Qt::Key_Right;
    const auto left = Qt::Key_Left, tab = Qt::Key_Tab;
    const Qt::KeyboardModifiers none, shift = Qt::ShiftModifier, controlShift = Qt::ControlModifier | shift;
    const std::tuple<int, Qt::Key, Qt::KeyboardModifiers, int> cases[] = {
        {0, enterKey, none, 1}, {2, enterKey, none, 4}, {35, enterKey, none, -1},    {1, up, none, 1},
        {4, up, none, 1},       {0, down, none, 0},     {1, down, none, 4},          {34, down, none, -1},
        {35, down, none, -1},   {1, right, shift, 2},   {2, right, shift, 2},        {0, right, shift, 0},
        {2, left, shift, 1},    {1, left, shift, 1},    {1, right, controlShift, 1}, {2, tab, none, 4}};
    for (const auto& [from, k, modifiers, to] : cases) {
        enter(from);
        key(k, modifiers);
        EXPECT_EQ(focused(), to < 0 ? static_cast<QWidget*>(button(0)) : field(to)) << from << " " << k;
    }
    EXPECT_TRUE(shown().empty());
}

// Typed into a field and left by Tab: the message ("" taken) and the field's text afterwards.
TEST_F(CashBalanceWindowTest, BadNumbersAndAmountsTheRowCannotHoldAreRefusedAndKeepTheFocus) {
    const std::string bad = "入力結果が数字ではありません。";
    const std::string range = "金額は -999,999,999～2,147,483,647 の範囲で入力して下さい。";
    const std::string beyond = "となり、記録できる範囲（-999,999,999～2,147,483,647）を超えます。";
    const std::string april = "この金額では4月の残高が 9,999,999,999 " + beyond;
    const std::string may = "この金額では5月の残高が 2,147,483,648 " + beyond;
    const std::string march = "この金額では3月の残高が 2,147,492,160 " + beyond; // the last month alone
    const QString big = "9999999999", most = shownAmount("2,147,483,647"), some = shownAmount("1,500");
    const QString zero = shownAmount("0"), rounded = shownAmount("13"); // whole numbers, as the row keeps them
    const std::tuple<int, QString, std::string, QString> cases[] = {
        {1, "12a", bad, "12a"},       {1, "1..2", bad, "1..2"}, {1, ",", bad, ","},       {1, "+12-", bad, "+12-"},
        {1, " 12", bad, " 12"},       {2, big, range, big},     {0, big, april, big},     {1, "2147483647", "", most},
        {4, "1", may, "1"},           {2, "+1,500", "", some},  {4, "12.5", "", rounded}, {5, "", "", zero},
        {34, "10000", march, "10000"}};
    for (const auto& [index, typed, message, after] : cases) {
        shown().clear();
        retype(index, typed);
        key(Qt::Key_Tab);
        EXPECT_EQ(shown(), only(message)) << typed.toStdString();
        EXPECT_EQ(field(index)->text(), after) << typed.toStdString();
        EXPECT_TRUE(message.empty() || focused() == field(index)) << typed.toStdString();
    }
    // Refused texts stored nothing: only the three amounts taken count.
    const data::F46Rec& row = window->cashRow();
    EXPECT_EQ(row.F46_RM1, Currency());
    EXPECT_EQ(std::make_tuple(row.Amt[1][1], row.Amt[2][1], row.Amt[1][2]),
              std::make_tuple(Currency::fromWhole(2147483647), Currency::fromWhole(1500), Currency::fromWhole(13)));
    EXPECT_EQ(field(6)->text(), shownAmount("2,147,482,160"));
}

TEST_F(CashBalanceWindowTest, RegisterWritesTheWindowsFiguresWhateverF46RecordHoldsMeanwhile) {
    type("500\n");
    // A report reads the cash row meanwhile and leaves its own figures in the buffer.
    fileRow();
    s().F46Record.F46_RM1 = Currency::fromWhole(777);
    s().F46Record.Amt[1][1] = Currency::fromWhole(999);
    click(0);
    const data::F46Rec stored = fileRow();
    EXPECT_EQ(stored.F46_RM1, Currency::fromWhole(500));
    EXPECT_EQ(stored.Amt[1][1], Currency());
    EXPECT_EQ(stored.F46_RM2, Currency::fromWhole(500));
}

TEST_F(CashBalanceWindowTest, AFailedWriteKeepsTheFiguresOnScreen) {
    type("400\n");
    s().MainDatabase->execute("DELETE FROM F46TB"); // the row gone from under the window
    click(0);
    EXPECT_EQ(shown(), only(data::MissingRowMessage));
    EXPECT_EQ(field(0)->text(), shownAmount("400"));
    EXPECT_EQ(window->cashRow().F46_RM1, Currency::fromWhole(400));
}

TEST_F(CashBalanceWindowTest, ARowThatCannotBeReadOpensNoWindow) {
    fileRow(); // the row exists
    s().MainDatabase->execute("UPDATE F46TB SET F46_GAMT1 = ?", {db::Value(std::string("damaged"))});
    EXPECT_EQ(journal::frmACT0210::create(s()), nullptr);
    EXPECT_EQ(shown().size(), 1u);
}

} // namespace
