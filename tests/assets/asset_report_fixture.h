// A data file for the asset reports: the report fixture's file with assets and depreciation rows
// written straight into F28TB and F50TB, and a subject for them.
#pragma once

#include "reports/report_run_fixture.h"

#include <string>

namespace asset_report_tests {

inline db::Currency yen(long long amount) { return db::Currency::fromWhole(amount); }

// An office computer of subject 03-000310, bought on 2024-04-01 (令和 6年), unless told otherwise.
struct Asset {
    int act = 310, seq = 1;
    std::string name = "パソコン";
    int date = 20240401, method = 0, kind = 1;
};

// A depreciation row of the computer; every row has the same figures but its accumulated depreciation.
struct Row {
    int seq = 1, ym = 202412, sts = 0;
    long long accumulated = 112500;
};

class AssetFile : public report_run_tests::ReportFile {
public:
    AssetFile() { testing_support::addRow(*s.F21Table, {{"F21_KBN", 3}, {"F21_ACT", 310}, {"F21_NAM", "器具備品"}}); }
    void add(const Asset& a) {
        const testing_support::Fields fields{{"F28_KBN", 3},           {"F28_ACT", a.act},      {"F28_SEQ", a.seq},
                                             {"F28_NAM", a.name},      {"F28_DAT", a.date},     {"F28_NEN", 4},
                                             {"F28_AMT", yen(300000)}, {"F28_PCT", 0.5},        {"F28_KND", a.method},
                                             {"F28_SHU", a.kind},      {"F28_LMT", yen(285000)}};
        testing_support::addRow(*s.F28Table, fields);
    }
    void add(const Row& r) {
        // clang-format off
        testing_support::addRow(*s.F50Table, {{"F50_KBN", 3}, {"F50_ACT", 310}, {"F50_SEQ", r.seq}, {"F50_YM", r.ym},
            {"F50_STS", r.sts}, {"F50_OPN", yen(300000)}, {"F50_GRS", yen(300000)}, {"F50_MTH", 9},
            {"F50_PCT", 0.5}, {"F50_CAL", yen(112500)}, {"F50_CLS", yen(r.accumulated)}});
        // clang-format on
    }
};

} // namespace asset_report_tests
