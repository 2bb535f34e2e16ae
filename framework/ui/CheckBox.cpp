#include "ui/CheckBox.h"

namespace ui {

void CheckBox::SetChecked(bool checked) {
    if (checked == m_checked)
        return;
    m_checked = checked;
    Notify(Property::Checked);
    Control::Click();
}

void CheckBox::Click() {
    SetChecked(!m_checked);
}

void CheckBox::HandleKey(int& key, ShiftState) {
    if (key != Key::Space)
        return;
    key = 0;
    Click();
}

} // namespace ui
