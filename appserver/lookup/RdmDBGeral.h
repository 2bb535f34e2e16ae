#pragma once

#include "protocol/LookupCatalogue.h"
#include "rdm/MethodCall.h"
#include "rdm/MethodResult.h"

#include <nlohmann/json.hpp>
#include <span>
#include <string_view>

namespace pedserver {

// The remote data module "Geral.rdmDBGeral": the desktops' shared lookup session. Its one
// method, GetConsulta(statement, parameters), runs a statement of the lookup catalogue, and no
// other text, with bound parameters in the call's read-only transaction, and answers its rows as
// a packet of the result's columns.
class RdmDBGeral {
public:
    static MethodResult Call(std::string_view method, const MethodCall& call);
    // GetConsulta over the given catalogue (the server's own is lookups::Catalogue).
    static MethodResult Lookup(const MethodCall& call, std::span<const lookups::Statement> catalogue);
};

} // namespace pedserver
