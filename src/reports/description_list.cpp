#include "reports/description_list.h"

#include "common/utf8_text.h"
#include "reports/page_machinery.h"
#include "reports/report_steps.h"
#include "reports/report_texts.h"

namespace reports {

namespace {

constexpr const char* Title = "摘要一覧表";
constexpr int Portrait = 1;
constexpr std::int16_t FirstBox = 0;
constexpr std::int16_t LastBox = FirstBox + EndBoxOffset;
constexpr std::size_t CodeLength = 6;

constexpr std::int16_t RightColumn = 77;
constexpr std::int16_t BottomRow = 60;
constexpr std::int16_t NameColumn = 10;
constexpr std::int16_t SubjectColumn = 30;
constexpr std::int16_t DetailColumn = 46;
constexpr std::int16_t CounterpartColumn = 61;
constexpr std::int16_t CodeSize = 9;
constexpr std::int16_t TextSize = 7;
constexpr std::int16_t PageBreakThreshold = 54;

constexpr const char* Query = "SELECT * FROM F18TB WHERE F18_COD >= ?  AND F18_COD <= ? ORDER BY F18_COD";

class DescriptionListRun {
public:
    DescriptionListRun(data::ProgramState& s, platform::Page& page) : s_(s), page_(page), pages_(s, page) {}

    bool printDescription(const db::QueryRecordset& row) {
        const std::int16_t r = pages_.beginRow([this] { printHeader(); });
        PrintText(s_, page_, s_.PageGeo[1], r, CodeSize, row.field("F18_COD").asText());
        PrintText(s_, page_, NameColumn, r, TextSize, row.field("F18_DSC").asText());
        PrintText(s_, page_, SubjectColumn, r, TextSize,
                  SubjectText(s_, static_cast<std::int16_t>(row.field("F18_KBN").asInt()),
                              static_cast<std::int32_t>(row.field("F18_ACT").asInt())));
        PrintText(s_, page_, DetailColumn, r, TextSize,
                  DetailText(s_, static_cast<std::int32_t>(row.field("F18_SRT").asInt())));
        PrintText(s_, page_, CounterpartColumn, r, TextSize,
                  CounterpartText(s_, static_cast<std::int16_t>(row.field("F18_KND").asInt()),
                                  static_cast<std::int32_t>(row.field("F18_CUS").asInt())));
        pages_.endRow(PageBreakThreshold);
        return true;
    }

    void finish() { pages_.finishRows(); }

private:
    void printHeader() {
        pages_.printListHeader(Title, Portrait,
                               {"コード", "　　摘要名称", "　　勘定科目", "　　詳　　細", "　　相 手 先"});
    }

    data::ProgramState& s_;
    platform::Page& page_;
    PageRun pages_;
};

// A bound as the codes are stored: the number zero-filled to six digits.
std::string codeBound(std::int64_t number) {
    std::string text = std::to_string(number);
    if (text.size() < CodeLength) text.insert(0, CodeLength - text.size(), '0');
    return text;
}

} // namespace

void TEKILIST_Init(ReportDialog& dialog) {
    SetUpTitle(dialog, Title, Portrait);
    SetUpRangeRow(dialog, FirstBox, "摘要コードの範囲", "000001", "999999");
}

void TEKILIST_CheckLength(const std::string& Text, std::int16_t Index, std::int16_t& Err) {
    Err = ((Index == FirstBox || Index == LastBox) && common::characterCount(Text) > CodeLength) ? 9 : 0;
}

void TEKILIST_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err) {
    CheckRangeRow(dialog, TEKILIST_CheckLength, FocusIndex, Err);
}

bool TEKILIST_Print(ReportDialog& dialog, platform::Page& page) {
    data::ProgramState& s = dialog.state();
    StartPages(s, page, Portrait, RightColumn, BottomRow, {NameColumn, SubjectColumn, DetailColumn, CounterpartColumn});

    const auto bounds = RangeRowBounds(dialog);
    if (!bounds) return false;
    DescriptionListRun run(s, page);
    return PrintRows(
        s, Query, {db::Value(codeBound(bounds->first)), db::Value(codeBound(bounds->second))},
        [&run](const db::QueryRecordset& row) { return run.printDescription(row); }, [&run] { run.finish(); });
}

ReportModule makeDescriptionListModule() {
    return {.init = TEKILIST_Init,
            .check = TEKILIST_Check,
            .print = TEKILIST_Print,
            .title = Title,
            .orientation = Portrait};
}

} // namespace reports
