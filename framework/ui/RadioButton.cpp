#include "ui/RadioButton.h"

#include "ui/Container.h"

#include <algorithm>
#include <vector>

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

void RadioButton::HandleKey(int& key, ShiftState shift) {
    if (shift.Ctrl || shift.Alt)
        return;
    if (key == Key::Space) {
        key = 0;
        Click();
        return;
    }
    const int step = key == Key::Down || key == Key::Right ? 1 : key == Key::Up || key == Key::Left ? -1 : 0;
    if (step == 0)
        return;
    key = 0;
    if (RadioButton* next = Neighbour(step)) {
        next->SetFocus();
        if (next->Focused())
            next->Click();
    }
}

RadioButton* RadioButton::Neighbour(int step) const {
    if (!Parent())
        return nullptr;
    std::vector<RadioButton*> group;
    for (Control* sibling : Parent()->ControlsInTabOrder())
        if (auto* radio = dynamic_cast<RadioButton*>(sibling); radio && (radio == this || radio->CanFocus()))
            group.push_back(radio);
    const auto count = static_cast<std::ptrdiff_t>(group.size());
    const auto self = std::find(group.begin(), group.end(), this) - group.begin();
    if (count < 2 || self == count)
        return nullptr;
    return group[static_cast<std::size_t>(((self + step) % count + count) % count)];
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
