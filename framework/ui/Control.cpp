#include "ui/Control.h"

#include "ui/Container.h"
#include "ui/Form.h"

#include <algorithm>

namespace ui {

Control::Control(std::string name) : Component(std::move(name)) {}

Control::~Control() {
    if (m_parent)
        m_parent->RemoveControl(*this);
}

void Control::SetParent(Container* parent) {
    if (parent == m_parent)
        return;
    if (m_parent)
        m_parent->RemoveControl(*this);
    m_parent = nullptr;
    if (parent) {
        m_tabOrder = parent->ControlCount();
        m_parent = parent;
        parent->InsertControl(*this);
    }
    Notify(Property::Parent);
}

Form* Control::ParentForm() const {
    const Control* top = this;
    while (top->m_parent)
        top = top->m_parent;
    return top == this ? nullptr : top->ParentForm();
}

void Control::SetEnabled(bool enabled) {
    Update(m_enabled, enabled, Property::Enabled);
}

void Control::SetVisible(bool visible) {
    Update(m_visible, visible, Property::Visible);
}

const Control* Control::ChainParent() const {
    return m_parent;
}

bool Control::IsEffectivelyEnabled() const {
    for (const Control* c = this; c; c = c->ChainParent()) {
        if (!c->m_enabled)
            return false;
    }
    return true;
}

bool Control::IsShowing() const {
    return IsShowingBelow(nullptr);
}

bool Control::IsShowingBelow(const Control* ancestor) const {
    for (const Control* c = this; c && c != ancestor; c = c->ChainParent()) {
        if (!c->IsVisibleInParent())
            return false;
    }
    return true;
}

void Control::SetBounds(int left, int top, int width, int height) {
    Rect bounds{left, top, left + width, top + height};
    Update(m_bounds, bounds, Property::Bounds);
}

void Control::SetCaption(const std::string& caption) {
    Update(m_caption, caption, Property::Caption);
}

void Control::SetHint(const std::string& hint) {
    Update(m_hint, hint, Property::Hint);
}

void Control::SetColor(ui::Color color) {
    Update(m_color, color, Property::Color);
}

void Control::SetFont(const ui::Font& font) {
    Update(m_font, font, Property::Font);
}

void Control::SetFontColor(ui::Color color) {
    ui::Font font = m_font;
    font.Color = color;
    SetFont(font);
}

void Control::SetTabOrder(int tabOrder) {
    if (tabOrder == m_tabOrder)
        return;
    if (!m_parent) {
        m_tabOrder = tabOrder;
        Notify(Property::TabOrder);
        return;
    }
    // Like a list position: the siblings are renumbered around the moved control.
    std::vector<Control*> ordered = m_parent->ControlsInTabOrder();
    std::erase(ordered, this);
    auto position = static_cast<std::size_t>(std::clamp(tabOrder, 0, static_cast<int>(ordered.size())));
    ordered.insert(ordered.begin() + static_cast<std::ptrdiff_t>(position), this);
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        Control* sibling = ordered[i];
        if (sibling->m_tabOrder == static_cast<int>(i))
            continue;
        sibling->m_tabOrder = static_cast<int>(i);
        sibling->Notify(Property::TabOrder);
    }
}

void Control::SetTabStop(bool tabStop) {
    Update(m_tabStop, tabStop, Property::TabStop);
}

bool Control::CanFocus() const {
    // The form's own visibility is left out so that a form can place its focus before it is shown.
    const Form* form = ParentForm();
    return AcceptsFocus() && form && form != static_cast<const Control*>(this) && IsShowingBelow(form) &&
           IsEffectivelyEnabled();
}

bool Control::Focused() const {
    const Form* form = ParentForm();
    return form && form->ActiveControl() == this;
}

void Control::SetFocus() {
    if (Form* form = ParentForm())
        form->FocusControl(*this);
}

void Control::Click() {
    if (OnClick)
        OnClick(*this);
}

void Control::HandleKey(int&, ShiftState) {}

int Control::Subscribe(PropertyListener listener) {
    return m_listeners.Add(std::move(listener));
}

void Control::Unsubscribe(int id) {
    m_listeners.Remove(id);
}

void Control::Notify(Property property) {
    m_listeners.Notify(*this, property);
}

} // namespace ui
