#include "TNetConnection.h"

#include "Morvale.h"
#include "RemoteCallLog.h"
#include "RemoteJson.h"
#include "RemoteResultReader.h"
#include "protocol/LookupCatalogue.h"
#include "rpcclient/FailoverClient.h"

#include <algorithm>
#include <deque>
#include <future>
#include <iterator>
#include <limits>
#include <optional>
#include <stdexcept>

namespace {

// The call as it goes out; throws std::runtime_error with the operator's message.
pedclient::RpcCall Request(const std::string& method, const std::vector<RemoteArg>& args) {
    try {
        return pedclient::RpcCall::WithParamsText(method, RemoteArgsToText(args));
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
    std::vector<pedclient::RpcCall> requests;
    std::deque<RemoteResultReader> results;
    std::promise<std::vector<pedclient::StreamedAnswer>> answered;
    std::future<std::vector<pedclient::StreamedAnswer>> answers;
    std::string failure;
};

struct TNetConnection::PendingBatch::State {
    std::size_t calls = 0;
    std::vector<BatchExchange> exchanges;
    // Results are taken in call order: the exchanges collected so far, and those of their results
    // not taken yet (an exchange may carry calls on both sides of a take).
    std::size_t collected = 0;
    std::size_t taken = 0;
    std::vector<RemoteResult> ready;
    // Declared last, so that the exchanges outlive the lanes that fill them.
    std::vector<std::shared_future<void>> lanes;
    ~State() {
        for (const auto& lane : lanes)
            lane.wait();
    }
};

TNetConnection::PendingBatch::PendingBatch() = default;
TNetConnection::PendingBatch::PendingBatch(PendingBatch&&) noexcept = default;
TNetConnection::PendingBatch& TNetConnection::PendingBatch::operator=(PendingBatch&&) noexcept = default;
TNetConnection::PendingBatch::~PendingBatch() = default;

TNetConnection::TNetConnection(std::string name) : ui::Component(std::move(name)) {}

TNetConnection::~TNetConnection() {
    WaitForLanes();
}

void TNetConnection::WaitForLanes() {
    for (const auto& lane : m_lanes)
        lane.wait();
    m_lanes.clear();
}

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
    WaitForLanes();
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
    std::optional<pedclient::RpcCall> request;
    try {
        request = Request(method, args);
    } catch (const std::runtime_error& error) {
        return Failed(error.what());
    }
    if (m_recordsCalls)
        RemoteCallLog::Instance().Record(method, args);
    WaitForLanes();
    FollowToken();
    RemoteResultReader result;
    try {
        m_client->Call(*request, [&](std::size_t) -> pedclient::ResultSink& { return result; });
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
    return FinishBatch(StartBatch(calls));
}

TNetConnection::PendingBatch TNetConnection::StartBatch(const std::vector<RemoteCall>& calls) {
    WaitForLanes();
    FollowToken();
    PendingBatch batch;
    batch.m_state = std::make_unique<PendingBatch::State>();
    PendingBatch::State& state = *batch.m_state;
    state.calls = calls.size();
    for (std::size_t first = 0; first < calls.size(); first += MaxBatchCalls)
        state.exchanges.push_back(Prepared(calls, first, std::min(calls.size(), first + MaxBatchCalls)));
    // Exchanges go out on two connections side by side, so that the server answers one while the
    // answer of the other is read here: each connection is a lane that sends its exchanges one
    // after the other, and results keep the calls' order.
    for (std::size_t lane = 0; lane < 2 && lane < state.exchanges.size(); ++lane) {
        pedclient::FailoverClient* client = lane == 0 ? m_client.get() : m_second.get();
        if (!client)
            continue;
        state.lanes.push_back(std::async(std::launch::async, [client, lane, &exchanges = state.exchanges] {
            for (std::size_t i = lane; i < exchanges.size(); i += 2) {
                BatchExchange& exchange = exchanges[i];
                if (!exchange.failure.empty())
                    continue;
                const std::size_t count = exchange.requests.size();
                try {
                    exchange.answered.set_value(
                        client->CallBatch(exchange.requests, [&](std::size_t arrival) -> RemoteResultReader& {
                            if (arrival >= count)
                                throw pedclient::RpcClientError(pedclient::RpcClientError::BadAnswer,
                                                                "Resposta do lote com respostas demais.");
                            return exchange.results.emplace_back();
                        }));
                } catch (...) {
                    exchange.answered.set_exception(std::current_exception());
                }
            }
        }).share());
        m_lanes.push_back(state.lanes.back());
    }
    return batch;
}

std::vector<RemoteResult> TNetConnection::FinishBatch(PendingBatch batch) {
    return TakeResults(batch, std::numeric_limits<std::size_t>::max());
}

std::vector<RemoteResult> TNetConnection::TakeResults(PendingBatch& batch, std::size_t count) {
    if (!batch.m_state)
        return {};
    PendingBatch::State& state = *batch.m_state;
    count = std::min(count, state.calls - state.taken);
    while (state.ready.size() < count && state.collected < state.exchanges.size())
        Collect(state.exchanges[state.collected++], state.ready);
    const auto end = state.ready.begin() + static_cast<std::ptrdiff_t>(count);
    std::vector<RemoteResult> results(std::make_move_iterator(state.ready.begin()),
                                      std::make_move_iterator(end));
    state.ready.erase(state.ready.begin(), end);
    state.taken += count;
    return results;
}

TNetConnection::BatchExchange TNetConnection::Prepared(const std::vector<RemoteCall>& calls,
                                                       std::size_t first, std::size_t last) const {
    BatchExchange exchange{first, last, {}, {}, {}, {}, {}};
    exchange.answers = exchange.answered.get_future();
    if (!m_client) {
        exchange.failure = "Não há conexão com o servidor de aplicação.";
        return exchange;
    }
    try {
        for (std::size_t i = first; i < last; ++i)
            exchange.requests.push_back(Request(calls[i].Method, calls[i].Args));
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
                              ? Answered(exchange.requests[i].Method(), exchange.results[answers[i].arrival])
                              : Failed(answers[i].message));
}
