#include "assets/asset_report_cells.h"

#include "common/era_dates.h"
#include "common/utf8_text.h"
#include "data/keyed_access.h"

namespace assets {

namespace {

// The first `count` characters of a UTF-8 text.
std::string firstCharacters(const std::string& text, std::size_t count) {
    std::size_t taken = 0;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (common::isContinuationByte(text[pos])) continue;
        if (taken++ == count) return text.substr(0, pos);
    }
    return text;
}

constexpr std::size_t YearMonthCharacters = 6;

} // namespace

std::optional<EraDateCell> EraDateOf(const data::F01Rec& control, std::int64_t ymd) {
    std::string text;
    std::string code;
    std::int16_t err = 0;
    common::DateToEra(control, ymd, text, code, err);
    if (err != 0 || code.empty()) return std::nullopt;
    const int era = code[0] - '0';
    if (era < 1 || era >= static_cast<int>(control.F01_NENG.size())) return EraDateCell{{}, text};
    return EraDateCell{control.F01_NENG[static_cast<std::size_t>(era)].str(), text};
}

std::optional<EraDateCell> EraMonthOf(const data::F01Rec& control, std::int32_t ym) {
    auto cell = EraDateOf(control, static_cast<std::int64_t>(ym) * 100 + 1);
    if (cell) cell->text = firstCharacters(cell->text, YearMonthCharacters);
    return cell;
}

std::string RowCategoryLabel(std::int16_t sts, const std::string& lead, const std::string& finalLabel) {
    switch (sts) {
    case 0:
        return lead + "新規";
    case 1:
        return lead + "償却中";
    case 5:
        return lead + "売却";
    case 6:
        return lead + "廃棄";
    case 8:
        return lead + finalLabel;
    case 9:
        return lead + "完了";
    default:
        return {};
    }
}

std::string AssetKindLabel(std::int16_t shu, const std::string& lead) {
    return shu == 0 ? lead + "無形" : shu == 1 ? lead + "有形" : std::string();
}

std::string MethodLabel(std::int16_t knd, const std::string& lead) {
    return knd == 0 ? lead + "定率" : knd == 1 ? lead + "定額" : std::string();
}

data::F28Rec AssetOf(const db::QueryRecordset& row) {
    data::F28Rec asset;
    data::ReadRow(asset, row);
    return asset;
}

} // namespace assets
