#include "server/RpcServer.h"

#include "server/HttpSession.h"

#include <algorithm>
#include <boost/asio/post.hpp>
#include <functional>
#include <stdexcept>
#include <thread>

namespace pedserver {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;

namespace {

ServerOptions Checked(ServerOptions options) {
    if (options.threads < 1)
        throw std::invalid_argument("the number of threads must be at least 1");
    return options;
}

// Said at once to a connection above the caps, without reading anything from it.
const std::string kBusy =
    "HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\nRetry-After: 1\r\nConnection: close\r\n\r\n";

} // namespace

RpcServer::RpcServer(const std::string& dbUrl, ServerOptions options, std::ostream& log)
    : m_state(std::make_unique<ServerState>(dbUrl, Checked(std::move(options)), log)),
      m_acceptor(m_state->loops.First()), m_retry(m_state->loops.First()) {}

RpcServer::~RpcServer() = default;

int RpcServer::Bind() {
    const ServerOptions& options = m_state->options;
    const std::string where = options.host + ":" + std::to_string(options.port);
    boost::system::error_code error;
    const auto endpoints =
        tcp::resolver(m_state->loops.First())
            .resolve(options.host, std::to_string(options.port), tcp::resolver::passive, error);
    if (error || endpoints.empty())
        throw std::runtime_error("cannot listen on " + where);
    const tcp::endpoint endpoint = *endpoints.begin();
    m_acceptor.open(endpoint.protocol());
    // SO_REUSEADDR allows a quick restart; SO_REUSEPORT is never set, so a second server on a
    // taken port fails instead of silently sharing its connections.
    m_acceptor.set_option(tcp::acceptor::reuse_address(true));
    m_acceptor.bind(endpoint, error);
    if (!error)
        m_acceptor.listen(asio::socket_base::max_listen_connections, error);
    if (error)
        throw std::runtime_error("cannot listen on " + where);
    return m_acceptor.local_endpoint().port();
}

void RpcServer::Run() {
    // A batch of reads is shared out over as many threads as there are cores to run them.
    const std::size_t cores = std::max(1U, std::thread::hardware_concurrency());
    m_state->dispatcher.ShareReadBatches(
        [this](std::function<void()> task) { m_state->loops.PostElsewhere(std::move(task)); },
        std::min(cores, static_cast<std::size_t>(m_state->options.threads)) - 1);
    Accept();
    m_state->loops.Run();
}

void RpcServer::Stop() {
    asio::post(m_acceptor.get_executor(), [this] { StopNow(); });
}

void RpcServer::StopNow() {
    m_state->stopping = true;
    boost::system::error_code ignored;
    m_acceptor.close(ignored);
    m_retry.cancel();
    for (const auto& weak : m_state->sessions) {
        if (const auto session = weak.lock())
            session->CloseIfIdle();
    }
    m_state->loops.ReleaseIdle();
}

void RpcServer::Accept() {
    m_acceptor.async_accept([this](boost::system::error_code error, tcp::socket socket) {
        if (m_state->stopping || !m_acceptor.is_open())
            return;
        if (!error) {
            Admit(std::move(socket));
        } else if (error == asio::error::no_descriptors) {
            // Out of file descriptors: accepting again at once would spin.
            m_retry.expires_after(std::chrono::milliseconds(50));
            m_retry.async_wait([this](boost::system::error_code waited) {
                if (!waited)
                    Accept();
            });
            return;
        }
        Accept();
    });
}

void RpcServer::Admit(tcp::socket socket) {
    boost::system::error_code error;
    const tcp::endpoint remote = socket.remote_endpoint(error);
    if (error)
        return;
    const std::string address = remote.address().to_string();
    // Answers are written in one piece, but a client's next request must not wait for an ACK.
    socket.set_option(tcp::no_delay(true), error);
    if (!m_state->limiter.TryAdd(address)) {
        socket.non_blocking(true, error);
        socket.write_some(asio::buffer(kBusy), error);
        socket.close(error);
        return;
    }
    // The connection moves to the loop that has the fewest; it stays there until it closes.
    const std::size_t loop = m_state->loops.LeastLoaded();
    const tcp protocol = remote.protocol();
    tcp::socket moved(m_state->loops.Join(loop), protocol, socket.release());
    auto session = std::make_shared<HttpSession>(std::move(moved), address, loop, *m_state);
    m_state->sessions.remove_if([](const std::weak_ptr<HttpSession>& weak) { return weak.expired(); });
    m_state->sessions.push_back(session);
    session->Start();
}

} // namespace pedserver
