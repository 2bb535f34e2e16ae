#include "TNetConnection.h"

#include "FailoverClient.h"
#include "Morvale.h"
#include "RemoteCallLog.h"
#include "RemoteJson.h"

#include <algorithm>
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
    if (m_serverName != KnownServerName && m_serverName != ReportServerName) {
        throw std::runtime_error("Servidor de aplicação \"" + m_serverName + "\" desconhecido.");
    }
    std::vector<pedclient::ServerAddress> servers;
    try {
        servers = pedclient::ServerAddress::ParseList(m_host, m_port);
    } catch (const std::invalid_argument&) {
        throw std::runtime_error("Endereço do servidor de aplicação inválido: \"" + Address() + "\".");
    }
    m_client = std::make_unique<pedclient::FailoverClient>(
        std::move(servers), Morvale::Token(), pedclient::RpcClientTimeouts{m_connectTimeout, m_readTimeout},
        Morvale::CaFile());
    m_client->SetModule(m_serverName);
}

void TNetConnection::Close() {
    m_client.reset();
}

RemoteResult TNetConnection::Failed(std::string message) const {
    if (m_raiseOnError) {
        throw std::runtime_error(message);
    }
    RemoteResult result;
    result.Message = std::move(message);
    return result;
}

RemoteResult TNetConnection::Answered(const std::string& method, const nlohmann::json& result) const {
    try {
        return RemoteResultFromJson(method, result);
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
    RemoteCallLog::Instance().Record(method, args);
    nlohmann::json answer;
    try {
        answer = m_client->Call(method, params);
    } catch (const pedclient::RpcClientError& error) {
        return Failed(error.what());
    }
    return Answered(method, answer);
}

std::vector<RemoteResult> TNetConnection::CallBatch(const std::vector<RemoteCall>& calls) {
    std::vector<RemoteResult> results;
    results.reserve(calls.size());
    for (std::size_t first = 0; first < calls.size(); first += MaxBatchCalls) {
        const std::size_t last = std::min(calls.size(), first + MaxBatchCalls);
        SendBatch(calls, first, last, results);
    }
    return results;
}

void TNetConnection::SendBatch(const std::vector<RemoteCall>& calls, std::size_t first, std::size_t last,
                               std::vector<RemoteResult>& results) {
    const auto failAll = [&](const std::string& message) {
        for (std::size_t i = first; i < last; ++i)
            results.push_back(Failed(message));
    };
    if (!m_client)
        return failAll("Não há conexão com o servidor de aplicação.");
    std::vector<std::pair<std::string, nlohmann::json>> requests;
    try {
        for (std::size_t i = first; i < last; ++i)
            requests.emplace_back(calls[i].Method, Params(calls[i].Method, calls[i].Args));
    } catch (const std::runtime_error& error) {
        return failAll(error.what());
    }
    for (std::size_t i = first; i < last; ++i)
        RemoteCallLog::Instance().Record(calls[i].Method, calls[i].Args);
    std::vector<pedclient::BatchAnswer> answers;
    try {
        answers = m_client->CallBatch(requests);
    } catch (const pedclient::RpcClientError& error) {
        return failAll(error.what());
    }
    for (std::size_t i = 0; i < answers.size(); ++i)
        results.push_back(answers[i].ok ? Answered(requests[i].first, answers[i].result)
                                        : Failed(answers[i].message));
}
