#pragma once

#include "qt/ControlView.h"

class QLineEdit;

namespace ui {
class Edit;
class MaskEdit;
} // namespace ui

namespace host {

// A line edit. Each edit a person makes becomes the model's text at once, through the model's
// own case and mask rules; the widget then shows the model's text. Masked edits use Qt's input
// mask built from the model's mask, so the same positions take the same characters.
class EditView : public ControlView {
public:
    EditView(ui::Edit& edit, QLineEdit& widget);

    void FocusArrived() override;

protected:
    void Apply(ui::Property property) override;
    void ApplyColor() override;

private:
    void ShowText();
    void Edited(const QString& text);

    ui::Edit& m_edit;
    ui::MaskEdit* m_maskEdit;
    QLineEdit& m_line;
};

// Qt's input mask for a model mask ("" when there is none).
QString QtInputMask(const std::string& mask);

} // namespace host
