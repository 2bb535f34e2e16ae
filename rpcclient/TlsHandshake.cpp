#include "TlsHandshake.h"

#include "RpcClientError.h"

#include <boost/asio/ip/address.hpp>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

namespace pedclient {

namespace asio = boost::asio;

namespace {

bool IsIpAddress(const std::string& host) {
    boost::system::error_code error;
    asio::ip::make_address(host, error);
    return !error;
}

// Why a chain did not verify, in the operator's words where the cause is a common one.
std::string ChainFailure(long result) {
    switch (result) {
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        return "emitido por uma autoridade certificadora desconhecida";
    case X509_V_ERR_CERT_HAS_EXPIRED:
        return "certificado vencido";
    case X509_V_ERR_CERT_NOT_YET_VALID:
        return "certificado ainda não válido";
    default:
        return X509_verify_cert_error_string(result);
    }
}

} // namespace

asio::ssl::context TlsHandshake::ClientContext(const TlsSettings& settings, const std::string& address) {
    asio::ssl::context context(asio::ssl::context::tls_client);
    context.set_options(asio::ssl::context::default_workarounds | asio::ssl::context::no_sslv2 |
                        asio::ssl::context::no_sslv3 | asio::ssl::context::no_tlsv1 |
                        asio::ssl::context::no_tlsv1_1);
    context.set_verify_mode(asio::ssl::verify_peer);
    boost::system::error_code error;
    if (settings.caFile.empty())
        context.set_default_verify_paths(error);
    else
        context.load_verify_file(settings.caFile, error);
    if (error)
        throw RpcClientError(
            RpcClientError::TlsFailed,
            "Não foi possível ler as autoridades certificadoras " +
                (settings.caFile.empty() ? std::string("do sistema") : "de \"" + settings.caFile + "\"") +
                " para a conexão segura com " + address + ".");
    return context;
}

TlsHandshake::TlsHandshake(boost::beast::ssl_stream<boost::beast::tcp_stream>& stream,
                           const std::string& host, std::string address)
    : m_stream(stream), m_host(host), m_address(std::move(address)) {
    SSL* ssl = m_stream.native_handle();
    if (IsIpAddress(host)) {
        X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(ssl), host.c_str());
    } else {
        // The macro SSL_set_tlsext_host_name hides a C cast; this is the call it stands for.
        SSL_ctrl(ssl, SSL_CTRL_SET_TLSEXT_HOSTNAME, TLSEXT_NAMETYPE_host_name, const_cast<char*>(host.c_str()));
        SSL_set1_host(ssl, host.c_str());
    }
}

std::string TlsHandshake::Failure(const boost::beast::error_code& error) const {
    const long result = SSL_get_verify_result(m_stream.native_handle());
    const std::string where = "o servidor de aplicação em " + m_address;
    if (error == boost::beast::error::timeout)
        return "Conexão segura com " + where + " não concluída a tempo.";
    if (result == X509_V_ERR_HOSTNAME_MISMATCH || result == X509_V_ERR_IP_ADDRESS_MISMATCH)
        return "Certificado recusado: o certificado apresentado pelo servidor de aplicação em " + m_address +
               " não vale para o nome \"" + m_host + "\".";
    if (result != X509_V_OK)
        return "Certificado recusado: o certificado do servidor de aplicação em " + m_address +
               " não é confiável (" + ChainFailure(result) + ").";
    return "Falha ao estabelecer a conexão segura (TLS) com " + where + ".";
}

} // namespace pedclient
