#pragma once

#include <string>

namespace Mask {

// The value as an edit with the mask shows it (literals in place, blanks where the value is
// short). An empty mask gives the value unchanged.
std::string FormatMaskText(const std::string& mask, const std::string& value);

} // namespace Mask
