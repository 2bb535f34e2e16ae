#pragma once

#include "qt/ControlView.h"

#include <QAbstractButton>
#include <QSignalBlocker>

namespace host {

// A check box or radio button. Qt would change the state on its own when clicked; the view puts
// the model's state back and lets the model's click decide (a radio button's exclusivity, the
// click handlers, a refusal).
template <class Model> class CheckableView : public ControlView {
public:
    CheckableView(Model& control, QAbstractButton& button)
        : ControlView(control, button), m_model(control), m_button(button) {
        button.setCheckable(true);
        button.setAutoExclusive(false);
        QObject::connect(&button, &QAbstractButton::clicked, &Context(), [this] {
            ShowChecked();
            Actions().Click(m_model);
        });
    }

protected:
    void Apply(ui::Property property) override {
        if (property == ui::Property::Checked)
            ShowChecked();
        ControlView::Apply(property);
    }
    void ApplyCaption() override { m_button.setText(QString::fromStdString(m_model.Caption())); }

private:
    void ShowChecked() {
        QSignalBlocker block(m_button);
        m_button.setChecked(m_model.Checked());
    }

    Model& m_model;
    QAbstractButton& m_button;
};

} // namespace host
