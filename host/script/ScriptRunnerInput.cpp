#include "app/HostView.h"
#include "script/ScriptError.h"
#include "script/ScriptParser.h"
#include "script/ScriptRunner.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/DBGrid.h"
#include "ui/Edit.h"
#include "ui/MenuItem.h"
#include "ui/RadioButton.h"
#include "ui/SpeedButton.h"
#include "ui/TabSheet.h"

namespace host {

namespace {

bool TakesMouse(const ui::Control& control) {
    return dynamic_cast<const ui::Button*>(&control) || dynamic_cast<const ui::SpeedButton*>(&control) ||
           dynamic_cast<const ui::CheckBox*>(&control) || dynamic_cast<const ui::RadioButton*>(&control) ||
           dynamic_cast<const ui::Edit*>(&control) || dynamic_cast<const ui::TabSheet*>(&control) ||
           dynamic_cast<const ui::MenuItem*>(&control);
}

} // namespace

// A person's keys and clicks. On the desktop they go to the view as real input events, which the
// widgets' own handling turns into the model's actions; headless they are those actions on the
// model. What a person could not do is refused by the model's rules on both platforms before
// anything is sent, so both write the same transcript.
void ScriptRunner::Input(const ScriptCommand& command) {
    const auto& args = command.Args;
    if (command.Name == "press") {
        const KeyPress press = ScriptParser::ParseKey(args, command.Line, 0);
        if (!m_view)
            m_actions.Press(press.Key, press.Shift);
        else if (m_actions.MayPress())
            m_view->PressKey(press.Key, press.Shift);
    } else if (command.Name == "write") {
        if (!m_view)
            m_actions.Write(args[0]);
        else if (m_actions.MayWrite())
            m_view->Write(args[0]);
    } else {
        Mouse(command, ScriptNames(m_app, command.Line));
    }
}

void ScriptRunner::Mouse(const ScriptCommand& command, const ScriptNames& names) {
    const auto& args = command.Args;
    if (command.Name == "mousetitle" || args.size() == 3) {
        auto& grid = names.As<ui::DBGrid>(args[0], "a grid");
        const int column = names.ColumnOf(grid, args.back());
        if (command.Name == "mousetitle") {
            if (!m_view)
                m_actions.ClickTitle(grid, column);
            else if (m_actions.MayClickTitle(grid))
                m_view->ClickTitle(grid, column);
            return;
        }
        const int row = ScriptParser::ParseRow(args[1], command.Line) - 1;
        if (!m_view)
            m_actions.ClickCell(grid, row, column);
        else if (m_actions.MayClickCell(grid, row))
            m_view->ClickCell(grid, row, column);
        return;
    }
    auto& control = names.As<ui::Control>(args[0], "a control");
    if (!TakesMouse(control))
        names.Fail("mouse clicks a button, check box, radio button, edit, tab sheet or menu item, not " +
                   control.Name());
    if (!m_view)
        m_actions.MouseClick(control);
    else if (m_actions.MayMouse(control))
        m_view->Click(control);
}

} // namespace host
