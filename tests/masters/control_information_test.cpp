#include "assets/asset_register_window.h"
#include "assets/depreciation_rows_window.h"
#include "data/control_row.h"
#include "data/table_rows.h"
#include "journal/closing_dialog_window.h"
#include "journal/voucher_entry_window.h"
#include "masters/control_information_window.h"
#include "reports/report_dialog_window.h"
#include "reports/report_module.h"
#include "support/entry_window_test.h"

#include <tuple>

namespace {

using masters::frmCMNCNTR;
using testing_support::only;
using testing_support::statusOf;

// The template's control row: eras 明治 to 令和 (令和 from 1 May 2019), tax change on 1 October 2019; today and the
// processing date 15 April 2026 (令和 8).
class ControlInformationTest : public testing_support::EntryWindowTest<frmCMNCNTR> {
protected:
    void SetUp() override {
        statusOf(data::F01Access, s(), "GET");
        s().F01Record.F01_TDY = 20260415;
        s().F01Record.F01_ACT = 20260415;
        statusOf(data::F01Access, s(), "PUT");
        open(new frmCMNCNTR(s()));
    }
    // The control row's fields as the file holds them, joined by "|".
    std::string stored(const std::string& fields) { return tableRows("SELECT " + fields + " FROM F01TB").at(0); }
    static QStringList items(const QComboBox* list) {
        QStringList result;
        for (int i = 0; i < list->count(); ++i)
            result.push_back(list->itemText(i).trimmed());
        return result;
    }
};

TEST_F(ControlInformationTest, EachFieldIsHeldAsItIsLeftAndRegisteredWhole) {
    EXPECT_EQ(texts({0, 1, 8, 17, 18}), QStringList({"080415", " 8年 4月15日", " 1年10月 1日", "令和  ", "20190501"}));
    window->Combo1(4)->setCurrentIndex(4); // no closing yet: the era is the user's to choose
    typeIn(1, "080420");
    EXPECT_EQ(focused(), field(2));
    type("25\n4\n080299\n123\n100\n80\n0\n株式会社テスト\n");
    EXPECT_EQ(focused(), field(21));
    EXPECT_EQ(texts({1, 2, 3, 4, 5, 6, 7, 8}),
              QStringList({" 8年 4月20日", "25", " 4", " 8年 2月28日", "     123", " 100", "  80", "0"}));
    const data::F01Rec& r = s().F01Record; // held at once, before any register
    EXPECT_EQ(std::tuple(r.F01_ACT, r.F01_UPD, r.F01_TYMD, r.F01_NAM[1].trimmed()),
              std::tuple(20260420, 20260228, 0, std::string("株式会社テスト")));
    EXPECT_EQ(stored("F01_ACT, F01_SIM"), "20260415|99");

    click(frmCMNCNTR::RegisterButton);
    EXPECT_EQ(focused(), field(0));
    EXPECT_EQ(stored("F01_ACT, F01_SIM, F01_STMM, F01_UPD, F01_DNO, F01_TAX1, F01_TAX2, F01_TYMD, F01_NAM_01"),
              "20260420|25|4|20260228|123|100|80|0|株式会社テスト");
    EXPECT_EQ(shown(), only(""));
    EXPECT_EQ(s().CalendarOwnerForm, "frmCMNCNTR");
    click(frmCMNCNTR::EndButton);
    EXPECT_EQ(s().CalendarOwnerForm, "");
}

// Typed into field `index` and left by Enter: the message and the field that has the focus afterwards.
TEST_F(ControlInformationTest, EachBadFieldIsRefusedWithItsMessageAndNothingRefusedIsHeld) {
    const std::string notNumber = "入力結果が数字ではありません。", month = "月の入力値が間違っています。";
    const std::tuple<int, const char*, std::string, int> cases[] = {
        {2, "1a", notNumber, 2},
        {3, "", month, 3},
        {3, "13", month, 3},
        {6, "1000", "税率の入力値が間違っています。", 6},
        {1, "0804", "6桁(YYMMDD)で入力して下さい。", 1},
        {1, "081332", "日付の誤りです。再度、入力して下さい。", 1},
        {10, "1868", "8桁(YYYYMMDD)で入力して下さい。", 10},
        {12, "19300101", "開始日付は昇順に入力して下さい。", 12},
        {11, "", "", 13}, // 大正 loses its name, and with it its first day
        {2, "", "", 3},
        {17, "", "", -1},
        {18, "20300101", "年号を入力して下さい。", 17}};
    for (const auto& [index, typed, message, focus] : cases) {
        EXPECT_EQ(shownOnTyping(index, typed), only(message)) << index << " " << typed;
        EXPECT_EQ(focused(), focus < 0 ? static_cast<QWidget*>(button(frmCMNCNTR::RegisterButton)) : field(focus))
            << index << " " << typed;
    }
    const data::F01Rec& r = s().F01Record;
    EXPECT_EQ(std::tuple(r.F01_SIM, r.F01_STMM, r.F01_TAX1, r.F01_ACT, r.F01_STYMD[1], r.F01_STYMD[2], r.F01_STYMD[5]),
              std::tuple(0, 1, 100, 20260415, 18681031, 0, 0));
    EXPECT_EQ(field(12)->text().trimmed(), "");
    // The eras left keep their numbers: the processing date is 平成 38 now.
    EXPECT_EQ(items(window->Combo1(1)), QStringList({"明治", "昭和", "平成"}));
    EXPECT_EQ(window->Combo1(1)->currentText().trimmed(), "平成");
    enter(14);
    enter(15); // left without typing: the stored first day comes back
    EXPECT_EQ(field(14)->text(), "19261227");

    shown().clear();
    window->Combo1(1)->setCurrentIndex(-1);
    typeIn(1, "080415");
    EXPECT_EQ(shown(), only("年号を選択して下さい。"));
}

TEST_F(ControlInformationTest, AnEraAddedHereIsInEveryEraListAndItsDatesAreAccepted) {
    s().F01Record.F01_NENG[5] = "";
    s().F01Record.F01_STYMD[5] = 0;
    statusOf(data::F01Access, s(), "PUT");
    open(new frmCMNCNTR(s()));
    EXPECT_EQ(field(1)->text(), "38年 4月15日"); // 平成 goes on without a fifth era
    typeIn(17, "新元");
    type("20270101\n\n");
    EXPECT_EQ(stored("F01_NENG_05, F01_STYMD_05"), "新元|20270101");
    EXPECT_EQ(field(1)->text(), "38年 4月15日"); // 新元 starts later

    reports::ReportCatalog catalog;
    journal::frmACT0100 voucher(s());
    journal::frmSIME closing(s());
    reports::frmPrint print(s(), catalog, {});
    assets::frmACT0400 asset(s(), {}, {});
    assets::frmACT0400A depreciation(s(), [] { return std::nullopt; });
    const QStringList eras{"明治", "大正", "昭和", "平成", "新元"};
    for (const shell::EraList* list :
         {window->Combo1(0), window->Combo1(4), voucher.Combo1(0), closing.Combo1(journal::frmSIME::DateField),
          print.Combo1(reports::frmPrint::DateBox), asset.Combo1(4), depreciation.Combo1(0)})
        EXPECT_EQ(items(list), eras) << list->parent()->objectName().toStdString();

    window->Combo1(1)->setCurrentIndex(4);
    typeIn(1, "010315");
    EXPECT_EQ(s().F01Record.F01_ACT, 20270315);
    EXPECT_EQ(field(1)->text(), " 1年 3月15日");

    voucher.show();
    voucher.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&voucher));
    voucher.Combo1(0)->setCurrentIndex(4);
    testing_support::typeInto(voucher.Text1(0), "010401");
    EXPECT_EQ(voucher.voucherDate(), 20270401);
    EXPECT_EQ(shown(), only(""));
}

