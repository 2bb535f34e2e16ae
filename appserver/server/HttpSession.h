#pragma once

#include "httpstream/HttpStream.h"
#include "server/RemoteModules.h"
#include "server/RpcOutcome.h"
#include "server/RpcReply.h"
#include "server/ServerState.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/string_body.hpp>
#include <memory>
#include <optional>
#include <string>

namespace pedserver {

// One client connection, driven by the event loop it lives on: every wait is an asynchronous
// operation with its deadline, so an idle or slow client costs a socket and a few buffers, never
// a thread. The token check and the calls run on the loop's thread, between two waits.
// Requests are read and answered one after the other, so pipelined requests are answered in
// order. A JSON-RPC request's token is checked from its headers before its body is read.
// Over TLS the handshake comes first, within the header's deadline; the rest is the same code.
class HttpSession : public std::enable_shared_from_this<HttpSession> {
public:
    // `socket` belongs to the event loop `loop`, which this session leaves when it ends.
    HttpSession(boost::asio::ip::tcp::socket socket, std::string address, std::size_t loop, ServerState& state);
    ~HttpSession();
    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;

    void Start();
    // Closes the connection unless a request of it is being answered (that one ends first).
    // Safe from any thread.
    void CloseIfIdle();

private:
    using Request = boost::beast::http::request<boost::beast::http::string_body>;
    using Response = boost::beast::http::response<boost::beast::http::string_body>;

    void Handshake();
    void WaitForRequest();
    void ReadHeader();
    void OnHeader(boost::beast::error_code error);
    void Authenticate();
    void ReadBody();
    void OnBody(boost::beast::error_code error);
    // Runs a large request on the server's large-request threads and answers it back on this loop.
    void HandleElsewhere(std::string body);
    void Answer(RpcReply reply);
    void Health();
    // Refuses the JSON-RPC request with `status` and a JSON-RPC error, then closes.
    void Refuse(int status, int code, const std::string& message);
    void Send(int status, std::string body, const char* contentType, bool keepOpen);
    // Stops sending and drains what the client still sends for a moment, so that it reads the
    // answer instead of a reset (over TLS: sends close_notify and waits for the client's); then
    // closes.
    void Linger();
    void Drain();
    void Close();
    bool RequestHasBody() const;
    // The most a request's body may hold: small for a sign-in, else the server's limit.
    std::size_t BodyLimit() const;
    void RefuseTooLarge();

    httpstream::HttpStream m_stream;
    std::string m_address;               // the peer's, which the connection caps count
    boost::asio::ip::address m_peer;
    std::string m_client;                // the client's, for the log and the guess limiter
    std::size_t m_loop;
    ServerState& m_state;
    boost::beast::flat_buffer m_buffer;
    std::optional<boost::beast::http::request_parser<boost::beast::http::string_body>> m_parser;
    std::optional<Response> m_response;
    std::string m_operator;
    bool m_signingIn = false; // a request without a token
    // The remote data module the request's path names.
    const RemoteModule* m_module = nullptr;
    bool m_busy = false; // from a complete request until its answer is sent
};

} // namespace pedserver
