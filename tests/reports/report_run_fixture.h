// A data file for the report modules: the template's control row, codes, subjects and descriptions,
// a stand-in for the report dialog's boxes and labels, and helpers that read a recorded sheet whole.
#pragma once

#include "data/code_categories.h"
#include "data/control_row.h"
#include "platform/print/recording_page.h"
#include "reports/report_module.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace report_run_tests {

// The boxes and labels of frmPrint as plain values.
class DialogBoxes : public reports::ReportDialog {
public:
    explicit DialogBoxes(data::ProgramState& s) : s_(s) {}
    data::ProgramState& state() override { return s_; }
    std::string fieldText(int index) const override { return valueOf(fields, index); }
    void setFieldText(int index, const std::string& text) override { fields[index] = text; }
    std::string label(int index) const override { return valueOf(labels, index); }
    void setLabel(int index, const std::string& text) override { labels[index] = text; }

    std::map<int, std::string> fields;
    std::map<int, std::string> labels;

private:
    static std::string valueOf(const std::map<int, std::string>& values, int index) {
        const auto found = values.find(index);
        return found == values.end() ? std::string() : found->second;
    }
    data::ProgramState& s_;
};

// One voucher line of the day 2026-04-15 (令和 8年) unless told otherwise.
struct VoucherLine {
    int dno = 1, lin = 1;
    int kbn = 1, act = 101, srt = 0;
    int knd = 0, cus = 0;
    std::string tek{};
    std::string rmk{};
    int io = 0;
    long long amount = 0;
    int ymd = 20260415;
};

class ReportFile {
public:
    ReportFile() {
        std::int16_t status = -1;
        data::F01Access(s, "GET", status);
        EXPECT_EQ(status, 0);
        s.F01Record.F01_ACT = 20260415;
        data::LoadCodeKbnTable(s);
        s.CreationDateText = "令和 8年 4月16日";
    }

    void add(const VoucherLine& line) {
        auto& table = *s.F45Table;
        table.addNew();
        table.setField("F45_YMD", line.ymd);
        table.setField("F45_DNO", line.dno);
        table.setField("F45_LIN", line.lin);
        table.setField("F45_KBN", line.kbn);
        table.setField("F45_ACT", line.act);
        table.setField("F45_SRT", line.srt);
        table.setField("F45_KND", line.knd);
        table.setField("F45_CUS", line.cus);
        table.setField("F45_TEK", line.tek);
        table.setField("F45_RMK", line.rmk);
        table.setField("F45_IO", line.io);
        table.setField("F45_AMT", db::Currency::fromWhole(line.amount));
        table.update();
    }

    void addCode(int kbn, int cod, const std::string& text, const std::string& remark1 = "") {
        auto& table = *s.F10Table;
        table.addNew();
        table.setField("F10_KBN", kbn);
        table.setField("F10_COD", cod);
        table.setField("F10_DTL", text);
        table.setField("F10_CNV1", remark1);
        table.update();
    }

    testing_support::OpenState open;
    data::ProgramState& s = open.state;
    DialogBoxes dialog{open.state};
    platform::RecordingPage page;
};

// A sheet as one list: its texts by row and column, then its rules in drawing order.
inline std::vector<std::string> sheet(const platform::RecordedPage& page) {
    std::vector<std::string> lines = page.textLines();
    for (const std::string& rule : page.ruleLines())
        lines.push_back(rule);
    return lines;
}

inline void appendAll(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

} // namespace report_run_tests
