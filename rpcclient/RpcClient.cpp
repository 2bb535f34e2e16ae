#include "RpcClient.h"

#include "HttpConnection.h"
#include "protocol/RemoteModules.h"

namespace pedclient {

struct RpcClient::Impl {
    Impl(std::string hostName, int portNumber, const std::string& token, RpcClientTimeouts timeoutValues,
         RpcClientLimits limitValues, TlsSettings tls)
        : host(std::move(hostName)), port(portNumber), authorization(Authorization(token)),
          timeouts(timeoutValues), limits(limitValues), connection(host, port, std::move(tls)) {}

    // No token, no header: such a request may only sign in.
    static std::string Authorization(const std::string& token) {
        return token.empty() ? "" : "Bearer " + token;
    }

    nlohmann::json PacketOf(nlohmann::json result) const;

    std::string host;
    int port;
    std::string authorization;
    RpcClientTimeouts timeouts;
    RpcClientLimits limits;
    HttpConnection connection;
    std::int64_t nextId = 1;
    std::string path = protocol::ModulePath(protocol::CancelaPedidoModule);

    // Appends one call's request, with the next id, written as text: building each request as a
    // JSON value first took a tenth of the desktop's time in a large load.
    void AppendRequest(std::string& body, const std::string& method, const std::string& paramsText) {
        body += R"({"id":)";
        body += std::to_string(nextId++);
        body += R"(,"jsonrpc":"2.0","method":)";
        protocol::AppendJsonString(body, method);
        body += R"(,"params":)";
        body += paramsText;
        body += '}';
    }

    RpcAnswer PostCall(const std::string& method, const std::string& paramsText) {
        std::string body;
        AppendRequest(body, method, paramsText);
        return Post(std::move(body));
    }

    // Posts the calls as one batch, with the ids nextId, nextId + 1, ...
    RpcAnswer PostBatch(const std::vector<RpcCall>& calls) {
        std::string body = "[";
        for (const RpcCall& call : calls) {
            if (body.size() > 1)
                body += ',';
            AppendRequest(body, call.Method(), call.ParamsText());
        }
        body += ']';
        return Post(std::move(body));
    }

    // Posts a JSON-RPC body to the module's path within the call's deadline.
    RpcAnswer Post(std::string body) {
        const auto deadline = HttpConnection::Clock::now() + timeouts.read;
        return connection.Post(
            {path, authorization, std::move(body), deadline, timeouts.connect, limits.maxAnswerBytes});
    }
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
                     RpcClientLimits limits, TlsSettings tls)
    : m_impl(std::make_unique<Impl>(std::move(host), port, token, timeouts, limits, std::move(tls))) {}

RpcClient::~RpcClient() = default;
RpcClient::RpcClient(RpcClient&&) noexcept = default;
RpcClient& RpcClient::operator=(RpcClient&&) noexcept = default;

const std::string& RpcClient::Host() const {
    return m_impl->host;
}

int RpcClient::Port() const {
    return m_impl->port;
}

void RpcClient::SetModule(std::string_view module) {
    m_impl->path = protocol::ModulePath(module);
}

void RpcClient::SetToken(const std::string& token) {
    m_impl->authorization = Impl::Authorization(token);
}

nlohmann::json RpcClient::Call(const std::string& method, const nlohmann::json& params) {
    const std::int64_t id = m_impl->nextId;
    RpcAnswer answer = m_impl->PostCall(method, protocol::JsonText(params));
    return ResultOfAnswer(std::move(answer), id, m_impl->connection.Address(), m_impl->limits.maxDepth);
}

void RpcClient::Call(const RpcCall& call, const ResultSinks& sinks) {
    const std::int64_t id = m_impl->nextId;
    RpcAnswer answer = m_impl->PostCall(call.Method(), call.ParamsText());
    StreamAnswer(std::move(answer), id, m_impl->connection.Address(), m_impl->limits.maxDepth, sinks);
}

std::vector<BatchAnswer> RpcClient::CallBatch(const std::vector<RpcCall>& calls) {
    if (calls.empty())
        return {};
    const std::int64_t firstId = m_impl->nextId;
    RpcAnswer answer = m_impl->PostBatch(calls);
    return ResultsOfBatchAnswer(std::move(answer), firstId, calls.size(), m_impl->connection.Address(),
                                m_impl->limits.maxDepth);
}

std::vector<StreamedAnswer> RpcClient::CallBatch(const std::vector<RpcCall>& calls,
                                                 const ResultSinks& sinks) {
    if (calls.empty())
        return {};
    const std::int64_t firstId = m_impl->nextId;
    RpcAnswer answer = m_impl->PostBatch(calls);
    return StreamBatchAnswer(std::move(answer), firstId, calls.size(), m_impl->connection.Address(),
                             m_impl->limits.maxDepth, sinks);
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
