#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace pedserver {

// A data packet sent by the client, read defensively: it must declare every field we need,
// and every row must be a list of the declared length holding texts or nulls in those fields.
class ClientPacket {
public:
    ClientPacket(const nlohmann::json& packet, const std::vector<std::string>& required);

    std::size_t RowCount() const { return m_rows->size(); }
    // The text of a required field; null reads as the empty text.
    std::string Text(std::size_t row, const std::string& field) const;

private:
    const nlohmann::json* m_rows = nullptr;
    std::map<std::string, std::size_t> m_index;
};

} // namespace pedserver
