#include "reports/voucher_line_cells.h"

#include "common/era_dates.h"
#include "common/formats.h"
#include "data/code_categories.h"
#include "data/fixed_text.h"
#include "data/keyed_access.h"

namespace reports {

namespace {

constexpr std::int16_t DetailCategory = 3;
constexpr std::int16_t SubjectCategory = 1;
constexpr int LastCategoryRow = 20;

std::int16_t digitsOf(const data::ProgramState& s, int category) {
    return static_cast<std::int16_t>(data::CodeDigits(s, category));
}

void appendName(std::string& text, const std::string& name) {
    if (!name.empty()) text += " " + name;
}

} // namespace

std::string SubjectCellText(data::ProgramState& s, std::int16_t kbn, std::int32_t act) {
    std::string text = common::FormatCode(kbn, 3, digitsOf(s, SubjectCategory)) + "-" + common::FormatCode(act, 6, 6);
    s.F21Record.F21_KBN = kbn;
    s.F21Record.F21_ACT = act;
    s.F21Record.F21_SRT = 0;
    std::int16_t status = 9;
    data::F21Access(s, "LOOK", status);
    if (status == 0) text += " " + s.F21Record.F21_NAM.str();
    return text;
}

std::string DescriptionCellText(data::ProgramState& s, const std::string& tek) {
    const std::string code = data::fitText(tek, 6);
    if (code == "000000" || code == "      ") return {};
    std::string text = code;
    s.F18Record.F18_COD = code;
    std::int16_t status = 9;
    data::F18Access(s, "GET", status);
    if (status == 0) text += " " + s.F18Record.F18_DSC.str();
    return text;
}

std::string CodeName(data::ProgramState& s, std::int16_t kbn, std::int32_t code) {
    s.F10Record.F10_KBN = kbn;
    s.F10Record.F10_COD = code;
    std::int16_t status = 9;
    data::F10Access(s, "GET", status);
    return status == 0 ? s.F10Record.F10_DTL.str() : std::string();
}

std::string DetailCellText(data::ProgramState& s, std::int32_t srt, std::int16_t width) {
    if (srt <= 0) return {};
    std::string text = common::FormatCode(srt, width, digitsOf(s, DetailCategory));
    appendName(text, CodeName(s, DetailCategory, srt));
    return text;
}

std::string CounterpartCellText(data::ProgramState& s, std::int16_t knd, std::int32_t cus) {
    if (knd <= 0) return {};
    const std::int16_t digits = digitsOf(s, knd);
    std::string text = common::FormatFix(knd, "#0") + "-" + common::FormatCode(cus, digits, digits);
    if (knd <= LastCategoryRow) appendName(text, CodeName(s, knd, cus));
    return text;
}

std::string EraSlashDate(const data::F01Rec& control, std::int32_t ymd) {
    std::string text;
    std::string code;
    std::int16_t err = 0;
    common::DateToEra(control, ymd, text, code, err);
    if (err != 0 || code.size() < 7) return {};
    return code.substr(1, 2) + "/" + code.substr(3, 2) + "/" + code.substr(5, 2);
}

} // namespace reports
