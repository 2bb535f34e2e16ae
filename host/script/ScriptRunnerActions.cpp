#include "script/ScriptNames.h"
#include "script/ScriptParser.h"
#include "script/ScriptRunner.h"
#include "ui/DBGrid.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/PageControl.h"
#include "ui/TabSheet.h"

namespace host {

// The user actions a script line stands for. A refused action is recorded by the platform and
// the script goes on.
void ScriptRunner::Act(const ScriptCommand& command) {
    ScriptNames names(m_app, command.Line);
    const std::string& name = command.Name;
    const auto& args = command.Args;
    if (name == "focus") {
        m_actions.Focus(names.As<ui::Control>(args[0], "a control"));
    } else if (name == "type") {
        m_actions.Type(names.As<ui::Edit>(args[0], "an edit"), args[1]);
    } else if (name == "click") {
        m_actions.Click(names.As<ui::Control>(args[0], "a control or menu item"));
    } else if (name == "key") {
        KeyPress press = ScriptParser::ParseKey(args, command.Line);
        m_actions.PressKey(names.As<ui::Control>(args[0], "a control"), press.Key, press.Shift);
    } else if (name == "tab") {
        m_actions.SelectTab(names.As<ui::PageControl>(args[0], "a page control"),
                            names.As<ui::TabSheet>(args[1], "a tab sheet"));
    } else if (name == "cell" || name == "title" || name == "row") {
        auto& grid = names.As<ui::DBGrid>(args[0], "a grid");
        if (name == "title")
            m_actions.ClickTitle(grid, names.ColumnOf(grid, args[1]));
        else if (name == "cell")
            m_actions.ClickCell(grid, ScriptParser::ParseRow(args[1], command.Line) - 1,
                                names.ColumnOf(grid, args[2]));
        else
            m_actions.MoveGridRow(grid, ScriptParser::ParseRow(args[1], command.Line) - 1);
    } else if (name == "close") {
        m_actions.CloseForm(names.Form(args[0]));
    }
}

} // namespace host
