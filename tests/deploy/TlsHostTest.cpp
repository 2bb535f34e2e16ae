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
        return run.Run(std::chrono::seconds(60));
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

// `serve` in clear text beyond loopback is refused, unless told so, when it warns; on loopback
// (behind a proxy on the same machine) it serves quietly.
TEST(ClearText, ServingPlainHttpBeyondLoopbackIsRefusedUnlessToldAndThenWarned) {
    testkit::TempDir folder("serve-clear-text");
    const std::string db = "sqlite:" + (folder.Path() / "ped.db").string();
    ASSERT_EQ(testkit::ServerProcess::RunPedserver({"init", "--db", db}).exitStatus, 0);
    const testkit::ProcessResult refused = testkit::ServerProcess::RunPedserver(
        {"serve", "--db", db, "--listen", "0.0.0.0:0"}, std::chrono::seconds(20));
    EXPECT_EQ(refused.exitStatus, 1);
    EXPECT_NE(refused.err.find("refusing to serve plain HTTP on 0.0.0.0"), std::string::npos) << refused.err;
    struct Case {
        std::vector<std::string> args;
        bool warned;
    };
    for (const auto& [args, warned] : {Case{{"--listen", "0.0.0.0:0", "--insecure-plain-http"}, true},
                                       Case{{"--listen", "127.0.0.1:0"}, false}}) {
        const auto errFile = folder.Path() / (std::string(warned ? "public" : "loopback") + ".err");
        std::vector<std::string> argv{testkit::ServerProcess::PedserverPath(), "serve", "--db", db};
        argv.insert(argv.end(), args.begin(), args.end());
        testkit::ChildProcess serve(argv, errFile);
        ASSERT_TRUE(serve.ReadLine(std::chrono::seconds(20)).has_value()) << args[1];
        serve.Stop(std::chrono::seconds(5));
        const std::string err = testkit::ReadTextFile(errFile);
        EXPECT_EQ(err.find("warning: serving plain HTTP on") != std::string::npos, warned) << args[1] << ": " << err;
    }
}

// A host refuses, before sending anything, a list of servers that mixes https:// and http:// or
// http:// beyond this machine: the token would cross the network in clear text.
TEST(ClearText, PedhostRefusesAMixedListAndClearTextBeyondLoopback) {
    for (const char* servers : {"https://localhost:1,http://127.0.0.1:2", "http://10.0.0.7:8080"}) {
        const testkit::ProcessResult result = testkit::ChildProcess::Run(
            {PED_PEDHOST_PATH, "--platform", "headless", "--script", "/dev/null", "--server", servers},
            std::chrono::seconds(20), {"PEDHOST_TOKEN=x"});
        EXPECT_EQ(result.exitStatus, 105) << servers << ": " << result.out << result.err;
        EXPECT_NE((result.out + result.err).find("texto aberto"), std::string::npos) << result.out << result.err;
    }
}

} // namespace
