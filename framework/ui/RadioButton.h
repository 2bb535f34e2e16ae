#pragma once

#include "ui/Control.h"

namespace ui {

// Exclusive within its parent. Checking one, by the user or by code, unchecks its siblings and
// runs its OnClick; unchecking runs nothing; checking an already checked one does nothing.
class RadioButton : public Control {
public:
    explicit RadioButton(std::string name = {}) : Control(std::move(name)) {}

    bool Checked() const { return m_checked; }
    void SetChecked(bool checked);

    bool AcceptsFocus() const override { return true; }
    // Checks it.
    void Click() override;
    // Space checks it; the arrow keys move the focus to the previous or next radio button of the
    // same parent and check that one, as the desktop's dialogs do.
    void HandleKey(int& key, ShiftState shift) override;

private:
    void UncheckSiblings();
    // The sibling radio button `step` places away that can take the focus, wrapping around.
    RadioButton* Neighbour(int step) const;

    bool m_checked = false;
};

} // namespace ui
