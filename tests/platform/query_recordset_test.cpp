#include "engine_fixture.h"

#include <functional>

namespace {

using db::DbError;
using db::QueryRecordset;
using db::Value;
using engine_tests::EngineTest;

class QueryRecordsetTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        // Depreciation rows of two assets.
        for (auto [seq, ym, sts] : {std::tuple{1, 202304, 0}, {1, 202403, 1}, {1, 202503, 1}, {2, 202403, 0}})
            database->execute("INSERT INTO F50TB (F50_KBN, F50_ACT, F50_SEQ, F50_YM, F50_STS, F50_CAL) "
                              "VALUES (3, 301, ?, ?, ?, ?)",
                              {seq, ym, sts, db::Currency::fromRaw(12345)});
    }

    std::unique_ptr<QueryRecordset> assetRows(bool dynaset) {
        const std::string sql = "SELECT * FROM F50TB WHERE F50_KBN = ? AND  F50_ACT = ? AND  F50_SEQ = ? "
                                "ORDER BY F50_YM, F50_STS ";
        const std::vector<Value> params{3, 301, 1};
        return dynaset ? database->openDynaset(sql, params) : database->openSnapshot(sql, params);
    }

    static auto month(int ym) {
        return [ym](const QueryRecordset& rows) { return rows.field("F50_YM").asInt() == ym; };
    }

    // Adds a depreciation row of asset (3, 301, seq) through the dynaset; update() is left to the caller.
    static void addNewRow(QueryRecordset& rows, int seq, int ym, int sts) {
        rows.addNew();
        for (const auto& [name, value] : {std::pair<const char*, int>{"F50_KBN", 3},
                                          {"F50_ACT", 301},
                                          {"F50_SEQ", seq},
                                          {"F50_YM", ym},
                                          {"F50_STS", sts}})
            rows.setField(name, value);
    }

    std::vector<std::int64_t> storedMonths() {
        std::vector<std::int64_t> months;
        auto rows = database->openSnapshot("SELECT F50_YM FROM F50TB WHERE F50_SEQ = 1 ORDER BY F50_YM");
        for (; !rows->eof(); rows->moveNext())
            months.push_back(rows->field(0).asInt());
        return months;
    }
};

TEST_F(QueryRecordsetTest, SnapshotReadsBoundRowsWithTheirTypesAndRefusesEdits) {
    auto rows = assetRows(false);
    EXPECT_FALSE(rows->isDynaset());
    EXPECT_EQ(rows->rowCount(), 3);
    EXPECT_EQ(rows->field("F50_YM").asInt(), 202304);
    EXPECT_TRUE(rows->field("F50_CAL").isCurrency());
    EXPECT_EQ(rows->field("F50_CAL").asCurrency().raw(), 12345);
    EXPECT_EQ(engine_tests::errorOf([&] { rows->edit(); }).number(), db::NotUpdatable);
    EXPECT_EQ(engine_tests::errorOf([&] { rows->addNew(); }).number(), db::NotUpdatable);
    EXPECT_EQ(engine_tests::errorOf([&] { rows->deleteCurrent(); }).number(), db::NotUpdatable);

    auto none = database->openSnapshot("SELECT * FROM F50TB WHERE F50_SEQ = ?", {99});
    EXPECT_TRUE(none->bof());
    EXPECT_TRUE(none->eof());
    EXPECT_THROW(none->field("F50_YM"), DbError);
    EXPECT_EQ(none->columnIndex("F50_STS"), 4);
}

TEST_F(QueryRecordsetTest, FindsSearchFromTheEndsAndFromTheCurrentRow) {
    auto rows = assetRows(false);
    auto yearly = [](const QueryRecordset& r) { return r.field("F50_STS").asInt() == 1; };
    rows->findFirst(yearly);
    EXPECT_FALSE(rows->noMatch());
    EXPECT_EQ(rows->field("F50_YM").asInt(), 202403);
    rows->findNext(yearly);
    EXPECT_EQ(rows->field("F50_YM").asInt(), 202503);
    rows->findNext(yearly);
    EXPECT_TRUE(rows->noMatch());
    EXPECT_EQ(rows->field("F50_YM").asInt(), 202503); // a miss keeps the place
    rows->findLast(month(202304));
    EXPECT_EQ(rows->field("F50_STS").asInt(), 0);
    rows->findFirst(month(199901));
    EXPECT_TRUE(rows->noMatch());
    const auto mark = rows->bookmark();
    rows->moveLast();
    rows->setBookmark(mark);
    EXPECT_EQ(rows->field("F50_YM").asInt(), 202304);
}

TEST_F(QueryRecordsetTest, MovesStepOverDeletedRowsOneRowAtATimeAndStopAtTheEnds) {
    auto rows = assetRows(true);
    rows->deleteCurrent(); // 202304, the first row
    constexpr std::int64_t Bof = 0, Eof = -1;
    const struct {
        std::function<void(QueryRecordset&)> move;
        std::int64_t month;
    } steps[] = {{&QueryRecordset::moveLast, 202503},    {&QueryRecordset::movePrevious, 202403},
                 {&QueryRecordset::movePrevious, Bof},   {&QueryRecordset::movePrevious, Bof},
                 {&QueryRecordset::moveNext, 202403},    {&QueryRecordset::moveNext, 202503},
                 {&QueryRecordset::moveNext, Eof},       {&QueryRecordset::moveNext, Eof},
                 {&QueryRecordset::movePrevious, 202503}};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].move(*rows);
        const std::int64_t at = rows->bof() ? Bof : rows->eof() ? Eof : rows->field("F50_YM").asInt();
        EXPECT_EQ(at, steps[i].month) << "step " << i;
    }
}

