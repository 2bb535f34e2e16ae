#include "ui/Button.h"

#include "ui/Form.h"

namespace ui {

void Button::SetModalResult(ui::ModalResult result) {
    Update(m_modalResult, result, Property::ModalResult);
}

void Button::Click() {
    if (Form* form = ParentForm(); form && m_modalResult != ModalResult::None)
        form->SetModalResult(m_modalResult);
    Control::Click();
}

void Button::HandleKey(int& key, ShiftState) {
    if (key != Key::Space && key != Key::Return)
        return;
    key = 0;
    Click();
}

} // namespace ui
