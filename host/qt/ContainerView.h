#pragma once

#include "qt/ControlView.h"

#include <functional>

namespace ui {
class Container;
}

namespace host {

// A panel, group box or any other control holding controls; its widget holds their widgets.
class ContainerView : public ControlView {
public:
    ContainerView(ui::Container& container, QWidget& widget);

    QWidget* ChildHost() override { return &Widget(); }

    // Told when the container's children changed, so the form view adds and drops widgets.
    std::function<void(ui::Container&)> OnChildrenChanged;

protected:
    void Apply(ui::Property property) override;
    void ApplyCaption() override;
    void ApplyColor() override;

private:
    ui::Container& m_container;
};

} // namespace host
