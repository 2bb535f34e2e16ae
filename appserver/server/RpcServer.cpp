#include "server/RpcServer.h"

#include "server/JsonRpc.h"

#include <chrono>
#include <httplib.h>
#include <stdexcept>

namespace pedserver {

namespace {

constexpr const char* JsonType = "application/json; charset=utf-8";

std::string MebiBytes(std::size_t bytes) {
    return std::to_string(bytes / (1024 * 1024));
}

} // namespace

RpcServer::RpcServer(const std::string& dbUrl, ServerOptions options, std::ostream& log)
    : m_options(std::move(options)), m_pool(dbUrl, m_options.threads), m_dispatcher(m_pool), m_log(log),
      m_http(std::make_unique<httplib::Server>()) {
    if (m_options.threads < 1) {
        throw std::invalid_argument("the number of worker threads must be at least 1");
    }
    const auto threads = static_cast<std::size_t>(m_options.threads);
    // httplib takes ownership of the queue it gets from this factory.
    m_http->new_task_queue = [threads] { return std::make_unique<httplib::ThreadPool>(threads).release(); };
    // httplib's default is SO_REUSEPORT, which lets a second server bind the same port and
    // silently share its connections. SO_REUSEADDR alone still allows a quick restart.
    m_http->set_socket_options([](socket_t socket) {
        const int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    m_http->set_payload_max_length(m_options.maxBodyBytes);
    m_http->set_keep_alive_max_count(1000000);
    // Answers go out as separate writes of headers and body: do not let Nagle hold the body back.
    m_http->set_tcp_nodelay(true);
    m_http->set_keep_alive_timeout(m_options.keepAliveSeconds);
    m_http->Post(RpcPath, [this](const httplib::Request& request, httplib::Response& response) {
        HandleRpc(request, response);
    });
    m_http->Get("/health",
                [this](const httplib::Request&, httplib::Response& response) { HandleHealth(response); });
    m_http->Get("/metrics", [this](const httplib::Request&, httplib::Response& response) {
        response.set_content(m_metrics.RenderPrometheus(), "text/plain; version=0.0.4; charset=utf-8");
    });
    m_http->set_error_handler(httplib::Server::HandlerWithResponse(
        [this](const httplib::Request& request, httplib::Response& response) {
            HandleError(request, response);
            return httplib::Server::HandlerResponse::Handled;
        }));
}

RpcServer::~RpcServer() = default;

int RpcServer::Bind() {
    int port = m_options.port;
    if (port == 0) {
        port = m_http->bind_to_any_port(m_options.host);
    } else if (!m_http->bind_to_port(m_options.host, port)) {
        port = -1;
    }
    if (port < 0) {
        throw std::runtime_error("cannot listen on " + m_options.host + ":" + std::to_string(m_options.port));
    }
    return port;
}

void RpcServer::Run() {
    m_http->listen_after_bind();
}

void RpcServer::Stop() {
    m_http->stop();
}

void RpcServer::HandleRpc(const httplib::Request& request, httplib::Response& response) {
    const auto start = std::chrono::steady_clock::now();
    const RpcOutcome outcome = m_dispatcher.Handle(request.body, request.get_header_value("Authorization"));
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    response.status = outcome.httpStatus;
    if (outcome.httpStatus == 401) {
        response.set_header("WWW-Authenticate", "Bearer");
    }
    response.set_content(JsonRpc::Serialize(outcome.body), JsonType);
    m_metrics.Record(outcome.method, outcome.outcome, elapsed.count());
    m_log.Write(outcome, elapsed.count() * 1000.0);
}

void RpcServer::HandleHealth(httplib::Response& response) {
    try {
        sqldb::Lease lease = m_pool.Acquire();
        lease->Query("SELECT 1");
        response.set_content("ok", "text/plain");
    } catch (const std::exception&) {
        response.status = 503;
        response.set_content("database unavailable", "text/plain");
    }
}

void RpcServer::HandleError(const httplib::Request& request, httplib::Response& response) {
    if (!response.body.empty()) {
        return; // The JSON-RPC handler already wrote its own answer.
    }
    if (response.status != 413) {
        response.set_content("HTTP " + std::to_string(response.status) + "\n", "text/plain");
        return;
    }
    // httplib refuses form-encoded bodies above a few KiB with 413 too; say what is really wrong.
    const bool form =
        request.get_header_value("Content-Type").starts_with("application/x-www-form-urlencoded");
    const std::string message =
        form ? "Tipo de conteúdo não aceito: envie application/json."
             : "Requisição grande demais: o limite é de " + MebiBytes(m_options.maxBodyBytes) + " MiB.";
    RpcOutcome outcome{
        form ? 415 : 413, JsonRpc::Error(nullptr, JsonRpc::InvalidRequest, message), "-", "-", "invalid",
        message};
    response.status = outcome.httpStatus;
    response.set_content(JsonRpc::Serialize(outcome.body), JsonType);
    m_metrics.Record(outcome.method, outcome.outcome, 0.0);
    m_log.Write(outcome, 0.0);
}

} // namespace pedserver
