// Values a data file holds that do not fit their field: every read refuses them by table and field.
#include "engine_fixture.h"

namespace {

using engine_tests::EngineTest;

TEST_F(EngineTest, AStoredValueThatDoesNotFitItsFieldIsRefusedByEveryReadNamingTableAndField) {
    struct Case {
        const char* field;
        db::Value stored;
    } cases[] = {
        {"F45_LIN", std::int64_t{100000}},        // int16
        {"F45_YMD", std::int64_t{5'000'000'000}}, // int32, and the first column
        {"F45_KBN", "abc"},                       // a text in a number column
        {"F45_AMT", 1e30},                        // beyond every amount
        {"F45_AMT", "12x"},                       // a text in an amount column
        {"F45_RMK", std::string(31, 'x')},        // text(30)
        {"F45_TEK", "一二三四五六七"},            // text(6), counted in characters
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field + (" = " + c.stored.asText()));
        database->execute("DELETE FROM F45TB");
        addVoucherLine(20240101, 1, 1);
        // A statement stores what it is given, as another tool might.
        database->execute("UPDATE F45TB SET " + std::string(c.field) + " = ?", {c.stored});
        const std::string place = std::string("テーブル F45TB のフィールド ") + c.field;
        const auto byTable = engine_tests::errorOf([&] { vouchers()->field(c.field); });
        EXPECT_EQ(byTable.number(), db::ValueOutOfRange);
        EXPECT_NE(byTable.description().find(place), std::string::npos) << byTable.description();
        const auto byQuery =
            engine_tests::errorOf([&] { database->openSnapshot("SELECT * FROM F45TB")->field(c.field); });
        EXPECT_NE(byQuery.description().find(place), std::string::npos) << byQuery.description();
        // Nor is an edit of the row allowed to write it back cut.
        EXPECT_EQ(engine_tests::errorOf([&] { vouchers()->edit(); }).number(), db::ValueOutOfRange);
    }
}

} // namespace
