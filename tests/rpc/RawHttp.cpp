#include "RawHttp.h"

#include <arpa/inet.h>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace rpctest {

namespace {

using Clock = std::chrono::steady_clock;

int Remaining(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

} // namespace

RawConnection::RawConnection(int port, const std::string& from) : m_fd(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in source{};
    source.sin_family = AF_INET;
    inet_pton(AF_INET, from.c_str(), &source.sin_addr);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (m_fd < 0 || bind(m_fd, reinterpret_cast<sockaddr*>(&source), sizeof source) != 0 ||
        connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (m_fd >= 0)
            close(m_fd);
        throw std::runtime_error("cannot connect to 127.0.0.1:" + std::to_string(port));
    }
}

RawConnection::~RawConnection() {
    close(m_fd);
}

bool RawConnection::Send(const std::string& data) {
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t done = send(m_fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (done <= 0)
            return false;
        sent += static_cast<std::size_t>(done);
    }
    return true;
}

std::optional<RawAnswer> RawConnection::Read(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    char chunk[65536];
    for (;;) {
        const std::size_t end = m_pending.find("\r\n\r\n");
        if (end != std::string::npos) {
            RawAnswer answer;
            answer.head = m_pending.substr(0, end);
            answer.status = std::stoi(answer.head.substr(9, 3));
            const std::size_t length = answer.head.find("Content-Length: ");
            const std::size_t size =
                length == std::string::npos ? 0 : std::stoul(answer.head.substr(length + 16));
            if (m_pending.size() >= end + 4 + size) {
                answer.body = m_pending.substr(end + 4, size);
                m_pending.erase(0, end + 4 + size);
                return answer;
            }
        }
        pollfd entry{m_fd, POLLIN, 0};
        if (poll(&entry, 1, Remaining(deadline)) <= 0)
            return std::nullopt;
        const ssize_t got = recv(m_fd, chunk, sizeof chunk, 0);
        if (got <= 0)
            return std::nullopt;
        m_pending.append(chunk, static_cast<std::size_t>(got));
    }
}

bool RawConnection::ClosedWithin(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    char chunk[4096];
    for (;;) {
        pollfd entry{m_fd, POLLIN, 0};
        if (poll(&entry, 1, Remaining(deadline)) <= 0)
            return false;
        if (recv(m_fd, chunk, sizeof chunk, 0) <= 0)
            return true;
    }
}

long ResidentKiB(int pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmRSS:"))
            return std::stol(line.substr(6));
    }
    return 0;
}

} // namespace rpctest
