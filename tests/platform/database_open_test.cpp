#include "engine_fixture.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>

namespace {

using db::DbError;
using db::Value;
using engine_tests::EngineTest;
namespace fs = std::filesystem;

int openFailure(const std::string& path) {
    const auto error = engine_tests::errorOf([&] { db::Database::open(path); });
    EXPECT_NE(error.description().find(path), std::string::npos) << error.description();
    return error.number();
}

TEST(DatabaseOpen, RefusesFilesThatAreNotDataFilesAndCreatesNothing) {
    testing_support::TempFolder folder;
    const std::string missing = folder.file("missing.mdb");
    EXPECT_EQ(openFailure(missing), db::FileNotFound);
    EXPECT_FALSE(fs::exists(missing));

    const std::string text = folder.file("notes.mdb");
    std::ofstream(text) << "this is not a data file, just some words that fill more than a header would\n";
    const auto sizeBefore = fs::file_size(text);
    EXPECT_EQ(openFailure(text), db::NotADataFile);
    EXPECT_EQ(fs::file_size(text), sizeBefore);

    const std::string partial = testing_support::copyTemplate(folder, "partial.mdb");
    sqlite3* handle = nullptr;
    sqlite3_open(partial.c_str(), &handle);
    sqlite3_exec(handle, "DROP TABLE F28TB", nullptr, nullptr, nullptr);
    sqlite3_close(handle);
    const auto error = engine_tests::errorOf([&] { db::Database::open(partial); });
    EXPECT_EQ(error.number(), db::TableMissing);
    EXPECT_NE(error.description().find("F28TB"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

TEST(DatabaseOpen, AFileTheEngineCannotOpenIsRefusedAndItsConnectionFreed) {
    testing_support::TempFolder folder;
    // The file is there, but its path is longer than SQLite takes.
    fs::path deep = folder.path();
    for (int i = 0; i < 6; ++i)
        deep /= std::string(100, 'd');
    fs::create_directories(deep);
    const std::string file = (deep / "Kemlora.mdb").string();
    fs::copy_file(testing_support::templatePath(), file);
    const auto used = sqlite3_memory_used();
    EXPECT_EQ(openFailure(file), db::FileNotFound);
    EXPECT_EQ(sqlite3_memory_used(), used);
}

// The template's rows are read by the data, window and report tests that use them.
TEST(DatabaseOpen, TemplateHoldsTheNineTablesWithTypedColumns) {
    testing_support::TempFolder folder;
    auto database = db::Database::open(testing_support::copyTemplate(folder));
    for (const auto& table : db::requiredTables())
        EXPECT_FALSE(database->columns(table).empty()) << table;

    const auto& subject = database->columns("F21TB");
    ASSERT_EQ(subject.size(), 22u);
    EXPECT_EQ(subject[0].type, db::FieldType::Int16);
    EXPECT_EQ(subject[1].type, db::FieldType::Int32);
    EXPECT_EQ(subject[4].type, db::FieldType::Text);
    EXPECT_EQ(subject[4].width, 30);
    EXPECT_EQ(subject[7].type, db::FieldType::Currency);
    EXPECT_EQ(database->columns("F28TB")[7].type, db::FieldType::Single);
}

// A fresh file shows 10% and 8% beside labels in thousandths, and a fixed asset bought in cash has a subject
// of class 3 (資産) to be filed under, booked like an expense.
TEST(DatabaseOpen, TemplateHoldsTaxRatesInThousandthsAndAssetSubjectsPaidInCash) {
    testing_support::TempFolder folder;
    auto database = db::Database::open(testing_support::copyTemplate(folder));
    auto rates = database->openSnapshot("SELECT F01_TAX1, F01_TAX2 FROM F01TB");
    EXPECT_EQ(std::make_pair(rates->field(0).asInt(), rates->field(1).asInt()),
              std::make_pair(std::int64_t{100}, std::int64_t{80}));
    for (const char* name : {"建物", "車両運搬具", "工具器具備品"}) {
        auto subject = database->openSnapshot(
            "SELECT F21_KBN, F21_SRT, F21_IO, F21_CSH FROM F21TB WHERE RTRIM(F21_NAM) = ?", {name});
        ASSERT_FALSE(subject->eof()) << name;
        std::vector<std::int64_t> row;
        for (int i = 0; i < 4; ++i)
            row.push_back(subject->field(i).asInt());
        EXPECT_EQ(row, (std::vector<std::int64_t>{3, 0, 1, 0})) << name;
    }
}

TEST_F(EngineTest, WritesAreCheckedAndCutToTheFieldAndMoneyStaysExact) {
    auto table = database->openTable("F21TB");
    table->setIndex("F21IX");
    table->addNew();
    EXPECT_THROW(table->setField("F21_KBN", 32768), DbError);
    EXPECT_EQ(engine_tests::errorOf([&] { table->setField("F21_IO", -40000); }).number(), db::ValueOutOfRange);
    EXPECT_THROW(table->setField("F21_ACT", std::int64_t{2147483648}), DbError);
    table->setField("F21_KBN", 32767);
    table->setField("F21_ACT", std::int64_t{-2147483648});
    const std::string name31 = "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほま";
    ASSERT_EQ(db::characterCount(name31), 31u);
    table->setField("F21_NAM", name31);
    table->setField("F21_FIL", db::Currency::fromRaw(1234567890123456789));
    table->setField("F21_AMT_01", db::Currency::fromRaw(-1));
    table->setField("F21_DUM", "ab");
    table->update();

    table->setBookmark(table->lastModified());
    EXPECT_EQ(table->field("F21_KBN").asInt(), 32767);
    EXPECT_EQ(table->field("F21_ACT").asInt(), -2147483648);
    EXPECT_EQ(table->field("F21_NAM").asText(), db::firstCharacters(name31, 30));
    EXPECT_EQ(db::characterCount(table->field("F21_NAM").asText()), 30u);
    EXPECT_EQ(db::firstCharacters("a経b", 2), "a経");
    EXPECT_EQ(table->field("F21_FIL").asCurrency().raw(), 1234567890123456789);
    EXPECT_EQ(table->field("F21_AMT_01").asCurrency().raw(), -1);
    EXPECT_EQ(table->field("F21_DUM").asText(), "ab"); // cut, never padded
    EXPECT_TRUE(table->field("F21_SRT").isInteger());
}

TEST_F(EngineTest, NullsReadAsNullValues) {
    database->execute("CREATE TABLE LOOSE (A INT16, B TEXT(5), C CURRENCY)");
    database->execute("INSERT INTO LOOSE VALUES (NULL, NULL, NULL)");
    auto rows = database->openSnapshot("SELECT * FROM LOOSE");
    for (const char* name : {"A", "B", "C"})
        EXPECT_TRUE(rows->field(name).isNull()) << name;
    // Record buffers take a field without a value as 0 or an empty text.
    EXPECT_EQ(rows->field("A").asInt(), 0);
    EXPECT_EQ(rows->field("B").asText(), "");
    EXPECT_EQ(rows->field("C").asCurrency().raw(), 0);
}

TEST_F(EngineTest, RollbackRestoresRowsAndTableRecordsetsSeeIt) {
    addVoucherLine(20240101, 1, 1, 100);
    auto table = vouchers();
    database->beginTrans();
    EXPECT_TRUE(database->inTransaction());
    table->edit();
    table->setField("F45_AMT", db::Currency::fromWhole(999));
    table->update();
    addVoucherLine(20240102, 1, 1);
    EXPECT_EQ(table->field("F45_AMT").asCurrency().roundedWhole(), 999);
    EXPECT_EQ(table->rowCount(), 2);
    database->rollback();
    EXPECT_FALSE(database->inTransaction());
    EXPECT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->field("F45_AMT").asCurrency().roundedWhole(), 100);

    database->beginTrans();
    EXPECT_THROW(database->beginTrans(), DbError);
    EXPECT_EQ(database->execute("DELETE FROM F45TB WHERE F45_YMD = ?", {20240101}), 1);
    database->commitTrans();
    EXPECT_TRUE(table->empty());
    EXPECT_FALSE(table->hasCurrent());
}

// The user is shown a number and one Japanese description; the engine's text and the statement go to the log.
TEST_F(EngineTest, FailuresAreShownAsANumberAndOneJapaneseDescriptionWithTheEngineTextOnlyInTheLog) {
    testing::internal::CaptureStderr();
    const auto error = engine_tests::errorOf([&] { database->execute("UPDATE NOSUCHTABLE SET X = 1"); });
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no such table: NOSUCHTABLE"), std::string::npos);
    EXPECT_EQ(db::ErrorReport(error), " 3000 (データファイルの操作に失敗しました。)");
    const std::string notes = folder.file("notes.mdb");
    std::ofstream(notes) << "this is not a data file, just some words that fill more than a header would\n";
    testing::internal::CaptureStderr();
    EXPECT_EQ(engine_tests::errorOf([&] { db::Database::open(notes); }).description(),
              "'" + notes + "' はデータファイルではありません。");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("not a database"), std::string::npos);
    EXPECT_THROW(database->openTable("NOSUCHTABLE"), DbError);
    auto table = vouchers();
    EXPECT_THROW(table->setIndex("NOSUCHINDEX"), DbError);
    EXPECT_THROW(table->field("NOSUCHFIELD"), DbError);
}

TEST_F(EngineTest, ExecuteRunsSeveralStatementsAtOnceAndTablesShowTheirNewColumnsAndIndexes) {
    addVoucherLine(20240101, 1, 1);
    addVoucherLine(20240101, 1, 2);
    EXPECT_EQ(database->execute("UPDATE F45TB SET F45_IO = 1; UPDATE F45TB SET F45_IO = 2 WHERE F45_LIN = 1"), 3);
    EXPECT_EQ(engine_tests::errorOf([&] {
                  database->execute("UPDATE F45TB SET F45_IO = 3; UPDATE NOSUCH SET X = 1");
              }).number(),
              db::EngineFailure);

    const struct {
        const char* sql;
        const char* column;
        const char* index;
    } changes[] = {
        {"ALTER TABLE F18TB ADD COLUMN F18_A INT16", "F18_A", "F18IX"},
        {"CREATE INDEX F18AIX ON F18TB (F18_A)", "F18_A", "F18AIX"},
        {"ALTER TABLE F18TB ADD COLUMN F18_B INT16; CREATE INDEX F18BIX ON F18TB (F18_B)", "F18_B", "F18BIX"},
    };
    for (const auto& change : changes) {
        database->openTable("F18TB")->setIndex("F18IX"); // columns and indexes as they stand are known
        database->execute(change.sql);
        EXPECT_EQ(database->columns("F18TB").back().name, change.column) << change.sql;
        EXPECT_NO_THROW(database->openTable("F18TB")->setIndex(change.index)) << change.sql;
    }
}

TEST_F(EngineTest, RecordsetsOutlivingTheirDatabaseFailCleanly) {
    addVoucherLine(20240101, 1, 1);
    auto table = vouchers();
    auto rows = database->openDynaset("SELECT * FROM F45TB");
    database->close();
    EXPECT_FALSE(database->isOpen());
    EXPECT_FALSE(table->hasCurrent());
    EXPECT_THROW(table->moveNext(), db::DbError);
    EXPECT_THROW(table->moveFirst(), db::DbError);
    EXPECT_THROW(table->seek("=", {20240101}), db::DbError);
    EXPECT_THROW(rows->deleteCurrent(), db::DbError);
    EXPECT_THROW(database->execute("DELETE FROM F45TB"), db::DbError);
    table.reset();
    rows.reset();
}

} // namespace
