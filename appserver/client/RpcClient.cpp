#include "RpcClient.h"

#include <httplib.h>

namespace pedclient {

namespace {

constexpr const char* RpcPath = "/rdm/Ped01000.rdmCancelaPedido";

template <typename Duration>
void SetTimeout(Duration duration, void (httplib::Client::*setter)(time_t, time_t), httplib::Client& client) {
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(duration).count();
    (client.*setter)(static_cast<time_t>(micros / 1000000), static_cast<time_t>(micros % 1000000));
}

} // namespace

struct RpcClient::Impl {
    Impl(std::string hostName, int portNumber, const std::string& token, RpcClientTimeouts timeouts)
        : host(std::move(hostName)), port(portNumber), http(host, port) {
        http.set_keep_alive(true);
        // Headers and body go out in separate writes; without this, delayed acknowledgements add
        // tens of milliseconds to every call on a kept-alive connection.
        http.set_tcp_nodelay(true);
        http.set_bearer_token_auth(token);
        SetTimeout(timeouts.connect, &httplib::Client::set_connection_timeout, http);
        SetTimeout(timeouts.read, &httplib::Client::set_read_timeout, http);
        SetTimeout(timeouts.read, &httplib::Client::set_write_timeout, http);
    }

    std::string Address() const { return host + ":" + std::to_string(port); }
    [[noreturn]] void ThrowTransport(httplib::Error error) const;
    nlohmann::json ResultOf(const httplib::Response& response, std::int64_t id) const;
    nlohmann::json PacketOf(const nlohmann::json& result) const;

    std::string host;
    int port;
    httplib::Client http;
    std::int64_t nextId = 1;
    std::string path = RpcPath;
};

void RpcClient::Impl::ThrowTransport(httplib::Error error) const {
    if (error == httplib::Error::Read) {
        throw RpcClientError(RpcClientError::NoAnswer,
                             "Servidor de aplicação em " + Address() + " não respondeu a tempo.");
    }
    throw RpcClientError(RpcClientError::Unavailable,
                         "Servidor de aplicação indisponível em " + Address() + ".");
}

nlohmann::json RpcClient::Impl::ResultOf(const httplib::Response& response, std::int64_t id) const {
    const nlohmann::json answer = nlohmann::json::parse(response.body, nullptr, false);
    const auto bad = [&] {
        std::string message = "Resposta inválida do servidor de aplicação em " + Address();
        if (response.status != 200) {
            message += " (HTTP " + std::to_string(response.status) + ")";
        }
        return RpcClientError(RpcClientError::BadAnswer, message + ".", response.status);
    };
    if (!answer.is_object()) {
        throw bad();
    }
    if (const auto error = answer.find("error"); error != answer.end()) {
        if (!error->is_object() || !error->value("code", nlohmann::json()).is_number_integer() ||
            !error->value("message", nlohmann::json()).is_string()) {
            throw bad();
        }
        throw RpcClientError((*error)["code"].get<int>(), (*error)["message"].get<std::string>(),
                             response.status);
    }
    const auto result = answer.find("result");
    if (response.status != 200 || result == answer.end() || answer.value("id", nlohmann::json()) != id) {
        throw bad();
    }
    return *result;
}

nlohmann::json RpcClient::Impl::PacketOf(const nlohmann::json& result) const {
    if (!result.is_object() || !result.contains("packet") || !result["packet"].is_object()) {
        throw RpcClientError(RpcClientError::BadAnswer, "Resposta inválida do servidor de aplicação em " +
                                                            Address() + ": falta o pacote de dados.");
    }
    return result["packet"];
}

RpcClient::RpcClient(std::string host, int port, std::string token, RpcClientTimeouts timeouts)
    : m_impl(std::make_unique<Impl>(std::move(host), port, token, timeouts)) {}

RpcClient::~RpcClient() = default;
RpcClient::RpcClient(RpcClient&&) noexcept = default;
RpcClient& RpcClient::operator=(RpcClient&&) noexcept = default;

void RpcClient::SetModule(const std::string& module) {
    m_impl->path = "/rdm/" + module;
}

const std::string& RpcClient::Host() const {
    return m_impl->host;
}

int RpcClient::Port() const {
    return m_impl->port;
}

nlohmann::json RpcClient::Call(const std::string& method, const nlohmann::json& params) {
    const std::int64_t id = m_impl->nextId++;
    const nlohmann::json request = {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}};
    // Invalid UTF-8 in a text is replaced rather than refused: the server validates what it gets.
    const std::string body = request.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    const httplib::Result response = m_impl->http.Post(m_impl->path, body, "application/json");
    if (!response) {
        m_impl->ThrowTransport(response.error());
    }
    return m_impl->ResultOf(*response, id);
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
