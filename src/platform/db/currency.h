// Money as the data file keeps it: a 64-bit count of ten-thousandths, so sums stay exact.
#pragma once

#include <compare>
#include <cstdint>
#include <string>

namespace db {

class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t raw) { return Currency(raw); }
    static constexpr Currency fromWhole(std::int64_t whole) { return Currency(whole * Scale); }
    // Rounds to the nearest ten-thousandth, halves away from zero.
    static Currency fromDouble(double value);

    constexpr std::int64_t raw() const { return raw_; }
    // The whole number nearest the value, halves away from zero.
    std::int64_t roundedWhole() const;
    double toDouble() const { return static_cast<double>(raw_) / Scale; }
    // Plain decimal text without trailing zeros: "1500", "-20", "12.5".
    std::string toString() const;

    constexpr auto operator<=>(const Currency&) const = default;
    constexpr Currency operator-() const { return Currency(-raw_); }
    constexpr Currency& operator+=(Currency other) {
        raw_ += other.raw_;
        return *this;
    }
    constexpr Currency& operator-=(Currency other) {
        raw_ -= other.raw_;
        return *this;
    }
    friend constexpr Currency operator+(Currency a, Currency b) { return a += b; }
    friend constexpr Currency operator-(Currency a, Currency b) { return a -= b; }
    friend constexpr Currency operator*(Currency a, std::int64_t n) { return Currency(a.raw_ * n); }

private:
    constexpr explicit Currency(std::int64_t raw) : raw_(raw) {}
    std::int64_t raw_ = 0;
};

} // namespace db
