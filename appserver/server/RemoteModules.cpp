#include "server/RemoteModules.h"

#include "lookup/RdmDBGeral.h"
#include "rdm/RdmCancelaPedido.h"
#include "protocol/RemoteModules.h"
#include "rel/RdmRelPedido.h"

#include <array>

namespace pedserver {
namespace {

const std::array<RemoteModule, 3> modules{{
    {protocol::CancelaPedidoModule, &RdmCancelaPedido::HasMethod, &RdmCancelaPedido::IsReadOnly,
     &RdmCancelaPedido::Call},
    {protocol::RelPedidoModule, &RdmRelPedido::HasMethod, &RdmRelPedido::IsReadOnly, &RdmRelPedido::Call},
    {protocol::LookupModule, &RdmDBGeral::HasMethod, &RdmDBGeral::IsReadOnly, &RdmDBGeral::Call},
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
