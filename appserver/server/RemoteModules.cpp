#include "server/RemoteModules.h"

#include "lookup/RdmDBGeral.h"
#include "rdm/CancelaPedidoService.h"
#include "protocol/RemoteModules.h"
#include "rel/RelPedidoService.h"

#include <array>

namespace pedserver {
namespace {

const std::array<RemoteModule, 3> modules{{
    {protocol::CancelaPedidoModule, &CancelaPedidoService::HasMethod, &CancelaPedidoService::IsReadOnly,
     &CancelaPedidoService::Call},
    {protocol::RelPedidoModule, &RelPedidoService::HasMethod, &RelPedidoService::IsReadOnly, &RelPedidoService::Call},
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

} // namespace pedserver