TEST_F(QueryRecordsetTest, DynasetWritesEditsAdditionsAndDeletionsToItsTable) {
    auto rows = assetRows(true);
    ASSERT_TRUE(rows->isDynaset());
    rows->findFirst(month(202403));
    rows->edit();
    rows->setField("F50_CAL", db::Currency::fromWhole(5000));
    rows->update();
    EXPECT_EQ(rows->field("F50_CAL").asCurrency().roundedWhole(), 5000);
    EXPECT_EQ(database->openSnapshot("SELECT F50_CAL FROM F50TB WHERE F50_YM = 202403 AND F50_SEQ = 1")
                  ->field(0)
                  .asCurrency()
                  .roundedWhole(),
              5000);

    addNewRow(*rows, 1, 202312, 5);
    rows->update();
    EXPECT_EQ(rows->field("F50_YM").asInt(), 202403); // still on the row it stood on
    rows->moveLast();
    EXPECT_EQ(rows->field("F50_YM").asInt(), 202312); // added rows stay at the end until requery
    EXPECT_EQ(rows->lastModified(), rows->bookmark());

    rows->findFirst(month(202304));
    rows->deleteCurrent();
    EXPECT_THROW(rows->field("F50_YM"), DbError);
    rows->moveNext();
    EXPECT_EQ(rows->field("F50_YM").asInt(), 202403);
    EXPECT_EQ(rows->rowCount(), 3);
    EXPECT_EQ(storedMonths(), (std::vector<std::int64_t>{202312, 202403, 202503}));

    rows->requery();
    EXPECT_EQ(rows->field("F50_YM").asInt(), 202312);

    addNewRow(*rows, 1, 202403, 1);
    EXPECT_THROW(rows->update(), DbError);
    rows->cancelUpdate();
    EXPECT_EQ(rows->rowCount(), 3);
}

TEST_F(EngineTest, DynasetsNeedOneTable) {
    EXPECT_THROW(database->openDynaset("SELECT DISTINCT F21_KBN FROM F21TB"), DbError);
    EXPECT_THROW(database->openDynaset("SELECT * FROM F21TB, F10TB"), DbError);
    EXPECT_THROW(database->openDynaset("SELECT F21_KBN, COUNT(*) FROM F21TB GROUP BY F21_KBN"), DbError);
    auto aliased = database->openDynaset("SELECT s.F21_NAM, 1 + 1 AS TWO FROM F21TB AS s WHERE s.F21_ACT = ?", {0});
    EXPECT_TRUE(aliased->empty());
}

// A table's column reads as its field type; anything computed reads as what SQLite holds.
TEST_F(QueryRecordsetTest, ComputedColumnsReadAsStoredWithSumsOfAmountsInTenThousandths) {
    auto rows = database->openSnapshot("SELECT COUNT(*) AS N, SUM(F50_CAL) AS S, AVG(F50_STS) AS A, "
                                       "MAX(F50_DUM) || 'x' AS T, NULL AS Z FROM F50TB");
    const std::vector<std::pair<std::string, Value>> expected{
        {"N", std::int64_t{4}}, {"S", std::int64_t{4 * 12345}}, {"A", 0.5}, {"T", "x"}, {"Z", Value()}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(rows->field(name), value) << name;
}

TEST_F(QueryRecordsetTest, ColumnsAreFoundByNameAndTheFirstOfARepeatedNameWins) {
    auto rows = database->openSnapshot("SELECT F50_YM AS x, F50_SEQ AS X, F50_STS AS 状態, F50_CAL FROM F50TB "
                                       "WHERE F50_SEQ = 2");
    const std::vector<std::pair<std::string, int>> names{{"x", 0}, {"X", 0}, {"状態", 2}, {"f50_cal", 3}};
    for (const auto& [name, column] : names)
        EXPECT_EQ(rows->columnIndex(name), column) << name;
    EXPECT_EQ(rows->field("X").asInt(), 202403);
    EXPECT_THROW(rows->field("F50_SEQ"), DbError);
}

TEST_F(QueryRecordsetTest, DynasetWritesARepeatedColumnOnceAndEachRowWithItsOwnValues) {
    auto rows = database->openDynaset("SELECT F50_KBN, F50_ACT, F50_SEQ, F50_YM, F50_STS, f50_sts "
                                      "FROM F50TB WHERE F50_SEQ = ? ORDER BY F50_YM",
                                      {2});
    for (int ym : {202501, 202502, 202503}) {
        addNewRow(*rows, 2, ym, ym % 100); // the second copy of F50_STS stays empty: only the first place is written
        rows->update();
    }
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        rows->edit();
        rows->setField("F50_STS", rows->field("F50_STS").asInt() + 10);
        rows->update();
    }
    rows->moveFirst();
    rows->deleteCurrent();
    rows->requery();
    std::vector<std::pair<std::int64_t, std::int64_t>> stored;
    for (; !rows->eof(); rows->moveNext())
        stored.emplace_back(rows->field("F50_YM").asInt(), rows->field(5).asInt());
    EXPECT_EQ(stored, (std::vector<std::pair<std::int64_t, std::int64_t>>{{202501, 11}, {202502, 12}, {202503, 13}}));
}

} // namespace
