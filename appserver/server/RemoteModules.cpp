#include "server/RemoteModules.h"

#include "lookup/RdmDBGeral.h"
#include "rdm/RdmCancelaPedido.h"
#include "rel/RdmRelPedido.h"

#include <array>

namespace pedserver {
namespace {

const std::array<RemoteModule, 3> modules{{
    {"Ped01000.rdmCancelaPedido", &RdmCancelaPedido::HasMethod, &RdmCancelaPedido::IsReadOnly,
     &RdmCancelaPedido::Call},
    {RdmRelPedido::Name, &RdmRelPedido::HasMethod, &RdmRelPedido::HasMethod, &RdmRelPedido::Call},
    // Every lookup only reads: it runs in a read-only transaction.
    {lookups::ModuleName, &RdmDBGeral::HasMethod, &RdmDBGeral::HasMethod, &RdmDBGeral::Call},
}};

} // namespace

const RemoteModule* FindRemoteModule(std::string_view name) {
    for (const auto& module : modules) {
        if (module.Name == name)
            return &module;
    }
    return nullptr;
}

const RemoteModule& CancellationModule() {
    return modules[0];
}

const RemoteModule& RdmRelPedidoModule() {
    return modules[1];
}

const RemoteModule& LookupModule() {
    return modules[2];
}

} // namespace pedserver
