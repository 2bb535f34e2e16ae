#include "storage/Decimal.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace pedserver {
namespace {

__extension__ typedef __int128 Int128;

std::int64_t RoundDiv(Int128 value, std::int64_t divisor) {
    const Int128 half = divisor / 2;
    return static_cast<std::int64_t>(value >= 0 ? (value + half) / divisor : (value - half) / divisor);
}

} // namespace

Decimal Decimal::Parse(const std::string& text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative || (!text.empty() && text[0] == '+'))
        ++i;
    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    std::int64_t fractionScale = kScale;
    bool digits = false;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i, digits = true)
        whole = whole * 10 + (text[i] - '0');
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i, digits = true) {
            // Places beyond the fourth are below what any column keeps; they are dropped.
            if (fractionScale > 1) {
                fractionScale /= 10;
                fraction += (text[i] - '0') * fractionScale;
            }
        }
    }
    if (!digits || i != text.size())
        throw std::invalid_argument("número inválido: " + text);
    const std::int64_t units = whole * kScale + fraction;
    return Decimal(negative ? -units : units);
}

Decimal Decimal::FromValue(const sqldb::Value& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value))
        return Decimal(*integer * kScale);
    if (const auto* real = std::get_if<double>(&value)) {
        // SQLite keeps NUMERIC columns with a fraction as doubles; four places recover the
        // decimal that was stored. Within 2^53 units the nearest unit is exact, and much cheaper
        // than writing the number out.
        const double units = *real * static_cast<double>(kScale);
        if (std::fabs(units) < 9007199254740992.0)
            return Decimal(std::llround(units));
        char text[64];
        std::snprintf(text, sizeof text, "%.4f", *real);
        return Parse(text);
    }
    if (sqldb::IsNull(value))
        return Decimal();
    return Parse(std::get<std::string>(value));
}

Decimal Decimal::Times(const Decimal& other) const {
    return Decimal(RoundDiv(static_cast<Int128>(m_units) * other.m_units, kScale));
}

Decimal Decimal::RoundedToCents() const {
    return Decimal(RoundDiv(m_units, 100) * 100);
}

std::string Decimal::ToText() const {
    const std::int64_t magnitude = std::llabs(m_units);
    std::string fraction = std::to_string(kScale + magnitude % kScale).substr(1);
    while (fraction.size() > 2 && fraction.back() == '0')
        fraction.pop_back();
    return (m_units < 0 ? "-" : "") + std::to_string(magnitude / kScale) + "." + fraction;
}

std::string Decimal::ToReais() const {
    const std::int64_t cents = std::llabs(RoundedToCents().m_units / 100);
    std::string whole = std::to_string(cents / 100);
    for (std::size_t at = whole.size(); at > 3; at -= 3)
        whole.insert(at - 3, 1, '.');
    const std::string centavos = std::to_string(100 + cents % 100).substr(1);
    return std::string(m_units < 0 ? "-" : "") + "R$ " + whole + "," + centavos;
}

} // namespace pedserver
