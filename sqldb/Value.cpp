#include "sqldb/Value.h"

#include "sqldb/SqlError.h"

#include <charconv>
#include <cmath>

namespace sqldb {

std::string AsText(const Value& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    if (const auto* integer = std::get_if<std::int64_t>(&value))
        return std::to_string(*integer);
    if (const auto* real = std::get_if<double>(&value)) {
        char buffer[64];
        auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, *real);
        return std::string(buffer, end);
    }
    return {};
}

std::int64_t AsInt(const Value& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value))
        return *integer;
    if (const auto* real = std::get_if<double>(&value)) {
        if (std::trunc(*real) != *real)
            throw SqlError("valor não inteiro: " + AsText(value));
        return static_cast<std::int64_t>(*real);
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        std::int64_t result = 0;
        auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), result);
        if (error != std::errc() || end != text->data() + text->size())
            throw SqlError("valor não inteiro: " + *text);
        return result;
    }
    return 0;
}

} // namespace sqldb
