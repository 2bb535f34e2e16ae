#include "RawHttp.h"
#include "rpcclient/RpcClient.h"
#include "testkit/LoopbackSocket.h"
#include "testkit/ServerProcess.h"
#include "testkit/TestCertificates.h"

#include <gtest/gtest.h>

namespace {

// pedclient against pedserver serving HTTPS: the certificate must chain to a trusted authority
// and name the host the client asked for; every refusal happens before anything is sent.
class Tls : public testing::Test {
protected:
    void SetUp() override {
        if (!testkit::TestCertificates::Available())
            GTEST_SKIP() << "openssl is not installed";
        m_certificates = std::make_unique<testkit::TestCertificates>(m_folder.Path());
        const auto certificate = m_certificates->Issue("localhost", {"DNS:localhost"});
        m_server = std::make_unique<testkit::ServerProcess>(
            testkit::ServerProcessOptions{.serveArgs = {"--tls-cert", certificate.certificate.string(),
                                                        "--tls-key", certificate.key.string()}});
    }

    void Restart(std::vector<std::string> moreArgs) {
        const auto certificate = m_certificates->Issue("localhost", {"DNS:localhost"});
        std::vector<std::string> args{"--tls-cert", certificate.certificate.string(), "--tls-key",
                                      certificate.key.string()};
        args.insert(args.end(), moreArgs.begin(), moreArgs.end());
        m_server.reset();
        m_server = std::make_unique<testkit::ServerProcess>(testkit::ServerProcessOptions{.serveArgs = args});
    }

    pedclient::RpcClient Client(const std::string& host, pedclient::TlsSettings tls) {
        return pedclient::RpcClient(host, m_server->Port(), m_server->Token("DEMO"), {}, {}, std::move(tls));
    }

    testkit::TempDir m_folder{"tls"};
    std::unique_ptr<testkit::TestCertificates> m_certificates;
    std::unique_ptr<testkit::ServerProcess> m_server;
};

TEST_F(Tls, ATrustedCertificateForTheHostCarriesCallsOnOneKeptAliveConnection) {
    auto client = Client("localhost", {true, m_certificates->Authority().string()});
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(client.Call("GetParamPedido", {"0001"})["packet"]["rows"].size(), 1u);
}

TEST_F(Tls, RefusalsNameTheirCauseAndSendNothing) {
    const std::string ca = m_certificates->Authority().string();
    const std::string where = "localhost:" + std::to_string(m_server->Port());
    struct Case {
        std::string host;
        pedclient::TlsSettings tls;
        std::string message;
    };
    // Pushed one by one: GCC 12 at -O3 misreads a braced list of these as using an uninitialised text.
    std::vector<Case> cases;
    cases.push_back({"localhost", pedclient::TlsSettings{true, std::string()},
                     "Certificado recusado: o certificado do servidor de aplicação em " + where +
                         " não é confiável (emitido por uma autoridade certificadora desconhecida)."});
    cases.push_back({"127.0.0.1", pedclient::TlsSettings{true, ca},
                     "Certificado recusado: o certificado apresentado pelo servidor de aplicação em 127.0.0.1:" +
                         std::to_string(m_server->Port()) + " não vale para o nome \"127.0.0.1\"."});
    const std::string missing = (m_folder.Path() / "missing.pem").string();
    cases.push_back({"localhost", pedclient::TlsSettings{true, missing},
                     "Não foi possível ler as autoridades certificadoras de \"" + missing +
                         "\" para a conexão segura com " + where + "."});
    for (const Case& test : cases) {
        auto client = Client(test.host, test.tls);
        try {
            client.Call("GetParamPedido", {"0001"});
            ADD_FAILURE() << test.host << " was accepted";
        } catch (const pedclient::RpcClientError& error) {
            EXPECT_EQ(error.Code(), pedclient::RpcClientError::TlsFailed) << error.what();
            EXPECT_EQ(error.what(), test.message);
        }
    }
    EXPECT_EQ(m_server->Log().find("method="), std::string::npos) << "a refused server got a call";
}

// The handshake counts as part of the header: a client that connects and sends nothing, or
// sends plain HTTP, is closed within the header's time and costs no worker meanwhile.
TEST_F(Tls, AConnectionThatNeverCompletesTheHandshakeIsClosedWithinTheHeaderTime) {
    Restart({"--header-timeout", "1"});
    rpctest::RawConnection silent(m_server->Port());
    rpctest::RawConnection plain(m_server->Port());
    ASSERT_TRUE(plain.Send("GET /health HTTP/1.1\r\nHost: x\r\n\r\n"));
    EXPECT_TRUE(plain.ClosedWithin(std::chrono::seconds(3)));
    EXPECT_TRUE(silent.ClosedWithin(std::chrono::seconds(3)));
    auto client = Client("localhost", {true, m_certificates->Authority().string()});
    EXPECT_EQ(client.Call("GetParamPedido", {"0001"})["packet"]["rows"].size(), 1u);
}

// A server that accepts the connection but never answers the handshake is given up within the
// connect time, not the whole call's, as nothing has been sent yet.
TEST_F(Tls, AStalledHandshakeEndsWithinTheConnectTime) {
    const testkit::LoopbackSocket silent(true);
    pedclient::RpcClient client("localhost", silent.Port(), "x",
                                {std::chrono::milliseconds(300), std::chrono::seconds(20)}, {},
                                {true, m_certificates->Authority().string()});
    const auto start = std::chrono::steady_clock::now();
    try {
        client.Call("GetParamPedido", {"0001"});
        ADD_FAILURE() << "a silent server answered";
    } catch (const pedclient::RpcClientError& error) {
        EXPECT_EQ(error.Code(), pedclient::RpcClientError::TlsFailed);
        EXPECT_EQ(error.what(), "Conexão segura com o servidor de aplicação em localhost:" +
                                    std::to_string(silent.Port()) + " não concluída a tempo.");
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST_F(Tls, PlainHttpToTheTlsPortIsNotAnsweredAndTlsToAPlainServerFailsCleanly) {
    auto plain = Client("localhost", {});
    EXPECT_THROW(plain.Call("GetParamPedido", {"0001"}), pedclient::RpcClientError);
    testkit::ServerProcess plainServer;
    pedclient::RpcClient tls("localhost", plainServer.Port(), plainServer.Token("DEMO"), {}, {},
                             {true, m_certificates->Authority().string()});
    try {
        tls.Call("GetParamPedido", {"0001"});
        ADD_FAILURE() << "TLS to a plain server succeeded";
    } catch (const pedclient::RpcClientError& error) {
        EXPECT_EQ(error.Code(), pedclient::RpcClientError::TlsFailed) << error.what();
        EXPECT_NE(std::string(error.what()).find("Falha ao estabelecer a conexão segura (TLS)"),
                  std::string::npos)
            << error.what();
    }
}

} // namespace
