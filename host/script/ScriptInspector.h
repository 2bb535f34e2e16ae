#pragma once

#include "script/ScriptCommand.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace data {
class DataSet;
}

namespace ui {
class Application;
class Control;
class DBGrid;
} // namespace ui

namespace host {

class ScriptPlatform;

// A module variable's value as text, by its exported name; nullopt when no module exports it.
using VariableReader = std::function<std::optional<std::string>(const std::string& name)>;

// Reads the model's state for `expect` and `dump`, as a script writes values: booleans as
// true/false, colours as #RRGGBB or a system colour's name, fields as their plain text.
class ScriptInspector {
public:
    ScriptInspector(ui::Application& app, const ScriptPlatform& platform, const VariableReader& variables)
        : m_app(app), m_platform(platform), m_variables(variables) {}

    std::string Value(const ExpectTarget& target, int line) const;
    // Colours compare by value, system colours as the platform in use shows them ("#0000FF" is
    // clBlue); booleans without regard to case.
    bool Matches(const ExpectTarget& target, const std::string& expected, const std::string& actual) const;
    // A form, a control or a dataset, one line each for it and what it holds.
    std::vector<std::string> Dump(const std::string& name, int line) const;

    static std::string ControlProperty(const ui::Control& control, const std::string& property);

private:
    // What the script sees of the application rather than of one control.
    std::string SessionValue(const ExpectTarget& target, int line) const;
    // What a person sees in a grid cell once the whole visible grid is painted.
    std::string PaintedValue(const ExpectTarget& target, int line) const;
    static std::string ColumnNames(const ui::DBGrid& grid);
    static std::string FieldValue(data::DataSet& dataSet, int row, const std::string& field, int line);
    static std::vector<std::string> DumpDataSet(data::DataSet& dataSet);
    static std::string DumpControl(const ui::Control& control);
    static void DumpTree(const ui::Control& control, const std::string& indent,
                         std::vector<std::string>& lines);

    ui::Application& m_app;
    const ScriptPlatform& m_platform;
    const VariableReader& m_variables;
};

} // namespace host
