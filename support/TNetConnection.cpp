#include "TNetConnection.h"

#include "rpcclient/FailoverClient.h"
#include "Morvale.h"
#include "RemoteCallLog.h"
#include "RemoteJson.h"
#include "RemoteResultReader.h"
#include "protocol/LookupCatalogue.h"

#include <algorithm>
#include <deque>
#include <future>
#include <stdexcept>

namespace {

// The call's arguments as JSON; throws std::runtime_error with the operator's message.
nlohmann::json Params(const std::string& method, const std::vector<RemoteArg>& args) {
    try {
        return RemoteArgsToJson(args);
    } catch (const std::exception& error) {
        throw std::runtime_error("Parâmetros inválidos em " + method + ": " + error.what());
    }
}

} // namespace

// Its requests and their answers to come (each result read into a reader of its own as it
// arrives), or why it could not be sent.
struct TNetConnection::BatchExchange {
    std::size_t first;
    std::size_t last;
    std::vector<std::pair<std::string, nlohmann::json>> requests;
    std::deque<RemoteResultReader> results;
    std::future<std::vector<pedclient::StreamedAnswer>> answers;
    std::string failure;
};

TNetConnection::TNetConnection(std::string name) : ui::Component(std::move(name)) {}

TNetConnection::~TNetConnection() = default;

void TNetConnection::SetHost(std::string host) {
    if (host == m_host) {
        return;
    }
    m_host = std::move(host);
}

void TNetConnection::SetPort(int port) {
    if (port == m_port) {
        return;
    }
    m_port = port;
}

void TNetConnection::SetServerName(std::string serverName) {
    if (serverName == m_serverName) {
        return;
    }
    m_serverName = std::move(serverName);
}

void TNetConnection::SetRaiseOnError(bool raiseOnError) {
    if (raiseOnError == m_raiseOnError) {
        return;
    }
    m_raiseOnError = raiseOnError;
}

void TNetConnection::SetRecordsCalls(bool records) {
    if (records == m_recordsCalls) {
        return;
    }
    m_recordsCalls = records;
}

void TNetConnection::SetConnectTimeout(std::chrono::milliseconds timeout) {
    if (timeout == m_connectTimeout) {
        return;
    }
    m_connectTimeout = timeout;
}

void TNetConnection::SetReadTimeout(std::chrono::milliseconds timeout) {
    if (timeout == m_readTimeout) {
        return;
    }
    m_readTimeout = timeout;
}

std::string TNetConnection::Address() const {
    if (m_client)
        return m_client->Current().HostPort();
    return m_host + ":" + std::to_string(m_port);
}

void TNetConnection::Open() {
    if (Connected()) {
        return;
    }
    if (BeforeConnect) {
        BeforeConnect(*this);
    }
    if (m_serverName != KnownServerName && m_serverName != ReportServerName &&
        m_serverName != protocol::LookupModule) {
        throw std::runtime_error("Servidor de aplicação \"" + m_serverName + "\" desconhecido.");
    }
    m_client = NewClient();
    m_second = NewClient();
}

std::unique_ptr<pedclient::FailoverClient> TNetConnection::NewClient() const {
    std::vector<pedclient::ServerAddress> servers;
    try {
        servers = pedclient::ServerAddress::ParseList(m_host, m_port);
    } catch (const std::invalid_argument&) {
        throw std::runtime_error("Endereço do servidor de aplicação inválido: \"" + Address() + "\".");
    }
    std::unique_ptr<pedclient::FailoverClient> client;
    try {
        client = std::make_unique<pedclient::FailoverClient>(
            std::move(servers), Morvale::Token(), pedclient::RpcClientTimeouts{m_connectTimeout, m_readTimeout},
            Morvale::CaFile(), Morvale::PlainHttpAllowed());
    } catch (const std::invalid_argument& error) {
        throw std::runtime_error("Endereço do servidor de aplicação recusado: " + std::string(error.what()) + ".");
    }
    client->SetModule(m_serverName);
    return client;
}

void TNetConnection::Close() {
    m_client.reset();
    m_second.reset();
}

RemoteResult TNetConnection::Failed(std::string message) const {
    if (m_raiseOnError) {
        throw std::runtime_error(message);
    }
    RemoteResult result;
    result.Message = std::move(message);
    return result;
}

RemoteResult TNetConnection::Answered(const std::string& method, RemoteResultReader& result) const {
    try {
        return result.Result(method);
    } catch (const std::exception& error) {
        return Failed("Resposta inválida do servidor de aplicação em " + Address() + ": " + error.what() +
                      ".");
    }
}

