// A data file for the report modules: the template's control row, codes, subjects and descriptions,
// a stand-in for the report dialog's boxes and labels, and helpers that read a recorded sheet whole.
#pragma once

#include "data/code_categories.h"
#include "data/control_row.h"
#include "data/table_rows.h"
#include "platform/print/print_target.h"
#include "platform/print/recording_page.h"
#include "reports/report_module.h"
#include "support/pdf_reading.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace report_run_tests {

// The boxes and labels of frmPrint as plain values.
struct DialogBoxes : reports::ReportDialog {
    explicit DialogBoxes(data::ProgramState& state) : s(state) {}
    data::ProgramState& state() override { return s; }
    std::string fieldText(int index) const override { return fields.contains(index) ? fields.at(index) : ""; }
    void setFieldText(int index, const std::string& text) override { fields[index] = text; }
    std::string label(int index) const override { return labels.contains(index) ? labels.at(index) : ""; }
    void setLabel(int index, const std::string& text) override { labels[index] = text; }
    data::ProgramState& s;
    std::map<int, std::string> fields, labels;
};

// One voucher line of the day 2026-04-15 (令和 8年) unless told otherwise.
struct VoucherLine {
    int dno = 1, lin = 1, kbn = 1, act = 101, srt = 0, knd = 0, cus = 0;
    std::string tek{}, rmk{};
    int io = 0;
    long long amount = 0;
    int ymd = 20260415;
};

// The file of a report run, its dialog boxes (the date box on the day above) and a recording page.
class ReportFile {
public:
    ReportFile() {
        EXPECT_EQ(testing_support::statusOf(data::F01Access, s, "GET"), 0);
        s.F01Record.F01_ACT = 20260415;
        data::LoadCodeKbnTable(s);
        s.CreationDateText = "令和 8年 4月16日";
        dialog.fields[0] = "5080415";
    }

    void add(const VoucherLine& l) {
        const testing_support::Fields fields{
            {"F45_YMD", l.ymd}, {"F45_DNO", l.dno}, {"F45_LIN", l.lin}, {"F45_KBN", l.kbn},
            {"F45_ACT", l.act}, {"F45_SRT", l.srt}, {"F45_KND", l.knd}, {"F45_CUS", l.cus},
            {"F45_TEK", l.tek}, {"F45_RMK", l.rmk}, {"F45_IO", l.io},   {"F45_AMT", db::Currency::fromWhole(l.amount)}};
        testing_support::addRow(*s.F45Table, fields);
    }
    void addSubject(int kbn, int act, int srt, const std::string& name, int io = 0, int csh = 0) {
        const testing_support::Fields fields{{"F21_KBN", kbn},  {"F21_ACT", act}, {"F21_SRT", srt},
                                             {"F21_NAM", name}, {"F21_IO", io},   {"F21_CSH", csh}};
        testing_support::addRow(*s.F21Table, fields);
    }
    void addDescription(const std::string& cod, const std::string& name, int kbn, int act, int srt = 0, int knd = 0,
                        int cus = 0) {
        const testing_support::Fields fields{{"F18_COD", cod}, {"F18_DSC", name}, {"F18_KBN", kbn}, {"F18_ACT", act},
                                             {"F18_SRT", srt}, {"F18_KND", knd},  {"F18_CUS", cus}};
        testing_support::addRow(*s.F18Table, fields);
    }
    void addCode(int kbn, int cod, const std::string& text, const std::string& remark1 = "") {
        testing_support::addRow(*s.F10Table,
                                {{"F10_KBN", kbn}, {"F10_COD", cod}, {"F10_DTL", text}, {"F10_CNV1", remark1}});
    }

    // A report's check on the boxes given: "<err> <focus index>" and the messages shown.
    template <class Check> std::string checked(Check check, const std::map<int, std::string>& boxes) {
        open.messages.shown.clear();
        for (const auto& [index, text] : boxes)
            dialog.fields[index] = text;
        std::int16_t focus = -1;
        std::int16_t err = -1;
        check(dialog, focus, err);
        std::string result = std::to_string(err) + " " + std::to_string(focus);
        for (const std::string& message : open.messages.shown)
            result += " " + message;
        return result;
    }

    // A run that prints: its pages, the document ended once and nothing drawn after.
    template <class Print> const std::vector<platform::RecordedPage>& printed(Print print) {
        EXPECT_TRUE(print(dialog, page));
        EXPECT_EQ(page.endDocCalls(), 1);
        EXPECT_FALSE(page.drawnAfterEnd());
        return page.pages();
    }

