#include "Mask.h"

#include "data/EditMask.h"

namespace Mask {

std::string FormatMaskText(const std::string& mask, const std::string& value) {
    if (mask.empty())
        return value;
    return data::EditMask::FormatMaskText(mask, value);
}

} // namespace Mask
