#pragma once

#include "protocol/LookupCatalogue.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

// The application server's remote data modules, where each is reached and the methods each
// offers, so that the server, its clients and their tests name them alike.
namespace protocol {

struct MethodInfo {
    std::string_view name;
    // Whether the method only reads: calls of a batch that all only read share one read
    // transaction and may run side by side. A dry run locks and writes before it rolls back.
    bool readOnly;
};

inline constexpr std::string_view CancelaPedidoModule = "Ped01000.rdmCancelaPedido";
inline constexpr MethodInfo CancelaPedidoMethods[] = {
    {"GetParamPedido", true},
    {"GetPedido", true},
    {"GetItemPedido", true},
    {"GetItemPedidoSemFiltro2", true},
    {"getOperTPed", true},
    {"GetNrPedido", true},
    {"GetBloqueioPedido", true},
    {"GetSaldoEmpenho", true},
    {"SetCancelaPed", false},
    {"SetCancelaItemPed", false},
    {"SetDesfazCancel", false},
    {"GetSimulaCancelaPed", false},
    {"GetSimulaCancelaItemPed", false},
    {"GetSimulaDesfazCancel", false},
};

inline constexpr std::string_view RelPedidoModule = "Ped01100.rdmRelPedido";
inline constexpr MethodInfo RelPedidoMethods[] = {
    {"GetRelPedido", true},
    {"GetRelItemPedido", true},
    {"GetRelHistorico", true},
};

inline constexpr std::string_view LookupModule = lookups::ModuleName;
inline constexpr MethodInfo LookupMethods[] = {{lookups::Method, true}};

// Signs an operator in; every module's path takes it without a token.
inline constexpr std::string_view LoginMethod = "Login";
inline constexpr MethodInfo SignInMethods[] = {{LoginMethod, false}};

// A module's HTTP path: POST /rdm/<module>.
inline constexpr std::string_view ModulePathPrefix = "/rdm/";
inline std::string ModulePath(std::string_view module) {
    return std::string(ModulePathPrefix) + std::string(module);
}

// The method of that name, or null.
inline const MethodInfo* FindMethod(std::span<const MethodInfo> methods, std::string_view name) {
    const auto found =
        std::find_if(methods.begin(), methods.end(), [name](const MethodInfo& method) { return method.name == name; });
    return found == methods.end() ? nullptr : &*found;
}

inline bool IsReadOnly(std::span<const MethodInfo> methods, std::string_view name) {
    const MethodInfo* method = FindMethod(methods, name);
    return method && method->readOnly;
}

} // namespace protocol
