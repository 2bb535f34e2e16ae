#pragma once

#include "GetPedidoParams.h"
#include "RpcClientError.h"

#include <chrono>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

namespace pedclient {

struct RpcClientTimeouts {
    std::chrono::milliseconds connect{3000};
    std::chrono::milliseconds read{30000};
};

// A keep-alive JSON-RPC client of "Ped01000.rdmCancelaPedido". One connection, reused from call
// to call and reopened when the server closed it. Not thread-safe: one client per thread.
// Every failure is an RpcClientError; nothing blocks longer than the timeouts.
class RpcClient {
public:
    RpcClient(std::string host, int port, std::string token, RpcClientTimeouts timeouts = {});
    ~RpcClient();
    RpcClient(RpcClient&&) noexcept;
    RpcClient& operator=(RpcClient&&) noexcept;

    // Sends the calls to another remote data module of the server ("Ped01100.rdmRelPedido").
    void SetModule(const std::string& module);

    const std::string& Host() const;
    int Port() const;

    // Sends one request and returns its "result" object.
    nlohmann::json Call(const std::string& method, const nlohmann::json& params);

    // The calls of the screen's load; each returns the data packet.
    nlohmann::json GetPedido(const GetPedidoParams& params);
    nlohmann::json GetItemPedido(const std::string& cdFilial, const std::string& nrPedido);
    nlohmann::json GetItemPedidoSemFiltro2(const std::string& cdFilial, const std::string& nrPedido);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace pedclient
