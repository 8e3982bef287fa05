#include "data/code_categories.h"
#include "data/keyed_access.h"
#include "data/table_rows.h"
#include "journal/voucher_entry_window.h"
#include "masters/code_category_window.h"
#include "shell/main_window_fixture.h"
#include "support/entry_window_test.h"

#include <QGroupBox>

#include <functional>
#include <tuple>

namespace {

using masters::frmCODEKBN;
using testing_support::only;

constexpr char RangeMessage[] = "１以上　99までの数字を入力して下さい。";

class CodeCategoryTest : public testing_support::EntryWindowTest<frmCODEKBN> {
protected:
    void SetUp() override { open(new frmCODEKBN(s())); }
    void startCategory(const QString& number) {
        typeIn(0, number);
        click(3);
    }
    // The category table's rows, trimmed fields joined by "|".
    std::vector<std::string> categories() {
        return tableRows("SELECT F10KBN_ID, F10KBN_NAME, F10KBN_KETA, F10KBN_LEN FROM F10KBNTB ORDER BY 1");
    }
};

TEST_F(CodeCategoryTest, ACycleAddsChangesAndDeletesACategoryAndClosingRebuildsTheTable) {
    enter(0);
    type("4\n\n"); // and search: a new category, empty
    EXPECT_EQ(texts({0, 2, 3}), QStringList({"   4", "     0", "     0"}));
    EXPECT_EQ(focused(), field(1));
    type("部門\n2\n10");
    key(Qt::Key_Down, Qt::ControlModifier); // Down whatever the shift state
    EXPECT_EQ(focused(), button(0));
    // Another window's read fills the shared buffer: the window registers its own category.
    s().F10KBNRecord.F10KBN_ID = 1;
    EXPECT_EQ(testing_support::statusOf(data::F10KBNAccess, s(), "GET"), 0);
    type("\n");
    EXPECT_EQ(categories().back(), "4|部門|2|10");
    EXPECT_EQ(focused(), field(0));

    chooseInGrid(0, 1, "部門");
    EXPECT_EQ(focused(), field(1));
    EXPECT_EQ(field(1)->text(), "部門");
    typeIn(3, "15");
    click(0);
    EXPECT_EQ(categories().back(), "4|部門|2|15");

    startCategory("4");
    files.messages.answers = {platform::Answer::No};
    click(1);
    EXPECT_EQ(focused(), field(1));
    click(1);
    EXPECT_EQ(categories().size(), 3u);

    startCategory("5");
    type("課\n1\n1\n\n");
    EXPECT_EQ(data::CodeDigits(s(), 5), 0);
    click(2);
    EXPECT_EQ(data::CodeDigits(s(), 5), 1);
    EXPECT_FALSE(window->isVisible());
}

// Typed into field `index` and left by Enter: the message, and what the field shows when it has the focus again.
TEST_F(CodeCategoryTest, EachBadNumberIsRefusedAndTheFieldComesBackWithTheStoredValue) {
    startCategory("2"); // 取引先, four digits, 30 long
    const std::tuple<int, const char*, std::string, const char*> cases[] = {
        {2, "", RangeMessage, "4"},
        {2, "x", "入力結果が数字ではありません。", "4"},
        {3, "100", "規定の桁数を超えました。", "30"},
        {2, "99", "", ""},
        {0, "", RangeMessage, ""}};
    for (const auto& [index, typed, message, text] : cases) {
        EXPECT_EQ(shownOnTyping(index, typed), only(message)) << index << " " << typed;
        if (message.empty()) continue;
        EXPECT_EQ(focused(), field(index)) << index << " " << typed;
        EXPECT_EQ(field(index)->text(), text) << index << " " << typed;
    }
}

TEST_F(CodeCategoryTest, ButtonsRefuseWithoutANumberAnUnsearchedNumberOrAZeroLength) {
    const std::string noRecord = "レコードが選択されていません。検索後、再指定して下さい。";
    expectRefusals({{[this] { click(3); }, "コード区分が未入力です。", field(0)},
                    {[this] { startCategory("6"), click(0); }, RangeMessage, field(2)},
                    {[this] { typeIn(2, "3"), click(0); }, RangeMessage, field(3)},
                    {[this] { typeIn(0, "2"), click(0); }, noRecord, button(3)},
                    {[this] { typeIn(0, "7"), click(1); }, "存在しないデータを削除しようとしました。", field(0)}});
    EXPECT_EQ(categories(), std::vector<std::string>({"1|科目分類|2|30", "2|取引先|4|30", "3|細目分類|3|30"}));
}

// The change reaches voucher entry, which reads the categories afresh each time it comes to the front.
TEST(CodeCategoryInMainWindow, ANewDigitCountReachesVoucherEntrysLengthCheckAtItsNextActivation) {
    testing_support::MainWindowFixture main;
    main.window->registerWindow("frmACT0100", [&main] { return new journal::frmACT0100(main.state); });
    main.window->registerWindow("frmCODEKBN", [&main] { return new frmCODEKBN(main.state); });
    main.window->show();
    main.startInFolderWithTemplate();
    main.choose("mnuDEN");
    main.choose("mnuCODEKBN");
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.window.get()));
    auto* categories = qobject_cast<frmCODEKBN*>(main.window->findChild("frmCODEKBN"));
    auto* vouchers = qobject_cast<journal::frmACT0100*>(main.window->findChild("frmACT0100"));
    ASSERT_TRUE(categories && vouchers);
    ASSERT_EQ(main.activeName(), "frmCODEKBN");

    using testing_support::typeInto;
    typeInto(categories->Text1(0), "3");
    QTest::mouseClick(categories->Command1(3), Qt::LeftButton);
    typeInto(categories->Text1(2), "2");
    QTest::mouseClick(categories->Command1(0), Qt::LeftButton);
    QTest::mouseClick(categories->Command1(2), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(main.activeName(), "frmACT0100");

    typeInto(vouchers->Text1(1), "9");
    QTest::mouseClick(vouchers->Command1(3), Qt::LeftButton);
    typeInto(vouchers->Text1(9), "123");
    EXPECT_EQ(main.messages.shown, only("規定の桁数をこえました。"));
}

} // namespace
