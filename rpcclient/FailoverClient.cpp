#include "FailoverClient.h"

#include <stdexcept>

namespace pedclient {

namespace {

// What the operator reads when a change was sent and its answer was lost.
RpcClientError OutcomeUnknown(const std::string& what, const ServerAddress& server,
                              const RpcClientError& cause) {
    return RpcClientError(RpcClientError::OutcomeUnknown,
                          "A operação " + what + " foi enviada ao servidor de aplicação em " +
                              server.HostPort() + ", mas a resposta não chegou (" + cause.what() +
                              ") Não se sabe se ela foi concluída: recarregue os pedidos para ver a situação "
                              "atual antes de repeti-la.",
                          cause.HttpStatus());
}

// The sinks, noting in `fed` that one of them was handed out.
ResultSinks Watched(const ResultSinks& sinks, bool& fed) {
    return [&sinks, &fed](std::size_t arrival) -> ResultSink& {
        fed = true;
        return sinks(arrival);
    };
}

} // namespace

FailoverClient::FailoverClient(std::vector<ServerAddress> servers, std::string token,
                               RpcClientTimeouts timeouts, std::string caFile, bool plainRemoteAllowed)
    : m_servers(std::move(servers)), m_token(std::move(token)), m_timeouts(timeouts),
      m_caFile(std::move(caFile)), m_clients(m_servers.size()) {
    if (m_servers.empty())
        throw std::invalid_argument("no application server given");
    ServerAddress::RequireSafeTransport(m_servers, plainRemoteAllowed);
}

void FailoverClient::SetModule(std::string_view module) {
    m_module = std::string(module);
    for (auto& client : m_clients) {
        if (client)
            client->SetModule(module);
    }
}

void FailoverClient::SetToken(const std::string& token) {
    m_token = token;
    for (auto& client : m_clients) {
        if (client)
            client->SetToken(token);
    }
}

bool FailoverClient::IsReading(const std::string& method) {
    return method.starts_with("Get") || method.starts_with("get");
}

RpcClient& FailoverClient::Client(std::size_t index) {
    std::optional<RpcClient>& client = m_clients[index];
    if (!client) {
        const ServerAddress& server = m_servers[index];
        client.emplace(server.host, server.port, m_token, m_timeouts, RpcClientLimits{},
                       TlsSettings{server.tls, m_caFile});
        if (!m_module.empty())
            client->SetModule(m_module);
    }
    return *client;
}

bool FailoverClient::MayTryNext(const RpcClientError& error, bool reading) {
    // A 503 is a server (or proxy) that ran nothing of the request: busy, or taking no requests.
    if (RpcClientError::NotSent(error.Code()) || error.HttpStatus() == 503)
        return true;
    // An answer lost on the way, or a proxy's gateway error: a read may be asked again elsewhere.
    const bool lost = error.Code() == RpcClientError::NoAnswer ||
                      (error.Code() == RpcClientError::BadAnswer &&
                       (error.HttpStatus() == 502 || error.HttpStatus() == 504));
    return reading && lost;
}

template <typename Exchange>
auto FailoverClient::Run(const std::string& what, bool reading, const Exchange& exchange, const bool* fed) {
    for (std::size_t tried = 1;; ++tried) {
        try {
            return exchange(Client(m_current));
        } catch (const RpcClientError& error) {
            const bool lost =
                error.Code() == RpcClientError::NoAnswer || error.Code() == RpcClientError::BadAnswer;
            if (!MayTryNext(error, reading) || (fed && *fed)) {
                if (!reading && lost)
                    throw OutcomeUnknown(what, m_servers[m_current], error);
                throw;
            }
            if (tried >= m_servers.size())
                throw;
            // The next call starts on the server that worked, not on the one that failed.
            m_current = (m_current + 1) % m_servers.size();
        }
    }
}

nlohmann::json FailoverClient::Call(const std::string& method, const nlohmann::json& params) {
    return Run(method, IsReading(method), [&](RpcClient& client) { return client.Call(method, params); });
}

std::pair<std::string, bool> FailoverClient::Describe(const std::vector<RpcCall>& calls) {
    bool reading = true;
    std::string what;
    for (const RpcCall& call : calls) {
        const std::string& method = call.Method();
        reading = reading && IsReading(method);
        if (!IsReading(method) && what.find(method) == std::string::npos)
            what += (what.empty() ? "" : ", ") + method;
    }
    return {what.empty() ? "de leitura" : what, reading};
}

std::vector<BatchAnswer> FailoverClient::CallBatch(const std::vector<RpcCall>& calls) {
    const auto [what, reading] = Describe(calls);
    return Run(what, reading, [&](RpcClient& client) { return client.CallBatch(calls); });
}

void FailoverClient::Call(const RpcCall& call, const ResultSinks& sinks) {
    bool fed = false;
    const ResultSinks watched = Watched(sinks, fed);
    Run(
        call.Method(), IsReading(call.Method()), [&](RpcClient& client) { client.Call(call, watched); },
        &fed);
}

std::vector<StreamedAnswer> FailoverClient::CallBatch(const std::vector<RpcCall>& calls,
                                                      const ResultSinks& sinks) {
    const auto [what, reading] = Describe(calls);
    bool fed = false;
    const ResultSinks watched = Watched(sinks, fed);
    return Run(
        what, reading, [&](RpcClient& client) { return client.CallBatch(calls, watched); }, &fed);
}

} // namespace pedclient
