#include "testkit/ChildProcess.h"
#include "testkit/NginxProcess.h"
#include "testkit/ServerProcess.h"
#include "testkit/TestCertificates.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/asio/write.hpp>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Both TLS ends a deployment has, pedserver's own and the shipped nginx site, take TLS 1.2 only
// with forward-secret AEAD suites (and TLS 1.3) and give no session tickets, checked from outside
// with openssl s_client.
class TlsPolicy : public testing::Test {
protected:
    void SetUp() override {
        if (!testkit::TestCertificates::Available())
            GTEST_SKIP() << "openssl is not installed";
        m_certificates = std::make_unique<testkit::TestCertificates>(m_folder.Path());
        m_certificate = m_certificates->Issue("localhost", {"DNS:localhost", "IP:127.0.0.1"});
        m_server = std::make_unique<testkit::ServerProcess>(testkit::ServerProcessOptions{
            .serveArgs = {"--tls-cert", m_certificate.certificate.string(), "--tls-key", m_certificate.key.string()}});
    }

    // What s_client prints of a handshake with these options, or "" when there was none; the
    // client itself is allowed everything (security level 0), so a refusal is the server's.
    static std::string Handshake(int port, const std::string& options) {
        const testkit::ProcessResult result = testkit::ChildProcess::Run(
            {"/bin/sh", "-c",
             "openssl s_client -connect 127.0.0.1:" + std::to_string(port) + " " + options + " </dev/null"},
            std::chrono::seconds(20));
        const bool done = result.exitStatus == 0 && result.out.find("Cipher is (NONE)") == std::string::npos &&
                          result.out.find("Cipher is ") != std::string::npos;
        return done ? result.out : "";
    }

    // The certificates are EC keys, so the suites tried are those an EC certificate could use.
    static void ExpectThePolicy(int port) {
        EXPECT_EQ(Handshake(port, "-tls1_1 -cipher DEFAULT@SECLEVEL=0"), "") << "TLS 1.1";
        EXPECT_EQ(Handshake(port, "-tls1 -cipher DEFAULT@SECLEVEL=0"), "") << "TLS 1.0";
        EXPECT_EQ(Handshake(port, "-tls1_2 -cipher ECDHE-ECDSA-AES128-SHA@SECLEVEL=0"), "") << "CBC with SHA-1";
        EXPECT_EQ(Handshake(port, "-tls1_2 -cipher ECDHE-ECDSA-AES256-SHA384@SECLEVEL=0"), "") << "CBC with SHA-384";
        const std::string tls12 = Handshake(port, "-tls1_2 -cipher ECDHE-ECDSA-AES128-GCM-SHA256");
        EXPECT_NE(tls12, "") << "TLS 1.2 with a forward-secret AEAD suite";
        EXPECT_EQ(tls12.find("TLS session ticket:"), std::string::npos) << "no session ticket";
        EXPECT_NE(Handshake(port, "-tls1_3"), "") << "TLS 1.3";
    }

    testkit::TempDir m_folder{"tls-policy"};
    std::unique_ptr<testkit::TestCertificates> m_certificates;
    testkit::TestCertificates::Server m_certificate;
    std::unique_ptr<testkit::ServerProcess> m_server;
};

TEST_F(TlsPolicy, PedserverRefusesOldProtocolsAndSuitesWithoutAeadAndGivesNoTickets) {
    ExpectThePolicy(m_server->Port());
}

TEST_F(TlsPolicy, TheNginxSiteRefusesOldProtocolsAndSuitesWithoutAeadAndGivesNoTickets) {
    if (!testkit::NginxProcess::Program())
        GTEST_SKIP() << "nginx is not installed";
    const int port = testkit::NginxProcess::FreePort();
    const testkit::NginxProcess nginx(
        m_folder.Path(), PED_DEPLOY_SITE,
        testkit::NginxProcess::PedserverSite({m_server->Port(), m_server->Port()}, port, m_certificate.certificate,
                                             m_certificate.key),
        port);
    ExpectThePolicy(port);
}

// A connection the server ends after its answer ends with TLS's close_notify, so the client
// tells the end of the answer from a connection cut short (which reads as a truncated stream).
TEST_F(TlsPolicy, PedserverSendsCloseNotifyBeforeClosingAConnection) {
    namespace asio = boost::asio;
    asio::io_context io;
    asio::ssl::context context(asio::ssl::context::tls_client);
    context.load_verify_file(m_certificates->Authority().string());
    context.set_verify_mode(asio::ssl::verify_peer);
    asio::ssl::stream<asio::ip::tcp::socket> stream(io, context);
    asio::ip::tcp::resolver resolver(io);
    asio::connect(stream.next_layer(), resolver.resolve("127.0.0.1", std::to_string(m_server->Port())));
    stream.handshake(asio::ssl::stream_base::client);
    asio::write(stream, asio::buffer(std::string("GET /health HTTP/1.1\r\nHost: localhost\r\nConnection: close\r\n\r\n")));
    std::string answer;
    boost::system::error_code error;
    asio::read(stream, asio::dynamic_buffer(answer), error);
    EXPECT_NE(answer.find("200 OK"), std::string::npos) << answer;
    EXPECT_EQ(error, asio::error::eof) << error.message() << " (stream_truncated: no close_notify)";
}

} // namespace
