#pragma once

#include "ui/Control.h"

#include <vector>

namespace ui {

// A control that holds other controls. Enabling or hiding it does not change its children's own
// properties, only their effective state.
class Container : public Control {
public:
    explicit Container(std::string name = {});
    ~Container() override;

    const std::vector<Control*>& Controls() const { return m_controls; }
    int ControlCount() const { return static_cast<int>(m_controls.size()); }
    // True for a control anywhere below this container.
    bool ContainsControl(const Control& control) const;
    // Children in tab order.
    std::vector<Control*> ControlsInTabOrder() const;
    // Every control below that takes the focus at all, in the order Tab visits them, whether or
    // not it can take it now.
    std::vector<Control*> TabChain() const;

    // Creates a control owned by this container's form and placed in this container.
    template <class T, class... Args> T& Add(std::string name, Args&&... args) {
        Component& owner = OwnerForChildren();
        T& control = owner.Create<T>(std::move(name), std::forward<Args>(args)...);
        control.SetParent(this);
        return control;
    }

protected:
    // A control below this container is about to go away; the form drops its focus on it.
    virtual void ControlRemoving(Control& control);
    virtual void ControlAdded(Control&) {}

private:
    friend class Control;
    Component& OwnerForChildren();
    void InsertControl(Control& control);
    void RemoveControl(Control& control);

    std::vector<Control*> m_controls;
};

} // namespace ui
