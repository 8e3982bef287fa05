#include "data/cash_lines.h"

#include "data/keyed_access.h"

namespace data {

bool IsCashLine(ProgramState& s, std::int16_t category, std::int32_t subject, std::int32_t detail) {
    auto& r = s.F21Record;
    r.F21_KBN = category;
    r.F21_ACT = subject;
    r.F21_SRT = detail;
    std::int16_t status = 0;
    F21Access(s, "GET", status);
    if (status > 0 && detail > 0) {
        r.F21_SRT = 0;
        F21Access(s, "GET", status);
    }
    return status == 0 && r.F21_CSH == 0;
}

} // namespace data
