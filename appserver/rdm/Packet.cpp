#include "rdm/Packet.h"

#include "protocol/JsonText.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace pedserver {
Packet& Packet::AddField(const std::string& name, const std::string& type, int size) {
    m_fields.push_back({name, type, size});
    return *this;
}

void Packet::AddRow(std::span<const PacketCell> row) {
    if (row.size() != m_fields.size())
        throw std::logic_error("packet row does not match its fields");
    const std::size_t start = m_rows.size();
    if (m_rowCount > 0)
        m_rows += ',';
    m_rows += '[';
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0)
            m_rows += ',';
        row[i].AppendTo(m_rows, static_cast<std::size_t>(std::max(m_fields[i].size, 0)));
    }
    m_rows += ']';
    try {
        m_budget.Charge(m_rows.size() - start);
    } catch (...) {
        m_rows.resize(start);
        throw;
    }
    ++m_rowCount;
}

MethodResult Packet::ToResult() {
    std::string text = R"({"packet":{"fields":[)";
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const FieldDef& field = m_fields[i];
        text += i > 0 ? R"(,{"name":)" : R"({"name":)";
        protocol::AppendJsonString(text, field.name);
        if (field.type == "string")
            text += R"(,"size":)" + std::to_string(field.size);
        text += R"(,"type":)";
        protocol::AppendJsonString(text, field.type);
        text += '}';
    }
    text += R"(],"rows":[)";
    text += std::exchange(m_rows, {});
    text += "]}}";
    m_rowCount = 0;
    return MethodResult::FromText(std::move(text));
}

PacketCell TextOrNull(const sqldb::Value& value) {
    return sqldb::IsNull(value) ? PacketCell() : PacketCell(sqldb::AsText(value));
}

PacketCell TextOrNull(sqldb::Value&& value) {
    if (auto* text = std::get_if<std::string>(&value))
        return std::move(*text);
    return TextOrNull(value);
}

PacketCell DateTimeOrNull(const sqldb::Value& value) {
    if (sqldb::IsNull(value))
        return nullptr;
    auto text = sqldb::AsText(value);
    if (text.size() < 19)
        return text.substr(0, 10) + "T00:00:00";
    text[10] = 'T';
    return text.substr(0, 19);
}

} // namespace pedserver
