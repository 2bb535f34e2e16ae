#include "testkit/ChildProcess.h"
#include "testkit/HostRun.h"
#include "testkit/ServerProcess.h"
#include "testkit/TestCertificates.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

// pedhost against a pedserver that serves HTTPS itself (SQLite; no proxy needed for this).
class HostOverTls : public testing::Test {
protected:
    void SetUp() override {
        if (!testkit::TestCertificates::Available())
            GTEST_SKIP() << "openssl is not installed";
        m_certificates = std::make_unique<testkit::TestCertificates>(m_folder.Path());
    }

    std::unique_ptr<testkit::ServerProcess> Serve(const testkit::TestCertificates::Server& certificate) {
        return std::make_unique<testkit::ServerProcess>(
            testkit::ServerProcessOptions{.serveArgs = {"--tls-cert", certificate.certificate.string(),
                                                        "--tls-key", certificate.key.string()}});
    }

    // Opens the screen with the branch fixed: leaving the branch loads its parameters from the
    // server, then the filter dialog opens, which the script closes.
    testkit::ProcessResult OpenScreen(testkit::ServerProcess& server, const std::string& address) {
        const auto script = m_folder.Path() / "open.script";
        std::ofstream(script)
            << "open PED01000\nexpect frmFiltroCancelaPed.Visible true\nclose frmFiltroCancelaPed\n";
        testkit::HostRun run = testkit::HostRun::On(server, PED_PEDHOST_PATH);
        run.server = "https://" + address + ":" + std::to_string(server.Port());
        run.script = script.string();
        run.fixedBranch = true;
        run.more = {"--ca-file", m_certificates->Authority().string()};
        return testkit::ChildProcess::Run(run.Argv(), std::chrono::seconds(60));
    }

    testkit::TempDir m_folder{"host-tls"};
    std::unique_ptr<testkit::TestCertificates> m_certificates;
};

TEST_F(HostOverTls, PedhostRefusesAServerWhoseCertificateIsForAnotherNameAndSaysWhichName) {
    auto server = Serve(m_certificates->Issue("other", {"DNS:other.example"}));
    const testkit::ProcessResult result = OpenScreen(*server, "localhost");
    const std::string expected = "error: Certificado recusado: o certificado apresentado pelo servidor de "
                                 "aplicação em localhost:" +
                                 std::to_string(server->Port()) + " não vale para o nome \"localhost\".\n";
    EXPECT_NE(result.out.find(expected), std::string::npos) << result.out << result.err;
    EXPECT_EQ(server->Log().find("method="), std::string::npos) << "nothing may reach the server";
}

TEST_F(HostOverTls, PedhostLoadsTheBranchFromAServerWithAMatchingCertificate) {
    auto server = Serve(m_certificates->Issue("localhost", {"DNS:localhost", "IP:127.0.0.1"}));
    const testkit::ProcessResult result = OpenScreen(*server, "127.0.0.1");
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_EQ(result.out.find("error:"), std::string::npos) << result.out << result.err;
    EXPECT_NE(server
                  ->LogWhen([](const std::string& log) {
                      return log.find("method=GetParamPedido") != std::string::npos;
                  })
                  .find("method=GetParamPedido operator=DEMO"),
              std::string::npos);
}

// `serve` in clear text warns unless only this machine can reach it.
TEST(ServeWarning, ClearTextOnAnAddressOtherThanLoopbackIsWarnedAbout) {
    testkit::TempDir folder("serve-warning");
    const std::string db = "sqlite:" + (folder.Path() / "ped.db").string();
    ASSERT_EQ(testkit::ServerProcess::RunPedserver({"init", "--db", db}).exitStatus, 0);
    for (const auto& [listen, warned] : {std::pair{"0.0.0.0:0", true}, {"127.0.0.1:0", false}}) {
        const auto errFile = folder.Path() / (std::string(warned ? "public" : "loopback") + ".err");
        testkit::ChildProcess serve(
            {testkit::ServerProcess::PedserverPath(), "serve", "--db", db, "--listen", listen}, errFile);
        ASSERT_TRUE(serve.ReadLine(std::chrono::seconds(20)).has_value()) << listen;
        serve.Stop(std::chrono::seconds(5));
        const std::string err = testkit::ReadTextFile(errFile);
        EXPECT_EQ(err.find("warning: serving plain HTTP on") != std::string::npos, warned)
            << listen << ": " << err;
    }
}

} // namespace
