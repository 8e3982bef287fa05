// A fresh data file for the closing jobs: empty tables, the default control row, and a recording
// stand-in for the closing dialog. Rows are written through the program's own table recordsets.
#pragma once

#include "data/cash_row.h"
#include "data/control_row.h"
#include "data/table_rows.h"
#include "journal/closing_job.h"
#include "journal/monthly_totals.h"
#include "journal/year_end.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace testing_support {

// Keeps what a job wrote into the dialog's fields; Text1(0) holds what the "user" typed.
class RecordingDialog : public journal::ClosingDialogView {
public:
    void setLabel1(int, const std::string&) override {}
    std::string text1(int index) const override { return texts.count(index) ? texts.at(index) : std::string(); }
    void setText1(int index, const std::string& text) override { texts[index] = text; }
    void setLabel3(const std::string&) override {}
    // The counts of the three tables a run touched, as shown.
    std::string counts() { return texts[10] + texts[11] + texts[12]; }

    std::map<int, std::string> texts;
};

// Whole numbers of a subject row: [0] F21_FIL, [1..12] the months, [13] F21_REM.
using SubjectFigures = std::array<long long, 14>;

class ClosingFile {
public:
    explicit ClosingFile(std::int16_t firstMonth = 1) : open(true) {
        statusOf(data::F01Access, s, "GET");
        s.F01Record.F01_STMM = firstMonth;
        statusOf(data::F01Access, s, "PUT");
    }

    // Defines the fifth era in the control row, starting on 1 May 2019.
    void defineFifthEra() {
        s.F01Record.F01_NENG[5] = "令和";
        s.F01Record.F01_STYMD[5] = 20190501;
        statusOf(data::F01Access, s, "PUT");
    }

    void addSubject(int kbn, int act, int srt, int io, int csh, std::vector<long long> months = {}) {
        const std::string name = "科目" + std::to_string(act) + "-" + std::to_string(srt);
        Fields fields{{"F21_KBN", kbn}, {"F21_ACT", act}, {"F21_SRTKBN", 3}, {"F21_SRT", srt},
                      {"F21_IO", io},   {"F21_CSH", csh}, {"F21_NAM", name}};
        long long total = 0;
        for (std::size_t m = 1; m <= months.size(); ++m) {
            fields.emplace_back(field(m), db::Currency::fromWhole(months[m - 1]));
            total += months[m - 1];
        }
        fields.emplace_back("F21_REM", db::Currency::fromWhole(total));
        addRow(*s.F21Table, fields);
    }

    void addLine(int ymd, int dno, int lin, int kbn, int act, int srt, int io, long long amount) {
        const Fields fields{
            {"F45_YMD", ymd}, {"F45_DNO", dno}, {"F45_LIN", lin}, {"F45_KBN", kbn},
            {"F45_ACT", act}, {"F45_SRT", srt}, {"F45_IO", io},   {"F45_AMT", db::Currency::fromWhole(amount)}};
        addRow(*s.F45Table, fields);
    }

    // Lines of date, subject category, subject, detail, direction and amount, each on a voucher of its own.
    using Line = std::tuple<int, int, int, int, int, long long>;
    void addLines(const std::vector<Line>& lines) {
        for (const auto& [ymd, kbn, act, srt, io, amount] : lines)
            addLine(ymd, ++lastVoucher, 1, kbn, act, srt, io, amount);
    }

    // Read afresh from the file, not from the shared recordset.
    SubjectFigures figures(int kbn, int act, int srt) {
        auto row = s.MainDatabase->openSnapshot("SELECT * FROM F21TB WHERE F21_KBN = ? AND F21_ACT = ? AND F21_SRT = ?",
                                                {kbn, act, srt});
        SubjectFigures result{};
        for (std::size_t i = 0; i < result.size() && !row->eof(); ++i)
            result[i] = row->field(i == 0 ? "F21_FIL" : i == 13 ? "F21_REM" : field(i)).asCurrency().roundedWhole();
        EXPECT_FALSE(row->eof()) << "no subject row " << kbn << "/" << act << "/" << srt;
        return result;
    }
    long long figure(int kbn, int act, int srt, std::size_t slot) { return figures(kbn, act, srt)[slot]; }

    data::F46Rec cashRow() { return storedCashRow(s); }
    // Changes the stored cash row as the cash balance window would.
    void storeCash(const std::function<void(data::F46Rec&)>& change) {
        s.F46Record = cashRow();
        change(s.F46Record);
        ASSERT_EQ(statusOf(data::F46Access, s, "PUT"), 0);
    }
    // The twelve months of receipts (1), payments (2) or balances (3) of the stored cash row, whole.
    std::vector<long long> cash(int kind) {
        const data::F46Rec row = cashRow();
        std::vector<long long> months;
        for (int m = 1; m <= 12; ++m)
            months.push_back(row.Amt[kind][m].roundedWhole());
        return months;
    }

    // Every row of every table, for "the file is as it was".
    std::vector<std::vector<db::Value>> everyRow() {
        std::vector<std::vector<db::Value>> rows;
        for (const auto& table : db::requiredTables()) {
            auto all = s.MainDatabase->openSnapshot("SELECT * FROM " + table + " ORDER BY rowid");
            for (; !all->eof(); all->moveNext()) {
                rows.push_back({db::Value(table)});
                for (std::size_t c = 0; c < all->columns().size(); ++c)
                    rows.back().push_back(all->field(static_cast<int>(c)));
            }
        }
        return rows;
    }

    journal::RunOutcome runMonth(const std::string& period) {
        dialog.texts[0] = period;
        return journal::MonthlyTotalsRun(s, dialog);
    }
    journal::RunOutcome closeYear(const std::string& year, std::int32_t closingDate) {
        dialog.texts[0] = year;
        s.SimeDate = closingDate;
        return journal::YearEndRun(s, dialog);
    }

    // Makes every later write of a table fail inside the engine, as a full disk or a damaged file would.
    void failWritesOf(const std::string& table) {
        s.MainDatabase->execute("CREATE TRIGGER refuse_" + table + " BEFORE UPDATE ON " + table +
                                " BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END");
    }

    static std::string field(std::size_t month) {
        return (month < 10 ? "F21_AMT_0" : "F21_AMT_") + std::to_string(month);
    }

    OpenState open;
    data::ProgramState& s = open.state;
    RecordingDialog dialog;
    int lastVoucher = 100;
};

} // namespace testing_support
