#include "data/keyed_access.h"

#include "data/table_rows.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <functional>

using namespace testing_support;
using data::ProgramState;
using db::Currency;

namespace {

void addSubject(ProgramState &s, int kbn, int act, int srt, const std::string &name, int io = 0, int csh = 1) {
    addRow(*s.F21Table, {{"F21_KBN", kbn},
                         {"F21_ACT", act},
                         {"F21_SRTKBN", 3},
                         {"F21_SRT", srt},
                         {"F21_NAM", name},
                         {"F21_IO", io},
                         {"F21_CSH", csh},
                         {"F21_FIL", Currency::fromWhole(700)},
                         {"F21_AMT_03", Currency::fromWhole(-5)},
                         {"F21_REM", Currency::fromWhole(-5)}});
}

void setSubjectKey(ProgramState &s, int kbn, int act, int srt) {
    s.F21Record.F21_KBN = static_cast<std::int16_t>(kbn);
    s.F21Record.F21_ACT = act;
    s.F21Record.F21_SRT = srt;
}

// Three subjects in key order: (1,100,0), (1,100,5), (1,200,0); the recordset left on the middle one.
void addThreeSubjects(ProgramState &s) {
    addSubject(s, 1, 100, 0, "現金", 0, 0);
    addSubject(s, 1, 100, 5, "小口現金", 1, 1);
    addSubject(s, 1, 200, 0, "普通預金", 1, 1);
    s.F21Table->moveFirst();
    s.F21Table->moveNext();
}

struct Reader {
    const char *name;
    std::function<void(ProgramState &, std::int16_t &)> call;
    std::function<db::TableRecordset &(ProgramState &)> table;
};

const std::vector<Reader> &readers() {
    static const std::vector<Reader> all = {
        {"F10KBN", [](ProgramState &s, std::int16_t &st) { data::F10KBNAccess(s, "GET", st); },
         [](ProgramState &s) -> db::TableRecordset & { return *s.F10KBNTable; }},
        {"F10", [](ProgramState &s, std::int16_t &st) { data::F10Access(s, "GET", st); },
         [](ProgramState &s) -> db::TableRecordset & { return *s.F10Table; }},
        {"F18", [](ProgramState &s, std::int16_t &st) { data::F18Access(s, "GET", st); },
         [](ProgramState &s) -> db::TableRecordset & { return *s.F18Table; }},
        {"F21", [](ProgramState &s, std::int16_t &st) { data::F21Access(s, "GET", st); },
         [](ProgramState &s) -> db::TableRecordset & { return *s.F21Table; }},
        {"F45", [](ProgramState &s, std::int16_t &st) { data::F45Access(s, "GET", st); },
         [](ProgramState &s) -> db::TableRecordset & { return *s.F45Table; }},
        {"F28", [](ProgramState &s, std::int16_t &st) { data::F28Access(s, "GET", st); },
         [](ProgramState &s) -> db::TableRecordset & { return *s.F28Table; }},
    };
    return all;
}

} // namespace

TEST(KeyedAccess, GetOnAnEmptyTableReturns9AndLeavesTheBufferAlone) {
    OpenState open(true);
    auto &s = open.state;
    s.F10KBNRecord.F10KBN_NAME = "keep";
    s.F10Record.F10_DTL = "keep";
    s.F18Record.F18_DSC = "keep";
    s.F21Record.F21_NAM = "keep";
    s.F45Record.F45_RMK = "keep";
    s.F28Record.F28_NAM = "keep";
    for (const auto &reader : readers()) {
        std::int16_t status = -1;
        reader.call(s, status);
        EXPECT_EQ(status, 9) << reader.name;
        EXPECT_TRUE(reader.table(s).empty()) << reader.name;
    }
    EXPECT_EQ(s.F10KBNRecord.F10KBN_NAME.trimmed(), "keep");
    EXPECT_EQ(s.F10Record.F10_DTL.trimmed(), "keep");
    EXPECT_EQ(s.F18Record.F18_DSC.trimmed(), "keep");
    EXPECT_EQ(s.F21Record.F21_NAM.trimmed(), "keep");
    EXPECT_EQ(s.F45Record.F45_RMK.trimmed(), "keep");
    EXPECT_EQ(s.F28Record.F28_NAM.trimmed(), "keep");
}

