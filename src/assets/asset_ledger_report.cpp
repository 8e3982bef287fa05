#include "assets/asset_ledger_report.h"

#include "assets/asset_report_cells.h"
#include "common/formats.h"
#include "common/input_checks.h"
#include "common/utf8_text.h"
#include "data/code_categories.h"
#include "reports/page_machinery.h"
#include "reports/report_steps.h"
#include "reports/report_texts.h"

#include <array>
#include <limits>
#include <optional>
#include <string>

namespace assets {

using reports::DrawRule;
using reports::HeavyRule;
using reports::PrintAt;
using reports::PrintText;
using reports::ThinRule;

namespace {

constexpr const char* Title = "資産台帳";
constexpr int Landscape = 2;
constexpr std::int16_t ClassBox = 0;
constexpr std::int16_t SubjectBox = 1;
constexpr std::int16_t SerialBox = 2;
constexpr std::array<std::int16_t, 6> CheckedBoxes{0, 1, 2, 6, 7, 8};
constexpr std::size_t SubjectLength = 6;
constexpr std::size_t SerialLength = 5;

constexpr std::int16_t RightColumn = 110;
constexpr std::int16_t TextSize = 9;
constexpr std::int16_t AssetHeadingRow = 5;
constexpr std::int16_t AssetLineRow = 6;
constexpr std::int16_t RowHeadingRow = 8;
constexpr std::int16_t PageBreakThreshold = 36;
constexpr const char* AmountPattern = "###,###,###,##0";

// The asset block's columns.
constexpr std::int16_t SerialColumn = 26;
constexpr std::int16_t NameColumn = 32;
constexpr std::int16_t AcquiredColumn = 58;
constexpr std::int16_t LifeColumn = 72;
constexpr std::int16_t CostColumn = 79;
constexpr std::int16_t KindColumn = 91;
constexpr std::int16_t RateColumn = 97;
constexpr std::int16_t MethodColumn = 104;

// The depreciation rows' columns.
constexpr std::int16_t CategoryColumn = 15;
constexpr std::int16_t OpeningColumn = 22;
constexpr std::int16_t BaseColumn = 34;
constexpr std::int16_t RowRateColumn = 46;
constexpr std::int16_t MonthsColumn = 56;
constexpr std::int16_t DepreciationColumn = 60;
constexpr std::int16_t AccumulatedColumn = 72;
constexpr std::int16_t RemainingColumn = 84;
constexpr std::int16_t RemarksColumn = 96;

constexpr const char* AssetQuery = "SELECT * FROM F28TB WHERE (F28_KBN >= ?   AND F28_KBN <= ?) "
                                   "ORDER BY  F28_KBN, F28_ACT, F28_SEQ ";
constexpr const char* RowQuery = "SELECT * FROM F50TB WHERE F50_KBN = ?  AND F50_ACT = ?  AND F50_SEQ = ? "
                                 " ORDER BY  F50_YM, F50_STS ";

struct LedgerRanges {
    std::int64_t firstClass = 0, lastClass = 0;
    std::int64_t firstSubject = 0, lastSubject = 0;
    std::int64_t firstSerial = 0, lastSerial = 0;
};

// A box that passed its check as a number; an empty class box reads as class 0.
std::int64_t boxNumber(const reports::ReportDialog& dialog, std::int16_t box) {
    return reports::RangeNumber(dialog.fieldText(box)).value_or(0);
}

bool isClassBox(std::int16_t box) { return box == ClassBox || box == ClassBox + reports::EndBoxOffset; }

// The message for the first fault of a box, or nothing. An empty class box reads as class 0; an empty
// subject or serial box is no bound at all. A class beyond a 16-bit number is too long for its field.
const char* boxFault(reports::ReportDialog& dialog, std::int16_t box) {
    const std::string text = dialog.fieldText(box);
    std::int16_t err = 0;
    ASSLIST_CheckLength(dialog.state(), text, box, err);
    if (err != 0) return reports::TooManyDigitsMessage;
    common::CheckDigits(text, err);
    if (err != 0) return reports::NotDigitsMessage;
    if (isClassBox(box)) {
        const auto number = reports::RangeNumber(text);
        if (!text.empty() && (!number || *number > std::numeric_limits<std::int16_t>::max()))
            return reports::TooManyDigitsMessage;
        return nullptr;
    }
    return text.empty() ? reports::NotDigitsMessage : nullptr;
}

// The ranges of the boxes, when every box passes; else the first fault's message and box.
std::optional<LedgerRanges> rangesOf(reports::ReportDialog& dialog, const char*& message, std::int16_t& faultBox) {
    for (const std::int16_t box : CheckedBoxes) {
        message = boxFault(dialog, box);
        if (message) {
            faultBox = box;
            return std::nullopt;
        }
    }
    constexpr auto end = reports::EndBoxOffset;
    return LedgerRanges{boxNumber(dialog, ClassBox),   boxNumber(dialog, ClassBox + end),
                        boxNumber(dialog, SubjectBox), boxNumber(dialog, SubjectBox + end),
                        boxNumber(dialog, SerialBox),  boxNumber(dialog, SerialBox + end)};
}

class AssetLedgerRun {
public:
    AssetLedgerRun(data::ProgramState& s, platform::Page& page) : s_(s), page_(page), run_(s, page) {}

