#include "assets/depreciation_detail_report.h"

#include "assets/asset_report_cells.h"
#include "common/era_dates.h"
#include "common/formats.h"
#include "common/input_checks.h"
#include "data/fixed_text.h"
#include "data/keyed_access.h"
#include "reports/page_machinery.h"
#include "reports/report_steps.h"
#include "reports/report_texts.h"

namespace assets {

using reports::DrawRule;
using reports::HeavyRule;
using reports::PrintAt;
using reports::PrintText;
using reports::ThinRule;

namespace {

// The dialog shows the title with a trailing blank; the page header prints it without.
constexpr const char* DialogTitle = "固定資産等及び償却明細 ";
constexpr const char* Title = "固定資産等及び償却明細";
constexpr int Landscape = 2;
constexpr std::int16_t YearBox = 0;
constexpr std::size_t YearLength = 3;
// The era year names the calendar year from its first day.
constexpr const char* FirstDay = "0101";

constexpr std::int16_t RightColumn = 110;
constexpr std::int16_t TextSize = 9;
constexpr std::int16_t SubjectSize = 7;
constexpr std::int16_t PageBreakThreshold = 36;
constexpr const char* AmountPattern = "##,###,###,##0";

constexpr std::int16_t MonthColumn = 24;
constexpr std::int16_t AcquiredColumn = 34;
constexpr std::int16_t CostColumn = 46;
constexpr std::int16_t KindColumn = 56;
constexpr std::int16_t BaseColumn = 60;
constexpr std::int16_t RateColumn = 70;
constexpr std::int16_t MonthsColumn = 76;
constexpr std::int16_t DepreciationColumn = 80;
constexpr std::int16_t AccumulatedColumn = 90;
constexpr std::int16_t RemainingColumn = 100;

constexpr const char* Query = "SELECT * FROM F50TB WHERE (F50_YM >= ?   AND F50_YM <= ?) "
                              "ORDER BY  F50_KBN, F50_ACT, F50_SEQ, F50_YM ";

// The era name without its blanks, a blank, and the date text; empty for a date before every era.
std::string trimmedEraCell(const std::optional<EraDateCell>& cell) {
    if (!cell) return {};
    return data::trimText(cell->eraName) + " " + cell->text;
}

class DepreciationDetailRun {
public:
    DepreciationDetailRun(data::ProgramState& s, platform::Page& page) : s_(s), page_(page), run_(s, page) {}

    bool printEntry(const db::QueryRecordset& row) {
        if (run_.lineCounter() > PageBreakThreshold) run_.closePage();
        const std::int16_t r = run_.beginRow([this] { printHeader(); });
        run_.beginRow([] {}); // the entry's second row, on the same page
        run_.ruleEntry(r);

        const auto kbn = static_cast<std::int16_t>(row.field("F50_KBN").asInt());
        const auto act = static_cast<std::int32_t>(row.field("F50_ACT").asInt());
        const auto seq = static_cast<std::int32_t>(row.field("F50_SEQ").asInt());
        const data::F28Rec& asset = readAsset(kbn, act, seq);
        const db::Currency accumulated = row.field("F50_CLS").asCurrency();

        PrintText(s_, page_, s_.PageGeo[1], r, SubjectSize, reports::SubjectText(s_, kbn, act));
        PrintText(s_, page_, MonthColumn, r, TextSize,
                  trimmedEraCell(EraMonthOf(s_.F01Record, static_cast<std::int32_t>(row.field("F50_YM").asInt()))));
        if (asset.F28_DAT > 0)
            PrintText(s_, page_, AcquiredColumn, r, TextSize, trimmedEraCell(EraDateOf(s_.F01Record, asset.F28_DAT)));
        PrintAt(page_, CostColumn, r, TextSize, common::FormatFix(asset.F28_AMT, "##,###,###,###"));
        PrintText(s_, page_, KindColumn, r, TextSize, AssetKindLabel(asset.F28_SHU, " "));
        PrintAt(page_, BaseColumn, r, TextSize, common::FormatFix(row.field("F50_GRS").asCurrency(), AmountPattern));
        PrintAt(page_, RateColumn, r, TextSize,
                common::FormatFix(static_cast<float>(row.field("F50_PCT").asDouble()), "#0.0000"));
        PrintAt(page_, MonthsColumn, r, TextSize, common::FormatFix(row.field("F50_MTH").asInt(), "###0"));
        PrintAt(page_, DepreciationColumn, r, TextSize,
                common::FormatFix(row.field("F50_CAL").asCurrency(), AmountPattern));
        PrintAt(page_, AccumulatedColumn, r, TextSize, common::FormatFix(accumulated, AmountPattern));
        PrintAt(page_, RemainingColumn, r, TextSize, common::FormatFix(asset.F28_LMT - accumulated, AmountPattern));

        PrintText(s_, page_, s_.PageGeo[1], r + 1, TextSize,
                  common::FormatFix(seq, "####0") + " " + asset.F28_NAM.str());
        PrintText(s_, page_, MonthColumn, r + 1, TextSize,
                  RowCategoryLabel(static_cast<std::int16_t>(row.field("F50_STS").asInt()), "　", "償却最終"));
        PrintAt(page_, AcquiredColumn, r + 1, TextSize, "       " + common::FormatFix(asset.F28_NEN, "###") + " 年");
        PrintText(s_, page_, KindColumn, r + 1, TextSize, MethodLabel(asset.F28_KND, " "));
        return true;
    }

