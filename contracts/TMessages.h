#pragma once

#include "ui/Component.h"

#include <string>
#include <vector>

// A window's message table: lines "KEY|text", found on the form by name (usually msgPadrao).
// Keys match exactly, letter case included, because tables hold keys that differ only in case.
class TMessages : public ui::Component {
public:
    explicit TMessages(std::string name = {}) : ui::Component(std::move(name)) {}

    const std::vector<std::string>& Lines() const { return m_lines; }
    void SetLines(std::vector<std::string> lines);
    // Appends one "KEY|text" line.
    void Add(const std::string& line);
    void Add(const std::string& key, const std::string& text) { Add(key + "|" + text); }

    bool HasKey(const std::string& key) const;
    // The text after the first "|" of the first line with this key. A key the table lacks gives
    // the library's own text for it when it has one ("data_nao" gives " não é uma data válida.",
    // written to follow a date), otherwise the key in brackets ("[KEY]").
    std::string Msg(const std::string& key) const;

private:
    std::vector<std::string> m_lines;
};
