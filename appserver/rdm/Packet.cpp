#include "rdm/Packet.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace pedserver {

void Packet::AddRow(std::span<const PacketCell> row) {
    const std::vector<FieldDef>& fields = m_layout->Fields();
    if (row.size() != fields.size())
        throw std::logic_error("packet row does not match its fields");
    StartText();
    const std::size_t start = m_text.size();
    if (m_rowCount > 0)
        m_text += ',';
    m_text += '[';
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0)
            m_text += ',';
        row[i].AppendTo(m_text, static_cast<std::size_t>(std::max(fields[i].size, 0)));
    }
    m_text += ']';
    try {
        m_budget.Charge(m_text.size() - start);
    } catch (...) {
        m_text.resize(start);
        throw;
    }
    ++m_rowCount;
}

MethodResult Packet::ToResult() {
    StartText();
    m_text += "]}}";
    m_rowCount = 0;
    return MethodResult::FromText(std::exchange(m_text, {}));
}

void Packet::StartText() {
    if (m_text.empty())
        m_text = m_layout->Head();
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
