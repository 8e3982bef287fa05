#include "engine_fixture.h"

namespace {

using db::DbError;
using db::RecordsetEvent;
using db::Value;
using engine_tests::EngineTest;
using Key = std::vector<std::int64_t>;

class TableRecordsetTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        for (auto [ymd, dno, lin] :
             {std::tuple{20240105, 1, 1}, {20240105, 1, 2}, {20240105, 1, 5}, {20240105, 2, 1}, {20240110, 3, 1}})
            addVoucherLine(ymd, dno, lin);
        table = vouchers();
    }
    std::unique_ptr<db::TableRecordset> table;
};

TEST_F(TableRecordsetTest, SeekFindsByComparisonOnTheWholeKeyOrAPrefix) {
    struct Case {
        std::string comparison;
        std::vector<Value> key;
        bool found;
        Key row;
    };
    const std::vector<Case> cases = {
        {"=", {20240105, 1, 2}, true, {20240105, 1, 2}},
        {"=", {20240105, 1, 3}, false, {}},
        {"=", {20240105}, true, {20240105, 1, 1}},
        {"=", {20240106}, false, {}},
        {">=", {20240105, 1, 3}, true, {20240105, 1, 5}},
        {">=", {20240106}, true, {20240110, 3, 1}},
        {">=", {20240111}, false, {}},
        {">", {20240105, 1, 5}, true, {20240105, 2, 1}},
        {">", {20240105}, true, {20240110, 3, 1}},
        {"<=", {20240105, 1, 99}, true, {20240105, 1, 5}},
        {"<=", {20240105}, true, {20240105, 2, 1}},
        {"<=", {20240101, 9, 99}, false, {}},
        {"<", {20240105, 1, 1}, false, {}},
        {"<", {20240110, 3, 1}, true, {20240105, 2, 1}},
    };
    for (const auto& c : cases) {
        table->moveFirst();
        table->seek(c.comparison, c.key);
        SCOPED_TRACE(c.comparison + " " + std::to_string(c.key[0].asInt()));
        EXPECT_EQ(table->noMatch(), !c.found);
        EXPECT_EQ(table->hasCurrent(), c.found);
        if (c.found)
            EXPECT_EQ(key(*table), c.row);
        else
            EXPECT_THROW(table->field("F45_LIN"), DbError);
    }
}

TEST_F(TableRecordsetTest, WalkFollowsTheIndexBothWaysAfterSeeks) {
    std::vector<Key> forward;
    for (table->moveFirst(); !table->eof(); table->moveNext())
        forward.push_back(key(*table));
    EXPECT_EQ(forward, (std::vector<Key>{
                           {20240105, 1, 1}, {20240105, 1, 2}, {20240105, 1, 5}, {20240105, 2, 1}, {20240110, 3, 1}}));
    EXPECT_FALSE(table->hasCurrent());
    table->moveNext(); // past the end stays there
    EXPECT_TRUE(table->eof());
    table->movePrevious();
    EXPECT_EQ(key(*table), (Key{20240110, 3, 1}));

    table->seek("<=", {20240105, 1, 99});
    table->moveNext();
    EXPECT_EQ(key(*table), (Key{20240105, 2, 1}));
    table->movePrevious();
    table->movePrevious();
    EXPECT_EQ(key(*table), (Key{20240105, 1, 2}));
    table->moveFirst();
    table->movePrevious();
    EXPECT_TRUE(table->bof());
    EXPECT_FALSE(table->eof());
    table->moveNext();
    EXPECT_EQ(key(*table), (Key{20240105, 1, 1}));
    table->moveLast();
    EXPECT_EQ(key(*table), (Key{20240110, 3, 1}));
    EXPECT_EQ(table->rowCount(), 5);
}

TEST_F(TableRecordsetTest, EmptyTableIsAtBothEnds) {
    database->execute("DELETE FROM F45TB");
    auto empty = vouchers();
    EXPECT_TRUE(empty->bof());
    EXPECT_TRUE(empty->eof());
    EXPECT_TRUE(empty->empty());
    empty->moveNext();
    empty->moveLast();
    EXPECT_TRUE(empty->empty());
    empty->seek("=", {20240105, 1, 1});
    EXPECT_TRUE(empty->noMatch());
    EXPECT_THROW(empty->bookmark(), DbError);
    EXPECT_EQ(empty->rowCount(), 0);
    // The long-lived recordset sees the table emptied by another statement.
    EXPECT_TRUE(table->empty());
}

