#include "storage/Passwords.h"
#include "testkit/BackendSuite.h"
#include "testkit/ChildProcess.h"
#include "testkit/HostRun.h"
#include "testkit/ServerProcess.h"
#include "testkit/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

using testkit::TestBackend;

class SignInScenario : public testing::TestWithParam<TestBackend> {};

// pedhost without a token signs in with the script's `login`; the server's clock (the test's) moves
// past the session's end while the script waits at `pause`.
TEST_P(SignInScenario, AnOperatorSignsInAgainAfterHisSessionEndsWithTheOrdersStillShown) {
    if (GetParam() == TestBackend::Postgres && !testkit::TestDatabase::PostgresUrl())
        GTEST_SKIP() << "PED_TEST_PG_URL is not set";
    testkit::TempDir folder("pedhost-signin");
    const auto clock = folder.Path() / "now";
    std::ofstream(clock) << "2024-05-15 10:00:00\n";
    testkit::ServerProcess server(testkit::ServerProcessOptions{
        .backend = GetParam(), .serveArgs = {"--token-cache-seconds", "0"},
        .environment = {"PEDSERVER_CLOCK_FILE=" + clock.string()}});
    pedserver::SetPassword(*server.Database().Connect(), "DEMO", "senha-demo");
    const std::string base = std::string(PED_SCRIPTS_DIR) + "/signin_session";
    testkit::HostRun run = testkit::HostRun::On(server, PED_PEDHOST_PATH);
    run.token.clear();
    run.script = base + ".script";
    run.fixedBranch = true;
    testkit::ChildProcess host(run.Argv(), folder.Path() / "host.err", run.Environment());
    std::string transcript;
    for (std::optional<std::string> line; (line = host.ReadLine(std::chrono::seconds(60)));) {
        transcript += *line + "\n";
        if (*line == "> pause")
            break;
    }
    ASSERT_NE(transcript.find("> pause"), std::string::npos) << transcript << testkit::ReadTextFile(folder.Path() / "host.err");
    std::ofstream(clock) << "2024-05-15 23:00:00\n";
    host.Input("\n");
    transcript += host.ReadAll(std::chrono::seconds(60));
    EXPECT_EQ(host.Wait(std::chrono::seconds(10)), 0) << transcript;
    EXPECT_EQ(transcript, testkit::ReadTextFile(base + ".expected"));
}

TESTKIT_ON_BOTH_BACKENDS(SignInScenario);

} // namespace
