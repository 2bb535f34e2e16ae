#include "HttpConnection.h"

#include "httpstream/HttpStream.h"
#include "RpcClientError.h"
#include "TlsHandshake.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http.hpp>
#include <optional>
#include <poll.h>
#include <sys/socket.h>

namespace pedclient {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {

constexpr std::size_t kMaxHeaderBytes = 64 * 1024;
constexpr std::size_t ReadBufferBytes = 64 * 1024;

std::string MebiBytes(std::size_t bytes) {
    return std::to_string(bytes / (1024 * 1024)) + " MiB";
}

// Whether a kept-alive socket was closed by the server while it sat idle: readable with
// nothing to read is the peer's close (an unexpected byte makes it unusable as well).
bool ClosedWhileIdle(tcp::socket& socket) {
    pollfd entry{socket.native_handle(), POLLIN, 0};
    if (poll(&entry, 1, 0) <= 0)
        return false;
    char byte = 0;
    return recv(socket.native_handle(), &byte, 1, MSG_PEEK | MSG_DONTWAIT) >= 0;
}

} // namespace

struct HttpConnection::Impl {
    Impl(std::string hostName, int portNumber, TlsSettings tlsSettings)
        : host(std::move(hostName)), port(portNumber), tls(std::move(tlsSettings)) {}

    std::string Address() const { return host + ":" + std::to_string(port); }
    [[noreturn]] void Fail(int code, const std::string& message) {
        stream.reset();
        throw RpcClientError(code, message);
    }
    // Runs the started operations; past the deadline, closes the stream and sets `error` to a timeout.
    void RunUntil(beast::tcp_stream& tcpStream, Clock::time_point deadline, beast::error_code& error);
    void Connect(const Exchange& exchange);
    // The TLS handshake with the server's certificate and name checked.
    void Handshake(const Exchange& exchange);
    RpcAnswer Send(const Exchange& exchange);

