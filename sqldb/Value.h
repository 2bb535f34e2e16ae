#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace sqldb {

// A column value or a bound parameter; std::monostate is SQL NULL.
using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

inline bool IsNull(const Value& value) {
    return std::holds_alternative<std::monostate>(value);
}

// The value as text: NULL is the empty text, numbers in their shortest exact form.
std::string AsText(const Value& value);

// The value as an integer; a text must hold an integer. NULL is 0.
std::int64_t AsInt(const Value& value);

} // namespace sqldb
