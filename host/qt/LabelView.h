#pragma once

#include "qt/ControlView.h"

class QLabel;

namespace host {

class LabelView : public ControlView {
public:
    LabelView(ui::Control& label, QLabel& widget);

protected:
    void ApplyCaption() override;

private:
    QLabel& m_label;
};

} // namespace host
