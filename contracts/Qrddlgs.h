#pragma once

#include "TADOIBQuery.h"
#include "TParams.h"

#include <string_view>

namespace Qrddlgs {

// Whether the parameter list holds a parameter of that name (letter case ignored).
bool ExistParam(const TParams& params, std::string_view name);
bool ExistParam(const TADOIBQuery& query, std::string_view name);

} // namespace Qrddlgs