TEST(KeyedAccess, EveryReaderPutsTheRecordsetBackOnAMissAndStaysOnAHit) {
    OpenState open(true);
    auto &s = open.state;
    for (int i : {1, 2, 3}) {
        addRow(*s.F10KBNTable, {{"F10KBN_ID", i}, {"F10KBN_NAME", "区分" + std::to_string(i)}});
        addRow(*s.F10Table, {{"F10_KBN", 2}, {"F10_COD", i * 10}, {"F10_DTL", "code" + std::to_string(i)}});
        addRow(*s.F18Table, {{"F18_COD", "00000" + std::to_string(i)}, {"F18_DSC", "desc" + std::to_string(i)}});
        addSubject(s, 1, i * 100, 0, "subject" + std::to_string(i));
        addRow(*s.F45Table, {{"F45_YMD", 20260400 + i}, {"F45_DNO", 7}, {"F45_LIN", i}, {"F45_RMK", "line"}});
        addRow(*s.F28Table, {{"F28_KBN", 1}, {"F28_ACT", 500}, {"F28_SEQ", i}, {"F28_NAM", "asset"}});
    }
    // Keys of the third row and of a row that does not exist, per reader.
    const std::vector<std::function<void(ProgramState &, bool)>> setKey = {
        [](ProgramState &s, bool hit) { s.F10KBNRecord.F10KBN_ID = hit ? 3 : 4; },
        [](ProgramState &s, bool hit) { s.F10Record.F10_KBN = 2, s.F10Record.F10_COD = hit ? 30 : 31; },
        [](ProgramState &s, bool hit) { s.F18Record.F18_COD = hit ? "000003" : "000004"; },
        [](ProgramState &s, bool hit) { setSubjectKey(s, 1, hit ? 300 : 301, 0); },
        [](ProgramState &s, bool hit) {
            s.F45Record.F45_YMD = 20260403, s.F45Record.F45_DNO = 7, s.F45Record.F45_LIN = hit ? 3 : 4;
        },
        [](ProgramState &s, bool hit) {
            s.F28Record.F28_KBN = 1, s.F28Record.F28_ACT = 500, s.F28Record.F28_SEQ = hit ? 3 : 9;
        },
    };
    for (std::size_t i = 0; i < readers().size(); ++i) {
        const auto &reader = readers()[i];
        auto &table = reader.table(s);
        table.moveFirst();
        table.moveNext();
        const auto second = table.bookmark();
        table.moveNext();
        const auto third = table.bookmark();
        table.setBookmark(second);

        std::int16_t status = -1;
        setKey[i](s, false);
        reader.call(s, status);
        EXPECT_EQ(status, 9) << reader.name;
        ASSERT_TRUE(table.hasCurrent()) << reader.name;
        EXPECT_EQ(table.bookmark(), second) << reader.name;

        setKey[i](s, true);
        reader.call(s, status);
        EXPECT_EQ(status, 0) << reader.name;
        EXPECT_EQ(table.bookmark(), third) << reader.name;
    }
    EXPECT_EQ(s.F10KBNRecord.F10KBN_NAME.trimmed(), "区分3");
    EXPECT_EQ(s.F10Record.F10_DTL.trimmed(), "code3");
    EXPECT_EQ(s.F18Record.F18_DSC.trimmed(), "desc3");
    EXPECT_EQ(s.F21Record.F21_NAM.trimmed(), "subject3");
    EXPECT_EQ(s.F45Record.F45_RMK.trimmed(), "line");
    EXPECT_EQ(s.F28Record.F28_NAM.trimmed(), "asset");
}

TEST(KeyedAccess, AMissFromNoCurrentRowLeavesTheBufferAsItWas) {
    OpenState open(true);
    auto &s = open.state;
    addThreeSubjects(s);
    s.F21Table->moveLast();
    s.F21Table->moveNext(); // past the end: nothing to go back to
    setSubjectKey(s, 9, 9, 9);
    s.F21Record.F21_NAM = "keep";
    std::int16_t status = -1;
    data::F21Access(s, "GET", status);
    EXPECT_EQ(status, 9);
    EXPECT_EQ(s.F21Record.F21_NAM.trimmed(), "keep");
    EXPECT_EQ(s.F21Record.F21_ACT, 9);
}

