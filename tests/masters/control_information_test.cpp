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

// Each field in Enter order: its hint and its text on entering (null: not checked), what is typed, what it shows
// once left (trailing blanks aside), its column and what the file holds after the register.
TEST_F(ControlInformationTest, EachFieldIsHeldAsItIsLeftAndRegisteredWholeInItsOwnColumn) {
    s().MainDatabase->execute("UPDATE F01TB SET F01_NAM_01 = 'n1', F01_NAM_02 = 'n2', F01_PST = 'p', F01_ADR_01 = "
                              "'a1', F01_ADR_02 = 'a2', F01_TEL = 't', F01_FAX = 'f', F01_BNK_01 = 'b1', "
                              "F01_BNK_02 = 'b2', F01_DUM = 'kept'");
    open(new frmCMNCNTR(s()));
    window->Combo1(4)->setCurrentIndex(4); // no closing yet: the era is the user's to choose
    const char *eraName = "和暦の年号を入力して下さい。", *eraStart = "年号の開始日を西暦(YYYYMMDD)で入力して下さい。";
    const char *company = "伝票等に印字する自社の社名を入力して下さい。",
               *address = "伝票等に印字する自社の住所を入力して下さい。";
    const char* bank = "振込先を入力して下さい。";
    const std::tuple<int, const char*, const char*, const char*, const char*, const char*, const char*> cases[] = {
        {0, "本日の日付(YYMMDD)を入力して下さい。", "080415", "080301", " 8年 3月 1日", "F01_TDY", "20260301"},
        {1, "作業日付(YYMMDD)を入力して下さい。", nullptr, "080302", " 8年 3月 2日", "F01_ACT", "20260302"},
        {2, "経理上の〆日を指定して下さい。", nullptr, "25", "25", "F01_SIM", "25"},
        {3, "経理上の開始月を指定して下さい。", nullptr, "4", " 4", "F01_STMM", "4"},
        {4, "前回経理年次〆作業日付(YYMMDD)を入力して下さい。", nullptr, "070331", " 7年 3月31日", "F01_UPD",
         "20250331"},
        {5, "伝票番号を入力して下さい。", "0", "123", "     123", "F01_DNO", "123"},
        {6, "消費税率を入力して下さい。", "100", "120", " 120", "F01_TAX1", "120"},
        {7, "前回の消費税率を入力して下さい。", "80", "50", "  50", "F01_TAX2", "50"},
        {8, "税率の変更日(YYMMDD)を入力して下さい。", "011001", "060401", " 6年 4月 1日", "F01_TYMD", "20240401"},
        {20, company, "n1", "Name one", "Name one", "F01_NAM_01", "Name one"},
        {21, company, "n2", "Name two", "Name two", "F01_NAM_02", "Name two"},
        {22, "郵便番号を入力して下さい。", "p", "123-4567", "123-4567", "F01_PST", "123-4567"},
        {23, address, "a1", "Street one", "Street one", "F01_ADR_01", "Street one"},
        {24, address, "a2", "Street two", "Street two", "F01_ADR_02", "Street two"},
        {25, "電話番号を入力して下さい。", "t", "03-1111-2222", "03-1111-2222", "F01_TEL", "03-1111-2222"},
        {26, "Fax番号を入力して下さい。", "f", "03-3333-4444", "03-3333-4444", "F01_FAX", "03-3333-4444"},
        {27, bank, "b1", "Bank one", "Bank one", "F01_BNK_01", "Bank one"},
        {28, bank, "b2", "Bank two", "Bank two", "F01_BNK_02", "Bank two"},
        {9, eraName, "明治", "M1", "M1", "F01_NENG_01", "M1"},
        {10, eraStart, "18681031", "18681101", "18681101", "F01_STYMD_01", "18681101"},
        {11, eraName, "大正", "T2", "T2", "F01_NENG_02", "T2"},
        {12, eraStart, "19120801", "19120802", "19120802", "F01_STYMD_02", "19120802"},
        {13, eraName, "昭和", "S3", "S3", "F01_NENG_03", "S3"},
        {14, eraStart, "19261227", "19261228", "19261228", "F01_STYMD_03", "19261228"},
        {15, eraName, "平成", "H4", "H4", "F01_NENG_04", "H4"},
        {16, eraStart, "19890109", "19890110", "19890110", "F01_STYMD_04", "19890110"},
        {17, eraName, "令和", "R5", "R5", "F01_NENG_05", "R5"},
        {18, eraStart, "20190501", "20190502", "20190502", "F01_STYMD_05", "20190502"}};
    std::string columns = "F01_DUM";
    for (const auto& [index, hintText, entered, typed, shownText, column, stored] : cases) {
        enter(index);
        EXPECT_EQ(hint(), hintText) << index;
        if (entered) {
            EXPECT_EQ(field(index)->text(), entered) << index;
        }
        typeIn(index, typed);
        QString left = field(index)->text();
        while (left.endsWith(' '))
            left.chop(1);
        EXPECT_EQ(left, shownText) << index;
        columns += std::string(", ") + column;
    }
    EXPECT_EQ(shown(), only(""));
    EXPECT_EQ(focused(), button(frmCMNCNTR::RegisterButton));
    // Held at once, written only by the register.
    EXPECT_EQ(s().F01Record.F01_BNK[2].trimmed(), "Bank two");
    EXPECT_EQ(stored("F01_ACT, F01_BNK_02"), "20260415|b2");

    click(frmCMNCNTR::RegisterButton);
    EXPECT_EQ(focused(), field(0));
    const QStringList row = QString::fromStdString(stored(columns)).split('|');
    ASSERT_EQ(row.size(), std::size(cases) + 1);
    EXPECT_EQ(row[0], "kept");
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(row[static_cast<int>(i) + 1], std::get<6>(cases[i])) << std::get<5>(cases[i]);

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

    window->Combo1(1)->setCurrentIndex(-1);
    EXPECT_EQ(shownOnTyping(1, "080415"), only("年号を選択して下さい。"));
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
