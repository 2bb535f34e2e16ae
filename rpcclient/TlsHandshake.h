#pragma once

#include "TlsSettings.h"

#include <boost/asio/ssl/context.hpp>
#include <boost/beast/core/error.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/ssl/ssl_stream.hpp>
#include <string>

namespace pedclient {

// The client's side of a TLS handshake: the server's certificate must chain to a trusted
// authority and be issued for the host name (or IP address) the client connects to. After a
// failed handshake, Failure() says which of these went wrong, in Portuguese.
class TlsHandshake {
public:
    // Trust from the settings: the CA file, else the system's store. Throws RpcClientError
    // (TlsFailed) when the CA file cannot be read.
    static boost::asio::ssl::context ClientContext(const TlsSettings& settings, const std::string& address);

    // Sets the name sent to the server (SNI) and the name the certificate must carry.
    TlsHandshake(boost::beast::ssl_stream<boost::beast::tcp_stream>& stream, const std::string& host,
                 std::string address);

    std::string Failure(const boost::beast::error_code& error) const;

private:
    boost::beast::ssl_stream<boost::beast::tcp_stream>& m_stream;
    std::string m_host;
    std::string m_address;
};

} // namespace pedclient
