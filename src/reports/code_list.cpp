#include "reports/code_list.h"

#include "common/formats.h"
#include "common/utf8_text.h"
#include "data/code_categories.h"
#include "reports/page_machinery.h"
#include "reports/report_steps.h"
#include "reports/report_texts.h"

#include <array>

namespace reports {

namespace {

constexpr const char* Title = "コード一覧表";
constexpr int Portrait = 1;
constexpr std::int16_t FirstBox = 0;
constexpr std::int16_t LastBox = FirstBox + EndBoxOffset;
constexpr std::size_t CategoryLength = 2;

constexpr std::int16_t RightColumn = 78;
constexpr std::int16_t BottomRow = 60;
constexpr std::int16_t NameColumn = 8;
constexpr std::int16_t CodeColumn = 24;
constexpr std::int16_t TextColumn = 30;
constexpr std::array<std::int16_t, 4> RemarkColumns{50, 57, 64, 71};
constexpr std::int16_t TextSize = 9;
constexpr std::int16_t RemarkSize = 7;
constexpr std::int16_t PageBreakThreshold = 54;

constexpr const char* Query = "SELECT * FROM F10TB WHERE F10_KBN >= ?  AND F10_KBN <= ? ORDER BY F10_KBN, F10_COD ";

class CodeListRun {
public:
    CodeListRun(data::ProgramState& s, platform::Page& page) : s_(s), page_(page), pages_(s, page) {}

    bool printCode(const db::QueryRecordset& row) {
        const auto category = static_cast<std::int16_t>(row.field("F10_KBN").asInt());
        const std::int16_t r = pages_.beginRow([this] { printHeader(); });

        if (previousCategory_ != category) {
            PrintAt(page_, s_.PageGeo[1], r, TextSize, common::FormatCode(category, 3, 2));
            PrintText(s_, page_, NameColumn, r, TextSize, categoryName(category));
        }
        const auto digits = static_cast<std::int16_t>(data::CodeDigits(s_, category));
        PrintAt(page_, CodeColumn, r, TextSize, common::FormatCode(row.field("F10_COD").asInt(), 6, digits));
        PrintText(s_, page_, TextColumn, r, TextSize, row.field("F10_DTL").asText());
        for (std::size_t i = 0; i < RemarkColumns.size(); ++i)
            PrintText(s_, page_, RemarkColumns[i], r, RemarkSize,
                      row.field("F10_CNV" + std::to_string(i + 1)).asText());

        pages_.endRow(PageBreakThreshold);
        previousCategory_ = category;
        return true;
    }

    void finish() { pages_.finishRows(); }

private:
    // Categories beyond the table's twenty rows have no name.
    std::string categoryName(std::int16_t category) const {
        if (category < 1 || category >= static_cast<std::int16_t>(s_.CodeKbnTable.size())) return {};
        return s_.CodeKbnTable[static_cast<std::size_t>(category)][2];
    }

    void printHeader() {
        pages_.printListHeader(
            Title, Portrait,
            {"区分", "区分名称", "コード", "     内     容", " 備考１", " 備考２", " 備考３", " 備考４"});
        previousCategory_ = 0;
    }

    data::ProgramState& s_;
    platform::Page& page_;
    PageRun pages_;
    std::int16_t previousCategory_ = 0;
};

} // namespace

void CLIST_Init(ReportDialog& dialog) {
    SetUpTitle(dialog, Title, Portrait);
    SetUpRangeRow(dialog, FirstBox, "コード区分", "01", "99");
}

void CLIST_CheckLength(const std::string& Text, std::int16_t Index, std::int16_t& Err) {
    Err = ((Index == FirstBox || Index == LastBox) && common::characterCount(Text) > CategoryLength) ? 9 : 0;
}

void CLIST_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err) {
    CheckRangeRow(dialog, CLIST_CheckLength, FocusIndex, Err);
}

bool CLIST_Print(ReportDialog& dialog, platform::Page& page) {
    data::ProgramState& s = dialog.state();
    StartPages(
        s, page, Portrait, RightColumn, BottomRow,
        {NameColumn, CodeColumn, TextColumn, RemarkColumns[0], RemarkColumns[1], RemarkColumns[2], RemarkColumns[3]});

    const auto bounds = RangeRowBounds(dialog);
    if (!bounds) return false;
    CodeListRun run(s, page);
    return PrintRows(
        s, Query, {db::Value(bounds->first), db::Value(bounds->second)},
        [&run](const db::QueryRecordset& row) { return run.printCode(row); }, [&run] { run.finish(); });
}

ReportModule makeCodeListModule() {
    return {.init = CLIST_Init, .check = CLIST_Check, .print = CLIST_Print, .title = Title, .orientation = Portrait};
}

} // namespace reports
