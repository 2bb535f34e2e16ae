#pragma once

#include "app/ScriptCommand.h"

#include <string>
#include <vector>

namespace data {
class DataSet;
}

namespace ui {
class Application;
class Control;
} // namespace ui

namespace host {

class ScriptPlatform;

// Reads the model's state for `expect` and `dump`, as a script writes values: booleans as
// true/false, colours as #RRGGBB or a system colour's name, fields as their plain text.
class ScriptInspector {
public:
    ScriptInspector(ui::Application& app, const ScriptPlatform& platform)
        : m_app(app), m_platform(platform) {}

    std::string Value(const ExpectTarget& target, int line) const;
    // Colours compare by value ("#0000FF" is clBlue), booleans without regard to case.
    static bool Matches(const ExpectTarget& target, const std::string& expected, const std::string& actual);
    // A form, a control or a dataset, one line each for it and what it holds.
    std::vector<std::string> Dump(const std::string& name, int line) const;

    static std::string ControlProperty(const ui::Control& control, const std::string& property);

private:
    static std::string FieldValue(data::DataSet& dataSet, int row, const std::string& field, int line);
    static std::vector<std::string> DumpDataSet(data::DataSet& dataSet);
    static std::string DumpControl(const ui::Control& control);
    static void DumpTree(const ui::Control& control, const std::string& indent,
                         std::vector<std::string>& lines);

    ui::Application& m_app;
    const ScriptPlatform& m_platform;
};

} // namespace host
