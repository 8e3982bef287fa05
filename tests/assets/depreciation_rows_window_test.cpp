#include "assets/depreciation_rows_window.h"
#include "data/control_row.h"
#include "data/table_rows.h"
#include "shell/twips.h"
#include "support/entry_window_test.h"

#include <QListWidget>
#include <QScreen>

#include <limits>
#include <tuple>

namespace {

using assets::frmACT0400A;
using testing_support::addRow;
using testing_support::only;
using testing_support::statusOf;

db::Currency yen(std::int64_t whole) { return db::Currency::fromWhole(whole); }

// Asset 2-216-1: cost 1,000,000 bought 15 April 令和 8 (2026), five years declining at 0.369, limit 950,000;
// its last month is March 令和 13. The processing date is 15 April 令和 8.
class DepreciationRowsTest : public testing_support::EntryWindowTest<frmACT0400A> {
protected:
    void SetUp() override {
        setProcessingDate(20260415);
        asset.F28_KBN = 2;
        asset.F28_ACT = 216;
        asset.F28_SEQ = 1;
        asset.F28_NAM = "パソコン";
        asset.F28_DAT = 20260415;
        asset.F28_NEN = 5;
        asset.F28_AMT = yen(1'000'000);
        asset.F28_PCT = 0.369f;
        asset.F28_SHU = 1;
        asset.F28_LMT = yen(950'000);
    }
    void openWindow() {
        open(new frmACT0400A(s(), [this] { return assets::AssetForRows{asset, "減価償却費"}; }));
    }
    // Year-month YYMM of 令和 and the category (the proposal when empty), then the search.
    void search(const QString& yymm, const QString& category = {}) {
        typeIn(0, yymm);
        if (!category.isEmpty()) retype(1, category);
        type("\n\n");
    }
    void storeRow(std::int32_t ym, std::int16_t category, std::int64_t accumulated, std::int32_t seq = 1) {
        addRow(*s().F50Table, {{"F50_KBN", 2},
                               {"F50_ACT", 216},
                               {"F50_SEQ", seq},
                               {"F50_YM", ym},
                               {"F50_STS", category},
                               {"F50_CLS", yen(accumulated)}});
    }
    void chooseLine(int line) {
        QListWidget* list = window->List2();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(line)).center());
        QApplication::processEvents();
    }
    QStringList amounts() const {
        QStringList result;
        for (int index = 2; index <= 8; ++index)
            result.push_back(field(index)->text().trimmed());
        return result;
    }
    // The asset's rows in the file: year-month, category, opening, base, months, depreciation, accumulated.
    std::vector<std::string> rowsInFile() {
        return tableRows("SELECT F50_YM, F50_STS, F50_OPN, F50_GRS, F50_MTH, F50_CAL, F50_CLS FROM F50TB "
                         "WHERE F50_SEQ = 1 ORDER BY 1, 2");
    }

    data::F28Rec asset;
};

TEST_F(DepreciationRowsTest, RowsOverTheWholeLifeAreSeededComputedAndStoredInTurn) {
    openWindow();
    EXPECT_EQ(window->Text1(13)->text(), "令和    8年 4月15日");
    EXPECT_EQ(window->Text1(19)->text().trimmed(), "950,000");
    EXPECT_EQ(window->Label1(8)->text(), "償却残額");
    const QSize screen = window->screen()->availableGeometry().size() * shell::TwipsPerPixel;
    // Near the lower right corner; a window grown taller than laid out moves up by what it grew.
    EXPECT_EQ(window->x(), std::max(shell::twipsToPixels(screen.width() - 12330 - 500), 0));
    EXPECT_LE(window->y(), std::max(shell::twipsToPixels(screen.height() - 5055 - 1700), 0));
    search("0812");
    EXPECT_EQ(focused(), field(2));
    EXPECT_EQ(amounts(), QStringList({"950000", "1,000,000", "9", "0.3690", "276,750", "276,750", "673,250"}));
    // Another window reading the shared buffers meanwhile changes nothing of the row stored.
    s().F28Record = data::F28Rec();
    s().F50Record = data::F50Rec();
    click(0);
    EXPECT_EQ(focused(), field(0));
    EXPECT_EQ(window->List2()->count(), 1);

    // Each following year proposes 償却中 until the last month of the life proposes 最終, then 完了.
    const std::pair<const char*, const char*> years[] = {{"0912", "1"}, {"1012", "1"}, {"1112", "1"},
                                                         {"1212", "1"}, {"1303", "8"}, {"1303", "9"}};
    for (const auto& [yymm, proposed] : years) {
        typeIn(0, yymm);
        EXPECT_EQ(field(1)->text(), proposed) << yymm;
        type("\n\n");
        click(0);
    }
    EXPECT_EQ(shown(), only(""));
    EXPECT_EQ(rowsInFile(), std::vector<std::string>(
                                {"202612|0|950000|1000000|9|276750|276750", "202712|1|673250|723250|12|266879|543629",
                                 "202812|1|406371|456371|12|168401|712030", "202912|1|237970|287970|12|106261|818291",
                                 "203012|1|131709|181709|12|67051|885342", "203103|8|64658|114658|3|10577|895919",
                                 "203103|9|54081|104081|0|54081|950000"}));
    ASSERT_EQ(window->List2()->count(), 7);
    EXPECT_EQ(window->List2()->item(6)->text(),
              "07. 令和13年 3月   完了　      54,081        104,081      0   0.3690      54,081        950,000"
              "              0");
}