    // A run refused with `message` alone and nothing printed.
    template <class Print> void printsNothing(Print print, const std::string& message) {
        open.messages.shown.clear();
        EXPECT_FALSE(print(dialog, page));
        EXPECT_EQ(open.messages.shown, std::vector<std::string>{message});
        EXPECT_EQ(page.pagesPrinted() + page.endDocCalls(), 0);
    }

    // A run onto a PDF of `title` as a machine without printer makes it; the file's path.
    template <class Print> std::string printedPdf(Print print, const std::string& title) {
        auto job = platform::openPrintJob(title, open.path, false, QDateTime(QDate(2026, 4, 16), QTime(10, 0)));
        job->page().setFontName("ＭＳＰ ゴシック");
        EXPECT_TRUE(print(dialog, job->page()));
        EXPECT_EQ(job->failure(), "");
        return job->pdfPath(); // the job closes the file as it goes
    }

    // The same read back a sheet a page; empty when poppler is missing or the page count is not `pages`.
    template <class Print> QStringList pdfSheets(Print print, const std::string& title, int pages) {
        const std::string pdf = printedPdf(print, title);
        EXPECT_EQ(testing_support::pdfInfo(pdf, "Pages"), QString::number(pages)) << pdf;
        const QStringList sheets = testing_support::pdfText(pdf).split('\f', Qt::SkipEmptyParts);
        EXPECT_EQ(sheets.size(), pages);
        return sheets.size() == pages ? sheets : QStringList();
    }

    testing_support::OpenState open;
    data::ProgramState& s = open.state;
    DialogBoxes dialog{open.state};
    platform::RecordingPage page;
};

// The lists one after another; a sheet whole is joined({page.textLines(), page.ruleLines()}).
inline std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The rules of a report's frame as the recording page reads them back.
struct Frame {
    std::string span;    // of a horizontal rule: "c005-110"
    std::string columns; // of a row's verticals: "c005w5 c110w5 c013w1 ..."

    static std::string rowName(int row) { return "r" + std::string(row < 10 ? "0" : "") + std::to_string(row); }
    std::string line(int row, int width) const {
        return "Line " + rowName(row) + " " + span + " w" + std::to_string(width);
    }
    std::string rules(int row) const { return "Row " + rowName(row) + " " + columns; }
    // Two-row entries on rows `from`, `from` + 2, ... up to `to`, the first ruled heavy.
    std::vector<std::string> entryRules(int from, int to) const {
        std::vector<std::string> all;
        for (int r = from; r <= to; r += 2)
            all = joined({all, {line(r, r == from ? 5 : 1), rules(r), rules(r + 1)}});
        return all;
    }
    // The ruled band without text that closes a full page of two-row entries at `row`.
    std::vector<std::string> band(int row) const {
        return {line(row, 5), rules(row), line(row + 1, 5), rules(row + 1), line(row + 2, 5)};
    }
    // A page of the cash book or the ledger: the brought-forward and heading rows, entries on rows 7
    // to `to`, then the band of a full page, or on the last page (ruled through row 41) the totals and
    // the balance carried out.
    std::vector<std::string> bookRules(int to, bool lastPage) const {
        return joined({{line(5, 5), rules(5), line(6, 5), rules(6)},
                       entryRules(7, lastPage ? 41 : to),
                       band(lastPage ? 43 : 41)});
    }
    // The rules of a one-row list whose rows run from below `heading` to `last`: the heading's, each
    // row's (the first heavy), and the heavy rule that closes the last.
    std::vector<std::string> listRules(int last, int heading = 5) const {
        std::vector<std::string> all{line(heading, 5), rules(heading)};
        for (int r = heading + 1; r <= last; ++r)
            all = joined({all, {line(r, r == heading + 1 ? 5 : 1), rules(r)}});
        return joined({all, {line(last + 1, 5)}});
    }
};

// The title, creation date and page number that head every page: portrait (1) or landscape (2).
inline std::vector<std::string> pageHead(const std::string& title, const std::string& pageNo, int orientation) {
    const bool portrait = orientation == 1;
    return {std::string(portrait ? "r02 c030" : "r02 c050") + " s14 |" + title + "|",
            std::string(portrait ? "r03 c052" : "r03 c086") + " s9 |作成日： 令和 8年 4月16日|",
            std::string(portrait ? "r03 c068" : "r03 c102") + " s9 |（" + pageNo + "頁）|"};
}

// A sheet whole: its texts by row and column, then its rules in drawing order.
inline std::vector<std::string> sheet(const platform::RecordedPage& page) {
    return joined({page.textLines(), page.ruleLines()});
}

} // namespace report_run_tests
