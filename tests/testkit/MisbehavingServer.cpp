#include "testkit/MisbehavingServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace testkit {

namespace {

constexpr int kPollMs = 50;

bool WaitFor(int fd, short events) {
    pollfd entry{fd, events, 0};
    return poll(&entry, 1, kPollMs) > 0;
}

std::string Headers(const std::string& framing) {
    return "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n" + framing + "\r\n\r\n";
}

std::string WithLength(const std::string& body) {
    return Headers("Content-Length: " + std::to_string(body.size())) + body;
}

} // namespace

MisbehavingServer::MisbehavingServer(Behaviour behaviour)
    : m_behaviour(behaviour), m_listener(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (m_listener < 0 || bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
        listen(m_listener, 8) != 0) {
        close(m_listener);
        throw std::runtime_error("cannot start the misbehaving server");
    }
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Serve(); });
}

MisbehavingServer::~MisbehavingServer() {
    m_stopping = true;
    m_thread.join();
    close(m_listener);
}

void MisbehavingServer::Serve() {
    while (!m_stopping) {
        if (!WaitFor(m_listener, POLLIN))
            continue;
        const int connection = accept(m_listener, nullptr, nullptr);
        if (connection < 0)
            continue;
        Answer(connection);
        close(connection);
    }
}

void MisbehavingServer::Answer(int connection) {
    std::string request;
    char chunk[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        if (m_stopping)
            return;
        if (!WaitFor(connection, POLLIN))
            continue;
        const ssize_t got = recv(connection, chunk, sizeof chunk, 0);
        if (got <= 0)
            return;
        request.append(chunk, static_cast<std::size_t>(got));
    }
    // The request body is not needed: the answer goes out whatever the client asked.
    const std::string block(64 * 1024, ' ');
    switch (m_behaviour) {
    case Behaviour::DeepNesting: {
        const std::size_t depth = 100000;
        SendAll(connection, WithLength(R"({"jsonrpc":"2.0","id":1,"result":)" + std::string(depth, '[') +
                                       std::string(depth, ']') + "}"));
        break;
    }
    case Behaviour::EndlessChunks:
        if (!SendAll(connection, Headers("Transfer-Encoding: chunked")))
            return;
        while (SendAll(connection, "10000\r\n" + block + "\r\n")) {
        }
        break;
    case Behaviour::HugeLength:
        if (!SendAll(connection, Headers("Content-Length: 1099511627776")))
            return;
        while (SendAll(connection, block)) {
        }
        break;
    case Behaviour::DripFeed:
        for (const char c : WithLength(R"({"jsonrpc":"2.0","id":1,"result":{"status":"ok","rows":0}})")) {
            if (!SendAll(connection, std::string(1, c)))
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        break;
    }
    // Hold the connection until the client lets go, as a server that means harm would.
    while (!m_stopping && !(WaitFor(connection, POLLIN) && recv(connection, chunk, sizeof chunk, 0) <= 0)) {
    }
}

bool MisbehavingServer::SendAll(int connection, const std::string& data) {
    std::size_t sent = 0;
    while (sent < data.size()) {
        if (m_stopping)
            return false;
        if (!WaitFor(connection, POLLOUT))
            continue;
        const ssize_t done = send(connection, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (done <= 0)
            return false;
        sent += static_cast<std::size_t>(done);
    }
    return true;
}

} // namespace testkit