TEST_F(ControlInformationTest, APickedDayFillsTheDateFieldAndAPickedFirstDayOfAnEraIsChecked) {
    enter(0);
    pickInCalendar(s(), 20260501);
    EXPECT_EQ(s().F01Record.F01_TDY, 20260501);
    EXPECT_EQ(field(0)->text(), " 8年 5月 1日");
    EXPECT_EQ(focused(), field(1));

    enter(10);
    pickInCalendar(s(), 19130101); // after 大正's first day
    EXPECT_EQ(shown(), only("開始日付は昇順に入力して下さい。"));
    EXPECT_EQ(focused(), field(10));
    EXPECT_EQ(field(10)->text(), "19130101"); // refused, the picked day stays to be corrected
    EXPECT_EQ(s().F01Record.F01_STYMD[1], 18681031);
    enter(18);
    pickInCalendar(s(), 20190502);
    EXPECT_EQ(s().F01Record.F01_STYMD[5], 20190502);
    EXPECT_EQ(focused(), button(frmCMNCNTR::RegisterButton));
}

// From a field, a key goes to a field (-1 the register button; the same field: nowhere).
TEST_F(ControlInformationTest, EnterAndTheArrowKeysFollowTheDatesTheCompanyLinesAndTheEraTable) {
    const auto enterKey = Qt::Key_Return, up = Qt::Key_Up, down = Qt::Key_Down, right = Qt::Key_Right,
               left = Qt::Key_Left;
    const Qt::KeyboardModifiers none, shift = Qt::ShiftModifier;
    const std::tuple<int, Qt::Key, Qt::KeyboardModifiers, int> cases[] = {
        {8, enterKey, none, 20}, {28, enterKey, none, 9}, {18, enterKey, none, -1}, {9, down, none, 11},
        {28, down, none, 9},     {17, down, none, -1},    {10, up, none, 28},       {13, up, none, 11},
        {0, up, none, 0},        {1, right, shift, 21},   {4, right, shift, 26},    {7, right, shift, 11},
        {5, right, shift, 5},    {26, left, shift, 4},    {11, left, shift, 7},     {16, left, shift, 15}};
    for (const auto& [from, k, modifiers, to] : cases) {
        enter(from);
        key(k, modifiers);
        EXPECT_EQ(focused(), to < 0 ? static_cast<QWidget*>(button(frmCMNCNTR::RegisterButton)) : field(to))
            << from << " " << k;
    }
    EXPECT_TRUE(shown().empty());
}

} // namespace
