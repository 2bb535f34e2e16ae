#pragma once

#include <memory>
#include <string>
#include <vector>

namespace ui {

// The base of everything a form holds. A component owns the components created through it and
// destroys them with itself; names make them reachable from their owner (automation uses this).
class Component {
public:
    explicit Component(std::string name = {});
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return m_name; }
    void SetName(std::string name);
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    Component* Owner() const { return m_owner; }

    // Constructs a T owned by this component; T's constructor takes the name first.
    template <class T, class... Args> T& Create(std::string name, Args&&... args) {
        auto owned = std::make_unique<T>(std::move(name), std::forward<Args>(args)...);
        T& result = *owned;
        Adopt(std::move(owned));
        return result;
    }
    // Takes ownership of a component built elsewhere.
    void Adopt(std::unique_ptr<Component> component);
    // Destroys an owned component now. Not for a component whose handler is running.
    void DestroyComponent(Component& component);

    int ComponentCount() const { return static_cast<int>(m_components.size()); }
    Component& GetComponent(int index) const { return *m_components.at(static_cast<std::size_t>(index)); }
    // Searches the owned tree, depth first; nullptr when absent.
    Component* FindComponent(const std::string& name) const;
    template <class T> T* Find(const std::string& name) const {
        return dynamic_cast<T*>(FindComponent(name));
    }

protected:
    virtual void NameChanged() {}
    // Destroys every owned component, newest first. Derived classes whose members the owned
    // components still reach call this from their own destructor.
    void DestroyOwnedComponents();

private:
    std::string m_name;
    int m_tag = 0;
    Component* m_owner = nullptr;
    std::vector<std::unique_ptr<Component>> m_components;
};

} // namespace ui
