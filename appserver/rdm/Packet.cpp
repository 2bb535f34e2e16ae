#include "rdm/Packet.h"

#include "rdm/CharCount.h"

#include <stdexcept>
#include <utility>

namespace pedserver {
Packet& Packet::AddField(const std::string& name, const std::string& type, int size) {
    m_fields.push_back({name, type, size});
    return *this;
}

void Packet::AddRow(nlohmann::json row) {
    if (row.size() != m_fields.size())
        throw std::logic_error("packet row does not match its fields");
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].size > 0 && row[i].is_string())
            row[i] = CutToChars(row[i].get<std::string>(), static_cast<std::size_t>(m_fields[i].size));
    }
    std::string text = AnswerJson(row);
    m_budget.Charge(text.size() + 1);
    if (m_rowCount++ > 0)
        m_rows += ',';
    m_rows += text;
}

MethodResult Packet::ToResult() {
    std::string text = R"({"packet":{"fields":[)";
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const FieldDef& field = m_fields[i];
        text += i > 0 ? R"(,{"name":)" : R"({"name":)";
        text += AnswerJson(field.name);
        if (field.type == "string")
            text += R"(,"size":)" + std::to_string(field.size);
        text += R"(,"type":)" + AnswerJson(field.type) + "}";
    }
    text += R"(],"rows":[)";
    text += std::exchange(m_rows, {});
    text += "]}}";
    m_rowCount = 0;
    return MethodResult::FromText(std::move(text));
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
