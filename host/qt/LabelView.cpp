#include "qt/LabelView.h"

#include <QLabel>

namespace host {

LabelView::LabelView(ui::Control& label, QLabel& widget) : ControlView(label, widget), m_label(widget) {}

void LabelView::ApplyCaption() {
    m_label.setText(QString::fromStdString(Control().Caption()));
}

} // namespace host
