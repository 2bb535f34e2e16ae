#include "RpcClient.h"

#include "HttpConnection.h"

namespace pedclient {

namespace {

constexpr const char* RpcPath = "/rdm/Ped01000.rdmCancelaPedido";

} // namespace

struct RpcClient::Impl {
    Impl(std::string hostName, int portNumber, const std::string& token, RpcClientTimeouts timeoutValues,
         RpcClientLimits limitValues)
        : host(std::move(hostName)), port(portNumber), authorization("Bearer " + token),
          timeouts(timeoutValues), limits(limitValues), connection(host, port) {}

    nlohmann::json PacketOf(nlohmann::json result) const;

    std::string host;
    int port;
    std::string authorization;
    RpcClientTimeouts timeouts;
    RpcClientLimits limits;
    HttpConnection connection;
    std::int64_t nextId = 1;
};

nlohmann::json RpcClient::Impl::PacketOf(nlohmann::json result) const {
    if (!result.is_object() || !result.contains("packet") || !result["packet"].is_object()) {
        throw RpcClientError(RpcClientError::BadAnswer, "Resposta inválida do servidor de aplicação em " +
                                                            connection.Address() +
                                                            ": falta o pacote de dados.");
    }
    return std::move(result["packet"]);
}

RpcClient::RpcClient(std::string host, int port, std::string token, RpcClientTimeouts timeouts,
                     RpcClientLimits limits)
    : m_impl(std::make_unique<Impl>(std::move(host), port, token, timeouts, limits)) {}

RpcClient::~RpcClient() = default;
RpcClient::RpcClient(RpcClient&&) noexcept = default;
RpcClient& RpcClient::operator=(RpcClient&&) noexcept = default;

const std::string& RpcClient::Host() const {
    return m_impl->host;
}

int RpcClient::Port() const {
    return m_impl->port;
}

nlohmann::json RpcClient::Call(const std::string& method, const nlohmann::json& params) {
    const auto deadline = HttpConnection::Clock::now() + m_impl->timeouts.read;
    const std::int64_t id = m_impl->nextId++;
    const nlohmann::json request = {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}};
    // Invalid UTF-8 in a text is replaced rather than refused: the server validates what it gets.
    RpcAnswer answer =
        m_impl->connection.Post({RpcPath, m_impl->authorization,
                                 request.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace),
                                 deadline, m_impl->timeouts.connect, m_impl->limits.maxAnswerBytes});
    return ResultOfAnswer(std::move(answer), id, m_impl->connection.Address(), m_impl->limits.maxDepth);
}

nlohmann::json RpcClient::GetPedido(const GetPedidoParams& params) {
    return m_impl->PacketOf(Call("GetPedido", params.ToJson()));
}

nlohmann::json RpcClient::GetItemPedido(const std::string& cdFilial, const std::string& nrPedido) {
    return m_impl->PacketOf(Call("GetItemPedido", {cdFilial, nrPedido}));
}

nlohmann::json RpcClient::GetItemPedidoSemFiltro2(const std::string& cdFilial, const std::string& nrPedido) {
    return m_impl->PacketOf(Call("GetItemPedidoSemFiltro2", {cdFilial, nrPedido}));
}

} // namespace pedclient
