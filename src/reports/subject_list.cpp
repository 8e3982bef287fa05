#include "reports/subject_list.h"

#include "common/formats.h"
#include "common/utf8_text.h"
#include "data/code_categories.h"
#include "reports/page_machinery.h"
#include "reports/report_steps.h"
#include "reports/report_texts.h"

namespace reports {

namespace {

constexpr const char* Title = "勘定科目一覧表";
constexpr int Portrait = 1;
constexpr std::int16_t FirstBox = 0;
constexpr std::int16_t LastBox = FirstBox + EndBoxOffset;
constexpr std::int16_t SubjectCategory = 1;
constexpr std::int16_t DetailCategory = 3;

constexpr std::int16_t RightColumn = 78;
constexpr std::int16_t BottomRow = 60;
constexpr std::int16_t NameColumn = 8;
constexpr std::int16_t SubjectColumn = 19;
constexpr std::int16_t SubjectNameColumn = 24;
constexpr std::int16_t DirectionColumn = 44;
constexpr std::int16_t CashBookColumn = 48;
constexpr std::int16_t DetailColumn = 53;
constexpr std::int16_t DetailNameColumn = 58;
constexpr std::int16_t TextSize = 9;
constexpr std::int16_t PageBreakThreshold = 54;

constexpr const char* Query =
    "SELECT * FROM F21TB WHERE F21_KBN >= ?  AND F21_KBN <= ? ORDER BY F21_KBN, F21_ACT, F21_SRT";

std::int16_t digitsOf(const data::ProgramState& s, std::int16_t category) {
    return static_cast<std::int16_t>(data::CodeDigits(s, category));
}

class SubjectListRun {
public:
    SubjectListRun(data::ProgramState& s, platform::Page& page) : s_(s), page_(page), pages_(s, page) {}

    bool printSubject(const db::QueryRecordset& row) {
        const auto category = static_cast<std::int16_t>(row.field("F21_KBN").asInt());
        const std::int16_t r = pages_.beginRow([this] { printHeader(); });

        if (previousCategory_ != category) {
            PrintAt(page_, s_.PageGeo[1], r, TextSize, common::FormatCode(category, 3, digitsOf(s_, SubjectCategory)));
            if (const auto name = CodeName(s_, SubjectCategory, category))
                PrintText(s_, page_, NameColumn, r, TextSize, *name);
        }
        PrintAt(page_, SubjectColumn, r, TextSize, common::FormatCode(row.field("F21_ACT").asInt(), 6, 6));
        PrintText(s_, page_, SubjectNameColumn, r, TextSize, row.field("F21_NAM").asText());
        PrintAt(page_, DirectionColumn, r, TextSize, row.field("F21_IO").asInt() == 0 ? "入金" : "出金");
        if (row.field("F21_CSH").asInt() == 1) PrintAt(page_, CashBookColumn, r, TextSize, "  外 ");

        const auto detail = static_cast<std::int32_t>(row.field("F21_SRT").asInt());
        if (detail > 0) {
            PrintAt(page_, DetailColumn, r, TextSize, common::FormatCode(detail, 6, digitsOf(s_, DetailCategory)));
            if (const auto name = CodeName(s_, DetailCategory, detail))
                PrintText(s_, page_, DetailNameColumn, r, TextSize, *name);
        }

        pages_.endRow(PageBreakThreshold);
        previousCategory_ = category;
        return true;
    }

    void finish() { pages_.finishRows(); }

private:
    void printHeader() {
        pages_.printListHeader(Title, Portrait,
                               {"区分", "区分名称", "科目", "　　科目名称", "入出", "出納簿", "詳細", "詳細内容"});
        previousCategory_ = 0;
    }

    data::ProgramState& s_;
    platform::Page& page_;
    PageRun pages_;
    std::int16_t previousCategory_ = 0;
};

// The rightmost `digits` characters of `code`; the whole of it when it is not longer.
std::string lastDigits(const std::string& code, std::int16_t digits) {
    const auto count = static_cast<std::size_t>(digits < 0 ? 0 : digits);
    return count >= code.size() ? code : code.substr(code.size() - count);
}

} // namespace

void KAMOKULIST_Init(ReportDialog& dialog) {
    // Without a row for category 1 there is no digit count: the defaults stay empty.
    const std::int16_t digits = digitsOf(dialog.state(), SubjectCategory);
    SetUpTitle(dialog, Title, Portrait);
    SetUpRangeRow(dialog, FirstBox, "科目区分", lastDigits("000001", digits), lastDigits("999999", digits));
}

void KAMOKULIST_CheckLength(const data::ProgramState& s, const std::string& Text, std::int16_t Index,
                            std::int16_t& Err) {
    const auto digits = static_cast<std::size_t>(digitsOf(s, SubjectCategory));
    Err = ((Index == FirstBox || Index == LastBox) && digits > 0 && common::characterCount(Text) > digits) ? 9 : 0;
}

void KAMOKULIST_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err) {
    const data::ProgramState& s = dialog.state();
    CheckRangeRow(
        dialog,
        [&s](const std::string& text, std::int16_t index, std::int16_t& err) {
            KAMOKULIST_CheckLength(s, text, index, err);
        },
        FocusIndex, Err);
}

bool KAMOKULIST_Print(ReportDialog& dialog, platform::Page& page) {
    data::ProgramState& s = dialog.state();
    StartPages(s, page, Portrait, RightColumn, BottomRow,
               {NameColumn, SubjectColumn, SubjectNameColumn, DirectionColumn, CashBookColumn, DetailColumn,
                DetailNameColumn});

    const auto bounds = RangeRowBounds(dialog);
    if (!bounds) return false;
    SubjectListRun run(s, page);
    return PrintRows(
        s, Query, {db::Value(bounds->first), db::Value(bounds->second)},
        [&run](const db::QueryRecordset& row) { return run.printSubject(row); }, [&run] { run.finish(); });
}

ReportModule makeSubjectListModule() {
    return {.init = KAMOKULIST_Init,
            .check = KAMOKULIST_Check,
            .print = KAMOKULIST_Print,
            .title = Title,
            .orientation = Portrait};
}

} // namespace reports
