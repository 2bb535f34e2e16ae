#pragma once

#include "ui/Control.h"

namespace ui {

// OnClick runs whenever the checked state changes, by the user or by code.
class CheckBox : public Control {
public:
    explicit CheckBox(std::string name = {}) : Control(std::move(name)) {}

    bool Checked() const { return m_checked; }
    void SetChecked(bool checked);

    bool AcceptsFocus() const override { return true; }
    // Toggles the state.
    void Click() override;
    // Space toggles.
    void HandleKey(int& key, ShiftState shift) override;

private:
    bool m_checked = false;
};

} // namespace ui
