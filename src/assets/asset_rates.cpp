#include "assets/asset_rates.h"

#include "common/input_checks.h"

#include <charconv>
#include <cmath>

namespace assets {

const std::array<float, 66>& DecliningRate() {
    // The table, not 1 - 0.1^(1/life): lives 24 and 34 differ from the formula, 46, 48 and 49 have no rate.
    static const std::array<float, 66> rates = [] {
        std::array<float, 66> r{};
        const float table[] = {0.684f, 0.536f, 0.438f, 0.369f, 0.319f, 0.280f, 0.250f, 0.226f, 0.206f, 0.189f,
                               0.175f, 0.162f, 0.152f, 0.142f, 0.134f, 0.127f, 0.120f, 0.114f, 0.109f, 0.104f,
                               0.099f, 0.095f, 0.092f, 0.088f, 0.085f, 0.082f, 0.079f, 0.076f, 0.074f, 0.072f,
                               0.069f, 0.067f, 0.066f, 0.064f, 0.062f, 0.060f, 0.059f, 0.057f, 0.056f, 0.055f,
                               0.053f, 0.052f, 0.051f, 0.050f, 0.0f,   0.048f, 0.0f,   0.0f,   0.045f};
        for (std::size_t life = 2; life <= 50; ++life)
            r[life] = table[life - 2];
        return r;
    }();
    return rates;
}

const std::array<float, 2>& LimitPercent() {
    static const std::array<float, 2> percent{100.0f, 95.0f};
    return percent;
}

float StraightLineRate(int life) {
    if (life < 1) return 0.0f;
    const double thousandths = 1000.0 / life;
    const double whole = life <= 20 ? std::floor(thousandths) : std::floor(thousandths + 0.9);
    return static_cast<float>(whole / 1000.0);
}

float ProposeRate(int life, int method) {
    if (method != DecliningBalance) return StraightLineRate(life);
    if (life < 0 || life >= static_cast<int>(DecliningRate().size())) return 0.0f;
    return DecliningRate()[static_cast<std::size_t>(life)];
}

db::Currency ProposeLimit(db::Currency cost, int kind) {
    const float percent = LimitPercent()[kind == Intangible ? 0 : 1];
    return RoundHalfUp(cost.toDouble() * static_cast<double>(percent) / 100.0);
}

std::optional<float> ParseRate(const std::string& text) {
    // An amount keeps four decimals; a rate keeps what was typed.
    if (!common::ParseAmount(text)) return std::nullopt;
    std::string number;
    bool negative = false;
    for (char c : text) {
        if (c == '-') negative = true;
        if (c != '-' && c != '+' && c != ',') number += c;
    }
    double value = 0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return static_cast<float>(negative ? -value : value);
}

db::Currency RoundHalfUp(double value) {
    // Through the currency type, which refuses a result it cannot hold (NaN too) before it becomes an integer;
    // its whole part taken again keeps large amounts whole where a double's ten-thousandths are no longer exact.
    return db::Currency::fromWhole(db::Currency::fromDouble(std::floor(value + 0.5)).roundedWhole());
}

} // namespace assets
