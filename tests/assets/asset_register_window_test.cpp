#include "assets/asset_register_window.h"
#include "data/code_categories.h"
#include "data/control_row.h"
#include "data/table_rows.h"
#include "support/entry_window_test.h"

#include <QGroupBox>

#include <tuple>

namespace {

using assets::frmACT0400;
using assets::frmACT0400A;
using testing_support::addRow;
using testing_support::countRows;
using testing_support::only;
using testing_support::statusOf;

// The template's subjects include 2-216 減価償却費, and the test adds 4-4901 営業用車両; subject categories
// have two digits; processing date 15 April 令和 8. The rows window the register opens is a window of its own here.
class AssetRegisterTest : public testing_support::EntryWindowTest<frmACT0400> {
protected:
    void SetUp() override {
        setProcessingDate(20260415);
        data::LoadCodeKbnTable(s());
        addRow(*s().F21Table, {{"F21_KBN", 4}, {"F21_ACT", 4901}, {"F21_NAM", "営業用車両"}});
        auto showRows = [this](const QString&) -> shell::ChildWindow* {
            ++rowsOpened;
            if (!rows) rows = std::make_unique<frmACT0400A>(s(), [this] { return window->assetForRows(); });
            rows->show();
            return rows.get();
        };
        auto findRows = [this](const QString&) -> shell::ChildWindow* {
            return rows && rows->isVisible() ? rows.get() : nullptr;
        };
        open(new frmACT0400(s(), showRows, findRows));
    }
    // Subject 2-216, the proposed serial, searched.
    void searchNew() {
        typeIn(0, "2");
        typeIn(1, "216");
        type("\n\n");
    }
    void fillAsset() {
        window->Combo1(4)->selectEra(5);
        for (const auto& [index, text] :
             {std::pair{3, "パソコン"}, {4, "080415"}, {5, "5"}, {6, "1000000"}, {7, "0"}, {9, "1"}})
            typeIn(index, text);
    }
    void addAsset(std::int16_t kbn, std::int32_t act, std::int32_t seq) {
        addRow(*s().F28Table, {{"F28_KBN", kbn},
                               {"F28_ACT", act},
                               {"F28_SEQ", seq},
                               {"F28_NAM", "机"},
                               {"F28_DAT", 20260415},
                               {"F28_NEN", 5},
                               {"F28_AMT", db::Currency::fromWhole(100)}});
    }
    std::vector<std::string> assetsInFile() {
        return tableRows("SELECT F28_KBN, F28_ACT, F28_SEQ, F28_NAM, F28_DAT, F28_NEN, F28_AMT, F28_KND, F28_SHU, "
                         "F28_LMT FROM F28TB ORDER BY 1, 2, 3");
    }

