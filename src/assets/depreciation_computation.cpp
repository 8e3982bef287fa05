#include "assets/depreciation_computation.h"

#include "assets/asset_rates.h"
#include "platform/db/db_error.h"

#include <limits>

namespace assets {

namespace {

// The month count is a 16-bit field: dates or a life far outside reality must not wrap into a likely count.
std::int16_t checkedMonths(int months) {
    if (months < std::numeric_limits<std::int16_t>::min() || months > std::numeric_limits<std::int16_t>::max())
        throw db::DbError(db::ValueOutOfRange, "月数が扱える範囲を超えました。");
    return static_cast<std::int16_t>(months);
}

} // namespace

bool IsRowCategory(std::int64_t value) {
    return value == NewRow || value == Depreciating || value == Sold || value == Scrapped || value == FinalRow ||
           value == Completed;
}

const std::array<std::string, 11>& CategoryNames() {
    static const std::array<std::string, 11> names = [] {
        std::array<std::string, 11> n;
        n.fill("   ");
        n[NewRow] = "新規　";
        n[Depreciating] = "償却中";
        n[Sold] = "売却　";
        n[Scrapped] = "廃棄　";
        n[FinalRow] = "最終　";
        n[Completed] = "完了　";
        return n;
    }();
    return names;
}

std::int32_t LastDepreciationMonth(const data::F28Rec& asset) {
    int year = asset.F28_DAT / 10000 + asset.F28_NEN;
    int month = asset.F28_DAT / 100 % 100 - 1;
    if (month < 1) {
        month = 12;
        --year;
    }
    return year * 100 + month;
}

MonthCount CountDepreciationMonths(const data::F28Rec& asset, std::int32_t current, std::int32_t start,
                                   bool startCounts) {
    MonthCount count;
    count.current = current;
    if (current < start) {
        count.status = CountBeforeStart;
        return count;
    }
    const std::int32_t last = LastDepreciationMonth(asset);
    if (current == last) count.status = CountAtLastMonth;
    if (current > last) {
        count.status = CountPastLastMonth;
        count.current = last;
    }
    const int months = (count.current / 100 - start / 100) * 12 + (count.current % 100 - start % 100);
    count.months = checkedMonths(startCounts ? months + 1 : months);
    if (count.months > 12 && count.status == CountInRange) count.status = CountOverTwelve;
    return count;
}

std::int16_t ProposeCategory(const data::F28Rec& asset, const std::vector<RowKey>& rows, std::int32_t rowYM) {
    const RowKey* found = nullptr;
    for (const RowKey& row : rows)
        if (row.ym <= rowYM) found = &row;
    if (!found) return NewRow;
    if (found->category == NewRow || found->category == Depreciating) {
        // The row that reaches the end of the useful life is the final one.
        const MonthCount count = CountDepreciationMonths(asset, rowYM, found->ym, false);
        return count.status == CountPastLastMonth || count.status == CountAtLastMonth ? FinalRow : Depreciating;
    }
    if (found->category == FinalRow) return Completed;
    return found->category;
}

bool CategoryFollows(std::int16_t category, const PreviousRow& previous) {
    switch (category) {
    case NewRow:
        return !previous.exists;
    case Depreciating:
    case FinalRow:
        return previous.exists && (previous.category == NewRow || previous.category == Depreciating);
    case Completed:
        return previous.exists && previous.category == FinalRow;
    case Sold:
    case Scrapped:
        return true;
    default:
        return false;
    }
}

db::Currency StraightLineBase(const data::F28Rec& asset) {
    return RoundHalfUp(asset.F28_AMT.toDouble() * static_cast<double>(StraightLineBasePct) / 100.0);
}

data::F50Rec SeedRow(const data::F28Rec& asset, std::int32_t ym, std::int16_t category) {
    data::F50Rec row;
    row.F50_KBN = asset.F28_KBN;
    row.F50_ACT = asset.F28_ACT;
    row.F50_SEQ = asset.F28_SEQ;
    row.F50_YM = ym;
    row.F50_STS = category;
    row.F50_PCT = asset.F28_PCT;
    row.F50_GRS = asset.F28_KND == DecliningBalance ? asset.F28_AMT : StraightLineBase(asset);
    row.F50_OPN = asset.F28_LMT;
    return row;
}

void SeedAfter(const data::F28Rec& asset, const data::F50Rec& previousRow, data::F50Rec& row, PreviousRow& previous) {
    row.F50_GRS = asset.F28_KND == DecliningBalance ? asset.F28_AMT - previousRow.F50_CLS : StraightLineBase(asset);
    row.F50_OPN = asset.F28_LMT - previousRow.F50_CLS;
    previous.exists = true;
    previous.ym = previousRow.F50_YM;
    previous.category = previousRow.F50_STS;
    previous.accumulated = previousRow.F50_CLS;
}

MonthCount CalcDepreciation(const data::F28Rec& asset, const PreviousRow& previous, data::F50Rec& row) {
    MonthCount count;
    count.current = row.F50_YM;
    switch (row.F50_STS) {
    case NewRow:
    case Depreciating:
    case FinalRow: {
        const bool first = row.F50_STS == NewRow;
        const std::int32_t start = first ? asset.F28_DAT / 100 : previous.ym;
        count = CountDepreciationMonths(asset, row.F50_YM, start, first);
        if (count.status == CountBeforeStart || count.status == CountOverTwelve) return count;
        // In double precision and in this order; the rate is the stored single-precision value widened.
        const db::Currency depreciation = RoundHalfUp(row.F50_GRS.toDouble() * static_cast<double>(row.F50_PCT) *
                                                      (static_cast<double>(count.months) / 12.0));
        const db::Currency accumulated = first ? depreciation : previous.accumulated + depreciation;
        // A figure out of range has ended the computation by now, before the row was touched.
        row.F50_MTH = count.months;
        row.F50_CAL = depreciation;
        row.F50_CLS = accumulated;
        return count;
    }
    case Completed:
        row.F50_CAL = asset.F28_LMT - previous.accumulated;
        row.F50_MTH = 0;
        row.F50_CLS = asset.F28_LMT;
        return count;
    default:
        row.F50_MTH = 0;
        row.F50_CAL = db::Currency();
        row.F50_CLS = previous.accumulated;
        return count;
    }
}

} // namespace assets
