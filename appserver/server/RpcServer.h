#pragma once

#include "server/ServerOptions.h"
#include "server/ServerState.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <memory>
#include <ostream>
#include <string>

namespace pedserver {

// The HTTP side of pedserver (Boost.Beast on Asio): POST /rdm/Ped01000.rdmCancelaPedido
// (JSON-RPC 2.0, batches included), GET /health and GET /metrics. Each of `threads` threads runs
// an event loop of its own (EventLoops) and at most one pooled connection at a time; a request is
// read, run and answered by the thread of its connection's loop.
class RpcServer {
public:
    RpcServer(const std::string& dbUrl, ServerOptions options, std::ostream& log);
    ~RpcServer();
    RpcServer(const RpcServer&) = delete;
    RpcServer& operator=(const RpcServer&) = delete;

    // Binds the listening socket and returns the port (the chosen one when the option was 0).
    int Bind();
    // Serves until Stop(); returns once the requests under way have been answered.
    void Run();
    // Safe from any thread, including before Run().
    void Stop();

private:
    void Accept();
    void Admit(boost::asio::ip::tcp::socket socket);
    void StopNow();

    std::unique_ptr<ServerState> m_state;
    boost::asio::ip::tcp::acceptor m_acceptor;
    boost::asio::steady_timer m_retry;
};

} // namespace pedserver
