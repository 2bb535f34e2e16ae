#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

namespace pedserver {

// One cell of a packet row: null, a text, an integer or a number. A row is written as JSON text
// straight from its cells, since building each row as a JSON value first took a tenth of the
// server's time for the item reads.
class PacketCell {
public:
    PacketCell(std::nullptr_t = nullptr) {}                           // NOLINT(google-explicit-constructor)
    PacketCell(std::string text) : m_value(std::move(text)) {}        // NOLINT(google-explicit-constructor)
    PacketCell(const char* text) : m_value(std::string(text)) {}      // NOLINT(google-explicit-constructor)
    PacketCell(int integer) : m_value(std::int64_t{integer}) {}       // NOLINT(google-explicit-constructor)
    PacketCell(std::int64_t integer) : m_value(integer) {}            // NOLINT(google-explicit-constructor)
    PacketCell(double number) : m_value(number) {}                    // NOLINT(google-explicit-constructor)

    // Appends the cell as JSON, invalid UTF-8 replaced as in every answer; a text longer than
    // `maxChars` characters (when not 0) is cut to them.
    void AppendTo(std::string& json, std::size_t maxChars = 0) const;

private:
    std::variant<std::nullptr_t, std::string, std::int64_t, double> m_value;
};

} // namespace pedserver
