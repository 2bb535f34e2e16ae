#include "ui/Container.h"

#include "ui/Form.h"

#include <algorithm>

namespace ui {

Container::Container(std::string name) : Control(std::move(name)) {
    SetTabStop(false);
}

Container::~Container() {
    // Children owned elsewhere outlive their container; they become detached.
    for (Control* child : m_controls)
        child->m_parent = nullptr;
}

bool Container::ContainsControl(const Control& control) const {
    for (const Control* c = control.Parent(); c; c = c->Parent()) {
        if (c == this)
            return true;
    }
    return false;
}

std::vector<Control*> Container::ControlsInTabOrder() const {
    std::vector<Control*> ordered = m_controls;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const Control* a, const Control* b) { return a->TabOrder() < b->TabOrder(); });
    return ordered;
}

std::vector<Control*> Container::TabChain() const {
    std::vector<Control*> chain;
    for (Control* child : ControlsInTabOrder()) {
        if (child->AcceptsFocus())
            chain.push_back(child);
        if (const auto* inner = dynamic_cast<const Container*>(child)) {
            std::vector<Control*> below = inner->TabChain();
            chain.insert(chain.end(), below.begin(), below.end());
        }
    }
    return chain;
}

void Container::ControlRemoving(Control& control) {
    if (Parent())
        Parent()->ControlRemoving(control);
}

Component& Container::OwnerForChildren() {
    if (Form* form = ParentForm())
        return *form;
    return *this;
}

void Container::InsertControl(Control& control) {
    m_controls.push_back(&control);
    ControlAdded(control);
    Notify(Property::Items);
}

void Container::RemoveControl(Control& control) {
    ControlRemoving(control);
    std::erase(m_controls, &control);
    Notify(Property::Items);
}

} // namespace ui
