#include "server/RemoteModules.h"

#include "lookup/RdmDBGeral.h"
#include "rdm/CancelaPedidoService.h"
#include "rel/RelPedidoService.h"

#include <array>

namespace pedserver {
namespace {

const std::array<RemoteModule, 3> modules{{
    {protocol::CancelaPedidoModule, protocol::CancelaPedidoMethods, &CancelaPedidoService::Call},
    {protocol::RelPedidoModule, protocol::RelPedidoMethods, &RelPedidoService::Call},
    {protocol::LookupModule, protocol::LookupMethods, &RdmDBGeral::Call},
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
