#pragma once

#include "sqldb/Params.h"

#include <functional>
#include <string>
#include <string_view>

namespace pedserver {

// Builds the WHERE clause of the order query one criterion at a time; every value becomes a
// bound parameter, lists become one parameter per entry.
class OrderFilter {
public:
    OrderFilter() = default;

    void Equals(const std::string& column, const std::string& value);
    // column IN (the "_"-joined codes, at most maxEntries); an empty list matches nothing.
    void InList(const std::string& column, const std::string& list, std::size_t maxChars,
                std::size_t maxEntries, std::string_view what);
    // column IN (each character of codes, each one of `allowed`); empty codes match nothing.
    void InCodes(const std::string& column, const std::string& codes, std::string_view allowed,
                 std::string_view what);
    void Between(const std::string& column, const std::string& low, const std::string& high);
    void AtLeast(const std::string& column, const std::string& low);
    void AtMost(const std::string& column, const std::string& high);
    // An EXISTS over the order's items (alias IT) with the conditions `build` adds.
    void ItemExists(const std::function<void(OrderFilter&)>& build);
    void MatchNothing() { m_where += " AND 1 = 0"; }
    void Append(const std::string& condition) { m_where += condition; }

    const std::string& Where() const { return m_where; }
    sqldb::Params& Params() { return m_params; }

private:
    std::string Bind(const std::string& value);

    std::string m_where;
    sqldb::Params m_params;
    int m_next = 0;
};

} // namespace pedserver
