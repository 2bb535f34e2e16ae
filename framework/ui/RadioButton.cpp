#include "ui/RadioButton.h"

#include "ui/Container.h"

namespace ui {

void RadioButton::SetChecked(bool checked) {
    if (checked == m_checked)
        return;
    m_checked = checked;
    if (checked)
        UncheckSiblings();
    Notify(Property::Checked);
    if (checked)
        Control::Click();
}

void RadioButton::Click() {
    SetChecked(true);
}

void RadioButton::UncheckSiblings() {
    if (!Parent())
        return;
    for (Control* sibling : Parent()->Controls()) {
        auto* radio = dynamic_cast<RadioButton*>(sibling);
        if (radio && radio != this)
            radio->SetChecked(false);
    }
}

} // namespace ui
