#include "BareResponder.h"

#include <atomic>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <list>
#include <mutex>
#include <thread>

namespace benchcommon {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {

// The request's id as written: the digits after "id": (the bench's client sends numbers).
std::string IdOf(const std::string& body) {
    const auto key = body.find("\"id\":");
    if (key == std::string::npos)
        return "null";
    const auto start = key + 5;
    const auto end = body.find_first_not_of("0123456789", start);
    return body.substr(start, end - start);
}

void Serve(tcp::socket socket, const std::string& result) {
    beast::flat_buffer buffer;
    beast::error_code error;
    for (;;) {
        http::request<http::string_body> request;
        http::read(socket, buffer, request, error);
        if (error)
            return;
        http::response<http::string_body> response{http::status::ok, 11};
        response.set(http::field::content_type, "application/json");
        response.keep_alive(true);
        response.body().append(R"({"jsonrpc":"2.0","id":)").append(IdOf(request.body()));
        response.body().append(R"(,"result":)").append(result).append("}");
        response.prepare_payload();
        http::write(socket, response, error);
        if (error)
            return;
    }
}

} // namespace

struct BareResponder::Impl {
    explicit Impl(std::string text) : result(std::move(text)) {}

    std::string result;
    asio::io_context io;
    tcp::acceptor acceptor{io, {asio::ip::make_address("127.0.0.1"), 0}};
    std::mutex mutex;
    std::list<std::thread> connections;
    int port = acceptor.local_endpoint().port();
    std::atomic<bool> stopping = false;
    std::thread listener;
};

BareResponder::BareResponder(std::string result) : m_impl(std::make_unique<Impl>(std::move(result))) {
    m_impl->listener = std::thread([impl = m_impl.get()] {
        for (;;) {
            beast::error_code error;
            tcp::socket socket = impl->acceptor.accept(error);
            if (error || impl->stopping)
                return;
            socket.set_option(tcp::no_delay(true), error);
            const std::lock_guard lock(impl->mutex);
            impl->connections.emplace_back(Serve, std::move(socket), std::cref(impl->result));
        }
    });
}

BareResponder::~BareResponder() {
    // The listener is blocked in accept(): a connection of our own wakes it to see it should stop.
    m_impl->stopping = true;
    beast::error_code error;
    tcp::socket wake(m_impl->io);
    wake.connect({asio::ip::make_address("127.0.0.1"), static_cast<unsigned short>(m_impl->port)}, error);
    m_impl->listener.join();
    // The connections end when their clients close them (the bench's clients are gone by now).
    for (std::thread& connection : m_impl->connections)
        connection.join();
}

int BareResponder::Port() const {
    return m_impl->port;
}

} // namespace benchcommon
