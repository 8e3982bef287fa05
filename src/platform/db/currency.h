// Money as the data file keeps it: a 64-bit count of ten-thousandths, so sums stay exact.
// Every operation is checked: a result beyond the count's range raises DbError (ValueOutOfRange),
// so a job rolls back instead of committing a wrapped figure.
#pragma once

#include "platform/db/db_error.h"

#include <compare>
#include <cstdint>
#include <string>

namespace db {

class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t raw) { return Currency(raw); }
    static constexpr Currency fromWhole(std::int64_t whole) { return Currency(checked(multiplied(whole, Scale))); }
    // Rounds to the nearest ten-thousandth, halves away from zero.
    static Currency fromDouble(double value);

    constexpr std::int64_t raw() const { return raw_; }
    // The whole number nearest the value, halves away from zero.
    std::int64_t roundedWhole() const;
    double toDouble() const { return static_cast<double>(raw_) / Scale; }
    // Plain decimal text without trailing zeros: "1500", "-20", "12.5".
    std::string toString() const;

    constexpr auto operator<=>(const Currency&) const = default;
    constexpr Currency operator-() const { return Currency(checked(negated(raw_))); }
    constexpr Currency& operator+=(Currency other) {
        raw_ = checked(added(raw_, other.raw_));
        return *this;
    }
    constexpr Currency& operator-=(Currency other) {
        raw_ = checked(subtracted(raw_, other.raw_));
        return *this;
    }
    friend constexpr Currency operator+(Currency a, Currency b) { return a += b; }
    friend constexpr Currency operator-(Currency a, Currency b) { return a -= b; }
    friend constexpr Currency operator*(Currency a, std::int64_t n) { return Currency(checked(multiplied(a.raw_, n))); }

private:
    constexpr explicit Currency(std::int64_t raw) : raw_(raw) {}

    struct Result {
        std::int64_t value;
        bool overflow;
    };
    static constexpr Result added(std::int64_t a, std::int64_t b) {
        std::int64_t r = 0;
        const bool overflow = __builtin_add_overflow(a, b, &r);
        return {r, overflow};
    }
    static constexpr Result subtracted(std::int64_t a, std::int64_t b) {
        std::int64_t r = 0;
        const bool overflow = __builtin_sub_overflow(a, b, &r);
        return {r, overflow};
    }
    static constexpr Result multiplied(std::int64_t a, std::int64_t b) {
        std::int64_t r = 0;
        const bool overflow = __builtin_mul_overflow(a, b, &r);
        return {r, overflow};
    }
    static constexpr Result negated(std::int64_t a) { return subtracted(0, a); }
    static constexpr std::int64_t checked(Result result) {
        if (result.overflow) throwOverflow();
        return result.value;
    }
    [[noreturn]] static void throwOverflow();

    std::int64_t raw_ = 0;
};

} // namespace db
