#pragma once

#include "sqldb/Value.h"

#include <cstdint>
#include <string>

namespace pedserver {

// An exact decimal with four places, for quantities and money; never a binary fraction, so
// sums and balances come out to the centavo.
class Decimal {
public:
    static constexpr std::int64_t kScale = 10000;

    Decimal() = default;
    static Decimal FromCents(std::int64_t cents) { return Decimal(cents * 100); }
    // Reads a database value: exact text from PostgreSQL, a number or text from SQLite.
    static Decimal FromValue(const sqldb::Value& value);
    // "1234.5", "-0.01", "7"; throws std::invalid_argument on anything else.
    static Decimal Parse(const std::string& text);

    std::int64_t Units() const { return m_units; }
    // Product rounded half away from zero to four places.
    Decimal Times(const Decimal& other) const;
    // Rounded half away from zero to two places.
    Decimal RoundedToCents() const;
    double ToDouble() const { return static_cast<double>(m_units) / kScale; }
    // Plain text with at least two places, for binding: "1234.50".
    std::string ToText() const;
    // As the operator reads money: "R$ 1.234,50".
    std::string ToReais() const;

    Decimal operator+(const Decimal& other) const { return Decimal(m_units + other.m_units); }
    Decimal operator-(const Decimal& other) const { return Decimal(m_units - other.m_units); }
    Decimal& operator+=(const Decimal& other) {
        m_units += other.m_units;
        return *this;
    }
    auto operator<=>(const Decimal&) const = default;

private:
    explicit Decimal(std::int64_t units) : m_units(units) {}
    std::int64_t m_units = 0;
};

} // namespace pedserver
