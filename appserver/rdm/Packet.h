#pragma once

#include "rdm/AnswerBudget.h"
#include "rdm/MethodResult.h"
#include "rdm/PacketCell.h"
#include "rdm/PacketLayout.h"
#include "sqldb/Value.h"

#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pedserver {

// A data packet being built for an answer: declared fields, then rows of values in field order.
// Texts longer than their field are cut to its size in characters. The answer's text is written
// as the packet is built, fields first, each row as it is added, charged to the request's answer
// budget at what it takes, so a large packet never exists as a tree of values nor is copied.
class Packet {
public:
    using FieldDef = PacketLayout::FieldDef;

    explicit Packet(AnswerBudget& budget, std::vector<FieldDef> fields = {})
        : m_budget(budget), m_ownLayout(std::move(fields)), m_layout(&*m_ownLayout) {}
    // A packet of a layout the caller keeps for as long as the packet lives.
    Packet(AnswerBudget& budget, const PacketLayout& layout) : m_budget(budget), m_layout(&layout) {}
    Packet(const Packet&) = delete;
    Packet& operator=(const Packet&) = delete;

    void AddRow(std::initializer_list<PacketCell> row) {
        AddRow(std::span<const PacketCell>(row.begin(), row.size()));
    }
    void AddRow(std::span<const PacketCell> row);
    std::size_t RowCount() const { return m_rowCount; }
    // {"packet":{"fields":[...],"rows":[...]}}; the rows move into it, leaving the packet empty.
    MethodResult ToResult();

private:
    // The answer's text begins with the layout's head, once.
    void StartText();

    AnswerBudget& m_budget;
    std::optional<PacketLayout> m_ownLayout;
    const PacketLayout* m_layout;
    std::string m_text; // the answer up to its last row, once the first row is added
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