TEST_F(EngineTest, TextKeysSeekWithTheirTrailingBlanks) {
    for (const char* code : {"12    ", "12", "120000", "2     "})
        database->execute("INSERT INTO F18TB (F18_COD, F18_DSC) VALUES (?, ?)", {code, std::string("d") + code});
    auto table = database->openTable("F18TB");
    table->setIndex("F18IX");
    table->seek("=", {"12    "});
    ASSERT_FALSE(table->noMatch());
    EXPECT_EQ(table->field("F18_COD").asText(), "12    ");
    table->seek("=", {"12"});
    ASSERT_FALSE(table->noMatch());
    EXPECT_EQ(table->field("F18_COD").asText(), "12");
    table->seek("=", {"12 "});
    EXPECT_TRUE(table->noMatch());
    table->seek(">", {"12    "});
    EXPECT_EQ(table->field("F18_COD").asText(), "120000");
}

TEST_F(TableRecordsetTest, BookmarksReturnToRowsAndAnAddedRowLeavesThePositionAlone) {
    table->seek("=", {20240105, 1, 5});
    const db::Bookmark mark = table->bookmark();
    table->moveFirst();
    table->setBookmark(mark);
    EXPECT_EQ(key(*table), (Key{20240105, 1, 5}));

    table->addNew();
    table->setField("F45_YMD", 20240107);
    table->setField("F45_DNO", 9);
    table->setField("F45_LIN", 1);
    EXPECT_EQ(table->field("F45_DNO").asInt(), 9); // the copy buffer
    table->update();
    EXPECT_EQ(key(*table), (Key{20240105, 1, 5}));
    table->setBookmark(table->lastModified());
    EXPECT_EQ(key(*table), (Key{20240107, 9, 1}));
    table->moveNext();
    EXPECT_EQ(key(*table), (Key{20240110, 3, 1}));

    // An edit that changes the key keeps the row current at its new place.
    table->seek("=", {20240105, 2, 1});
    table->edit();
    table->setField("F45_YMD", 20240108);
    table->update();
    EXPECT_EQ(table->lastModified(), table->bookmark());
    table->moveNext();
    EXPECT_EQ(key(*table), (Key{20240110, 3, 1}));

    table->seek("=", {20240105, 1, 1});
    const db::Bookmark gone = table->bookmark();
    table->deleteCurrent();
    EXPECT_THROW(table->setBookmark(gone), DbError);
    EXPECT_TRUE(table->rowAt(gone).empty());
}

TEST_F(TableRecordsetTest, DeleteLeavesNoCurrentRowAndMoveNextGoesToTheFollowingRow) {
    table->seek("=", {20240105, 1, 2});
    table->deleteCurrent();
    EXPECT_FALSE(table->hasCurrent());
    EXPECT_FALSE(table->eof());
    EXPECT_THROW(table->field("F45_LIN"), DbError);
    EXPECT_THROW(table->bookmark(), DbError);
    table->moveNext();
    EXPECT_EQ(key(*table), (Key{20240105, 1, 5}));

    table->moveLast();
    table->deleteCurrent();
    table->moveNext();
    EXPECT_TRUE(table->eof());

    table->moveFirst();
    table->deleteCurrent();
    table->movePrevious();
    EXPECT_TRUE(table->bof());
    EXPECT_EQ(table->rowCount(), 2);
}

TEST_F(TableRecordsetTest, DuplicateKeyIsRefusedAndTheEditCanBeCancelled) {
    table->addNew();
    table->setField("F45_YMD", 20240105);
    table->setField("F45_DNO", 1);
    table->setField("F45_LIN", 2);
    EXPECT_EQ(engine_tests::errorOf([&] { table->update(); }).number(), db::DuplicateKey);
    table->cancelUpdate();
    EXPECT_EQ(table->rowCount(), 5);
    EXPECT_THROW(table->setField("F45_LIN", 3), DbError); // no edit in progress
    EXPECT_THROW(table->update(), DbError);
}

TEST_F(TableRecordsetTest, ListenersHearMovesChangesAndClosing) {
    std::vector<RecordsetEvent> heard;
    const int id = table->addListener([&](RecordsetEvent event) { heard.push_back(event); });
    table->moveNext();
    table->seek("=", {20240199});
    table->moveFirst();
    table->edit();
    table->cancelUpdate();
    table->edit();
    table->setField("F45_IO", 1);
    table->update();
    table->deleteCurrent();
    EXPECT_EQ(heard, (std::vector<RecordsetEvent>{RecordsetEvent::Moved, RecordsetEvent::Moved, RecordsetEvent::Moved,
                                                  RecordsetEvent::RowsChanged, RecordsetEvent::RowsChanged}));
    table->removeListener(id);
    table->moveFirst();
    EXPECT_EQ(heard.size(), 5u);
    table->addListener([&](RecordsetEvent event) { heard.push_back(event); });
    table.reset();
    EXPECT_EQ(heard.back(), RecordsetEvent::Closed);
}

