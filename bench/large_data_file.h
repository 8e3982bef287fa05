// The large data file the benchmarks share: a million voucher lines over ten years (2016 to 2025)
// and 200 subjects without details, made once from the template and kept in the temp folder.
#pragma once

#include <cstdint>
#include <string>

namespace bench_support {

inline constexpr int LineCount = 1'000'000;
inline constexpr int SubjectCount = 200;

// The key of line i of the large file: vouchers numbered 1 up, spread evenly over the ten years.
struct LineKey {
    std::int32_t ymd, dno;
    std::int16_t lin;
};
LineKey lineKey(int i);

struct SubjectKey {
    std::int16_t kbn;
    std::int32_t act;
};
SubjectKey subjectKey(int j);

// A fresh copy of the large file (made first when it is not kept yet), for one run to change as it likes.
// Copies of the same name in one process overwrite each other.
std::string largeFileCopy(const std::string& name = "work");

} // namespace bench_support
