#include "server/ServerState.h"

#include <openssl/ssl.h>
#include <stdexcept>

namespace pedserver {

namespace {

// TLS 1.2 only with forward-secret AEAD suites (TLS 1.3's own suites are all such).
constexpr const char* kTls12Ciphers = "ECDHE-ECDSA-AES128-GCM-SHA256:ECDHE-RSA-AES128-GCM-SHA256:"
                                      "ECDHE-ECDSA-AES256-GCM-SHA384:ECDHE-RSA-AES256-GCM-SHA384:"
                                      "ECDHE-ECDSA-CHACHA20-POLY1305:ECDHE-RSA-CHACHA20-POLY1305";

} // namespace

sqldb::PoolSettings ServerState::PoolSettingsOf(const ServerOptions& options) {
    return {options.poolSize > 0 ? options.poolSize : options.threads + LargeRequestThreads,
            std::chrono::milliseconds(options.acquireTimeoutMilliseconds),
            std::chrono::seconds(options.statementTimeoutSeconds)};
}

std::optional<boost::asio::ssl::context> ServerState::ServerTlsContext(const ServerOptions& options) {
    namespace ssl = boost::asio::ssl;
    if (options.tlsCertFile.empty() && options.tlsKeyFile.empty())
        return std::nullopt;
    if (options.tlsCertFile.empty() || options.tlsKeyFile.empty())
        throw std::invalid_argument("--tls-cert and --tls-key go together");
    std::optional<ssl::context> context(std::in_place, ssl::context::tls_server);
    context->set_options(ssl::context::default_workarounds | ssl::context::no_sslv2 | ssl::context::no_sslv3 |
                         ssl::context::no_tlsv1 | ssl::context::no_tlsv1_1 | ssl::context::single_dh_use |
                         SSL_OP_NO_TICKET);
    // A session ticket's key would outlive the connection and undo forward secrecy.
    if (SSL_CTX_set_cipher_list(context->native_handle(), kTls12Ciphers) != 1)
        throw std::runtime_error("the TLS 1.2 cipher list is not supported by this OpenSSL");
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
