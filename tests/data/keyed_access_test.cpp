#include "data/keyed_access.h"

#include "data/table_rows.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace testing_support;
using data::ProgramState;
using db::Currency;

namespace {

void addSubject(ProgramState& s, int act, int srt, const std::string& name, int io = 0, int csh = 1) {
    s.MainDatabase->execute("INSERT INTO F21TB (F21_KBN, F21_ACT, F21_SRTKBN, F21_SRT, F21_NAM, F21_IO, F21_CSH, "
                            "F21_FIL, F21_AMT_03) VALUES (1, ?, 3, ?, ?, ?, ?, ?, ?)",
                            {act, srt, name, io, csh, Currency::fromWhole(700), Currency::fromWhole(-5)});
}

void setSubjectKey(ProgramState& s, int act, int srt) {
    s.F21Record.F21_KBN = 1;
    s.F21Record.F21_ACT = act;
    s.F21Record.F21_SRT = srt;
}

// Each reader with its recordset, the key of row i (rows 1 to 3 exist, 4 does not) and one text it fills.
// Description codes are sought with all six characters: the row "4" is not the key "4     ".
struct Reader {
    const char* name;
    AccessRoutine call;
    db::TableRecordset& (*table)(ProgramState&);
    void (*setKey)(ProgramState&, int);
    data::FixedText& (*text)(ProgramState&);
};

const Reader readers[] = {
    {"F10KBN", data::F10KBNAccess, [](ProgramState& s) -> db::TableRecordset& { return *s.F10KBNTable; },
     [](ProgramState& s, int i) { s.F10KBNRecord.F10KBN_ID = static_cast<std::int16_t>(i); },
     [](ProgramState& s) -> data::FixedText& { return s.F10KBNRecord.F10KBN_NAME; }},
    {"F10", data::F10Access, [](ProgramState& s) -> db::TableRecordset& { return *s.F10Table; },
     [](ProgramState& s, int i) { s.F10Record.F10_KBN = 2, s.F10Record.F10_COD = i * 10; },
     [](ProgramState& s) -> data::FixedText& { return s.F10Record.F10_DTL; }},
    {"F18", data::F18Access, [](ProgramState& s) -> db::TableRecordset& { return *s.F18Table; },
     [](ProgramState& s, int i) { s.F18Record.F18_COD = std::to_string(i); },
     [](ProgramState& s) -> data::FixedText& { return s.F18Record.F18_DSC; }},
    {"F21", data::F21Access, [](ProgramState& s) -> db::TableRecordset& { return *s.F21Table; },
     [](ProgramState& s, int i) { setSubjectKey(s, i * 100, 0); },
     [](ProgramState& s) -> data::FixedText& { return s.F21Record.F21_NAM; }},
    {"F45", data::F45Access, [](ProgramState& s) -> db::TableRecordset& { return *s.F45Table; },
     [](ProgramState& s, int i) { s.F45Record.F45_YMD = 20260401, s.F45Record.F45_DNO = 7, s.F45Record.F45_LIN = i; },
     [](ProgramState& s) -> data::FixedText& { return s.F45Record.F45_RMK; }},
    {"F28", data::F28Access, [](ProgramState& s) -> db::TableRecordset& { return *s.F28Table; },
     [](ProgramState& s, int i) { s.F28Record.F28_KBN = 1, s.F28Record.F28_ACT = 500, s.F28Record.F28_SEQ = i; },
     [](ProgramState& s) -> data::FixedText& { return s.F28Record.F28_NAM; }},
};

} // namespace

