#include "ui/UserActions.h"

#include "ui/Application.h"
#include "ui/DBGrid.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/MainMenu.h"
#include "ui/MenuItem.h"
#include "ui/PageControl.h"
#include "ui/TabSheet.h"

#include <stdexcept>

namespace ui {

namespace {

// The form a component belongs to: a control's form, or the form owning a menu.
Form* FormOf(const Component& component) {
    if (const auto* control = dynamic_cast<const Control*>(&component); control && control->ParentForm())
        return control->ParentForm();
    for (Component* owner = component.Owner(); owner; owner = owner->Owner()) {
        if (auto* form = dynamic_cast<Form*>(owner))
            return form;
    }
    return nullptr;
}

} // namespace

std::string UserActions::WhyUnreachable(const Control& control) const {
    Form* form = FormOf(control);
    if (!form || !form->Visible())
        return "its form is not shown";
    if (Form* modal = m_app.ModalForm(); modal && modal != form)
        return "the modal form " + modal->Name() + " is open";
    if (!control.IsShowing())
        return "hidden";
    if (!control.IsEffectivelyEnabled())
        return "disabled";
    return {};
}

std::string UserActions::WhyUnreachable(const MenuItem& item) const {
    for (const MenuItem* i = &item; i; i = i->ParentItem()) {
        if (!i->Visible())
            return "hidden";
        if (!i->Enabled())
            return "disabled";
    }
    Form* form = FormOf(item);
    if (form && !form->Visible())
        return "its form is not shown";
    if (Form* modal = m_app.ModalForm(); form && modal && modal != form)
        return "the modal form " + modal->Name() + " is open";
    return {};
}

bool UserActions::Refuse(const std::string& action, const Control& target, const std::string& why) {
    m_app.Platform().Refused(action + " " + target.Name() + " (" + why + ")");
    return false;
}

bool UserActions::FocusFirst(Control& control) {
    if (!control.AcceptsFocus())
        return true;
    control.SetFocus();
    return control.Focused();
}

bool UserActions::MayClick(const Control& control) {
    if (const auto* item = dynamic_cast<const MenuItem*>(&control))
        return MayClickMenu(*item);
    if (std::string why = WhyUnreachable(control); !why.empty())
        return Refuse("click", control, why);
    return true;
}

bool UserActions::Click(Control& control) {
    if (auto* item = dynamic_cast<MenuItem*>(&control))
        return ClickMenu(*item);
    if (!MayClick(control))
        return false;
    m_app.Dispatch([&] {
        if (FocusFirst(control))
            control.Click();
    });
    return true;
}

bool UserActions::Click(Form& form, const std::string& name) {
    auto* control = form.Find<Control>(name);
    if (!control)
        throw std::invalid_argument(form.Name() + " has no control or menu item named " + name);
    return Click(*control);
}

bool UserActions::MayClickMenu(const MenuItem& item) {
    if (std::string why = WhyUnreachable(item); !why.empty())
        return Refuse("click", item, why);
    return true;
}

bool UserActions::ClickMenu(MenuItem& item) {
    if (!MayClickMenu(item))
        return false;
    m_app.Dispatch([&] { item.Click(); });
    return true;
}

bool UserActions::Type(Edit& edit, const std::string& text) {
    if (std::string why = WhyUnreachable(edit); !why.empty())
        return Refuse("type into", edit, why);
    if (edit.ReadOnly())
        return Refuse("type into", edit, "read-only");
    m_app.Dispatch([&] {
        if (FocusFirst(edit))
            edit.TypeText(text);
    });
    return true;
}

bool UserActions::MayMouse(const Control& control) {
    if (m_app.MenuBarKeys().OpenMenu())
        return true;
    if (const auto* page = dynamic_cast<const TabSheet*>(&control); page && page->PageControl())
        return MaySelectTab(*page->PageControl(), *page);
    return MayClick(control);
}

bool UserActions::MouseClick(Control& control) {
    if (!MayMouse(control))
        return false;
    if (m_app.MenuBarKeys().OpenMenu()) {
        m_app.MenuBarKeys().Close();
        return true;
    }
    if (auto* item = dynamic_cast<MenuItem*>(&control))
        return ClickMenu(*item);
    if (auto* page = dynamic_cast<TabSheet*>(&control); page && page->PageControl())
        return SelectTab(*page->PageControl(), *page);
    auto* edit = dynamic_cast<Edit*>(&control);
    if (!edit)
        return Click(control);
    m_app.Dispatch([&] {
        if (FocusFirst(*edit) && edit->Focused())
            edit->ClickAtEnd();
    });
    return true;
}

bool UserActions::MaySelectTab(const PageControl& pages, const TabSheet& page) {
    if (std::string why = WhyUnreachable(pages); !why.empty())
        return Refuse("select a tab of", pages, why);
    if (page.PageControl() != &pages)
        throw std::invalid_argument(page.Name() + " is not a page of " + pages.Name());
    if (!page.Enabled() || !page.Visible() || !page.TabVisible())
        return Refuse("select tab", page, page.Enabled() ? "hidden" : "disabled");
    return true;
}

bool UserActions::SelectTab(PageControl& pages, TabSheet& page) {
    if (!MaySelectTab(pages, page))
        return false;
    m_app.Dispatch([&] {
        if (FocusFirst(pages))
            pages.SelectPage(page);
    });
    return true;
}

bool UserActions::Focus(Control& control) {
    if (std::string why = WhyUnreachable(control); !why.empty())
        return Refuse("focus", control, why);
    if (!control.CanFocus())
        return Refuse("focus", control, "does not take the focus");
    m_app.Dispatch([&] { control.SetFocus(); });
    return true;
}

bool UserActions::CloseForm(Form& form) {
    if (!form.Visible())
        return Refuse("close", form, "not shown");
    if (Form* modal = m_app.ModalForm(); modal && modal != &form)
        return Refuse("close", form, "the modal form " + modal->Name() + " is open");
    m_app.Dispatch([&] { form.Close(); });
    return true;
}

bool UserActions::MayClickCell(const DBGrid& grid, int displayRow) {
    if (std::string why = WhyUnreachable(grid); !why.empty())
        return Refuse("click a cell of", grid, why);
    if (displayRow < 0 || displayRow >= grid.RowCount())
        return Refuse("click a cell of", grid, "no row " + std::to_string(displayRow));
    return true;
}

bool UserActions::ClickCell(DBGrid& grid, int displayRow, int columnIndex) {
    if (!MayClickCell(grid, displayRow))
        return false;
    m_app.Dispatch([&] {
        if (FocusFirst(grid))
            grid.CellClick(displayRow, columnIndex);
    });
    return true;
}

bool UserActions::MayClickTitle(const DBGrid& grid) {
    if (std::string why = WhyUnreachable(grid); !why.empty())
        return Refuse("click a title of", grid, why);
    return true;
}

bool UserActions::ClickTitle(DBGrid& grid, int columnIndex) {
    if (!MayClickTitle(grid))
        return false;
    m_app.Dispatch([&] { grid.TitleClick(columnIndex); });
    return true;
}

bool UserActions::MoveGridRow(DBGrid& grid, int displayRow) {
    if (std::string why = WhyUnreachable(grid); !why.empty())
        return Refuse("move the row of", grid, why);
    if (displayRow < 0 || displayRow >= grid.RowCount())
        return Refuse("move the row of", grid, "no row " + std::to_string(displayRow));
    m_app.Dispatch([&] {
        if (FocusFirst(grid))
            grid.SetCurrentRow(displayRow);
    });
    return true;
}

} // namespace ui
