#include "data/keyed_access.h"
#include "data/table_rows.h"
#include "masters/code_register_window.h"
#include "support/entry_window_test.h"

#include <QGroupBox>

#include <functional>
#include <tuple>

namespace {

using masters::frmCMNCODE;
using testing_support::only;

// The template's categories: 1 科目分類 of two digits, 2 取引先 of four, 3 細目分類 of three, each 30 long.
class CodeRegisterTest : public testing_support::EntryWindowTest<frmCMNCODE> {
protected:
    void SetUp() override { open(new frmCMNCODE(s())); }
    void startCode(const QString& category, const QString& code) {
        typeIn(0, category);
        typeIn(1, code);
        click(3);
    }
    // The codes of a category, trimmed fields joined by "|".
    std::vector<std::string> codes(int category) {
        return tableRows("SELECT F10_COD, F10_DTL, F10_CNV1, F10_CNV2, F10_CNV3, F10_CNV4 "
                         "FROM F10TB WHERE F10_KBN = ? ORDER BY 1",
                         {db::Value(category)});
    }
};

TEST_F(CodeRegisterTest, ACycleAddsChangesAndDeletesACodeWhateverOtherWindowsRead) {
    enter(0);
    type("2\n");
    EXPECT_EQ(field(0)->text(), "  2");
    EXPECT_EQ(window->Label1(1)->text().trimmed(), "取引先");
    type("40\n\n"); // and search: a new code
    EXPECT_EQ(focused(), field(2));
    type("新規顧客\nA\n\n\nD\n");
    EXPECT_EQ(focused(), button(0));
    // Another window's read fills the shared buffer: the window registers its own code under its own key.
    s().F10Record.F10_KBN = 3;
    s().F10Record.F10_COD = 1;
    EXPECT_EQ(testing_support::statusOf(data::F10Access, s(), "GET"), 0);
    type("\n");
    EXPECT_EQ(codes(2).back(), "40|新規顧客|A|||D");
    EXPECT_EQ(focused(), field(1)); // the category stays for the next code
    EXPECT_EQ(field(0)->text(), "  2");

    chooseInGrid(frmCMNCODE::CodeList, 2, "新規顧客");
    EXPECT_EQ(texts({0, 1}), QStringList({"   2", "    40"}));
    EXPECT_EQ(focused(), field(2));
    EXPECT_EQ(field(2)->text(), "新規顧客"); // edited without the padding it is stored with
    typeIn(2, "得意先");
    s().MainDatabase->execute("UPDATE F10TB SET F10_DUM = 'old' WHERE F10_KBN = 2 AND F10_COD = 40");
    click(0);
    EXPECT_EQ(codes(2).back(), "40|得意先|A|||D");
    EXPECT_EQ(tableRows("SELECT F10_DUM FROM F10TB WHERE F10_KBN = 2 AND F10_COD = 40"),
              std::vector<std::string>{""}); // a code's reserved text is written empty

    startCode("2", "40");
    files.messages.answers = {platform::Answer::No};
    click(1);
    EXPECT_EQ(focused(), field(2));
    click(1);
    EXPECT_EQ(shown(), std::vector<std::string>(2, "削除します。よろしいか。"));
    EXPECT_EQ(codes(2).size(), 3u);
    EXPECT_EQ(focused(), field(1));
}

// Typed into field `index` and left by Enter: the message, where the focus goes and what the field shows then.
TEST_F(CodeRegisterTest, EachBadKeyOrContentIsRefusedWithItsMessage) {
    s().MainDatabase->execute("UPDATE F10KBNTB SET F10KBN_LEN = 10 WHERE F10KBN_ID = 2");
    const std::string tooLong = "規定の桁数を超えました。", notNumber = "入力結果が数字ではありません。";
    const std::tuple<int, const char*, std::string, int, const char*> cases[] = {
        {0, "", "コード区分が未入力です。", 0, ""},
        {0, "a", notNumber, 0, ""},
        {0, "9", "存在しないコード区分です。", 0, ""},
        {1, "12", "", -1, "    12"}, // no category yet: any code of six digits
        {0, "2", "", 1, "  2"},
        {1, "", "明細コードが未入力です。", 1, ""},
        {1, "1x", notNumber, 1, ""},
        {1, "12345", tooLong, 1, ""},
        {1, "1234", "", -1, "  1234"}};
    for (const auto& [index, typed, message, focus, text] : cases) {
        if (index == 1 && typed == std::string("12345")) {
            // Another window reads category 3, of three digits: the code keeps its own category's four.
            s().F10KBNRecord.F10KBN_ID = 3;
            EXPECT_EQ(testing_support::statusOf(data::F10KBNAccess, s(), "GET"), 0);
        }
        EXPECT_EQ(shownOnTyping(index, typed), only(message)) << index << " " << typed;
        EXPECT_EQ(focused(), focus < 0 ? static_cast<QWidget*>(button(3)) : field(focus)) << index << " " << typed;
        EXPECT_EQ(field(index)->text(), text) << index << " " << typed;
    }
    click(3);
    EXPECT_EQ(shownOnTyping(2, "十一文字の名前ですよね"), only(tooLong));
    EXPECT_EQ(field(2)->text(), "十一文字の名前ですよね"); // kept for correction
    typeIn(2, "十文字の名前ですよね");
    EXPECT_EQ(focused(), field(3));
}

TEST_F(CodeRegisterTest, ButtonsRefuseAnIncompleteOrUnsearchedKey) {
    const std::string noRecord = "レコードが選択されていません。検索後、再指定して下さい。";
    expectRefusals({{[this] { click(0); }, "コード区分が未入力です。", field(0)},
                    {[this] { typeIn(0, "2"), click(3); }, "明細コードが未入力です。", field(1)},
                    {[this] { typeIn(1, "0"), click(1); }, "明細コードが未入力です。", field(1)},
                    {[this] { startCode("2", "1"), typeIn(1, "2"), click(0); }, noRecord, button(3)},
                    {[this] { startCode("2", "9"), click(1); }, "存在しないデータを削除しようとしました。", field(1)},
                    {[this] {
                         s().MainDatabase->execute("DELETE FROM F10KBNTB WHERE F10KBN_ID = 3");
                         chooseInGrid(frmCMNCODE::CodeList, 2, "水道");
                     },
                     "区分テーブルに登録されていません。", field(0)}});
    EXPECT_EQ(field(0)->text(), "");
    EXPECT_EQ(codes(2), std::vector<std::string>({"1|一般顧客||||", "2|仕入先||||", "3|取引銀行||||"}));

    // A list whose table stands on no row takes nothing.
    s().F10KBNTable->seek("=", {99});
    emit window->DBGrid1(frmCMNCODE::CategoryList)->rowChosen();
    EXPECT_EQ(window->categoryNumber(), 0);
    chooseInGrid(frmCMNCODE::CategoryList, 1, "取引先");
    EXPECT_EQ(window->categoryNumber(), 2);
    EXPECT_EQ(focused(), field(1));
}

} // namespace
