#include "ui/Component.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

Component::Component(std::string name) : m_name(std::move(name)) {}

Component::~Component() {
    DestroyOwnedComponents();
}

void Component::SetName(std::string name) {
    if (name == m_name)
        return;
    m_name = std::move(name);
    NameChanged();
}

void Component::Adopt(std::unique_ptr<Component> component) {
    if (!component)
        throw std::invalid_argument("Adopt: no component");
    if (component->m_owner)
        throw std::logic_error("Adopt: " + component->Name() + " already has an owner");
    component->m_owner = this;
    m_components.push_back(std::move(component));
}

void Component::DestroyComponent(Component& component) {
    auto it = std::find_if(m_components.begin(), m_components.end(),
                           [&](const auto& owned) { return owned.get() == &component; });
    if (it == m_components.end())
        throw std::logic_error("DestroyComponent: " + component.Name() + " is not owned by " + m_name);
    // Move it out first so that its destructor never sees itself in the list.
    std::unique_ptr<Component> doomed = std::move(*it);
    m_components.erase(it);
    doomed.reset();
}

Component* Component::FindComponent(const std::string& name) const {
    for (const auto& owned : m_components) {
        if (owned->Name() == name)
            return owned.get();
    }
    for (const auto& owned : m_components) {
        if (Component* found = owned->FindComponent(name))
            return found;
    }
    return nullptr;
}

void Component::DestroyOwnedComponents() {
    while (!m_components.empty()) {
        std::unique_ptr<Component> doomed = std::move(m_components.back());
        m_components.pop_back();
        doomed.reset();
    }
}

} // namespace ui
