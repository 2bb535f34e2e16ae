#include "script/ScriptInspector.h"

#include "RemoteCallLog.h"
#include "script/ScriptError.h"
#include "script/ScriptNames.h"
#include "script/ScriptPlatform.h"
#include "data/DataSet.h"
#include "data/PaintedRowScope.h"
#include "ui/Application.h"
#include "ui/CheckBox.h"
#include "ui/DBGrid.h"
#include "ui/DBText.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/PageControl.h"
#include "ui/RadioButton.h"
#include "ui/TabSheet.h"

#include <algorithm>
#include <optional>

namespace host {

namespace {

std::string Bool(bool value) {
    return value ? "true" : "false";
}

std::optional<bool> CheckedOf(const ui::Control& control) {
    if (auto* box = dynamic_cast<const ui::CheckBox*>(&control))
        return box->Checked();
    if (auto* radio = dynamic_cast<const ui::RadioButton*>(&control))
        return radio->Checked();
    if (auto* item = dynamic_cast<const ui::MenuItem*>(&control))
        return item->Checked();
    return std::nullopt;
}

std::optional<std::string> TextOf(const ui::Control& control) {
    if (auto* edit = dynamic_cast<const ui::Edit*>(&control))
        return edit->Text();
    if (auto* text = dynamic_cast<const ui::DBText*>(&control))
        return text->Text();
    return std::nullopt;
}

// The status bar texts of a form.
std::optional<std::string> StatusOf(const ui::Control& control, const std::string& property) {
    const auto* form = dynamic_cast<const ui::Form*>(&control);
    if (!form || (property != "StatusSummary" && property != "StatusMessage"))
        return std::nullopt;
    return form->StatusText(property == "StatusSummary" ? ui::StatusPart::Summary : ui::StatusPart::Message);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

} // namespace

std::string ScriptInspector::ControlProperty(const ui::Control& control, const std::string& property) {
    std::optional<std::string> value;
    if (property == "Enabled")
        value = Bool(control.Enabled());
    else if (property == "Visible")
        value = Bool(control.Visible());
    else if (property == "Focused")
        value = Bool(control.Focused());
    else if (property == "Caption")
        value = control.Caption();
    else if (property == "Color")
        value = control.Color().Name();
    else if (property == "Font.Color")
        value = control.Font().Color.Name();
    else if (property == "Checked" && CheckedOf(control))
        value = Bool(*CheckedOf(control));
    else if (property == "Text")
        value = TextOf(control);
    else
        value = StatusOf(control, property);
    if (!value)
        throw std::invalid_argument(control.Name() + " has no property " + property);
    return *value;
}

std::string ScriptInspector::FieldValue(data::DataSet& dataSet, int row, const std::string& field, int line) {
    data::Field* found = dataSet.FindField(field);
    if (!found)
        throw ScriptError(line, dataSet.Name() + " has no field " + field);
    if (row == 0)
        return dataSet.IsEmpty() ? "" : found->AsString();
    if (row > dataSet.RecordCount())
        throw ScriptError(line, dataSet.Name() + " has no row " + std::to_string(row) + " (it has " +
                                    std::to_string(dataSet.RecordCount()) + ")");
    data::PaintedRowScope painted(dataSet, row - 1);
    return found->AsString();
}

std::string ScriptInspector::SessionValue(const ExpectTarget& target, int line) const {
    ScriptNames names(m_app, line);
    const RemoteCallLog& calls = RemoteCallLog::Instance();
    switch (target.What) {
    case ExpectTarget::Kind::Focus: {
        ui::Form* form = m_app.ActiveForm();
        ui::Control* focused = form ? form->ActiveControl() : nullptr;
        return focused ? focused->Name() : "";
    }
    case ExpectTarget::Kind::Message:
        return m_platform.LastMessage();
    case ExpectTarget::Kind::Messages:
        return std::to_string(m_platform.MessageCount());
    case ExpectTarget::Kind::Question:
        return m_platform.LastQuestion();
    case ExpectTarget::Kind::PickTitle:
        return m_platform.LastPickTitle();
    case ExpectTarget::Kind::Busy:
        return Bool(m_platform.Busy());
    case ExpectTarget::Kind::Page: {
        ui::TabSheet* page = names.As<ui::PageControl>(target.Object, "a page control").ActivePage();
        return page ? page->Name() : "";
    }
    case ExpectTarget::Kind::Columns:
        return ColumnNames(names.As<ui::DBGrid>(target.Object, "a grid"));
    case ExpectTarget::Kind::Painted:
        return PaintedValue(target, line);
    case ExpectTarget::Kind::Var: {
        std::optional<std::string> value = m_variables ? m_variables(target.Object) : std::nullopt;
        if (!value)
            names.Fail("no module exports a variable named " + target.Object);
        return *value;
    }
    case ExpectTarget::Kind::Calls:
        return std::to_string(calls.Count(target.Object));
    case ExpectTarget::Kind::Arg: {
        const std::vector<std::string> args = calls.LastArgs(target.Object);
        if (args.empty())
            names.Fail(target.Object + " was not called since the last reset");
        if (target.Index > static_cast<int>(args.size()))
            names.Fail(target.Object + " was called with " + std::to_string(args.size()) + " argument(s)");
        return args[static_cast<std::size_t>(target.Index - 1)];
    }
    case ExpectTarget::Kind::Member:
        break;
    }
    throw std::logic_error("not a session target");
}

std::string ScriptInspector::ColumnNames(const ui::DBGrid& grid) {
    std::string names;
    for (int i = 0; i < grid.Columns().Count(); ++i) {
        const ui::Column& column = grid.Columns().Item(i);
        if (!column.Visible())
            continue;
        if (!names.empty())
            names += ' ';
        names += column.FieldName();
    }
    return names;
}

std::string ScriptInspector::Value(const ExpectTarget& target, int line) const {
    if (target.What != ExpectTarget::Kind::Member)
        return SessionValue(target, line);
    ScriptNames names(m_app, line);
    if (target.Row == 0) {
        if (auto* control = dynamic_cast<ui::Control*>(names.FindComponent(target.Object))) {
            try {
                return ControlProperty(*control, target.Member);
            } catch (const std::invalid_argument& e) {
                throw ScriptError(line, e.what());
            }
        }
    }
    data::DataSet* dataSet = names.FindDataSet(target.Object);
    // A form that was closed and released is no longer there to ask, and it is not visible.
    if (!dataSet && target.Member == "Visible" && target.Row == 0)
        return "false";
    if (!dataSet)
        names.Fail("no control or dataset named " + target.Object);
    if (target.Member == "RecordCount" && target.Row == 0)
        return std::to_string(dataSet->RecordCount());
    return FieldValue(*dataSet, target.Row, target.Member, line);
}

bool ScriptInspector::Matches(const ExpectTarget& target, const std::string& expected,
                              const std::string& actual) const {
    const bool colour = target.Member == "Color" || target.Member == "Font.Color" ||
                        target.Aspect == "color" || target.Aspect == "brush";
    if (colour) {
        auto want = ui::Color::FromName(expected);
        auto got = ui::Color::FromName(actual);
        if (want && got)
            return m_platform.ResolveColor(*want) == m_platform.ResolveColor(*got);
    }
    if (actual == "true" || actual == "false")
        return Lower(expected) == actual;
    return expected == actual;
}

} // namespace host
