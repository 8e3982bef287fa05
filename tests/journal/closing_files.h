// A fresh data file for the closing jobs: empty tables, the default control row, and a recording
// stand-in for the closing dialog. Rows are written through the program's own table recordsets.
#pragma once

#include "data/cash_row.h"
#include "data/control_row.h"
#include "journal/closing_job.h"
#include "journal/monthly_totals.h"
#include "journal/year_end.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// Records what a job wrote into the dialog; Text1(0) holds what the "user" typed.
class RecordingDialog : public journal::ClosingDialogView {
public:
    void setLabel1(int index, const std::string &caption) override { labels[index] = caption; }
    std::string text1(int index) const override {
        const auto found = texts.find(index);
        return found == texts.end() ? std::string() : found->second;
    }
    void setText1(int index, const std::string &text) override { texts[index] = text; }
    void setLabel3(const std::string &text) override { phases.push_back(text); }

    std::map<int, std::string> labels;
    std::map<int, std::string> texts;
    std::vector<std::string> phases;
};

// Whole numbers of a subject row: [0] F21_FIL, [1..12] the months, [13] F21_REM.
using SubjectFigures = std::array<long long, 14>;

class ClosingFile {
public:
    explicit ClosingFile(std::int16_t firstMonth = 1) : open(true) {
        std::int16_t status = -1;
        data::F01Access(s, "GET", status);
        EXPECT_EQ(status, 0);
        if (firstMonth != s.F01Record.F01_STMM) {
            s.F01Record.F01_STMM = firstMonth;
            data::F01Access(s, "PUT", status);
        }
    }

    // Defines the fifth era in the control row, starting on 1 May 2019.
    void defineFifthEra() {
        s.F01Record.F01_NENG[5] = "令和";
        s.F01Record.F01_STYMD[5] = 20190501;
        std::int16_t status = -1;
        data::F01Access(s, "PUT", status);
    }

    void addSubject(int kbn, int act, int srt, int io, int csh, std::vector<long long> months = {}) {
        auto &table = *s.F21Table;
        table.addNew();
        table.setField("F21_KBN", kbn);
        table.setField("F21_ACT", act);
        table.setField("F21_SRTKBN", 3);
        table.setField("F21_SRT", srt);
        table.setField("F21_NAM", "科目" + std::to_string(act) + "-" + std::to_string(srt));
        table.setField("F21_IO", io);
        table.setField("F21_CSH", csh);
        long long total = 0;
        for (std::size_t m = 1; m <= months.size() && m <= 12; ++m) {
            table.setField(field(m), db::Currency::fromWhole(months[m - 1]));
            total += months[m - 1];
        }
        table.setField("F21_REM", db::Currency::fromWhole(total));
        table.update();
    }

    void addLine(int ymd, int dno, int lin, int kbn, int act, int srt, int io, long long amount) {
        auto &table = *s.F45Table;
        table.addNew();
        table.setField("F45_YMD", ymd);
        table.setField("F45_DNO", dno);
        table.setField("F45_LIN", lin);
        table.setField("F45_KBN", kbn);
        table.setField("F45_ACT", act);
        table.setField("F45_SRT", srt);
        table.setField("F45_IO", io);
        table.setField("F45_AMT", db::Currency::fromWhole(amount));
        table.update();
    }

    // Read afresh from the file, not from the shared recordset.
    SubjectFigures figures(int kbn, int act, int srt) {
        auto row = s.MainDatabase->openSnapshot("SELECT * FROM F21TB WHERE F21_KBN = ? AND F21_ACT = ? AND F21_SRT = ?",
                                                {kbn, act, srt});
        SubjectFigures result{};
        if (row->eof()) {
            ADD_FAILURE() << "no subject row " << kbn << "/" << act << "/" << srt;
            return result;
        }
        result[0] = row->field("F21_FIL").asCurrency().roundedWhole();
        for (std::size_t m = 1; m <= 12; ++m)
            result[m] = row->field(field(m)).asCurrency().roundedWhole();
        result[13] = row->field("F21_REM").asCurrency().roundedWhole();
        return result;
    }
    long long figure(int kbn, int act, int srt, std::size_t slot) { return figures(kbn, act, srt)[slot]; }

    // The cash balance row as stored: reads it with F46Access into a copy.
    data::F46Rec cashRow() {
        std::int16_t status = -1;
        data::F46Access(s, "GET", status);
        EXPECT_EQ(status, 0);
        return s.F46Record;
    }

    // Every row of every table, for "the file is as it was".
    std::vector<std::vector<db::Value>> everyRow() {
        std::vector<std::vector<db::Value>> rows;
        for (const auto &table : db::requiredTables()) {
            auto all = s.MainDatabase->openSnapshot("SELECT * FROM " + table + " ORDER BY rowid");
            const auto width = all->columns().size();
            for (; !all->eof(); all->moveNext()) {
                std::vector<db::Value> row{db::Value(table)};
                for (std::size_t c = 0; c < width; ++c)
                    row.push_back(all->field(static_cast<int>(c)));
                rows.push_back(std::move(row));
            }
        }
        return rows;
    }

    journal::RunOutcome runMonth(const std::string &period) {
        dialog.texts[0] = period;
        return journal::MonthlyTotalsRun(s, dialog);
    }

    journal::RunOutcome closeYear(const std::string &year, std::int32_t closingDate) {
        dialog.texts[0] = year;
        s.SimeDate = closingDate;
        return journal::YearEndRun(s, dialog);
    }

    // Makes every later write of a table fail inside the engine, as a full disk or a damaged file would.
    void failWritesOf(const std::string &table) {
        s.MainDatabase->execute("CREATE TRIGGER refuse_" + table + " BEFORE UPDATE ON " + table +
                                " BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END");
    }

    static std::string field(std::size_t month) {
        return (month < 10 ? "F21_AMT_0" : "F21_AMT_") + std::to_string(month);
    }

    OpenState open;
    data::ProgramState &s = open.state;
    RecordingDialog dialog;
};

} // namespace testing_support
