#include "server/RemoteModules.h"

#include "rdm/RdmCancelaPedido.h"
#include "rel/RdmRelPedido.h"

#include <array>

namespace pedserver {
namespace {

template <typename Module>
nlohmann::json CallOn(sqldb::Connection& connection, std::string_view method, const nlohmann::json& params,
                      const std::string& tokenOperator) {
    Module module(connection);
    return module.Call(method, params, tokenOperator);
}

const std::array<RemoteModule, 2> modules{{
    {"Ped01000.rdmCancelaPedido", &RdmCancelaPedido::HasMethod, &RdmCancelaPedido::IsReadOnly,
     &CallOn<RdmCancelaPedido>},
    {RdmRelPedido::Name, &RdmRelPedido::HasMethod, &RdmRelPedido::HasMethod, &CallOn<RdmRelPedido>},
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
