#pragma once

#include <boost/asio/ssl/context.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/ssl/ssl_stream.hpp>
#include <optional>
#include <utility>

namespace httpstream {

// A TCP stream, under TLS or not, as one asynchronous stream: the HTTP code of the server's
// sessions and of the client's connection is written once and runs over either. Timeouts and
// closing act on the TCP stream beneath (`Tcp()`), which also bounds the TLS records' reads.
class HttpStream {
public:
    using executor_type = boost::beast::tcp_stream::executor_type;

    // Plain TCP.
    explicit HttpStream(boost::beast::tcp_stream tcp) : m_plain(std::move(tcp)) {}
    // TLS over TCP with the given context; the handshake is the owner's first operation.
    HttpStream(boost::beast::tcp_stream tcp, boost::asio::ssl::context& tls)
        : m_tls(std::in_place, std::move(tcp), tls) {}

    bool IsTls() const { return m_tls.has_value(); }
    boost::beast::tcp_stream& Tcp() { return m_tls ? boost::beast::get_lowest_layer(*m_tls) : *m_plain; }
    // Only with IsTls().
    boost::beast::ssl_stream<boost::beast::tcp_stream>& Tls() { return *m_tls; }

    executor_type get_executor() { return Tcp().get_executor(); }

    template <class Buffers, class Handler> void async_read_some(const Buffers& buffers, Handler&& handler) {
        if (m_tls)
            m_tls->async_read_some(buffers, std::forward<Handler>(handler));
        else
            m_plain->async_read_some(buffers, std::forward<Handler>(handler));
    }

    template <class Buffers, class Handler> void async_write_some(const Buffers& buffers, Handler&& handler) {
        if (m_tls)
            m_tls->async_write_some(buffers, std::forward<Handler>(handler));
        else
            m_plain->async_write_some(buffers, std::forward<Handler>(handler));
    }

private:
    std::optional<boost::beast::tcp_stream> m_plain;
    std::optional<boost::beast::ssl_stream<boost::beast::tcp_stream>> m_tls;
};

} // namespace httpstream
