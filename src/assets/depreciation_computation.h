// The rules of an asset's depreciation rows: the month count, the category proposed for a year-month,
// the category allowed after the previous row, the seeding of a new row and its computation.
// They work on copies the caller holds, so they need no window and touch no shared buffer.
#pragma once

#include "data/records.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace assets {

// Row categories (F50_STS).
inline constexpr std::int16_t NewRow = 0;
inline constexpr std::int16_t Depreciating = 1;
inline constexpr std::int16_t Sold = 5;
inline constexpr std::int16_t Scrapped = 6;
inline constexpr std::int16_t FinalRow = 8;
inline constexpr std::int16_t Completed = 9;

// Whether a value is one of the six categories.
bool IsRowCategory(std::int64_t value);
// The names of the categories by value 0 to 10; the other values hold blanks.
const std::array<std::string, 11>& CategoryNames();

// The share of the cost, in percent, that is the base of straight-line depreciation.
inline constexpr float StraightLineBasePct = 90.0f;

// Statuses of a month count.
inline constexpr std::int16_t CountInRange = 0;
inline constexpr std::int16_t CountBeforeStart = 1;
inline constexpr std::int16_t CountPastLastMonth = 2; // the year-month has been replaced by the last month
inline constexpr std::int16_t CountOverTwelve = 3;
inline constexpr std::int16_t CountAtLastMonth = 9;

struct MonthCount {
    std::int16_t months = 0;
    std::int16_t status = CountInRange;
    std::int32_t current = 0; // the counted year-month; the last month when status is CountPastLastMonth
};

// The last month (yyyymm) of the asset's useful life: the month before the acquisition month, `F28_NEN` years on.
std::int32_t LastDepreciationMonth(const data::F28Rec& asset);

// The months from `start` to `current` (both yyyymm). A first row counts the acquisition month itself
// (`startCounts`); a further row counts from the month after its previous row. A count beyond 16 bits
// raises DbError (ValueOutOfRange).
MonthCount CountDepreciationMonths(const data::F28Rec& asset, std::int32_t current, std::int32_t start,
                                   bool startCounts);

// A stored row's place: its year-month and category, in the order of the asset's rows.
struct RowKey {
    std::int32_t ym = 0;
    std::int16_t category = 0;
};

// The category proposed for a row at `rowYM`, from the asset's stored rows in their order.
std::int16_t ProposeCategory(const data::F28Rec& asset, const std::vector<RowKey>& rows, std::int32_t rowYM);

// The previous row of the row being entered, as the computation reads it.
struct PreviousRow {
    bool exists = false;
    std::int32_t ym = 0;
    std::int16_t category = 0;
    db::Currency accumulated;
};

// Whether a new row of `category` may follow the previous row: a new row (0) only as the first row,
// 1 and 8 only after a row of 0 or 1, 9 only after 8; 5 and 6 always.
bool CategoryFollows(std::int16_t category, const PreviousRow& previous);

// Int(cost × 90 ÷ 100 + 0.5): the same base for every row of a straight-line asset.
db::Currency StraightLineBase(const data::F28Rec& asset);

// A new row at (`ym`, `category`) seeded from the asset alone (`previous` empty) or after `previousRow`;
// months, depreciation and accumulation are left to the computation.
data::F50Rec SeedRow(const data::F28Rec& asset, std::int32_t ym, std::int16_t category);
void SeedAfter(const data::F28Rec& asset, const data::F50Rec& previousRow, data::F50Rec& row, PreviousRow& previous);

// Sets the row's months, depreciation and accumulated depreciation for its category. The count's
// result is returned for categories 0, 1 and 8 (status 1 or 3: the row is left as it was). A month count
// or an amount beyond its field raises DbError (ValueOutOfRange), the row left as it was too.
MonthCount CalcDepreciation(const data::F28Rec& asset, const PreviousRow& previous, data::F50Rec& row);

} // namespace assets