TEST_F(DepreciationRowsTest, ARowPastTheLastMonthIsMovedToTheLastMonthAndSearchedAgain) {
    storeRow(202612, 0, 276'750);
    storeRow(203012, 1, 885'342);
    openWindow();
    search("1312");
    EXPECT_EQ(shown(), only("償却最終年月をこえました。年月を最終月に置き換えます。"));
    EXPECT_EQ(focused(), field(0));
    EXPECT_EQ(field(0)->text(), "1303");
    shown().clear();
    type("\n");
    EXPECT_EQ(field(1)->text(), "8");
    type("\n\n");
    EXPECT_EQ(shown(), only(""));
    EXPECT_EQ(field(4)->text().trimmed(), "3");
}

// Typed into field `index` and left by Enter, or searched: the message shown and where the focus goes.
TEST_F(DepreciationRowsTest, BadKeysAndCategoriesOutOfSequenceAreRefused) {
    s().F01Record.F01_ACT = 20260301;
    openWindow();
    enter(0);
    key(Qt::Key_Tab); // the key fields are checked even when left as they were
    EXPECT_EQ(shown(), only("取得年月日以前です。"));
    EXPECT_EQ(focused(), window->Combo1(0));
    const std::string wrongCategory = "前回のデータから、この区分は誤りと思われます。";
    const std::tuple<int, const char*, std::string, QWidget*> cases[] = {
        {0, "081", "4桁(YYMM)で入力して下さい。", field(0)},
        {0, "", "必須項目が未入力です。", field(0)},
        {0, "08a2", "入力結果が数字ではありません。", field(0)},
        {0, "0812", "", field(1)},
        {1, "3", "コード範囲の誤りです。", field(1)}};
    for (const auto& [index, typed, message, focus] : cases) {
        EXPECT_EQ(shownOnTyping(index, typed), only(message)) << index << " " << typed;
        EXPECT_EQ(focused(), focus) << index << " " << typed;
    }
    EXPECT_EQ(field(1)->text(), "0"); // a refused field is entered afresh: the proposal again
    const std::tuple<const char*, const char*, std::string, QWidget*> searches[] = {
        {"0812", "1", wrongCategory, field(1)}, // no previous row to follow
        {"0812", "9", wrongCategory, field(1)},
        {"0812", "0", "", field(2)}};
    for (const auto& [yymm, category, message, focus] : searches) {
        shown().clear();
        search(yymm, category);
        EXPECT_EQ(shown(), only(message)) << yymm << " " << category;
        EXPECT_EQ(focused(), focus) << yymm << " " << category;
    }
    EXPECT_EQ(shownOnTyping(4, "13"), only("12ヶ月以上の償却はできません。"));
    click(0);
    search("0912", "0"); // a second new row after the first
    EXPECT_EQ(shown(), std::vector<std::string>({"12ヶ月以上の償却はできません。", wrongCategory}));
}

TEST_F(DepreciationRowsTest, OnlyASearchedRowIsRegisteredAndOnlyAStoredRowDeleted) {
    openWindow();
    search("0812");
    click(1);
    EXPECT_EQ(shown(), only("削除すべきデータは存在しません。"));
    retype(1, "5"); // the key changes after the search
    click(0);
    EXPECT_TRUE(rowsInFile().empty());
}

TEST_F(DepreciationRowsTest, AnEditedAmountIsComputedAgainAndTypedResultsGiveWay) {
    openWindow();
    search("0812");
    typeIn(3, "500");
    EXPECT_EQ(amounts().mid(2, 3), QStringList({"9", "0.3690", "138"}));
    typeIn(6, "1");
    typeIn(4, "3");
    EXPECT_EQ(field(4)->text().trimmed(), "9");
    EXPECT_EQ(field(6)->text().trimmed(), "138");
    typeIn(5, "0.2");
    EXPECT_EQ(field(6)->text().trimmed(), "75");
    // The accumulated and remaining amounts leave the hint as it stands.
    key(Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), field(8));
    EXPECT_EQ(hint(), "当期償却額を入力して下さい。");
}

// Stored figures far outside reality: the rate of the asset, the year-month of a previous row.
TEST_F(DepreciationRowsTest, AFigureBeyondItsFieldEndsTheComputationAndLeavesNothingToRegister) {
    const std::string amount = "Err.Number =  3349 (金額が扱える範囲を超えました。)";
    const std::string months = "Err.Number =  3349 (月数が扱える範囲を超えました。)";
    const std::tuple<float, std::int32_t, const char*, std::vector<std::string>> cases[] = {
        {1e30f, 0, "", {amount}},
        {0.369f, std::numeric_limits<std::int32_t>::min(), "1", {months, months}}}; // the proposal counts too
    for (const auto& [rate, previousYM, category, messages] : cases) {
        if (previousYM != 0) storeRow(previousYM, 0, 0);
        asset.F28_PCT = rate;
        openWindow();
        shown().clear();
        search("0812", category);
        EXPECT_EQ(shown(), messages) << rate;
        shown().clear();
        click(0);
        EXPECT_EQ(shown(), only("レコードが選択されていません。検索後、再指定して下さい。")) << rate;
        EXPECT_EQ(rowsInFile().size(), previousYM != 0 ? 1u : 0u) << rate;
    }
    // Nor is an amount typed into a row taken when its depreciation is out of range.
    s().MainDatabase->execute("DELETE FROM F50TB");
    asset.F28_PCT = 0.369f;
    openWindow();
    search("0812");
    typeIn(5, "999999");
    EXPECT_EQ(shownOnTyping(3, "9999999999"), only(amount));
    click(0);
    EXPECT_EQ(rowsInFile(), std::vector<std::string>{"202612|0|950000|1000000|9|749999250000|749999250000"});
}

TEST_F(DepreciationRowsTest, TheWindowFollowsTheRegisterToAnotherAssetWithItsRows) {
    storeRow(202612, 0, 276'750);
    storeRow(202712, 0, 100'000, 2);
    openWindow();
    EXPECT_EQ(texts({11, 14}), QStringList({"     1", " 05"}));
    asset.F28_SEQ = 2;
    asset.F28_DAT = 20270415;
    asset.F28_NEN = 10;
    comeBackFromAnotherWindow(); // the register moved on meanwhile; the window follows when it comes to the front
    EXPECT_EQ(texts({11, 14}), QStringList({"     2", " 10"}));
    ASSERT_EQ(window->List2()->count(), 1);
    EXPECT_TRUE(window->List2()->item(0)->text().startsWith("01. 令和 9年12月   新規")); // the asset's own row
    search("1012");
    // Seeded from that row: its accumulated 100,000 comes off the limit and the cost.
    EXPECT_EQ(amounts(), QStringList({"850000", "900,000", "12", "0.3690", "332,100", "432,100", "517,900"}));
}

TEST_F(DepreciationRowsTest, ChoosingAnEarlierRowAsksBeforeItIsChangedAndDeletingItRemovesOnlyIt) {
    storeRow(202612, 0, 276'750);
    storeRow(202712, 1, 543'629);
    s().F01Record.F01_ACT = 20260301; // before the acquisition: the field left for the row is not checked
    openWindow();
    enter(0);
    files.messages.answers = {platform::Answer::No};
    chooseLine(0);
    const std::string later = "入力年月以降のデータの期首帳簿価格等が不正確になる恐れがあります。作業を続行しますか。";
    EXPECT_EQ(shown(), only(later));
    EXPECT_EQ(focused(), field(0));
    EXPECT_EQ(window->recordState(), 0);
    shown().clear();
    chooseLine(1); // the last row: nothing to ask
    EXPECT_EQ(shown(), only(""));
    EXPECT_EQ(focused(), field(2));
    EXPECT_EQ(texts({0, 1}), QStringList({" 9年12月", "    1"}));
    EXPECT_EQ(field(7)->text().trimmed(), "543,629");
    click(1);
    EXPECT_EQ(shown(), only("削除します。よろしいか。"));
    EXPECT_EQ(rowsInFile(), std::vector<std::string>{"202612|0|0|0|0|0|276750"});
    EXPECT_EQ(window->List2()->count(), 1);
}

} // namespace
