#include "Qrddlgs.h"

namespace Qrddlgs {

bool ExistParam(const TParams& params, std::string_view name) {
    return params.FindParam(name) != nullptr;
}

bool ExistParam(const TADOIBQuery& query, std::string_view name) {
    return ExistParam(query.GetIBParams(), name);
}

} // namespace Qrddlgs
