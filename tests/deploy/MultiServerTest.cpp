#include "OverlappingRun.h"
#include "testkit/ChildProcess.h"
#include "testkit/HostRun.h"
#include "testkit/NginxProcess.h"
#include "testkit/ServerProcess.h"
#include "testkit/TestCertificates.h"

#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using testkit::ServerProcess;

// Two pedserver processes on one fresh PostgreSQL database, and nginx on loopback terminating
// TLS in front of them with the shipped site and a certificate for localhost and 127.0.0.1.
class MultiServer : public testing::Test {
protected:
    void SetUp() override {
        if (!testkit::TestDatabase::PostgresUrl())
            GTEST_SKIP() << "PED_TEST_PG_URL is not set: the servers share one PostgreSQL database";
        if (!testkit::NginxProcess::Program())
            GTEST_SKIP() << "nginx is not installed";
        if (!testkit::TestCertificates::Available())
            GTEST_SKIP() << "openssl is not installed";
        m_first = std::make_unique<ServerProcess>(
            testkit::ServerProcessOptions{.backend = testkit::TestBackend::Postgres, .threads = 6});
        m_second = std::make_unique<ServerProcess>(
            testkit::ServerProcessOptions{.threads = 6, .databaseUrl = m_first->DatabaseUrl()});
        m_certificates = std::make_unique<testkit::TestCertificates>(m_folder.Path());
        const auto server = m_certificates->Issue("localhost", {"DNS:localhost", "IP:127.0.0.1"});
        m_port = testkit::NginxProcess::FreePort();
        m_nginx = std::make_unique<testkit::NginxProcess>(
            m_folder.Path(), PED_DEPLOY_SITE,
            testkit::NginxProcess::PedserverSite({m_first->Port(), m_second->Port()}, m_port,
                                                 server.certificate, server.key),
            m_port);
    }

    std::string ProxyUrl() const { return "https://localhost:" + std::to_string(m_port); }

    pedclient::FailoverClient ProxyClient(const std::string& operatorCode) {
        return pedclient::FailoverClient({{"localhost", m_port, true}}, m_first->Token(operatorCode), {},
                                         m_certificates->Authority().string());
    }

    testkit::TempDir m_folder{"deploy"};
    std::unique_ptr<ServerProcess> m_first;
    std::unique_ptr<ServerProcess> m_second;
    std::unique_ptr<testkit::TestCertificates> m_certificates;
    std::unique_ptr<testkit::NginxProcess> m_nginx;
    int m_port = 0;
};

// Calls of the method each server has logged so far.
int Logged(const ServerProcess& server, const std::string& method) {
    const std::string log = server.Log();
    int count = 0;
    for (std::size_t at = log.find("method=" + method + " "); at != std::string::npos;
         at = log.find("method=" + method + " ", at + 1))
        ++count;
    return count;
}

// The first server of pedhost's list is down (nothing listens there); its calls go on to nginx.
TEST_F(MultiServer, PedhostCancelsAnOrderOverHttpsThroughNginxPastADeadServerOfItsList) {
    const std::string base = std::string(PED_SCRIPTS_DIR) + "/cancel_order";
    const std::string servers =
        "https://localhost:" + std::to_string(testkit::NginxProcess::FreePort()) + "," + ProxyUrl();
    testkit::HostRun run = testkit::HostRun::On(*m_first, PED_PEDHOST_PATH);
    run.server = servers;
    run.script = base + ".script";
    run.fixedBranch = true;
    run.more = {"--ca-file", m_certificates->Authority().string()};
    const testkit::ProcessResult result = run.Run(std::chrono::seconds(60));
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_EQ(result.out, testkit::ReadTextFile(base + ".expected")) << result.err << m_nginx->ErrorLog();
    const auto db = sqldb::Connection::Open(m_first->DatabaseUrl());
    EXPECT_EQ(db->Query("SELECT IDSITPEDIDO FROM PEDIDO WHERE CDFILIAL = '0001' AND NRPEDIDO = '0000000025'")
                  .Text(0, "IDSITPEDIDO"),
              "4");
}

TEST_F(MultiServer, NginxRefusesABodyAboveTheServersLimitBeforeAnyServerSeesIt) {
    pedclient::FailoverClient client = ProxyClient("DEMO");
    EXPECT_EQ(client.Call("GetParamPedido", {"0001"})["packet"]["rows"].size(), 1u);
    try {
        client.Call("GetParamPedido", {std::string(9 * 1024 * 1024, 'x')});
        ADD_FAILURE() << "a 9 MiB request was taken";
    } catch (const pedclient::RpcClientError& error) {
        EXPECT_EQ(error.HttpStatus(), 413) << error.what();
    }
    // The servers write their request lines within 100 ms of the answers.
    const auto calls = [&] {
        return Logged(*m_first, "GetParamPedido") + Logged(*m_second, "GetParamPedido");
    };
    for (int wait = 0; wait < 30 && calls() == 0; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(calls(), 1) << "only the small call reached a server";
}

TEST_F(MultiServer, EightClientsOverBothServersKeepTheRulesWhileOneServerStopsMidRun) {
    const auto db = sqldb::Connection::Open(m_first->DatabaseUrl());
    const rpctest::RunStart start = rpctest::RunStart::Read(*db);
    ASSERT_GE(start.orders.size(), 8u);
    std::vector<pedclient::FailoverClient> clients;
    for (int i = 0; i < 8; ++i)
        clients.push_back(ProxyClient(start.operatorCode));
    rpctest::Tally tally;
    int succeededAtStop = 0;
    int setCallsOnTheSecond = 0;
    int stopStatus = -1;
    rpctest::RunClients(std::move(clients), start, Clock::now() + std::chrono::seconds(4), tally, [&] {
        succeededAtStop = tally.Succeeded();
        stopStatus = m_second->Stop();
        setCallsOnTheSecond = Logged(*m_second, "SetCancelaItemPed") + Logged(*m_second, "SetCancelaPed") +
                              Logged(*m_second, "SetDesfazCancel");
    });
    EXPECT_EQ(stopStatus, 0) << "the stopped server ends cleanly";
    EXPECT_GT(setCallsOnTheSecond, 0) << "nginx sent no change to the second server";
    EXPECT_GT(Logged(*m_first, "SetCancelaItemPed") + Logged(*m_first, "SetCancelaPed"), 0);
    EXPECT_GT(tally.Succeeded(), succeededAtStop + 10) << "the first server did not serve on alone";
    EXPECT_LE(tally.lost, 8) << "only calls under way when the server stopped may lose their answer";
    rpctest::ExpectRunConsistent(*db, start, tally);
}

} // namespace
