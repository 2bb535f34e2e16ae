#include "HttpGet.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <stdexcept>

namespace benchcommon {

std::string HttpGet(int port, const std::string& target) {
    namespace asio = boost::asio;
    namespace http = boost::beast::http;
    asio::io_context io;
    asio::ip::tcp::socket socket(io);
    socket.connect({asio::ip::make_address("127.0.0.1"), static_cast<unsigned short>(port)});
    http::request<http::empty_body> request{http::verb::get, target, 11};
    request.set(http::field::host, "127.0.0.1");
    http::write(socket, request);
    boost::beast::flat_buffer buffer;
    http::response<http::string_body> response;
    http::read(socket, buffer, response);
    if (response.result() != http::status::ok)
        throw std::runtime_error("GET " + target + ": HTTP " + std::to_string(response.result_int()));
    return response.body();
}

} // namespace benchcommon
