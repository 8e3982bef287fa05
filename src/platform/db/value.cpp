#include "platform/db/value.h"

#include "platform/db/db_error.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace db {

std::int64_t Value::asInt() const {
    if (auto p = std::get_if<std::int64_t>(&v_)) return *p;
    if (auto p = std::get_if<double>(&v_)) {
        // llround has no defined answer beyond 64 bits (or for NaN).
        const double rounded = std::round(*p);
        if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0))
            throw DbError(ValueOutOfRange, "数値が扱える範囲を超えました。");
        return static_cast<std::int64_t>(rounded);
    }
    if (auto p = std::get_if<Currency>(&v_)) return p->roundedWhole();
    if (auto p = std::get_if<std::string>(&v_)) return std::strtoll(p->c_str(), nullptr, 10);
    return 0;
}

double Value::asDouble() const {
    if (auto p = std::get_if<std::int64_t>(&v_)) return static_cast<double>(*p);
    if (auto p = std::get_if<double>(&v_)) return *p;
    if (auto p = std::get_if<Currency>(&v_)) return p->toDouble();
    if (auto p = std::get_if<std::string>(&v_)) return std::strtod(p->c_str(), nullptr);
    return 0.0;
}

Currency Value::asCurrency() const {
    if (auto p = std::get_if<std::int64_t>(&v_)) return Currency::fromWhole(*p);
    if (auto p = std::get_if<double>(&v_)) return Currency::fromDouble(*p);
    if (auto p = std::get_if<Currency>(&v_)) return *p;
    if (auto p = std::get_if<std::string>(&v_)) return Currency::fromDouble(std::strtod(p->c_str(), nullptr));
    return Currency();
}

std::string Value::asText() const {
    if (auto p = std::get_if<std::int64_t>(&v_)) return std::to_string(*p);
    if (auto p = std::get_if<double>(&v_)) {
        std::ostringstream out;
        out << *p;
        return out.str();
    }
    if (auto p = std::get_if<Currency>(&v_)) return p->toString();
    if (auto p = std::get_if<std::string>(&v_)) return *p;
    return {};
}

} // namespace db