RemoteResult TNetConnection::Call(const std::string& method, const std::vector<RemoteArg>& args) {
    if (!m_client) {
        return Failed("Não há conexão com o servidor de aplicação.");
    }
    nlohmann::json params;
    try {
        params = Params(method, args);
    } catch (const std::runtime_error& error) {
        return Failed(error.what());
    }
    if (m_recordsCalls)
        RemoteCallLog::Instance().Record(method, args);
    FollowToken();
    RemoteResultReader result;
    try {
        m_client->Call(method, params,
                       [&](std::size_t) -> nlohmann::json_sax<nlohmann::json>& { return result; });
    } catch (const pedclient::RpcClientError& error) {
        return Failed(Refused(error));
    }
    return Answered(method, result);
}

void TNetConnection::FollowToken() {
    const std::string token = Morvale::Token();
    for (pedclient::FailoverClient* client : {m_client.get(), m_second.get()}) {
        if (client && client->Token() != token)
            client->SetToken(token);
    }
}

std::string TNetConnection::Refused(const pedclient::RpcClientError& error) const {
    // The host offers a new sign-in; the call itself fails with the server's word.
    // The host is told of a sign-in session past its end, to offer the sign-in again.
    if (error.Code() == protocol::errors::SessionExpired)
        Morvale::SessionExpired();
    return error.what();
}

std::vector<RemoteResult> TNetConnection::CallBatch(const std::vector<RemoteCall>& calls) {
    FollowToken();
    std::vector<RemoteResult> results;
    results.reserve(calls.size());
    // Exchanges go out on two connections side by side, so that the server answers one while the
    // answer of the other is read here; at most two are in flight, and results keep the calls' order.
    std::vector<BatchExchange> exchanges;
    for (std::size_t first = 0; first < calls.size(); first += MaxBatchCalls)
        exchanges.push_back(Prepared(calls, first, std::min(calls.size(), first + MaxBatchCalls)));
    const auto send = [&](std::size_t i) {
        pedclient::FailoverClient* client = i % 2 == 0 ? m_client.get() : m_second.get();
        if (client && exchanges[i].failure.empty())
            exchanges[i].answers = std::async(std::launch::async, [client, &exchange = exchanges[i]] {
                const std::size_t count = exchange.requests.size();
                return client->CallBatch(exchange.requests, [&](std::size_t arrival) -> RemoteResultReader& {
                    if (arrival >= count)
                        throw pedclient::RpcClientError(pedclient::RpcClientError::BadAnswer,
                                                        "Resposta do lote com respostas demais.");
                    return exchange.results.emplace_back();
                });
            });
    };
    for (std::size_t i = 0; i < exchanges.size() && i < 2; ++i)
        send(i);
    for (std::size_t i = 0; i < exchanges.size(); ++i) {
        Collect(exchanges[i], results);
        if (i + 2 < exchanges.size())
            send(i + 2);
    }
    return results;
}

TNetConnection::BatchExchange TNetConnection::Prepared(const std::vector<RemoteCall>& calls,
                                                       std::size_t first, std::size_t last) const {
    BatchExchange exchange{first, last, {}, {}, {}, {}};
    if (!m_client) {
        exchange.failure = "Não há conexão com o servidor de aplicação.";
        return exchange;
    }
    try {
        for (std::size_t i = first; i < last; ++i)
            exchange.requests.emplace_back(calls[i].Method, Params(calls[i].Method, calls[i].Args));
    } catch (const std::runtime_error& error) {
        exchange.failure = error.what();
        return exchange;
    }
    for (std::size_t i = first; m_recordsCalls && i < last; ++i)
        RemoteCallLog::Instance().Record(calls[i].Method, calls[i].Args);
    return exchange;
}

void TNetConnection::Collect(BatchExchange& exchange, std::vector<RemoteResult>& results) const {
    std::vector<pedclient::StreamedAnswer> answers;
    if (exchange.failure.empty()) {
        try {
            answers = exchange.answers.get();
        } catch (const pedclient::RpcClientError& error) {
            exchange.failure = Refused(error);
        }
    }
    if (!exchange.failure.empty()) {
        for (std::size_t i = exchange.first; i < exchange.last; ++i)
            results.push_back(Failed(exchange.failure));
        return;
    }
    for (std::size_t i = 0; i < answers.size(); ++i)
        results.push_back(answers[i].ok
                              ? Answered(exchange.requests[i].first, exchange.results[answers[i].arrival])
                              : Failed(answers[i].message));
}