    std::unique_ptr<frmACT0400A> rows;
    int rowsOpened = 0;
};

TEST_F(AssetRegisterTest, ATypicalCycleSavesTheAssetWithItsProposalsAndOffersTheNextSerial) {
    typeIn(0, "2");
    typeIn(1, "216");
    EXPECT_EQ(window->Label1(1)->text(), "減価償却費");
    EXPECT_EQ(field(2)->text(), "1"); // an empty register starts at 1
    type("\n\n");
    EXPECT_EQ(focused(), field(3));
    type("パソコン\n");
    window->Combo1(4)->selectEra(5);
    type("080415\n5\n1000000\n0\n");
    EXPECT_EQ(field(8)->text(), "0.369"); // the method proposes the rate
    type("\n");
    EXPECT_EQ(field(8)->text(), "  0.3690");
    type("1\n");
    EXPECT_EQ(field(10)->text(), "950000"); // the kind proposes the limit
    s().F28Record = data::F28Rec();         // another window's read meanwhile changes nothing saved
    type("\n\n");

    EXPECT_EQ(shown(), only(""));
    EXPECT_EQ(assetsInFile(), std::vector<std::string>{"2|216|1|パソコン|20260415|5|1000000|0|1|950000"});
    EXPECT_EQ(static_cast<float>(s().MainDatabase->openSnapshot("SELECT F28_PCT FROM F28TB")->field(0).asDouble()),
              0.369f);
    EXPECT_EQ(focused(), field(2));
    EXPECT_EQ(field(2)->text(), "2");
    EXPECT_EQ(texts({4, 3}), QStringList({"", ""}));
}

// Typed into field `index` and left by Enter: the message shown ("" none) and where the focus goes.
TEST_F(AssetRegisterTest, EachBadFieldIsRefusedWithItsMessageAndKeepsTheFocus) {
    searchNew();
    const std::string life = "耐用年数は２以上５０までです。", zeroOne = "０か１で指定して下さい。";
    const std::string notNumber = "入力結果が数字ではありません。", required = "必須項目が未入力です。";
    const std::string sixDigits = "6桁(YYMMDD)で入力して下さい。", badDate = "日付の誤りです。再度、入力して下さい。";
    // A refused field is entered afresh: it shows what is stored (the date only once one is), the name
    // keeps what was typed, a refused subject code clears the key.
    const std::tuple<int, const char*, std::string, int, const char*> cases[] = {
        {5, "1", life, 5, "0"},
        {5, "51", life, 5, "0"},
        {5, "50", "", 6, " 50"},
        {7, "2", zeroOne, 7, "0"},
        {9, "3", zeroOne, 9, "0"},
        {8, "1..2", notNumber, 8, "0."},
        {6, "12a", notNumber, 6, "0"},
        {6, "3000000000", "", 7, "  3,000,000,000"}, // a cost beyond 32 bits is a currency amount still
        {4, "0804", sixDigits, 4, "0804"},
        {4, "081332", badDate, 4, "081332"},
        {3, "", required, 3, ""},
        {6, "", required, 6, "3000000000"},
        {1, "999", "勘定科目ﾏｽﾀｰにありません。", 1, ""}};
    for (const auto& [index, typed, message, focus, shows] : cases) {
        if (index == 1) {
            EXPECT_EQ(window->asset().F28_NEN, 50); // refused lives changed nothing
        }
        if (index == 4) window->Combo1(4)->selectEra(5);
        EXPECT_EQ(shownOnTyping(index, typed), only(message)) << index << " " << typed;
        EXPECT_EQ(focused(), field(focus)) << index << " " << typed;
        EXPECT_EQ(field(index)->text(), shows) << index << " " << typed;
    }
    EXPECT_EQ(texts({0, 2}), QStringList({"  2", ""}));
    s().CodeKbnTable[1][3] = "3"; // the subject categories' digits changed meanwhile
    enter(0);
    EXPECT_EQ(field(0)->maxLength(), 3);
    searchNew();
    // A new asset's era list has no era chosen.
    EXPECT_EQ(shownOnTyping(4, "080415"), only("年号を選択して下さい。"));
}

TEST_F(AssetRegisterTest, ARateOrLimitOnScreenFollowsTheLifeOrCostAndAZeroOneDoesNot) {
    searchNew();
    const data::F28Rec& a = window->asset();
    typeIn(5, "10");
    EXPECT_EQ(a.F28_PCT, 0.0f); // no rate yet: the life proposes none
    typeIn(7, "0");
    EXPECT_EQ(a.F28_PCT, 0.206f);
    typeIn(8, "0.1");
    typeIn(5, "5");
    EXPECT_EQ(a.F28_PCT, 0.369f); // the typed rate gives way
    typeIn(7, "1");
    EXPECT_EQ(a.F28_PCT, 0.2f);
    typeIn(8, ".12345");
    EXPECT_EQ(a.F28_PCT, 0.12345f); // every decimal typed, not an amount's four
    typeIn(8, "0");
    typeIn(5, "10");
    EXPECT_EQ(a.F28_PCT, 0.0f);

    const auto yen = [](std::int64_t whole) { return db::Currency::fromWhole(whole); };
    typeIn(6, "1000");
    EXPECT_EQ(a.F28_LMT, yen(0));
    typeIn(9, "1");
    EXPECT_EQ(a.F28_LMT, yen(950));
    typeIn(9, "0");
    typeIn(6, "7");
    EXPECT_EQ(a.F28_LMT, yen(7));
    EXPECT_EQ(field(10)->text(), "              7");
}

TEST_F(AssetRegisterTest, ButtonsRefuseWhatTheAssetOnScreenDoesNotAllow) {
    const std::string noSerial = "連番が未入力です。";
    expectRefusals({{[this] { click(0); }, "科目区分が未入力です。", field(0)},
                    {[this] { typeIn(0, "4"), typeIn(1, "4901"), typeIn(2, "0"), click(3); }, noSerial, field(2)},
                    {[this] { typeIn(2, "0"), click(0); }, noSerial, field(2)},
                    // The serial is proposed again, but nothing was searched.
                    {[this] { click(0); }, "レコードが選択されていません。検索後、再指定して下さい。", button(3)},
                    {[this] { type("\n"), click(1); }, "削除すべきデータは存在しません。", nullptr}, // a new asset
                    // No acquisition date: its rows could not be counted; no cost for the rows.
                    {[this] { click(0); }, "必須項目が未入力です。", nullptr},
                    {[this] { click(4); }, "必須項目未入力です。", nullptr}});
    EXPECT_EQ(countRows(*s().MainDatabase, "F28TB"), 0);
    EXPECT_EQ(rowsOpened, 0);
    enter(3);
    key(Qt::Key_Up); // back to the serial: the asset on screen is given up
    EXPECT_EQ(focused(), field(2));
    EXPECT_EQ(window->recordState(), 0);
    EXPECT_FALSE(window->Frame2()->isEnabled());
}

TEST_F(AssetRegisterTest, AChosenSubjectOrAssetFillsTheKeyAndTheSerialIsOneSeriesOverEverySubject) {
    addAsset(1, 101, 3);
    addAsset(2, 201, 7);
    chooseInGrid(frmACT0400::SubjectGrid, 2, "営業用車両");
    EXPECT_EQ(texts({0, 1, 2}), QStringList({"  4", "  4901", "8"}));
    EXPECT_EQ(window->Label1(1)->text(), "営業用車両");
    EXPECT_EQ(focused(), field(2));
    chooseInGrid(frmACT0400::AssetGrid, 2, "7");
    EXPECT_EQ(texts({0, 1, 2, 5}), QStringList({"  2", "   201", "     7", " 05"}));
    EXPECT_EQ(window->recordState(), 1);
    EXPECT_EQ(focused(), field(3));
}

TEST_F(AssetRegisterTest, TheDateIsPickedForTheDateFieldOnlyOrTypedAndShownAsItsEraDate) {
    searchNew();
    enter(5);
    pickInCalendar(s(), 20260501); // field 5 was the last one entered: the day is dropped
    EXPECT_EQ(window->asset().F28_DAT, 0);
    enter(4);
    pickInCalendar(s(), 20260501);
    EXPECT_EQ(window->asset().F28_DAT, 20260501);
    EXPECT_EQ(field(4)->text(), " 8年 5月 1日");
    EXPECT_EQ(focused(), field(5));
    typeIn(4, "080299"); // day 99: the month's last day
    EXPECT_EQ(window->asset().F28_DAT, 20260228);
    EXPECT_EQ(field(4)->text(), " 8年 2月28日");
    enter(4);
    EXPECT_EQ(field(4)->text(), "080228");
}

TEST_F(AssetRegisterTest, TheRowsButtonSavesTheAssetAndOpensItsRowsWhichGoWithTheAsset) {
    searchNew();
    fillAsset();
    click(4);
    EXPECT_EQ(shown(), only(""));
    ASSERT_EQ(rowsOpened, 1);
    // A later save of the asset reaches its rows when they come to the front.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    typeIn(6, "2000000");
    click(0);
    rows->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(rows.get()));
    EXPECT_EQ(rows->asset().F28_LMT, db::Currency::fromWhole(1'900'000));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    typeIn(2, "1");
    type("\n");
    EXPECT_EQ(assetsInFile(), std::vector<std::string>{"2|216|1|パソコン|20260415|5|2000000|0|1|1900000"});
    for (const std::int32_t ym : {202612, 202712})
        addRow(*s().F50Table, {{"F50_KBN", 2}, {"F50_ACT", 216}, {"F50_SEQ", 1}, {"F50_YM", ym}});
    addRow(*s().F50Table, {{"F50_KBN", 2}, {"F50_ACT", 216}, {"F50_SEQ", 2}, {"F50_YM", 202612}});

    // Answered No, the asset and its rows stay; a failure on the way keeps both too.
    files.messages.answers = {platform::Answer::No};
    click(1);
    EXPECT_EQ(shown(), only("登録されている償却明細も削除されます。よろしいか。"));
    s().MainDatabase->execute("CREATE TRIGGER keep BEFORE DELETE ON F28TB BEGIN SELECT RAISE(ABORT, 'kept'); END");
    enter(3);
    click(1);
    EXPECT_EQ(countRows(*s().MainDatabase, "F28TB"), 1);
    EXPECT_EQ(countRows(*s().MainDatabase, "F50TB"), 3);
    s().MainDatabase->execute("DROP TRIGGER keep");

    shown().clear();
    enter(3);
    click(1);
    EXPECT_EQ(shown(), only("登録されている償却明細も削除されます。よろしいか。"));
    EXPECT_EQ(countRows(*s().MainDatabase, "F28TB"), 0);
    EXPECT_EQ(countRows(*s().MainDatabase, "F50TB"), 1); // another asset's row stays
    EXPECT_FALSE(rows->isVisible());
    EXPECT_EQ(focused(), field(2));
}

} // namespace
