#include "ui/CheckBox.h"

namespace ui {

void CheckBox::SetChecked(bool checked) {
    if (!Update(m_checked, checked, Property::Checked))
        return;
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