    void finish() { run_.finishRows(); }

private:
    // The row's asset in F28Record; an asset that is not registered reads as one without data.
    const data::F28Rec& readAsset(std::int16_t kbn, std::int32_t act, std::int32_t seq) {
        data::F28Rec& asset = s_.F28Record;
        asset.F28_KBN = kbn;
        asset.F28_ACT = act;
        asset.F28_SEQ = seq;
        std::int16_t status = 9;
        data::F28Access(s_, "GET", status);
        if (status > 0) {
            asset.F28_NAM = "";
            asset.F28_DAT = 0;
            asset.F28_NEN = 0;
            asset.F28_AMT = db::Currency();
            asset.F28_PCT = 0;
            asset.F28_KND = 9;
            asset.F28_SHU = 9;
            asset.F28_LMT = db::Currency();
        }
        return asset;
    }

    void printHeader() {
        run_.printListHeader(Title, Landscape,
                             {"　　勘定科目／資産名称", "　年月／状況", "　取得日／耐用年", "　　　取得価格", " 種別",
                              "　償却基礎価額", " 償却率", "月数", "　当期償却額", "　償却累計額", "　　償却残額"});
    }

    data::ProgramState& s_;
    platform::Page& page_;
    reports::PageRun run_;
};

} // namespace

void ASSETLIST_Init(reports::ReportDialog& dialog) {
    reports::SetUpEraPeriodRow(dialog, DialogTitle, "年号＋年", YearLength);
}

void ASSETLIST_Check(reports::ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err) {
    reports::CheckEraPeriod(dialog, YearBox, YearLength, common::GOUKEI_CheckLength, FirstDay, FocusIndex, Err);
}

std::optional<std::pair<std::int32_t, std::int32_t>> DetailYearMonths(const data::F01Rec& control,
                                                                      const std::string& text) {
    const auto first = reports::EraPeriodDate(control, text, YearLength, FirstDay);
    if (!first) return std::nullopt;
    const std::int32_t year = *first / 10000;
    return std::make_pair(year * 100 + 1, year * 100 + 12);
}

bool ASSETLIST_Print(reports::ReportDialog& dialog, platform::Page& page) {
    data::ProgramState& s = dialog.state();
    reports::StartPages(s, page, Landscape, RightColumn, s.PageGeo[4],
                        {MonthColumn, AcquiredColumn, CostColumn, KindColumn, BaseColumn, RateColumn, MonthsColumn,
                         DepreciationColumn, AccumulatedColumn, RemainingColumn});

    const auto months = DetailYearMonths(s.F01Record, dialog.fieldText(YearBox));
    if (!months) {
        s.message(reports::BadDateMessage);
        return false;
    }
    DepreciationDetailRun run(s, page);
    return reports::PrintRows(
        s, Query,
        {db::Value(static_cast<std::int64_t>(months->first)), db::Value(static_cast<std::int64_t>(months->second))},
        [&run](const db::QueryRecordset& row) { return run.printEntry(row); }, [&run] { run.finish(); });
}

reports::ReportModule makeDepreciationDetailModule() {
    return {.init = ASSETLIST_Init,
            .check = ASSETLIST_Check,
            .print = ASSETLIST_Print,
            .title = Title,
            .orientation = Landscape};
}

} // namespace assets
