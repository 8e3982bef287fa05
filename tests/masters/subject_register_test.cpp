#include "data/code_categories.h"
#include "data/control_row.h"
#include "data/keyed_access.h"
#include "data/table_rows.h"
#include "masters/subject_register_window.h"
#include "support/entry_window_test.h"
#include "support/readable_layout.h"

#include <QGroupBox>

#include <functional>
#include <tuple>

namespace {

using masters::frmACT0010;
using testing_support::addRow;
using testing_support::only;
using testing_support::statusOf;

const std::string DeleteQuestion = "削除します。よろしいか。";
const std::string DetailsQuestion =
    "基本科目ｺｰﾄﾞ（詳細 = 0 )を削除すると 含まれるすべての科目コードも削除されます。続行しますか。";

// The template's rows: subject classes 1 収入 to 5 資本 (two digits), details 1 電気, 2 ガス, 3 水道 (three
// digits); subjects 2-201 仕入 (a payment subject) to 2-216 in class 経費, then 3-301; processing date 15 April 2026.
class SubjectRegisterTest : public testing_support::EntryWindowTest<frmACT0010> {
protected:
    void SetUp() override {
        setProcessingDate(20260415);
        data::LoadCodeKbnTable(s());
        open(new frmACT0010(s()));
    }
    // Class 2 and `code` typed, the detail passed by Enter and searched.
    void search(const QString& code, const QString& detail = "") {
        typeIn(0, "2");
        type(code + "\n");
        if (focused() == field(3)) type(detail + "\n");
        type("\n");
    }
    void addDetail(std::int32_t act, std::int32_t srt, const char* name) {
        addRow(*s().F21Table,
               {{"F21_KBN", 2}, {"F21_ACT", act}, {"F21_SRTKBN", 3}, {"F21_SRT", srt}, {"F21_NAM", name}});
    }
    // The rows of class 2 and subject `act`: detail, name, direction, cash-book flag, month 1, total, detail category.
    std::vector<std::string> rows(std::int32_t act) {
        return tableRows("SELECT F21_SRT, F21_NAM, F21_IO, F21_CSH, F21_AMT_01, F21_REM, F21_SRTKBN FROM F21TB "
                         "WHERE F21_KBN = 2 AND F21_ACT = ? ORDER BY 1",
                         {db::Value(act)});
    }
    std::int64_t currentSubject() const {
        const db::TableRecordset& table = *files.state.F21Table;
        return table.field("F21_ACT").asInt() * 10 + table.field("F21_SRT").asInt();
    }
};

TEST_F(SubjectRegisterTest, ANewSubjectAndItsDetailAreRegisteredAndChanged) {
    typeIn(0, "2");
    EXPECT_EQ(testing_support::textBeside(field(0), 1), "経費"); // the class's name, on its line
    type("299\n"); // no basic row: past the detail, straight to the search
    EXPECT_EQ(focused(), button(frmACT0010::SearchButton));
    type("\n");
    EXPECT_EQ(focused(), field(2));
    type("予備費\n1\n0\n1,234\n");
    EXPECT_EQ(texts({6, 18}), QStringList({"          1,234", "          1,234"}));
    click(frmACT0010::RegisterButton);
    EXPECT_EQ(focused(), field(3));
    EXPECT_EQ(texts({0, 1, 2, 3}), QStringList({"     2", "   299", "予備費", ""}));

    type("2\n\n"); // detail ガス: a new detail takes the subject's name and nothing else
    EXPECT_EQ(focused(), field(4));
    EXPECT_EQ(texts({4, 5, 6}), QStringList({"0", "  0", "              0"})); // the direction in its edit form
    type("1\n1\n500\n");
    click(frmACT0010::RegisterButton);
    type("\n\n"); // the basic subject again
    EXPECT_EQ(texts({2, 6}), QStringList({"予備費", "          1,234"}));
    typeIn(6, "2000");
    click(frmACT0010::RegisterButton);

    EXPECT_EQ(shown(), only(""));
    EXPECT_EQ(rows(299), (std::vector<std::string>{"0|予備費|1|0|2000|2000|3", "2|予備費|1|1|500|500|3"}));
    EXPECT_EQ(currentSubject(), 2990); // the list stands on the row written
}

// Typed into field `index` and left by Enter: the message, and what the field shows afterwards (a refused key
// comes back empty, as when it is entered).
TEST_F(SubjectRegisterTest, EachBadFieldIsRefusedWithItsMessageAndKeepsTheFocus) {
    const std::string empty = "未入力です。", notNumber = "入力結果が数字ではありません。";
    const std::string tooLong = "規定の桁数をこえました。", notInTable = "コードテーブルにありません。";
    const std::tuple<int, const char*, std::string, const char*> cases[] = {
        {0, "", empty, ""},
        {0, "9", notInTable, ""},
        {0, "a", notNumber, ""},
        {1, "", empty, ""},
        {1, "12a", notNumber, ""},
        {3, "9", notInTable, ""},
        {3, "1234", tooLong, ""},
        {3, "-1", notNumber, ""},
        {0, "2", "", "     2"},
        {1, "201", "", "   201"},
        {3, "", "", "     0"},
        {4, "2", "入出金区分の誤りです。", "2"},
        {5, "7", "現金出納簿科目区分の誤りです。", "7"},
        {6, "1..2", notNumber, "1..2"}};
    for (const auto& [index, typed, message, after] : cases) {
        if (index == 4) type("\n"); // the search of 2-201, from the search button
        EXPECT_EQ(shownOnTyping(index, typed), only(message)) << index << " " << typed;
        if (!message.empty()) {
            EXPECT_EQ(focused(), field(index)) << index << " " << typed;
        }
        EXPECT_EQ(field(index)->text(), after) << index << " " << typed;
    }
    // A refused direction or cash-book flag is not registered.
    click(frmACT0010::RegisterButton);
    EXPECT_EQ(rows(201), std::vector<std::string>{"0|仕入|1|0|0|0|3"});

    s().CodeKbnTable[1][3] = "01";
    EXPECT_EQ(shownOnTyping(0, "12"), only(tooLong));
}

// Each step, from what the earlier ones left: the last message and where the focus went (nullptr: stays).
TEST_F(SubjectRegisterTest, ButtonsRefuseWithoutAKeyOrAChosenSubject) {
    expectRefusals({{[this] { enter(1), click(frmACT0010::SearchButton); }, "科目区分が未入力です。", field(0)},
                    {[this] { typeIn(0, "2"), click(frmACT0010::SearchButton); }, "科目コードが未入力です。", field(1)},
                    {[this] { type("201\n"), click(frmACT0010::RegisterButton); },
                     "レコードが選択されていません。検索後、再指定して下さい。", button(frmACT0010::SearchButton)},
                    {[this] { typeIn(1, "299"), click(frmACT0010::SearchButton), click(frmACT0010::DeleteButton); },
                     "削除すべきデータは存在しません。", nullptr},
                    {[this] { typeIn(3, "2"), click(frmACT0010::SearchButton); },
                     "基本科目ｺｰﾄﾞ（詳細=0 )が登録されていなければ入力できません。", field(3)},
                    {[this] { typeIn(1, "201"), type("1\n\n"), retype(2, "別名"), click(frmACT0010::RegisterButton); },
                     "科目名称は基本科目でしか修正できません。", field(3)}});
    EXPECT_EQ(field(2)->text(), QString("仕入").leftJustified(30)); // the stored name is back
    EXPECT_EQ(rows(201), std::vector<std::string>{"0|仕入|1|0|0|0|3"});
    EXPECT_TRUE(rows(299).empty());
}

TEST_F(SubjectRegisterTest, ANewNameOfABasicSubjectReachesEveryDetailAndOnlyThem) {
    addDetail(207, 1, "水道光熱費");
    addDetail(207, 3, "水道光熱費");
    addDetail(208, 1, "地代家賃");
    search("207");
    retype(2, "光熱費");
    click(frmACT0010::RegisterButton);
    EXPECT_EQ(rows(207), (std::vector<std::string>{"0|光熱費|1|0|0|0|3", "1|光熱費|0|0|0|0|3", "3|光熱費|0|0|0|0|3"}));
    EXPECT_EQ(rows(208), (std::vector<std::string>{"0|地代家賃|1|0|0|0|3", "1|地代家賃|0|0|0|0|3"}));
    EXPECT_EQ(currentSubject(), 2070);
}

TEST_F(SubjectRegisterTest, ADetailGoesAfterOneQuestionAndABasicSubjectWithItsDetailsAfterTwo) {
    addDetail(207, 1, "水道光熱費");
    addDetail(207, 3, "水道光熱費");
    search("207", "1");
    click(frmACT0010::DeleteButton);
    EXPECT_EQ(shown(), only(DeleteQuestion));
    EXPECT_EQ(rows(207), (std::vector<std::string>{"0|水道光熱費|1|0|0|0|3", "3|水道光熱費|0|0|0|0|3"}));

    for (const auto answer : {platform::Answer::No, platform::Answer::Yes}) {
        shown().clear();
        files.messages.answers = {platform::Answer::Yes, answer};
        type("\n\n"); // from the detail field: the basic subject
        click(frmACT0010::DeleteButton);
        EXPECT_EQ(shown(), (std::vector<std::string>{DeleteQuestion, DetailsQuestion}));
        EXPECT_EQ(rows(207).size(), answer == platform::Answer::No ? 2U : 0U);
        EXPECT_EQ(focused(), field(3));
    }
    EXPECT_EQ(rows(208).size(), 1U);
    EXPECT_EQ(currentSubject(), 2080); // the row after the deleted ones

    // The row went behind the window's back.
    search("208");
    s().MainDatabase->execute("DELETE FROM F21TB WHERE F21_ACT = 208");
    shown().clear();
    click(frmACT0010::DeleteButton);
    EXPECT_EQ(shown(), (std::vector<std::string>{DeleteQuestion, "存在しないデータを削除しようとしました。"}));
}

TEST_F(SubjectRegisterTest, ABasicSubjectWhoseDetailCannotGoKeepsEveryRowAndTheProgramRuns) {
    addDetail(207, 1, "水道光熱費");
    addDetail(207, 3, "水道光熱費");
    s().MainDatabase->execute("CREATE TRIGGER refuse_detail BEFORE DELETE ON F21TB WHEN OLD.F21_SRT = 3 "
                              "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END");
    search("207");
    click(frmACT0010::DeleteButton);
    ASSERT_EQ(shown().size(), 3U);
    EXPECT_EQ(shown().back().rfind("Err.Number = ", 0), 0U) << shown().back();
    EXPECT_EQ(rows(207).size(), 3U);
}

TEST_F(SubjectRegisterTest, AReadByAnotherWindowChangesNeitherWhatIsRegisteredNorWhere) {
    s().MainDatabase->execute(
        "UPDATE F21TB SET F21_FIL = 50000000, F21_DUM = 'kept' WHERE F21_KBN = 2 AND F21_ACT = 201");
    search("201");
    typeIn(6, "300");
    s().F21Record.F21_KBN = 1;
    s().F21Record.F21_ACT = 101;
    s().F21Record.F21_SRT = 0;
    statusOf(data::F21Access, s(), "GET");
    click(frmACT0010::RegisterButton);
    EXPECT_EQ(rows(201), std::vector<std::string>{"0|仕入|1|0|300|300|3"});
    EXPECT_EQ(s().MainDatabase->openSnapshot("SELECT * FROM F21TB WHERE F21_KBN = 1 AND F21_AMT_01 <> 0")->rowCount(),
              0);
    // What the window does not show is written back as it was read.
    auto kept = s().MainDatabase->openSnapshot("SELECT F21_FIL, F21_DUM FROM F21TB WHERE F21_ACT = 201");
    EXPECT_EQ(kept->field(0).asText() + "|" + data::trimText(kept->field(1).asText()), "5000|kept");
}

TEST_F(SubjectRegisterTest, ListChoicesFillTheKeyAndAChoiceWithoutACurrentRowDoesNothing) {
    addDetail(207, 1, "電気代");
    chooseInGrid(frmACT0010::SubjectList, 2, "電気代"); // a detail shows its own stored name
    EXPECT_EQ(texts({0, 1, 3}), QStringList({"     2", "   207", "     1"}));
    EXPECT_EQ(field(2)->text(), QString("電気代").leftJustified(30));
    EXPECT_EQ(focused(), field(4));

    chooseInGrid(frmACT0010::CodeList, 2, "資産"); // a class: the subject list moves to it
    EXPECT_EQ(texts({0, 1, 2}), QStringList({"     3", "", ""}));
    EXPECT_EQ(focused(), field(1));
    EXPECT_EQ(currentSubject(), 3010);
    type("301\n");
    chooseInGrid(frmACT0010::CodeList, 2, "ガス"); // a detail: class, code and name stay
    EXPECT_EQ(texts({1, 3}), QStringList({"   301", "     2"}));
    EXPECT_EQ(testing_support::textBeside(field(3), 1), "ガス");
    EXPECT_EQ(focused(), button(frmACT0010::SearchButton));

    s().F21Table->seek("=", {9, 9, 9});
    emit window->DBGrid1(frmACT0010::SubjectList)->rowChosen();
    EXPECT_EQ(texts({1, 3}), QStringList({"   301", "     2"}));
    EXPECT_TRUE(shown().empty());
}

// From a field of a searched subject, a key goes to a field (-1 the search button, -2 the register button).
TEST_F(SubjectRegisterTest, ArrowKeysFollowTheTwoColumnsOfFigures) {
    const auto up = Qt::Key_Up, down = Qt::Key_Down, right = Qt::Key_Right, left = Qt::Key_Left;
    const Qt::KeyboardModifiers none, shift = Qt::ShiftModifier;
    const std::tuple<int, Qt::Key, Qt::KeyboardModifiers, int> cases[] = {
        {4, up, none, 3},      {12, up, none, 5},      {6, up, none, 5},       {11, down, none, -2},
        {17, down, none, -2},  {6, right, shift, 12},  {11, right, shift, 17}, {12, left, shift, 6},
        {17, left, shift, 11}, {12, right, shift, 12}, {5, down, none, 6},     {2, left, shift, 1}};
    for (const auto& [from, k, modifiers, to] : cases) {
        search("201");
        enter(from);
        key(k, modifiers);
        QWidget* expected = field(std::max(to, 0));
        if (to == -1) expected = button(frmACT0010::SearchButton);
        if (to == -2) expected = button(frmACT0010::RegisterButton);
        EXPECT_EQ(focused(), expected) << from << " " << k;
    }
    EXPECT_TRUE(shown().empty());
}

// The fiscal year as an era year and the month captions follow the processing date and the first month.
TEST_F(SubjectRegisterTest, TheYearCaptionAndMonthCaptionsFollowTheFirstFiscalMonth) {
    const std::tuple<std::int32_t, std::int16_t, QString, QStringList> cases[] = {
        {20000215, 4, "平成  11年", {" 4月", "12月", " 1月", " 3月"}},
        {20000415, 4, "平成  12年", {" 4月", "12月", " 1月", " 3月"}},
        {20260415, 1, "令和   8年", {" 1月", " 9月", "10月", "12月"}}};
    for (const auto& [processing, firstMonth, year, months] : cases) {
        s().F01Record.F01_ACT = processing;
        s().F01Record.F01_STMM = firstMonth;
        open(new frmACT0010(s()));
        EXPECT_EQ(window->Label2(3)->text(), year);
        EXPECT_EQ(QStringList({window->Label1(8)->text(), window->Label1(16)->text(), window->Label1(17)->text(),
                               window->Label1(19)->text()}),
                  months);
    }
}

// A class of five digits may be registered as a code, but no subject can take one beyond a 16-bit class.
TEST_F(SubjectRegisterTest, F5RereadsTheCodeListAndTheCodeCategoriesAndAClassTooLargeIsRefused) {
    s().MainDatabase->execute("UPDATE F10KBNTB SET F10KBN_KETA = 1 WHERE F10KBN_ID = 3");
    s().MainDatabase->execute("UPDATE F10KBNTB SET F10KBN_KETA = 5 WHERE F10KBN_ID = 1");
    addRow(*s().F10Table, {{"F10_KBN", 3}, {"F10_COD", 4}, {"F10_DTL", "灯油"}});
    addRow(*s().F10Table, {{"F10_KBN", 1}, {"F10_COD", 40000}, {"F10_DTL", "大区分"}});
    enter(0);
    key(Qt::Key_F5);
    EXPECT_EQ(data::CodeDigits(s(), 3), 1);
    chooseInGrid(frmACT0010::CodeList, 2, "灯油");
    EXPECT_EQ(field(3)->text(), "     4");

    chooseInGrid(frmACT0010::CodeList, 2, "大区分");
    EXPECT_EQ(shown(), only("規定の桁数をこえました。"));
    EXPECT_EQ(texts({0, 3}), QStringList({"     0", "     4"}));
    EXPECT_TRUE(window->Label2(0)->text().isEmpty());
}

} // namespace
