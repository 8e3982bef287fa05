#include "data/code_categories.h"
#include "data/keyed_access.h"
#include "data/table_rows.h"
#include "masters/description_register_window.h"
#include "support/entry_window_test.h"
#include "support/readable_layout.h"

#include <QGroupBox>

#include <functional>
#include <tuple>

namespace {

using masters::frmACT0030;
using testing_support::addRow;
using testing_support::only;

// The template's rows: subject classes 1 to 5 (two digits), counterparts of category 2 (four digits),
// details of category 3 (three digits), subjects 1-101 売上 (receipt) and 2-201 仕入 (payment),
// descriptions 000001 to 000006.
class DescriptionRegisterTest : public testing_support::EntryWindowTest<frmACT0030> {
protected:
    void SetUp() override {
        data::LoadCodeKbnTable(s());
        open(new frmACT0030(s()));
    }
    // Description `code` searched for, its fields open.
    void startDescription(const QString& code) {
        typeIn(0, code);
        click(3);
    }
    // The description table's rows, trimmed fields joined by "|".
    std::vector<std::string> rows() {
        return tableRows("SELECT F18_COD, F18_DSC, F18_KBN, F18_ACT, F18_SRT, F18_KND, F18_CUS, F18_RMK, F18_IO, "
                         "F18_AMT FROM F18TB ORDER BY 1");
    }
};

TEST_F(DescriptionRegisterTest, ACycleAddsChangesAndDeletesADescriptionWhateverOtherWindowsRead) {
    enter(0);
    type("12\n");
    EXPECT_EQ(field(0)->text(), "12"); // the code shows its six digits only once searched
    type("\n");
    EXPECT_EQ(field(0)->text(), "000012");
    type("家賃\n2\n208\n3\n2\n1\n月末\n\n120,000\n");
    EXPECT_EQ(window->Label2(0)->text().trimmed(), "地代家賃");
    EXPECT_EQ(field(8)->text(), "     1"); // the subject's direction
    EXPECT_EQ(focused(), button(0));
    // Another window's reads fill the shared buffers: the window registers its own description.
    s().F18Record.F18_COD = "000001";
    EXPECT_EQ(testing_support::statusOf(data::F18Access, s(), "GET"), 0);
    type("\n");
    EXPECT_EQ(shown(), only(""));
    EXPECT_EQ(rows().back(), "000012|家賃|2|208|3|2|1|月末|1|120000");
    EXPECT_EQ(focused(), field(0));
    EXPECT_FALSE(window->Frame2()->isEnabled());

    chooseInGrid(frmACT0030::DescriptionList, 0, "000012");
    EXPECT_EQ(focused(), field(1));
    EXPECT_EQ(field(1)->text(), "家賃"); // edited without the padding it is stored with
    EXPECT_EQ(field(7)->text().trimmed(), "月末");
    enter(9);
    EXPECT_EQ(field(9)->text(), "120000"); // the amount to edit, without separators
    typeIn(9, "-5");
    click(0);
    EXPECT_EQ(rows().back(), "000012|家賃|2|208|3|2|1|月末|1|-5");

    startDescription("12");
    files.messages.answers = {platform::Answer::No};
    click(1);
    EXPECT_EQ(focused(), field(1));
    click(1);
    EXPECT_EQ(shown(), std::vector<std::string>(2, "削除します。よろしいか。"));
    EXPECT_EQ(rows().size(), 6u);
    EXPECT_EQ(rows().back().substr(0, 6), "000006");
}

// Typed into field `index` and left by Enter: the message, where the focus goes and what that field shows then.
// A refused value is not taken: the fields show what the description holds once left, and that is registered.
TEST_F(DescriptionRegisterTest, EachBadFieldIsRefusedWithItsMessageAndNeverRegistered) {
    const std::string unknown = "コードに登録されていません。", notNumber = "入力結果が数字ではありません。";
    const std::string tooLong = "規定の桁数をこえました。", badCategory = "相手先種別の誤りです。";
    startDescription("7");
    const std::tuple<int, const char*, std::string, int, const char*> cases[] = {
        {2, "9", unknown, 2, "9"},
        {3, "999", "勘定科目に登録されていません。", 3, "999"},
        {4, "9", unknown, 4, "9"},
        {4, "1234", tooLong, 4, "1234"},
        {6, "5", "相手先区分が入力されていません。", 5, ""},
        {5, "2", "", 6, ""},
        {6, "12345", tooLong, 6, "12345"},
        {6, "99", unknown, 6, "99"},
        {5, "1", badCategory, 5, "1"},
        {5, "3", badCategory, 5, "3"},
        {8, "2", "入出金区分の誤りです。", 8, "2"},
        {8, "a", notNumber, 8, "a"},
        {9, "1..2", notNumber, 9, "1..2"}};
    for (const auto& [index, typed, message, focus, text] : cases) {
        EXPECT_EQ(shownOnTyping(index, typed), only(message)) << index << " " << typed;
        EXPECT_EQ(focused(), field(focus)) << index << " " << typed;
        EXPECT_EQ(field(focus)->text(), text) << index << " " << typed;
    }
    enter(7);
    EXPECT_EQ(texts({2, 3, 4, 5, 6, 8, 9}),
              QStringList({"     0", "     0", "     0", "     2", "     0", "     0", "              0"}));
    click(0);
    EXPECT_EQ(rows().back(), "000007||0|0|0|2|0||0|0");

    expectRefusals({{[this] { typeIn(0, ""); }, "摘要コードが未入力です。", field(0)},
                    {[this] { typeIn(0, "1a"); }, notNumber, field(0)}});
    EXPECT_EQ(field(0)->text(), ""); // a refused code empties the window
    EXPECT_FALSE(window->Frame2()->isEnabled());
}

TEST_F(DescriptionRegisterTest, ButtonsAndListsRefuseWithoutAChosenDescription) {
    const std::string noCode = "摘要コードが入力されていません。";
    const std::string noRecord = "レコードが選択されていません。検索後、再指定して下さい。";
    expectRefusals({{[this] { click(0); }, noCode, field(0)},
                    {[this] { startDescription("0"), click(0); }, noCode, field(0)},
                    {[this] { typeIn(0, "8"), click(1); }, noRecord, button(3)},
                    {[this] { chooseInGrid(frmACT0030::SubjectList, 1, "202"); }, noRecord, button(3)},
                    {[this] { chooseInGrid(frmACT0030::CodeList, 2, "水道"); }, noRecord, button(3)},
                    {[this] { startDescription("8"), click(1); }, "削除すべきデータは存在しません。", nullptr},
                    {[this] {
                         startDescription("1");
                         s().MainDatabase->execute("DELETE FROM F18TB WHERE F18_COD = '000001'");
                         click(1);
                     },
                     "存在しないデータを削除しようとしました。", field(0)}});
    EXPECT_EQ(rows().size(), 5u);
}

TEST_F(DescriptionRegisterTest, ListChoicesAndCounterpartsFillTheFieldsTheyName) {
    addRow(*s().F21Table, {{"F21_KBN", 2},
                           {"F21_ACT", 207},
                           {"F21_SRTKBN", 3},
                           {"F21_SRT", 1},
                           {"F21_NAM", "水道光熱費"},
                           {"F21_IO", 1}});
    s().MainDatabase->execute("UPDATE F10KBNTB SET F10KBN_KETA = 1 WHERE F10KBN_ID = 3");
    enter(0);
    key(Qt::Key_F5); // the subject list shows the new detail, the length checks the new digit count
    EXPECT_EQ(data::CodeDigits(s(), 3), 1);
    startDescription("1"); // 売上代金, a receipt
    typeIn(5, "2");
    typeIn(6, "1");
    EXPECT_EQ(window->Label2(2)->text().trimmed(), "一般顧客");
    typeIn(5, "0"); // no counterpart category: no counterpart code either, on to the remark
    EXPECT_EQ(focused(), field(7));
    EXPECT_EQ(field(6)->text(), "     0");
    EXPECT_TRUE(window->Label2(2)->text().isEmpty());

    chooseInGrid(frmACT0030::SubjectList, 3, "1"); // the detail row of 水道光熱費
    EXPECT_EQ(focused(), field(5));
    EXPECT_EQ(texts({2, 3, 4, 8}), QStringList({"     2", "   207", "     1", "     1"}));
    EXPECT_EQ(window->Label2(1)->text().trimmed(), "電気");
    chooseInGrid(frmACT0030::CodeList, 2, "取引銀行");
    EXPECT_EQ(focused(), field(7));
    EXPECT_EQ(texts({5, 6}), QStringList({"     2", "     3"}));
    chooseInGrid(frmACT0030::CodeList, 2, "ガス");
    EXPECT_EQ(focused(), field(5));
    EXPECT_EQ(field(4)->text(), "     2");
    chooseInGrid(frmACT0030::CodeList, 2, "収入"); // a subject class empties the subject code and its name
    EXPECT_EQ(focused(), field(3));
    EXPECT_EQ(texts({2, 3}), QStringList({"     1", ""}));
    EXPECT_EQ(testing_support::textBeside(field(3), 1), "");
    typeIn(3, "101");
    EXPECT_EQ(shownOnTyping(3, "999"), only("勘定科目に登録されていません。")); // and a missing subject its name
    EXPECT_EQ(testing_support::textBeside(field(3), 1), "");
    shown().clear();

    // A list whose table stands on no row takes nothing.
    s().F10Table->seek("=", {99, 99});
    emit window->DBGrid1(frmACT0030::CodeList)->rowChosen();
    EXPECT_EQ(window->record().F18_KBN, 1);
    EXPECT_TRUE(shown().empty());
}

// From a field of a searched description, a key goes to a field (-1 the search button, -2 the register button);
// entering the code field last, as it empties the window.
TEST_F(DescriptionRegisterTest, ArrowKeysFollowTheLinesOfTheWindow) {
    const auto up = Qt::Key_Up, down = Qt::Key_Down, right = Qt::Key_Right, left = Qt::Key_Left;
    const Qt::KeyboardModifiers none, shift = Qt::ShiftModifier;
    const std::tuple<int, Qt::Key, Qt::KeyboardModifiers, int> cases[] = {
        {3, left, shift, 2}, {6, left, shift, 5}, {2, right, shift, 3}, {5, right, shift, 6}, {3, right, shift, 3},
        {4, up, none, 2},    {6, up, none, 4},    {5, down, none, 7},   {9, down, none, -2},  {0, down, none, -1}};
    startDescription("1");
    for (const auto& [from, k, modifiers, to] : cases) {
        enter(from);
        key(k, modifiers);
        QWidget* expected = field(std::max(to, 0));
        if (to < 0) expected = button(to == -1 ? 3 : 0);
        EXPECT_EQ(focused(), expected) << from << " " << k;
    }
}

} // namespace
