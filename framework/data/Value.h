#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace data {

// A field value. Dates and date-times are doubles (days since 1899-12-30); monostate is null.
using Value = std::variant<std::monostate, std::string, double, std::int64_t, bool>;

inline bool IsNullValue(const Value& value) {
    return std::holds_alternative<std::monostate>(value);
}

} // namespace data