TEST(KeyedAccess, GetFillsTheListedMembersAndLeavesTheOthers) {
    OpenState open(true);
    auto &s = open.state;
    addRow(*s.F10Table, {{"F10_KBN", 2},
                         {"F10_COD", 15},
                         {"F10_DTL", "取引先"},
                         {"F10_CNV1", "r1"},
                         {"F10_CNV4", "r4"},
                         {"F10_DUM", "stored"}});
    addRow(*s.F45Table, {{"F45_YMD", 20260401},
                         {"F45_DNO", 12},
                         {"F45_LIN", 2},
                         {"F45_KBN", 1},
                         {"F45_ACT", 300},
                         {"F45_TEK", "000001"},
                         {"F45_AMT", Currency::fromWhole(1500)}});
    addSubject(s, 1, 100, 0, "現金", 1, 0);

    s.F10Record.F10_KBN = 2;
    s.F10Record.F10_COD = 15;
    s.F10Record.F10_DUM = "mine";
    std::int16_t status = -1;
    data::F10Access(s, "GET", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(s.F10Record.F10_DTL.str(), data::fitText("取引先", 30));
    EXPECT_EQ(s.F10Record.F10_CNV[1].trimmed(), "r1");
    EXPECT_EQ(s.F10Record.F10_CNV[4].trimmed(), "r4");
    EXPECT_EQ(s.F10Record.F10_DUM.trimmed(), "mine");

    s.F45Record = {};
    s.F45Record.F45_YMD = 20260401;
    s.F45Record.F45_DNO = 12;
    s.F45Record.F45_LIN = 2;
    data::F45Access(s, "GET", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(s.F45Record.F45_YMD, 20260401);
    EXPECT_EQ(s.F45Record.F45_DNO, 12);
    EXPECT_EQ(s.F45Record.F45_LIN, 2);
    EXPECT_EQ(s.F45Record.F45_ACT, 300);
    EXPECT_EQ(s.F45Record.F45_TEK.str(), "000001");
    EXPECT_EQ(s.F45Record.F45_AMT, Currency::fromWhole(1500));
    EXPECT_EQ(s.F45Record.F45_RMK.str(), std::string(30, ' '));

    setSubjectKey(s, 1, 100, 0);
    data::F21Access(s, "GET", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(s.F21Record.F21_NAM.str(), data::fitText("現金", 30));
    EXPECT_EQ(s.F21Record.F21_SRTKBN, 3);
    EXPECT_EQ(s.F21Record.F21_IO, 1);
    EXPECT_EQ(s.F21Record.F21_FIL, Currency::fromWhole(700));
    EXPECT_EQ(s.F21Record.F21_AMT[3], Currency::fromWhole(-5));
    EXPECT_EQ(s.F21Record.F21_REM, Currency::fromWhole(-5));
}

TEST(KeyedAccess, DescriptionCodesAreSoughtWithTheirTrailingBlanks) {
    OpenState open(true);
    auto &s = open.state;
    addRow(*s.F18Table, {{"F18_COD", "12"}, {"F18_DSC", "short"}});
    std::int16_t status = -1;
    s.F18Record.F18_COD = "12";
    data::F18Access(s, "GET", status);
    EXPECT_EQ(status, 9) << "the six characters \"12    \" must not find the row \"12\"";

    addRow(*s.F18Table, {{"F18_COD", "12    "}, {"F18_DSC", "padded"}});
    data::F18Access(s, "GET", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(s.F18Record.F18_DSC.trimmed(), "padded");
    EXPECT_EQ(s.F18Record.F18_COD.str(), "12    ");
}

TEST(KeyedAccess, LookFallsBackToTheSubjectAndBlanksTheNameOnAMiss) {
    OpenState open(true);
    auto &s = open.state;
    addThreeSubjects(s);
    struct Case {
        int act, srt;
        std::int16_t status;
        const char *name;
        std::int16_t io, csh;
    } cases[] = {
        {100, 5, 0, "小口現金", 1, 1},                        // the detail itself
        {100, 7, 0, "現金", 0, 0},                            // missing detail: the subject answers
        {200, 3, 0, "普通預金", 1, 1}, {300, 0, 9, "", 0, 0}, // missing subject
        {300, 4, 9, "", 0, 0},                                // missing subject and detail
        {100, -1, 9, "", 0, 0},                               // no fall-back below 0
    };
    for (const auto &c : cases) {
        setSubjectKey(s, 1, c.act, c.srt);
        s.F21Record.F21_IO = 7;
        s.F21Record.F21_CSH = 7;
        s.F21Record.F21_FIL = Currency::fromWhole(42);
        s.F21Record.F21_NAM = "before";
        std::int16_t status = -1;
        data::F21Access(s, "LOOK", status);
        EXPECT_EQ(status, c.status) << c.act << "/" << c.srt;
        EXPECT_EQ(s.F21Record.F21_NAM.trimmed(), c.name) << c.act << "/" << c.srt;
        EXPECT_EQ(s.F21Record.F21_IO, c.io) << c.act << "/" << c.srt;
        EXPECT_EQ(s.F21Record.F21_CSH, c.csh) << c.act << "/" << c.srt;
        EXPECT_EQ(s.F21Record.F21_SRT, c.srt) << "the detail asked for stays in the buffer";
        EXPECT_EQ(s.F21Record.F21_FIL, Currency::fromWhole(42)) << "LOOK copies only name, direction and flag";
    }
}

TEST(KeyedAccess, LookOnAnEmptySubjectTableBlanksTheName) {
    OpenState open(true);
    auto &s = open.state;
    setSubjectKey(s, 1, 100, 0);
    s.F21Record.F21_NAM = "before";
    s.F21Record.F21_IO = 1;
    std::int16_t status = -1;
    data::F21Access(s, "LOOK", status);
    EXPECT_EQ(status, 9);
    EXPECT_EQ(s.F21Record.F21_NAM.str(), std::string(30, ' '));
    EXPECT_EQ(s.F21Record.F21_IO, 0);
}

TEST(KeyedAccess, TopPositionsAtTheFirstRowNotBelowTheKeyWithoutTouchingTheBuffer) {
    OpenState open(true);
    auto &s = open.state;
    addThreeSubjects(s);
    const auto middle = s.F21Table->bookmark();
    std::int16_t status = -1;

    setSubjectKey(s, 1, 100, 1);
    s.F21Record.F21_NAM = "keep";
    data::F21Access(s, "TOP", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(s.F21Table->field("F21_SRT").asInt(), 5);
    EXPECT_EQ(s.F21Record.F21_NAM.trimmed(), "keep");

    setSubjectKey(s, 1, 150, 0);
    data::F21Access(s, "TOP", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(s.F21Table->field("F21_ACT").asInt(), 200);

    s.F21Table->setBookmark(middle);
    setSubjectKey(s, 1, 200, 1); // above every row
    data::F21Access(s, "TOP", status);
    EXPECT_EQ(status, 9);
    EXPECT_EQ(s.F21Table->bookmark(), middle);
    EXPECT_EQ(s.F21Record.F21_NAM.trimmed(), "keep");
    EXPECT_EQ(s.F21Record.F21_ACT, 200);
}

TEST(KeyedAccess, ModeTextsAreExactAndAnyOtherDoesNothing) {
    OpenState open(true);
    auto &s = open.state;
    addThreeSubjects(s);
    addRow(*s.F45Table, {{"F45_YMD", 20260401}, {"F45_DNO", 1}, {"F45_LIN", 1}, {"F45_RMK", "row"}});
    const auto middle = s.F21Table->bookmark();
    for (const char *mode : {"get", "Get", "look", "top", "GET ", ""}) {
        setSubjectKey(s, 1, 200, 0);
        s.F21Record.F21_NAM = "keep";
        std::int16_t status = -1;
        data::F21Access(s, mode, status);
        EXPECT_EQ(status, 0) << mode;
        EXPECT_EQ(s.F21Record.F21_NAM.trimmed(), "keep") << mode;
        EXPECT_EQ(s.F21Table->bookmark(), middle) << mode;
    }
    s.F45Record.F45_YMD = 20260401;
    s.F45Record.F45_DNO = 1;
    s.F45Record.F45_LIN = 1;
    std::int16_t status = -1;
    data::F45Access(s, "get", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(s.F45Record.F45_RMK.trimmed(), "");
}
