#pragma once

#include "app/HostView.h"

#include <memory>

namespace host {

struct HostOptions;

// Creates the Qt view (defined in host/qt). `argc` and `argv` go to the Qt application object,
// which keeps referring to them, so they must outlive the view.
std::unique_ptr<HostView> CreateQtView(const HostOptions& options, int& argc, char** argv);

} // namespace host
