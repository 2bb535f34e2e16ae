#include "server/HttpSession.h"

#include "protocol/RemoteModules.h"
#include "rdm/RpcError.h"
#include "server/JsonRpc.h"
#include "server/RpcServer.h"
#include "sqldb/PoolBusy.h"

#include <boost/asio/dispatch.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/string.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/write.hpp>
#include <chrono>
#include <iterator>
#include <limits>

namespace pedserver {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {

constexpr const char* JsonType = "application/json; charset=utf-8";
constexpr const char* TextType = "text/plain; charset=utf-8";
constexpr std::size_t kFirstRead = 1024; // what an idle connection keeps allocated
constexpr std::size_t kReadChunk = 16 * 1024;
// Bodies above this are parsed and run off the loop's thread (ServerState::largeRequests).
constexpr std::size_t kLargeBody = 64 * 1024;
constexpr auto kLingerTime = std::chrono::seconds(2);
const std::string kContinue = "HTTP/1.1 100 Continue\r\n\r\n";
// A sign-in's body: an operator code and a password, well under this.
constexpr std::size_t kSignInBody = 4 * 1024;

std::string_view Text(beast::string_view value) {
    return {value.data(), value.size()};
}

bool ClientWentAway(const beast::error_code& error) {
    return error == http::error::end_of_stream || error == asio::error::eof ||
           error == asio::error::connection_reset || error == beast::error::timeout ||
           error == asio::error::operation_aborted || error == asio::error::broken_pipe;
}

std::chrono::seconds Seconds(int seconds) {
    return std::chrono::seconds(seconds);
}

httpstream::HttpStream SessionStream(tcp::socket socket, ServerState& state) {
    beast::tcp_stream tcp(std::move(socket));
    if (state.tls)
        return httpstream::HttpStream(std::move(tcp), *state.tls);
    return httpstream::HttpStream(std::move(tcp));
}

} // namespace

HttpSession::HttpSession(tcp::socket socket, std::string address, std::size_t loop, ServerState& state)
    : m_stream(SessionStream(std::move(socket), state)), m_address(std::move(address)),
      m_peer(boost::asio::ip::make_address(m_address)), m_loop(loop), m_state(state) {}

HttpSession::~HttpSession() {
    m_state.limiter.Remove(m_address);
    m_state.loops.Leave(m_loop);
}

void HttpSession::Start() {
    if (m_stream.IsTls())
        return Handshake();
    WaitForRequest();
}

void HttpSession::Handshake() {
    // A client that opens a connection and never finishes the handshake is held to the header's time.
    m_stream.Tcp().expires_after(Seconds(m_state.options.headerTimeoutSeconds));
    m_stream.Tls().async_handshake(asio::ssl::stream_base::server,
                                   [self = shared_from_this()](beast::error_code error) {
                                       if (error)
                                           return self->Close();
                                       self->WaitForRequest();
                                   });
}

void HttpSession::CloseIfIdle() {
    asio::dispatch(m_stream.get_executor(), [self = shared_from_this()] {
        if (!self->m_busy)
            self->Close();
    });
}

void HttpSession::Close() {
    beast::error_code ignored;
    m_stream.Tcp().socket().shutdown(tcp::socket::shutdown_both, ignored);
    m_stream.Tcp().close();
}

void HttpSession::WaitForRequest() {
    if (m_state.stopping)
        return Close();
    if (m_buffer.size() > 0)
        return ReadHeader();  // a pipelined request is already here
    m_buffer.shrink_to_fit(); // an idle connection keeps no room of its last request
    // Waiting for the first byte is the idle time; the header's own deadline starts with it.
    m_stream.Tcp().expires_after(Seconds(m_state.options.idleTimeoutSeconds));
    m_stream.async_read_some(m_buffer.prepare(kFirstRead),
                             [self = shared_from_this()](beast::error_code error, std::size_t size) {
                                 if (error)
                                     return self->Close();
                                 self->m_buffer.commit(size);
                                 self->ReadHeader();
                             });
}

void HttpSession::ReadHeader() {
    m_parser.emplace();
    m_parser->header_limit(static_cast<std::uint32_t>(m_state.options.maxHeaderBytes));
    // The body's size is judged after the token, so no body limit applies to the header yet.
    // (Boost 1.74 compares a length with an unset limit as above it, so the limit is the largest.)
    m_parser->body_limit(std::numeric_limits<std::uint64_t>::max());
    m_stream.Tcp().expires_after(Seconds(m_state.options.headerTimeoutSeconds));
    http::async_read_header(
        m_stream, m_buffer, *m_parser,
        [self = shared_from_this()](beast::error_code error, std::size_t) { self->OnHeader(error); });
}

void HttpSession::OnHeader(beast::error_code error) {
    if (error == http::error::header_limit)
        return Send(431, "Cabeçalho grande demais.\n", TextType, false);
    if (error && ClientWentAway(error))
        return Close();
    if (error)
        return Send(400, "Requisição HTTP inválida.\n", TextType, false);
    const Request& request = m_parser->get();
    if (static_cast<std::size_t>(std::distance(request.begin(), request.end())) >
        m_state.options.maxHeaderCount)
        return Send(431, "Campos de cabeçalho demais.\n", TextType, false);
    const beast::string_view target = request.target();
    // Each remote data module has a path of its own (protocol::ModulePath).
    const std::string_view path(target.data(), target.size());
    if (request.method() == http::verb::post && path.starts_with(protocol::ModulePathPrefix)) {
        m_module = FindRemoteModule(path.substr(protocol::ModulePathPrefix.size()));
        if (m_module)
            return Authenticate();
    }
    const bool bodiless = !RequestHasBody();
    if (request.method() == http::verb::get && target == "/health")
        return Health();
    if (request.method() == http::verb::get && target == "/metrics")
        return Send(200, m_state.metrics.RenderPrometheus(), "text/plain; version=0.0.4; charset=utf-8",
                    bodiless);
    Send(404, "HTTP 404\n", TextType, bodiless);
}

bool HttpSession::RequestHasBody() const {
    return !m_parser->is_done();
}

void HttpSession::Authenticate() {
    const Request& request = m_parser->get();
    m_client = m_state.proxies.Client(m_peer, Text(request["X-Real-IP"]), Text(request["X-Forwarded-For"]));
    const beast::string_view authorization = request[http::field::authorization];
    // Without a token a request may only sign in, with a small body.
    m_signingIn = authorization.empty();
    if (!m_signingIn) {
        RpcOutcome refusal;
        std::optional<std::string> operatorCode =
            m_state.dispatcher.Authenticate({authorization.data(), authorization.size()}, m_client, refusal);
        if (!operatorCode) {
            m_state.Record(refusal);
            return Send(refusal.httpStatus, JsonRpc::Serialize(refusal.body), JsonType, false);
        }
        m_operator = std::move(*operatorCode);
    }
    if (request[http::field::content_type].starts_with("application/x-www-form-urlencoded"))
        return Refuse(415, RpcCode::InvalidRequest, "Tipo de conteúdo não aceito: envie application/json.");
    const std::size_t limit = BodyLimit();
    const auto length = m_parser->content_length();
    if (length && *length > limit)
        return RefuseTooLarge();
    m_parser->body_limit(limit);
    if (!beast::iequals(request[http::field::expect], "100-continue"))
        return ReadBody();
    // Only now, authorised and within the limit, is the client invited to send its body.
    asio::async_write(m_stream, asio::buffer(kContinue),
                      [self = shared_from_this()](beast::error_code written, std::size_t) {
                          if (written)
                              return self->Close();
                          self->ReadBody();
                      });
}

void HttpSession::ReadBody() {
    m_stream.Tcp().expires_after(Seconds(m_state.options.bodyTimeoutSeconds));
    http::async_read(
        m_stream, m_buffer, *m_parser,
        [self = shared_from_this()](beast::error_code error, std::size_t) { self->OnBody(error); });
}

std::size_t HttpSession::BodyLimit() const {
    return m_signingIn ? kSignInBody : m_state.options.maxBodyBytes;
}

void HttpSession::RefuseTooLarge() {
    // A body too large to be a sign-in is a request that came without its token.
    if (m_signingIn)
        return Refuse(401, RpcCode::Unauthorized, "Token de acesso ausente.");
    Refuse(413, RpcCode::InvalidRequest,
           "Requisição grande demais: o limite é de " + std::to_string(BodyLimit() / (1024 * 1024)) + " MiB.");
}

void HttpSession::OnBody(beast::error_code error) {
    if (error == http::error::body_limit)
        return RefuseTooLarge();
    if (error)
        return Close();
    m_busy = true;
    if (m_signingIn)
        return Answer(m_state.dispatcher.SignIn(m_parser->get().body(), m_client));
    // The body leaves the parser, which an idle connection keeps.
    std::string body = std::move(m_parser->get().body());
    if (body.size() > kLargeBody)
        return HandleElsewhere(std::move(body));
    // Run on this thread: handing the call to another one and back cost more than the call itself.
    Answer(m_state.dispatcher.Handle(body, m_operator, *m_module));
}

void HttpSession::HandleElsewhere(std::string body) {
    // Parsing a large body and freeing its tree take a while (tens of milliseconds a MiB): that is
    // done on a thread of its own, so this loop's other connections wait for none of it. The
    // tracked executor keeps this loop running until the answer is back on it.
    auto loop = asio::prefer(m_stream.get_executor(), asio::execution::outstanding_work.tracked);
    asio::post(m_state.largeRequests, [self = shared_from_this(), body = std::move(body), loop]() mutable {
        RpcReply reply = self->m_state.dispatcher.Handle(body, self->m_operator, *self->m_module);
        body = {};
        asio::post(loop, [self, reply = std::move(reply)]() mutable { self->Answer(std::move(reply)); });
    });
}

void HttpSession::Answer(RpcReply reply) {
    for (RpcOutcome& call : reply.calls) {
        call.client = m_client;
        m_state.Record(call);
    }
    Send(reply.httpStatus, std::move(reply.body), JsonType, true);
}

void HttpSession::Health() {
    m_busy = true;
    // A pool with every connection lent answers "busy" within the acquire time, never hangs.
    const char* state = "ok";
    try {
        sqldb::Lease lease = m_state.pool.Acquire();
        lease->Query("SELECT 1");
    } catch (const sqldb::PoolBusy&) {
        state = "busy";
    } catch (const std::exception&) {
        state = "database unavailable";
    }
    Send(state == std::string_view("ok") ? 200 : 503, state, "text/plain", !RequestHasBody());
}

void HttpSession::Refuse(int status, int code, const std::string& message) {
    RpcOutcome outcome;
    outcome.httpStatus = status;
    outcome.body = JsonRpc::Error(nullptr, code, message);
    outcome.operatorCode = m_operator.empty() ? "-" : m_operator;
    outcome.client = m_client.empty() ? "-" : m_client;
    outcome.outcome = "invalid";
    outcome.detail = message;
    m_state.Record(outcome);
    Send(status, JsonRpc::Serialize(outcome.body), JsonType, false);
}

void HttpSession::Send(int status, std::string body, const char* contentType, bool keepOpen) {
    const Request& request = m_parser->get();
    keepOpen = keepOpen && request.keep_alive() && !m_state.stopping;
    m_response.emplace(static_cast<http::status>(status), request.version() >= 10 ? request.version() : 11);
    m_response->set(http::field::content_type, contentType);
    if (status == 401)
        m_response->set(http::field::www_authenticate, "Bearer");
    m_response->keep_alive(keepOpen);
    m_response->body() = std::move(body);
    m_response->prepare_payload();
    m_stream.Tcp().expires_after(Seconds(m_state.options.bodyTimeoutSeconds));
    http::async_write(m_stream, *m_response,
                      [self = shared_from_this(), keepOpen](beast::error_code error, std::size_t) {
                          self->m_busy = false;
                          if (error)
                              return self->Close();
                          if (!keepOpen)
                              return self->Linger();
                          self->WaitForRequest();
                      });
}

void HttpSession::Linger() {
    if (m_stream.IsTls()) {
        // TLS ends with close_notify, so the client can tell the end of the answer from a cut.
        m_stream.Tcp().expires_after(kLingerTime);
        return m_stream.Tls().async_shutdown([self = shared_from_this()](beast::error_code) { self->Close(); });
    }
    beast::error_code ignored;
    m_stream.Tcp().socket().shutdown(tcp::socket::shutdown_send, ignored);
    m_stream.Tcp().expires_after(kLingerTime); // one deadline for the whole drain
    Drain();
}

void HttpSession::Drain() {
    m_buffer.clear();
    m_stream.async_read_some(m_buffer.prepare(kReadChunk),
                             [self = shared_from_this()](beast::error_code error, std::size_t) {
                                 if (error)
                                     return self->Close();
                                 self->Drain();
                             });
}

} // namespace pedserver
