#include "script/ScriptInspector.h"
#include "script/ScriptNames.h"
#include "data/DataSet.h"
#include "data/PaintedRowScope.h"
#include "ui/Application.h"
#include "ui/Container.h"
#include "ui/DBGrid.h"
#include "ui/Form.h"
#include "ui/PageControl.h"
#include "ui/TabSheet.h"

namespace host {

namespace {

// The properties a control has, in a fixed order, skipping those of other kinds of control.
std::string OptionalProperties(const ui::Control& control) {
    std::string line;
    for (const char* property : {"Checked", "Text"}) {
        try {
            line += std::string(" ") + property + "=\"" +
                    ScriptInspector::ControlProperty(control, property) + "\"";
        } catch (const std::invalid_argument&) {
        }
    }
    if (auto* pages = dynamic_cast<const ui::PageControl*>(&control))
        line += " ActivePage=" + (pages->ActivePage() ? pages->ActivePage()->Name() : std::string("none"));
    if (auto* grid = dynamic_cast<const ui::DBGrid*>(&control))
        line += " Rows=" + std::to_string(grid->RowCount()) +
                " CurrentRow=" + std::to_string(grid->CurrentRow() + 1);
    return line;
}

} // namespace

std::string ScriptInspector::DumpControl(const ui::Control& control) {
    return control.Name() + ": Enabled=" + ControlProperty(control, "Enabled") +
           " Visible=" + ControlProperty(control, "Visible") +
           " Focused=" + ControlProperty(control, "Focused") + " Caption=\"" + control.Caption() + "\"" +
           OptionalProperties(control);
}

void ScriptInspector::DumpTree(const ui::Control& control, const std::string& indent,
                               std::vector<std::string>& lines) {
    lines.push_back(indent + DumpControl(control));
    if (auto* container = dynamic_cast<const ui::Container*>(&control)) {
        for (const ui::Control* child : container->Controls())
            DumpTree(*child, indent + "  ", lines);
    }
}

std::vector<std::string> ScriptInspector::DumpDataSet(data::DataSet& dataSet) {
    std::string header = dataSet.Name() + ": RecordCount=" + std::to_string(dataSet.RecordCount()) +
                         " RecNo=" + std::to_string(dataSet.IsEmpty() ? 0 : dataSet.RecNo()) + " fields";
    for (const auto& field : dataSet.Fields())
        header += " " + field->FieldName();
    std::vector<std::string> lines{header};
    for (int row = 0; row < dataSet.RecordCount(); ++row) {
        data::PaintedRowScope painted(dataSet, row);
        std::string line = "  [" + std::to_string(row + 1) + "]";
        for (const auto& field : dataSet.Fields())
            line += " \"" + field->AsString() + "\"";
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> ScriptInspector::Dump(const std::string& name, int line) const {
    ScriptNames names(m_app, line);
    if (auto* control = dynamic_cast<ui::Control*>(names.FindComponent(name))) {
        std::vector<std::string> lines;
        DumpTree(*control, "", lines);
        return lines;
    }
    if (data::DataSet* dataSet = names.FindDataSet(name))
        return DumpDataSet(*dataSet);
    names.Fail("no control, form or dataset named " + name);
}

} // namespace host