    // Prints the asset when it lies in the subject and serial ranges; true when it did.
    bool printAsset(const db::QueryRecordset& assetRow, const LedgerRanges& ranges) {
        const data::F28Rec asset = AssetOf(assetRow);
        if (asset.F28_ACT < ranges.firstSubject || asset.F28_ACT > ranges.lastSubject ||
            asset.F28_SEQ < ranges.firstSerial || asset.F28_SEQ > ranges.lastSerial)
            return false;
        auto rows = s_.MainDatabase->openSnapshot(RowQuery, {db::Value(static_cast<std::int64_t>(asset.F28_KBN)),
                                                             db::Value(static_cast<std::int64_t>(asset.F28_ACT)),
                                                             db::Value(static_cast<std::int64_t>(asset.F28_SEQ))});
        if (rows->eof()) {
            printAssetBlock(asset);
            page_.newPage();
        }
        for (; !rows->eof(); rows->moveNext()) {
            const std::int16_t r = run_.beginRow([&] {
                printAssetBlock(asset);
                printRowHeadings();
            });
            printRow(asset, *rows, r);
            run_.endRow(PageBreakThreshold);
        }
        run_.closePage();
        rows->close();
        return true;
    }

private:
    // The asset's frame and columns; the row headings switch to a frame of their own below it.
    void printAssetBlock(const data::F28Rec& asset) {
        reports::SetPageFrame(
            s_, RightColumn, s_.PageGeo[4],
            {SerialColumn, NameColumn, AcquiredColumn, LifeColumn, CostColumn, KindColumn, RateColumn, MethodColumn});
        run_.printPageHeader(Title, Landscape);

        reports::PrintHeadingBand(s_, page_, AssetHeadingRow,
                                  {"　　　　　勘定科目", "　連番", "　　　　　　資産名称", "　　　取得年月日",
                                   " 耐用年数", "　　　取得価格", "　種別", "　償却率", "　方法"});
        DrawRule(s_, page_, "Line", AssetLineRow, HeavyRule);

        const std::int16_t r = AssetLineRow;
        PrintText(s_, page_, s_.PageGeo[1], r, TextSize, reports::SubjectText(s_, asset.F28_KBN, asset.F28_ACT));
        PrintAt(page_, SerialColumn, r, TextSize, common::FormatFix(asset.F28_SEQ, "####0"));
        PrintText(s_, page_, NameColumn, r, TextSize, asset.F28_NAM.str());
        // The era name keeps the blanks it is stored with.
        if (const auto acquired = EraDateOf(s_.F01Record, asset.F28_DAT))
            PrintAt(page_, AcquiredColumn, r, TextSize, acquired->eraName + acquired->text);
        PrintAt(page_, LifeColumn, r, TextSize, common::FormatFix(asset.F28_NEN, "##0") + " 年");
        PrintAt(page_, CostColumn, r, TextSize, common::FormatFix(asset.F28_AMT, AmountPattern));
        PrintText(s_, page_, KindColumn, r, TextSize, AssetKindLabel(asset.F28_SHU, "　"));
        PrintAt(page_, RateColumn, r, TextSize, common::FormatFix(asset.F28_PCT, "##0.0000"));
        PrintText(s_, page_, MethodColumn, r, TextSize, MethodLabel(asset.F28_KND, "　"));
        DrawRule(s_, page_, "Row", r, ThinRule);
        DrawRule(s_, page_, "Line", r + 1, HeavyRule);
    }

    void printRowHeadings() {
        reports::SetPageFrame(s_, RightColumn, s_.PageGeo[4],
                              {CategoryColumn, OpeningColumn, BaseColumn, RowRateColumn, MonthsColumn,
                               DepreciationColumn, AccumulatedColumn, RemainingColumn, RemarksColumn});
        s_.PageGeo[2] = RowHeadingRow;
        reports::PrintHeadingBand(s_, page_, RowHeadingRow,
                                  {"　　年月度", " 償却状況", "　　期首帳簿価額", "　　償却基礎価額", "　　償却率",
                                   "月数", "　　　　　償却額", "　　　累計償却額", "　　　　償却残額", "　　備　　考"});
    }

