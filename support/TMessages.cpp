#include "TMessages.h"

#include <algorithm>
#include <map>

namespace {

// Texts the library supplies for keys that screens use without putting them in their tables.
const std::map<std::string, std::string>& LibraryTexts() {
    static const std::map<std::string, std::string> texts{
        {"data_nao", " não é uma data válida."},
    };
    return texts;
}

// Whether the line starts with the key followed by "|".
bool LineHasKey(const std::string& line, const std::string& key) {
    return line.size() > key.size() && line[key.size()] == '|' && line.compare(0, key.size(), key) == 0;
}

} // namespace

void TMessages::SetLines(std::vector<std::string> lines) {
    m_lines = std::move(lines);
}

void TMessages::Add(const std::string& line) {
    m_lines.push_back(line);
}

bool TMessages::HasKey(const std::string& key) const {
    return std::any_of(m_lines.begin(), m_lines.end(),
                       [&](const std::string& line) { return LineHasKey(line, key); });
}

std::string TMessages::Msg(const std::string& key) const {
    for (const std::string& line : m_lines) {
        if (LineHasKey(line, key))
            return line.substr(key.size() + 1);
    }
    auto known = LibraryTexts().find(key);
    if (known != LibraryTexts().end())
        return known->second;
    return "[" + key + "]";
}