TEST_F(TableRecordsetTest, PagesOfBookmarksFollowTheIndexWithoutMoving) {
    table->seek("=", {20240105, 2, 1});
    const auto all = table->bookmarksAfter(0, 100);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(table->bookmarksAfter(0, 2), (std::vector<db::Bookmark>{all[0], all[1]}));
    EXPECT_EQ(table->bookmarksAfter(all[1], 2), (std::vector<db::Bookmark>{all[2], all[3]}));
    EXPECT_EQ(table->bookmarksBefore(all[3], 2), (std::vector<db::Bookmark>{all[1], all[2]}));
    EXPECT_EQ(table->bookmarksBefore(0, 1), (std::vector<db::Bookmark>{all[4]}));
    EXPECT_TRUE(table->bookmarksAfter(all[4], 3).empty());
    EXPECT_EQ(table->rowAt(all[2])[2].asInt(), 5);
    EXPECT_EQ(key(*table), (Key{20240105, 2, 1}));
}

TEST_F(TableRecordsetTest, ChangesByOtherWritersAreSeenWhileWalking) {
    table->moveFirst();
    table->moveNext();
    database->execute("DELETE FROM F45TB WHERE F45_YMD = ? AND F45_DNO = ? AND F45_LIN = ?", {20240105, 1, 5});
    addVoucherLine(20240105, 1, 3, 7);
    table->moveNext();
    EXPECT_EQ(key(*table), (Key{20240105, 1, 3}));
    EXPECT_EQ(table->field("F45_AMT").asCurrency().roundedWhole(), 7);
    database->execute("UPDATE F45TB SET F45_AMT = ?", {db::Currency::fromWhole(8)});
    EXPECT_EQ(table->field("F45_AMT").asCurrency().roundedWhole(), 8);
    table->moveNext();
    EXPECT_EQ(key(*table), (Key{20240105, 2, 1}));
}

TEST_F(TableRecordsetTest, FieldsAreFoundByNameInAnyCaseAndAMissingNameFails) {
    table->seek("=", {20240105, 1, 2});
    ASSERT_FALSE(table->noMatch());
    const int lin = table->columnIndex("F45_LIN");
    for (const std::string name : {"F45_LIN", "f45_lin", "F45_Lin"}) {
        EXPECT_EQ(table->columnIndex(name), lin) << name;
        EXPECT_EQ(table->field(name).asInt(), 2) << name;
    }
    for (const std::string name : {"F45_LI", "F45_LINE", "", "F45_ＬＩＮ"})
        EXPECT_EQ(engine_tests::errorOf([&] { table->field(name); }).number(), db::FieldMissing) << name;
    for (const int column : {-1, static_cast<int>(table->columns().size())})
        EXPECT_EQ(engine_tests::errorOf([&] { table->field(column); }).number(), db::FieldMissing) << column;
}

TEST_F(TableRecordsetTest, FieldsReadWhileWalkingStayRightAcrossWritesAndCommits) {
    database->beginTrans();
    table->moveFirst();
    table->moveNext();
    EXPECT_EQ(table->field("F45_LIN").asInt(), 2);
    table->edit();
    table->setField("F45_AMT", db::Currency::fromWhole(40));
    table->update();
    database->commitTrans(); // lets go of the reading statement without any change
    EXPECT_EQ(table->field("F45_AMT").asCurrency().roundedWhole(), 40);
    table->moveNext();
    EXPECT_EQ(key(*table), (Key{20240105, 1, 5}));
    EXPECT_EQ(table->field("f45_amt").asCurrency().roundedWhole(), 0);

    // Adds reuse one prepared statement; each row is written with its own values.
    for (int lin = 6; lin <= 8; ++lin) {
        table->addNew();
        table->setField("F45_YMD", 20240105);
        table->setField("F45_DNO", 1);
        table->setField("F45_LIN", lin);
        table->setField("F45_AMT", db::Currency::fromWhole(lin * 10));
        table->update();
    }
    EXPECT_EQ(key(*table), (Key{20240105, 1, 5}));
    table->moveNext();
    for (int lin = 6; lin <= 8; ++lin, table->moveNext())
        EXPECT_EQ(table->field("F45_AMT").asCurrency().roundedWhole(), lin * 10);
    EXPECT_EQ(key(*table), (Key{20240105, 2, 1}));
}

} // namespace