    void printRow(const data::F28Rec& asset, const db::QueryRecordset& row, std::int16_t r) {
        if (const auto month = EraMonthOf(s_.F01Record, static_cast<std::int32_t>(row.field("F50_YM").asInt())))
            PrintAt(page_, s_.PageGeo[1], r, TextSize, month->eraName + month->text);
        PrintText(s_, page_, CategoryColumn, r, TextSize,
                  RowCategoryLabel(static_cast<std::int16_t>(row.field("F50_STS").asInt()), "　", "最終"));
        const db::Currency accumulated = row.field("F50_CLS").asCurrency();
        PrintAt(page_, OpeningColumn, r, TextSize, common::FormatFix(row.field("F50_OPN").asCurrency(), AmountPattern));
        PrintAt(page_, BaseColumn, r, TextSize, common::FormatFix(row.field("F50_GRS").asCurrency(), AmountPattern));
        PrintAt(page_, RowRateColumn, r, TextSize,
                common::FormatFix(static_cast<float>(row.field("F50_PCT").asDouble()), "####0.0000"));
        PrintAt(page_, MonthsColumn, r, TextSize, common::FormatFix(row.field("F50_MTH").asInt(), "###0"));
        PrintAt(page_, DepreciationColumn, r, TextSize,
                common::FormatFix(row.field("F50_CAL").asCurrency(), AmountPattern));
        PrintAt(page_, AccumulatedColumn, r, TextSize, common::FormatFix(accumulated, AmountPattern));
        PrintAt(page_, RemainingColumn, r, TextSize, common::FormatFix(asset.F28_LMT - accumulated, AmountPattern));
    }

    data::ProgramState& s_;
    platform::Page& page_;
    reports::PageRun run_;
};

} // namespace

void ASSLIST_Init(reports::ReportDialog& dialog) {
    // Without code category 1 there is no digit count and the class box no limit: the last default is
    // then the highest class a subject class holds, so that the defaults pass the check.
    const int digits = data::CodeDigits(dialog.state(), 1);
    const auto classText = [digits](const std::string& text) {
        return digits < 1 ? text : common::lastCharacters(text, static_cast<std::size_t>(digits));
    };
    const std::string lastClass =
        digits < 1 ? std::to_string(std::numeric_limits<std::int16_t>::max()) : classText("999999");
    reports::SetUpTitle(dialog, Title, Landscape);
    reports::SetUpRangeRow(dialog, ClassBox, "科目区分", classText("000001"), lastClass);
    reports::SetUpRangeRow(dialog, SubjectBox, "勘定科目", "000001", "999999");
    reports::SetUpRangeRow(dialog, SerialBox, "連番", "00001", "99999");
}

void ASSLIST_CheckLength(const data::ProgramState& s, const std::string& Text, std::int16_t Index, std::int16_t& Err) {
    std::size_t limit = 0;
    if (isClassBox(Index)) {
        const int digits = data::CodeDigits(s, 1);
        limit = digits < 1 ? 0 : static_cast<std::size_t>(digits);
    } else if (Index == SubjectBox || Index == SubjectBox + reports::EndBoxOffset) {
        limit = SubjectLength;
    } else if (Index == SerialBox || Index == SerialBox + reports::EndBoxOffset) {
        limit = SerialLength;
    }
    Err = (limit > 0 && common::characterCount(Text) > limit) ? 9 : 0;
}

void ASSLIST_Check(reports::ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err) {
    Err = 0;
    const char* message = nullptr;
    std::int16_t box = 0;
    if (rangesOf(dialog, message, box)) return;
    dialog.state().message(message);
    FocusIndex = box;
    Err = 9;
}

bool ASSLIST_Print(reports::ReportDialog& dialog, platform::Page& page) {
    data::ProgramState& s = dialog.state();
    page.setPaperSize(9);
    page.setOrientation(Landscape);

    const char* message = nullptr;
    std::int16_t box = 0;
    const auto ranges = rangesOf(dialog, message, box);
    if (!ranges) {
        s.message(message);
        return false;
    }

    AssetLedgerRun run(s, page);
    return reports::PrintRows(
        s, AssetQuery, {db::Value(ranges->firstClass), db::Value(ranges->lastClass)},
        [&run, &ranges](const db::QueryRecordset& asset) { return run.printAsset(asset, *ranges); },
        [&page] { page.endDoc(); });
}

reports::ReportModule makeAssetLedgerModule() {
    return {
        .init = ASSLIST_Init, .check = ASSLIST_Check, .print = ASSLIST_Print, .title = Title, .orientation = Landscape};
}

} // namespace assets
