#include "server/RemoteModules.h"

#include "rdm/RdmCancelaPedido.h"
#include "rel/RdmRelPedido.h"

#include <array>

namespace pedserver {
namespace {

const std::array<RemoteModule, 2> modules{{
    {"Ped01000.rdmCancelaPedido", &RdmCancelaPedido::HasMethod, &RdmCancelaPedido::IsReadOnly,
     &RdmCancelaPedido::Call},
    {RdmRelPedido::Name, &RdmRelPedido::HasMethod, &RdmRelPedido::HasMethod, &RdmRelPedido::Call},
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

} // namespace pedserver