    std::string host;
    int port;
    TlsSettings tls;
    asio::io_context io;
    std::optional<httpstream::HttpStream> stream;
    // Made on the first TLS connection, so a CA file that cannot be read fails a call, not the set-up.
    std::optional<asio::ssl::context> tlsContext;
    beast::flat_buffer buffer;
};

void HttpConnection::Impl::RunUntil(beast::tcp_stream& tcpStream, Clock::time_point deadline,
                                    beast::error_code& error) {
    // The stream's own timeouts end the operations at the deadline; but a peer that keeps data
    // flowing keeps the loop busy, so the deadline is also enforced here, around the loop.
    io.restart();
    io.run_until(deadline);
    if (io.stopped())
        return;
    tcpStream.close();
    io.run();
    error = beast::error::timeout;
}

void HttpConnection::Impl::Connect(const Exchange& exchange) {
    const std::string unavailable = "Servidor de aplicação indisponível em " + Address() + ".";
    beast::error_code error;
    // Resolved synchronously: the host is an address or a name of the local hosts file.
    const auto endpoints = tcp::resolver(io).resolve(host, std::to_string(port), error);
    if (error)
        Fail(RpcClientError::Unavailable, unavailable);
    buffer.clear();
    // Beast reads at most what the buffer has room for, and the parser empties it as it goes:
    // without this room a large answer would come in pieces of a few hundred bytes, one system
    // call and one timer each.
    buffer.reserve(ReadBufferBytes);
    const auto connectDeadline = std::min(exchange.deadline, Clock::now() + exchange.connectTimeout);
    beast::tcp_stream tcpStream(io);
    tcpStream.expires_at(connectDeadline);
    tcpStream.async_connect(endpoints,
                            [&error](beast::error_code result, const tcp::endpoint&) { error = result; });
    RunUntil(tcpStream, connectDeadline, error);
    if (error)
        Fail(RpcClientError::Unavailable, unavailable);
    // Requests go out in one write, but answers are small and frequent: never wait for an ACK.
    tcpStream.socket().set_option(tcp::no_delay(true), error);
    if (!tls.enabled) {
        stream.emplace(std::move(tcpStream));
        return;
    }
    if (!tlsContext)
        tlsContext.emplace(TlsHandshake::ClientContext(tls, Address()));
    stream.emplace(std::move(tcpStream), *tlsContext);
    Handshake(exchange);
}

void HttpConnection::Impl::Handshake(const Exchange& exchange) {
    TlsHandshake handshake(stream->Tls(), host, Address());
    beast::error_code error;
    // Like connecting, a handshake that stalls is a server to give up on soon (nothing was sent yet).
    const auto deadline = std::min(exchange.deadline, Clock::now() + exchange.connectTimeout);
    stream->Tcp().expires_at(deadline);
    stream->Tls().async_handshake(asio::ssl::stream_base::client,
                                  [&error](beast::error_code result) { error = result; });
    RunUntil(stream->Tcp(), deadline, error);
    if (error) {
        const std::string message = handshake.Failure(error);
        Fail(RpcClientError::TlsFailed, message);
    }
}

RpcAnswer HttpConnection::Impl::Send(const Exchange& exchange) {
    http::request<http::string_body> request{http::verb::post, exchange.target, 11};
    request.set(http::field::host, host);
    if (!exchange.authorization.empty())
        request.set(http::field::authorization, exchange.authorization);
    request.set(http::field::content_type, "application/json");
    request.keep_alive(true);
    request.body() = exchange.body;
    request.prepare_payload();

    http::response_parser<http::string_body> parser;
    parser.header_limit(kMaxHeaderBytes);
    parser.body_limit(exchange.maxAnswerBytes);
    beast::error_code error;
    stream->Tcp().expires_at(exchange.deadline);
    // The header first: its length is judged before the body is read, because the body would
    // reserve room for the whole announced length at once.
    http::async_write(*stream, request, [&](beast::error_code written, std::size_t) {
        if (written) {
            error = written;
            return;
        }
        http::async_read_header(*stream, buffer, parser, [&](beast::error_code read, std::size_t) {
            error = read;
            if (!error && parser.content_length().value_or(0) > exchange.maxAnswerBytes)
                error = http::error::body_limit;
            if (!error && !parser.is_done())
                http::async_read(*stream, buffer, parser,
                                 [&error](beast::error_code body, std::size_t) { error = body; });
        });
    });
    RunUntil(stream->Tcp(), exchange.deadline, error);
    if (error == beast::error::timeout)
        Fail(RpcClientError::NoAnswer, "Servidor de aplicação em " + Address() + " não respondeu a tempo.");
    if (error == http::error::body_limit)
        Fail(RpcClientError::BadAnswer, "Resposta do servidor de aplicação em " + Address() +
                                            " grande demais: o limite é de " +
                                            MebiBytes(exchange.maxAnswerBytes) + ".");
    if (error == http::error::end_of_stream || error == asio::error::eof ||
        error == asio::error::connection_reset || error == asio::error::broken_pipe)
        Fail(RpcClientError::NoAnswer,
             "Servidor de aplicação em " + Address() + " encerrou a conexão sem responder.");
    if (error)
        Fail(RpcClientError::BadAnswer, "Resposta inválida do servidor de aplicação em " + Address() + ".");
    auto response = parser.release();
    if (!response.keep_alive())
        stream.reset();
    return {static_cast<int>(response.result_int()), std::move(response.body())};
}

HttpConnection::HttpConnection(std::string host, int port, TlsSettings tls)
    : m_impl(std::make_unique<Impl>(std::move(host), port, std::move(tls))) {}

HttpConnection::~HttpConnection() = default;

std::string HttpConnection::Address() const {
    return m_impl->Address();
}

RpcAnswer HttpConnection::Post(const Exchange& exchange) {
    if (m_impl->stream && ClosedWhileIdle(m_impl->stream->Tcp().socket()))
        m_impl->stream.reset();
    if (!m_impl->stream)
        m_impl->Connect(exchange);
    return m_impl->Send(exchange);
}

} // namespace pedclient