TEST(KeyedAccess, EveryReaderMissesWithoutTouchingBufferOrPositionAndFillsTheBufferOnAHit) {
    OpenState open(true);
    auto& s = open.state;
    s.F21Record.F21_IO = 1;
    EXPECT_EQ(statusOf(data::F21Access, s, "LOOK"), 9);
    EXPECT_EQ(s.F21Record.F21_NAM.str(), std::string(30, ' '));
    EXPECT_EQ(s.F21Record.F21_IO, 0);
    for (const auto& reader : readers) {
        reader.setKey(s, 3);
        reader.text(s) = "keep";
        EXPECT_EQ(statusOf(reader.call, s, "GET"), 9) << reader.name << " on an empty table";
        EXPECT_EQ(reader.text(s).trimmed(), "keep") << reader.name;
    }
    for (int i : {1, 2, 3}) {
        const std::string row = "row" + std::to_string(i);
        addRow(*s.F10KBNTable, {{"F10KBN_ID", i}, {"F10KBN_NAME", row}});
        addRow(*s.F10Table, {{"F10_KBN", 2}, {"F10_COD", i * 10}, {"F10_DTL", row}, {"F10_CNV4", "r4"}});
        addRow(*s.F18Table, {{"F18_COD", data::fitText(std::to_string(i), 6)}, {"F18_DSC", row}});
        addSubject(s, i * 100, 0, row);
        s.MainDatabase->execute(
            "INSERT INTO F45TB (F45_YMD, F45_DNO, F45_LIN, F45_KND, F45_RMK, F45_AMT) VALUES (20260401, 7, ?, ?, ?, ?)",
            {i, i, row, Currency::fromRaw(i)});
        addRow(*s.F28Table, {{"F28_KBN", 1}, {"F28_ACT", 500}, {"F28_SEQ", i}, {"F28_NAM", row}});
    }
    addRow(*s.F18Table, {{"F18_COD", "4"}});
    s.F10Record.F10_DUM = "mine";
    for (const auto& reader : readers) {
        auto& table = reader.table(s);
        table.moveFirst();
        table.moveNext();
        const auto second = table.bookmark();
        table.moveNext();
        const auto third = table.bookmark();
        table.setBookmark(second);

        reader.setKey(s, 4);
        EXPECT_EQ(statusOf(reader.call, s, "GET"), 9) << reader.name;
        ASSERT_TRUE(table.hasCurrent()) << reader.name;
        EXPECT_EQ(table.bookmark(), second) << reader.name;
        EXPECT_EQ(reader.text(s).trimmed(), "keep") << reader.name;

        reader.setKey(s, 3);
        EXPECT_EQ(statusOf(reader.call, s, "GET"), 0) << reader.name;
        EXPECT_EQ(table.bookmark(), third) << reader.name;
        EXPECT_EQ(reader.text(s).str(), data::fitText("row3", reader.text(s).width())) << reader.name;
    }
    EXPECT_EQ(s.F10Record.F10_CNV[4].trimmed(), "r4");
    EXPECT_EQ(s.F10Record.F10_DUM.trimmed(), "mine");
    EXPECT_EQ(s.F21Record.F21_SRTKBN, 3);
    EXPECT_EQ(s.F21Record.F21_FIL, Currency::fromWhole(700));
    EXPECT_EQ(s.F21Record.F21_AMT[3], Currency::fromWhole(-5));
    EXPECT_EQ(s.F45Record.F45_AMT, Currency::fromRaw(3));
    EXPECT_EQ(s.F45Record.F45_KND, 3); // the counterpart category voucher entry shows

    // A miss with no current row to go back to leaves the buffer as it was.
    s.F21Table->moveLast();
    s.F21Table->moveNext();
    setSubjectKey(s, 9, 9);
    EXPECT_EQ(statusOf(data::F21Access, s, "GET"), 9);
    EXPECT_EQ(s.F21Record.F21_NAM.trimmed(), "row3");
}

TEST(KeyedAccess, LookFallsBackToTheSubjectAndTopPositionsWithoutTouchingTheBuffer) {
    OpenState open(true);
    auto& s = open.state;
    addSubject(s, 100, 0, "現金", 0, 0);
    addSubject(s, 100, 5, "小口現金", 1, 1);
    addSubject(s, 200, 0, "普通預金", 1, 1);
    s.F21Table->seek("=", {1, 100, 5});
    const auto middle = s.F21Table->bookmark();
    // Each call starts on (100, 5) with name "before" and direction and cash flag 7 in the buffer. LOOK finds the
    // detail, or falls back to its subject; a missing subject, or a detail below 0, finds nothing. TOP stands on
    // the first row not below the key. Other mode texts do nothing. A miss goes back where it stood.
    const struct {
        const char* mode;
        int act, srt;
        std::int16_t status;
        const char* name;
        std::int16_t io, csh;
        int atAct, atSrt;
    } cases[] = {
        {"LOOK", 100, 5, 0, "小口現金", 1, 1, 100, 5}, {"LOOK", 100, 7, 0, "現金", 0, 0, 100, 0},
        {"LOOK", 300, 4, 9, "", 0, 0, 100, 5},         {"LOOK", 100, -1, 9, "", 0, 0, 100, 5},
        {"TOP", 100, 1, 0, "before", 7, 7, 100, 5},    {"TOP", 150, 0, 0, "before", 7, 7, 200, 0},
        {"TOP", 200, 1, 9, "before", 7, 7, 100, 5},    {"get", 200, 0, 0, "before", 7, 7, 100, 5},
        {"GET ", 200, 0, 0, "before", 7, 7, 100, 5},   {"", 200, 0, 0, "before", 7, 7, 100, 5},
    };
    for (const auto& c : cases) {
        s.F21Table->setBookmark(middle);
        setSubjectKey(s, c.act, c.srt);
        s.F21Record.F21_IO = 7;
        s.F21Record.F21_CSH = 7;
        s.F21Record.F21_FIL = Currency::fromWhole(42);
        s.F21Record.F21_NAM = "before";
        SCOPED_TRACE(std::string(c.mode) + " " + std::to_string(c.act) + "/" + std::to_string(c.srt));
        EXPECT_EQ(statusOf(data::F21Access, s, c.mode), c.status);
        EXPECT_EQ(s.F21Record.F21_NAM.trimmed(), c.name);
        EXPECT_EQ(s.F21Record.F21_IO, c.io);
        EXPECT_EQ(s.F21Record.F21_CSH, c.csh);
        EXPECT_EQ(s.F21Record.F21_ACT, c.act);
        EXPECT_EQ(s.F21Record.F21_SRT, c.srt) << "the detail asked for stays in the buffer";
        EXPECT_EQ(s.F21Record.F21_FIL, Currency::fromWhole(42)) << "only GET fills the whole buffer";
        EXPECT_EQ(s.F21Table->field("F21_ACT").asInt(), c.atAct);
        EXPECT_EQ(s.F21Table->field("F21_SRT").asInt(), c.atSrt);
    }
}
