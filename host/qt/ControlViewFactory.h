#pragma once

#include "qt/ControlView.h"

#include <memory>

class QWidget;

namespace host {

// The view of a control of any kind, its widget made inside `host`. `parentView` is the view
// of the control's container (a page needs its page control's view).
std::unique_ptr<ControlView> MakeControlView(ui::Control& control, QWidget& host, ControlView* parentView);

} // namespace host
