#include "RpcTestSupport.h"

namespace rpctest {
namespace {

using testkit::ProcessResult;
using testkit::ServerProcess;

TEST(CommandLineTest, EverySubcommandHasHelpNamingTheDatabaseOption) {
    for (const char* command : {"init", "seed", "token", "lock", "unlock", "serve"}) {
        SCOPED_TRACE(command);
        const ProcessResult help = ServerProcess::RunPedserver({command, "--help"});
        EXPECT_EQ(help.exitStatus, 0);
        EXPECT_NE(help.out.find("--db"), std::string::npos) << help.out;
    }
}

TEST(CommandLineTest, BadArgumentsAndUnusableDatabasesFailWithAMessage) {
    testkit::TempDir folder;
    const std::string emptyDb = "sqlite:" + (folder.Path() / "empty.db").string();
    const std::vector<std::pair<const char*, std::vector<std::string>>> cases{
        {"no subcommand", {}},
        {"unknown subcommand", {"explode"}},
        {"no database", {"init"}},
        {"unknown database kind", {"init", "--db", "mysql://localhost/x"}},
        {"unreachable PostgreSQL",
         {"init", "--db", "postgresql://pedtest@127.0.0.1:1/none?connect_timeout=2"}},
        {"seed without what to seed", {"seed", "--db", emptyDb}},
        {"impossible day", {"seed", "--db", emptyDb, "--demo", "--today", "2024-02-30"}},
        {"orders without items", {"seed", "--db", emptyDb, "--orders", "10"}},
        {"token before init", {"token", "--db", emptyDb, "--operator", "DEMO"}},
        {"serve before init", {"serve", "--db", emptyDb, "--listen", "127.0.0.1:0"}},
        {"listen without port", {"serve", "--db", emptyDb, "--listen", "127.0.0.1"}},
        {"port out of range", {"serve", "--db", emptyDb, "--listen", "127.0.0.1:70000"}},
        {"no threads", {"serve", "--db", emptyDb, "--threads", "0"}},
    };
    for (const auto& [name, args] : cases) {
        SCOPED_TRACE(name);
        const ProcessResult result = ServerProcess::RunPedserver(args);
        EXPECT_NE(result.exitStatus, 0);
        EXPECT_GE(result.exitStatus, 1);
        EXPECT_LT(result.exitStatus, 128) << "failed by a crash, not a message";
        EXPECT_FALSE(result.err.empty());
        EXPECT_EQ(result.out.find("listening"), std::string::npos);
    }
}

class CommandLineServerTest : public BackendTest {};

TEST_P(CommandLineServerTest, TokenPrintsOnlyANewTokenAndRefusesUnknownOperators) {
    ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    const ProcessResult first = server.Pedserver({"token", "--operator", facts.allOrdersOperator});
    const ProcessResult second = server.Pedserver({"token", "--operator", facts.allOrdersOperator});
    ASSERT_EQ(first.exitStatus, 0) << first.err;
    ASSERT_TRUE(first.out.ends_with("\n"));
    const std::string token = first.out.substr(0, first.out.size() - 1);
    EXPECT_GE(token.size(), 32u);
    EXPECT_EQ(token.find_first_of(" \t\n"), std::string::npos);
    EXPECT_NE(first.out, second.out) << "every call issues a new token";
    EXPECT_NO_THROW(
        pedclient::RpcClient(server.Host(), server.Port(), token).Call("GetParamPedido", {facts.branch}));

    const ProcessResult unknown = server.Pedserver({"token", "--operator", "NOBODY"});
    EXPECT_NE(unknown.exitStatus, 0);
    EXPECT_TRUE(unknown.out.empty());
}

TEST_P(CommandLineServerTest, ServeStopsGracefullyOnSigterm) {
    ServerProcess server({.backend = GetParam()});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(server.Stop(std::chrono::seconds(10)), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_NE(server.Log().find("stopped on signal"), std::string::npos) << server.Log();
}

TEST_P(CommandLineServerTest, ServeFailsWithAMessageWhenThePortIsTaken) {
    ServerProcess& server = SharedServer();
    // A second server that wrongly started would run until the timeout.
    const ProcessResult second = server.Pedserver(
        {"serve", "--listen", "127.0.0.1:" + std::to_string(server.Port())}, std::chrono::seconds(5));
    EXPECT_EQ(second.exitStatus, 1);
    EXPECT_NE(second.err.find("cannot listen on 127.0.0.1:" + std::to_string(server.Port())),
              std::string::npos)
        << second.err;
    EXPECT_EQ(GetRaw(server, "/health").status, 200) << "the first server is unaffected";
}

TESTKIT_ON_BOTH_BACKENDS(CommandLineServerTest);

} // namespace
} // namespace rpctest
