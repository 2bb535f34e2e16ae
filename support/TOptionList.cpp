#include "TOptionList.h"

#include <algorithm>
#include <sstream>

namespace {

auto FindEntry(auto& entries, const std::string& name) {
    return std::find_if(entries.begin(), entries.end(),
                        [&](const auto& entry) { return entry.first == name; });
}

} // namespace

std::string TOptionList::Value(const std::string& name) const {
    auto it = FindEntry(m_entries, name);
    return it == m_entries.end() ? std::string() : it->second;
}

void TOptionList::SetValue(const std::string& name, const std::string& value) {
    auto it = FindEntry(m_entries, name);
    if (it == m_entries.end())
        m_entries.emplace_back(name, value);
    else
        it->second = value;
}

bool TOptionList::Contains(const std::string& name) const {
    return FindEntry(m_entries, name) != m_entries.end();
}

std::string TOptionList::ToText() const {
    std::string text;
    for (const auto& [name, value] : m_entries)
        text += name + "=" + value + "\n";
    return text;
}

TOptionList TOptionList::FromText(const std::string& text) {
    TOptionList options;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            options.SetValue(line.substr(0, equals), line.substr(equals + 1));
    }
    return options;
}
