#include "rdm/Packet.h"

#include "rdm/CharCount.h"

#include <stdexcept>
#include <utility>

namespace pedserver {
namespace {

// About the bytes a cell takes in the answer's text with its separator: exact for plain texts,
// an upper bound for numbers, so the budget is never charged much less than the answer holds.
std::size_t CellBytes(const nlohmann::json& cell) {
    if (cell.is_string())
        return cell.get_ref<const std::string&>().size() + 3;
    if (cell.is_number())
        return 25;
    return 6;
}

} // namespace

Packet& Packet::AddField(const std::string& name, const std::string& type, int size) {
    m_fields.push_back({name, type, size});
    return *this;
}

void Packet::AddRow(nlohmann::json row) {
    if (row.size() != m_fields.size())
        throw std::logic_error("packet row does not match its fields");
    std::size_t bytes = 2;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].size > 0 && row[i].is_string())
            row[i] = CutToChars(row[i].get<std::string>(), static_cast<std::size_t>(m_fields[i].size));
        bytes += CellBytes(row[i]);
    }
    m_budget.Charge(bytes);
    m_rows.push_back(std::move(row));
}

nlohmann::json Packet::ToResult() {
    auto fields = nlohmann::json::array();
    for (const auto& field : m_fields) {
        nlohmann::json entry = {{"name", field.name}, {"type", field.type}};
        if (field.type == "string")
            entry["size"] = field.size;
        fields.push_back(std::move(entry));
    }
    nlohmann::json packet = nlohmann::json::object();
    packet["fields"] = std::move(fields);
    packet["rows"] = std::exchange(m_rows, nlohmann::json::array());
    nlohmann::json result = nlohmann::json::object();
    result["packet"] = std::move(packet);
    return result;
}

nlohmann::json TextOrNull(const sqldb::Value& value) {
    return sqldb::IsNull(value) ? nlohmann::json() : nlohmann::json(sqldb::AsText(value));
}

nlohmann::json DateTimeOrNull(const sqldb::Value& value) {
    if (sqldb::IsNull(value))
        return nullptr;
    auto text = sqldb::AsText(value);
    if (text.size() < 19)
        return text.substr(0, 10) + "T00:00:00";
    text[10] = 'T';
    return text.substr(0, 19);
}

} // namespace pedserver
