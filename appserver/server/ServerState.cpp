#include "server/ServerState.h"

#include <stdexcept>

namespace pedserver {

std::optional<boost::asio::ssl::context> ServerState::ServerTlsContext(const ServerOptions& options) {
    namespace ssl = boost::asio::ssl;
    if (options.tlsCertFile.empty() && options.tlsKeyFile.empty())
        return std::nullopt;
    if (options.tlsCertFile.empty() || options.tlsKeyFile.empty())
        throw std::invalid_argument("--tls-cert and --tls-key go together");
    std::optional<ssl::context> context(std::in_place, ssl::context::tls_server);
    context->set_options(ssl::context::default_workarounds | ssl::context::no_sslv2 | ssl::context::no_sslv3 |
                         ssl::context::no_tlsv1 | ssl::context::no_tlsv1_1 | ssl::context::single_dh_use);
    boost::system::error_code error;
    context->use_certificate_chain_file(options.tlsCertFile, error);
    if (error)
        throw std::runtime_error("cannot read the certificate chain " + options.tlsCertFile + ": " +
                                 error.message());
    context->use_private_key_file(options.tlsKeyFile, ssl::context::pem, error);
    if (error)
        throw std::runtime_error("cannot read the private key " + options.tlsKeyFile +
                                 " (or it does not match the certificate): " + error.message());
    return context;
}

} // namespace pedserver
