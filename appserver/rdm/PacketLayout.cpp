#include "rdm/PacketLayout.h"

#include "protocol/JsonText.h"

#include <utility>

namespace pedserver {

PacketLayout::PacketLayout(std::vector<FieldDef> fields) : m_fields(std::move(fields)) {
    m_head = R"({"packet":{"fields":[)";
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const FieldDef& field = m_fields[i];
        m_head += i > 0 ? R"(,{"name":)" : R"({"name":)";
        protocol::AppendJsonString(m_head, field.name);
        if (field.type == "string")
            m_head += R"(,"size":)" + std::to_string(field.size);
        m_head += R"(,"type":)";
        protocol::AppendJsonString(m_head, field.type);
        m_head += '}';
    }
    m_head += R"(],"rows":[)";
}

} // namespace pedserver
