#pragma once

#include "ui/Control.h"
#include "ui/FormTypes.h"

namespace ui {

// A push button. A click sets its form's modal result (when it has one) and runs OnClick; Enter
// in a dialog clicks the default button and Esc the cancel button.
class Button : public Control {
public:
    explicit Button(std::string name = {}) : Control(std::move(name)) {}

    ui::ModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(ui::ModalResult result);
    bool Default() const { return m_default; }
    void SetDefault(bool isDefault) { m_default = isDefault; }
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool isCancel) { m_cancel = isCancel; }

    bool AcceptsFocus() const override { return true; }
    void Click() override;
    // Space and Enter click it.
    void HandleKey(int& key, ShiftState shift) override;

private:
    ui::ModalResult m_modalResult = ModalResult::None;
    bool m_default = false;
    bool m_cancel = false;
};

} // namespace ui
