// A data file for the asset reports: the report fixture's file with assets and depreciation rows
// written straight into F28TB and F50TB, and a subject for them.
#pragma once

#include "reports/report_run_fixture.h"

#include <string>

namespace asset_report_tests {

// An office computer bought on 2024-04-01 (令和 6年), unless told otherwise.
struct Asset {
    int kbn = 3, act = 310, seq = 1;
    std::string name = "パソコン";
    int date = 20240401, life = 4;
    long long cost = 300000;
    double rate = 0.5;
    int method = 0, kind = 1;
    long long limit = 285000;
};

// One depreciation row of the computer above.
struct Row {
    int kbn = 3, act = 310, seq = 1, ym = 202412, sts = 0;
    long long opening = 300000, base = 300000;
    int months = 9;
    double rate = 0.5;
    long long depreciation = 112500, accumulated = 112500;
};

class AssetFile : public report_run_tests::ReportFile {
public:
    AssetFile() { testing_support::addRow(*s.F21Table, {{"F21_KBN", 3}, {"F21_ACT", 310}, {"F21_NAM", "器具備品"}}); }
    void add(const Asset& a) {
        testing_support::addRow(*s.F28Table, {{"F28_KBN", a.kbn},
                                              {"F28_ACT", a.act},
                                              {"F28_SEQ", a.seq},
                                              {"F28_NAM", a.name},
                                              {"F28_DAT", a.date},
                                              {"F28_NEN", a.life},
                                              {"F28_AMT", db::Currency::fromWhole(a.cost)},
                                              {"F28_PCT", a.rate},
                                              {"F28_KND", a.method},
                                              {"F28_SHU", a.kind},
                                              {"F28_LMT", db::Currency::fromWhole(a.limit)}});
    }
    void add(const Row& r) {
        testing_support::addRow(*s.F50Table, {{"F50_KBN", r.kbn},
                                              {"F50_ACT", r.act},
                                              {"F50_SEQ", r.seq},
                                              {"F50_YM", r.ym},
                                              {"F50_STS", r.sts},
                                              {"F50_OPN", db::Currency::fromWhole(r.opening)},
                                              {"F50_GRS", db::Currency::fromWhole(r.base)},
                                              {"F50_MTH", r.months},
                                              {"F50_PCT", r.rate},
                                              {"F50_CAL", db::Currency::fromWhole(r.depreciation)},
                                              {"F50_CLS", db::Currency::fromWhole(r.accumulated)}});
    }
    // One row a month from `fromYm`, `count` of them.
    void addMonthlyRows(int count, int fromYm = 202401, int seq = 1) {
        for (int i = 0; i < count; ++i) {
            const int month = (fromYm % 100 - 1 + i) % 12 + 1;
            const int year = fromYm / 100 + (fromYm % 100 - 1 + i) / 12;
            add(Row{.seq = seq, .ym = year * 100 + month, .sts = 1, .months = 1});
        }
    }
};

// A sheet whole: its texts by row and column, then its rules in drawing order.
inline std::vector<std::string> sheet(const platform::RecordedPage& page) {
    return report_run_tests::joined({page.textLines(), page.ruleLines()});
}

} // namespace asset_report_tests
