#include "testkit/LoopbackSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace testkit {

LoopbackSocket::LoopbackSocket(bool listening) : m_fd(socket(AF_INET, SOCK_STREAM, 0)) {
    if (m_fd < 0)
        throw std::runtime_error("cannot create a loopback socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
        (listening && listen(m_fd, 4) != 0)) {
        close(m_fd);
        throw std::runtime_error("cannot bind a loopback socket");
    }
    m_port = ntohs(address.sin_port);
}

LoopbackSocket::~LoopbackSocket() {
    close(m_fd);
}

} // namespace testkit
