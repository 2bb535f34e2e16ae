#include "testkit/FixedAnswerServer.h"

#include "protocol/RemoteModules.h"

#include <chrono>
#include <httplib.h>
#include <stdexcept>
#include <thread>

namespace testkit {

struct FixedAnswerServer::Serving {
    httplib::Server server;
    std::thread thread;
};

FixedAnswerServer::FixedAnswerServer(std::string body, int status) : m_serving(std::make_unique<Serving>()) {
    m_serving->server.Post(protocol::ModulePath(protocol::CancelaPedidoModule),
                           [body = std::move(body), status](const httplib::Request&, httplib::Response& res) {
                               res.status = status;
                               res.set_content(body, "application/json");
                           });
    m_port = m_serving->server.bind_to_any_port("127.0.0.1");
    if (m_port < 0)
        throw std::runtime_error("cannot bind the fixed-answer server");
    m_serving->thread = std::thread([this] { m_serving->server.listen_after_bind(); });
    // stop() only reaches a server whose loop has started.
    while (!m_serving->server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

FixedAnswerServer::~FixedAnswerServer() {
    m_serving->server.stop();
    m_serving->thread.join();
}

} // namespace testkit
