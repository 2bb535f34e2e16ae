#pragma once

#include "rdm/AnswerBudget.h"
#include "rdm/MethodResult.h"
#include "rdm/PacketCell.h"
#include "sqldb/Value.h"

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

namespace pedserver {

// A data packet being built for an answer: declared fields, then rows of values in field order.
// Texts longer than their field are cut to its size in characters. Each row is written as JSON
// text as it is added and charged to the request's answer budget at what it takes, so a large
// packet never exists as a tree of values.
class Packet {
public:
    struct FieldDef {
        std::string name;
        std::string type;
        int size = 0;
    };

    explicit Packet(AnswerBudget& budget, std::vector<FieldDef> fields = {})
        : m_budget(budget), m_fields(std::move(fields)) {}

    Packet& AddField(const std::string& name, const std::string& type, int size = 0);
    void AddRow(std::initializer_list<PacketCell> row) {
        AddRow(std::span<const PacketCell>(row.begin(), row.size()));
    }
    void AddRow(std::span<const PacketCell> row);
    std::size_t RowCount() const { return m_rowCount; }
    // {"packet":{"fields":[...],"rows":[...]}}; the rows move into it, leaving the packet empty.
    MethodResult ToResult();

private:
    AnswerBudget& m_budget;
    std::vector<FieldDef> m_fields;
    std::string m_rows; // the rows' text, comma-separated
    std::size_t m_rowCount = 0;
};

// A column value for a packet row: its text, or null.
PacketCell TextOrNull(const sqldb::Value& value);
// The same, taking the value's text instead of copying it.
PacketCell TextOrNull(sqldb::Value&& value);
// A stored timestamp ("YYYY-MM-DD hh:mm:ss", with fractions or none, or a bare day) as a packet
// date-time, or null.
PacketCell DateTimeOrNull(const sqldb::Value& value);

} // namespace pedserver
