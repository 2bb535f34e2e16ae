#pragma once

#include <string>
#include <vector>

namespace pedserver {

// A packet's fields and the answer's text that declares them, written once: a method that answers
// many calls with the same fields keeps one layout for all of them.
class PacketLayout {
public:
    struct FieldDef {
        std::string name;
        std::string type;
        int size = 0;
    };

    PacketLayout(
        std::vector<FieldDef> fields); // NOLINT(google-explicit-constructor): a list of fields is one

    const std::vector<FieldDef>& Fields() const { return m_fields; }
    // {"packet":{"fields":[...],"rows":[
    const std::string& Head() const { return m_head; }

private:
    std::vector<FieldDef> m_fields;
    std::string m_head;
};

} // namespace pedserver
