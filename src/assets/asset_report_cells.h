// The cells the asset ledger and the depreciation detail report both print: an era date and the
// names of a row category, an asset kind and a method.
#pragma once

#include "data/records.h"
#include "platform/db/database.h"

#include <cstdint>
#include <optional>
#include <string>

namespace assets {

// A date as the reports print it: the era's name as the control row stores it (four characters,
// blank-padded) and the era date " 8年 4月 1日". Nothing for a date the era conversion refuses.
struct EraDateCell {
    std::string eraName;
    std::string text;
};
std::optional<EraDateCell> EraDateOf(const data::F01Rec& control, std::int64_t ymd);

// The era date of a year-month yyyymm, its day left off: " 8年 4月".
std::optional<EraDateCell> EraMonthOf(const data::F01Rec& control, std::int32_t ym);

// F50_STS as a row category: 0 新規, 1 償却中, 5 売却, 6 廃棄, 8 `finalLabel`, 9 完了, each after
// `lead`; any other value is no category and prints nothing.
std::string RowCategoryLabel(std::int16_t sts, const std::string& lead, const std::string& finalLabel);
// F28_SHU 0 無形, 1 有形; F28_KND 0 定率, 1 定額; each after `lead`, any other value nothing.
std::string AssetKindLabel(std::int16_t shu, const std::string& lead);
std::string MethodLabel(std::int16_t knd, const std::string& lead);

// An asset as the query gives it.
data::F28Rec AssetOf(const db::QueryRecordset& row);

} // namespace assets
