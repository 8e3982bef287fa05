#include "reports/era_period.h"

#include "common/era_dates.h"
#include "common/input_checks.h"
#include "common/utf8_text.h"
#include "reports/report_texts.h"

namespace reports {

namespace {

bool digitsOnly(const std::string& text) {
    std::int16_t err = 0;
    common::CheckDigits(text, err);
    return err == 0;
}

} // namespace

std::optional<std::int32_t> EraPeriodFirstDay(const data::F01Rec& control, const std::string& text, std::size_t digits,
                                              const std::string& dayPart) {
    if (text.empty() || text.size() > digits || !digitsOnly(text)) return std::nullopt;
    std::string period = std::to_string(std::stoll(text));
    period.insert(0, digits - period.size(), '0');
    std::string ymd;
    std::int16_t err = 0;
    common::EraToDate(control, static_cast<std::int16_t>(period[0] - '0'), period.substr(1) + dayPart, ymd, err);
    if (err != 0) return std::nullopt;
    return static_cast<std::int32_t>(std::stol(ymd));
}

const char* EraPeriodFault(const data::F01Rec& control, const std::string& text, std::size_t digits,
                           const std::string& dayPart) {
    if (common::characterCount(text) > digits) return TooManyDigitsMessage;
    if (!digitsOnly(text)) return NotDigitsMessage;
    if (!EraPeriodFirstDay(control, text, digits, dayPart)) return BadDateMessage;
    return nullptr;
}

} // namespace reports
