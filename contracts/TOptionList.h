#pragma once

#include <string>
#include <utility>
#include <vector>

// A list of name=value options, in the order the names were first set.
class TOptionList {
public:
    using Entry = std::pair<std::string, std::string>;

    // The value of the name, or the empty text when it is absent.
    std::string Value(const std::string& name) const;
    void SetValue(const std::string& name, const std::string& value);
    bool Contains(const std::string& name) const;
    const std::vector<Entry>& Entries() const { return m_entries; }
    int Count() const { return static_cast<int>(m_entries.size()); }
    void Clear() { m_entries.clear(); }

    // One "name=value" line per entry.
    std::string ToText() const;
    // Reads what ToText wrote; lines without "=" are ignored.
    static TOptionList FromText(const std::string& text);

private:
    std::vector<Entry> m_entries;
};
