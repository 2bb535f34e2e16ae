#include "testkit/ChildProcess.h"
#include "testkit/HostRun.h"
#include "testkit/ServerProcess.h"
#include "testkit/TempDir.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The command line of a running process, as every user of the machine can read it (ps).
std::string CommandLine(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (char& c : text)
        c = c == '\0' ? ' ' : c;
    return text;
}

// A running pedserver whose database URL holds a password (PostgreSQL; the test cluster trusts
// loopback, so the password is only there to be looked for) and a running pedhost with its token:
// neither shows up on the processes' command lines.
TEST(Secrets, NeitherARunningServerNorARunningHostShowsAPasswordOrATokenOnItsCommandLine) {
    testkit::ServerProcess owner(testkit::ServerProcessOptions{
        .backend = testkit::TestDatabase::PostgresUrl() ? testkit::TestBackend::Postgres : testkit::TestBackend::Sqlite});
    std::string url = owner.DatabaseUrl();
    const std::string password = "s3gredo-do-banco";
    if (url.starts_with("postgresql://"))
        url.insert(url.find('@'), ":" + password);
    testkit::ServerProcess server(testkit::ServerProcessOptions{.databaseUrl = url});
    const std::string token = owner.Token("DEMO");
    const std::string serverLine = CommandLine(server.Pid());
    EXPECT_NE(serverLine.find("serve"), std::string::npos) << serverLine;
    EXPECT_EQ(serverLine.find(password), std::string::npos) << serverLine;
    EXPECT_EQ(serverLine.find("postgresql://"), std::string::npos) << serverLine;

    // The host reads its script from a pipe, so it waits, running, until the test writes it.
    testkit::TempDir folder("pedhost-secrets");
    const std::string script = (folder.Path() / "script").string();
    ASSERT_EQ(mkfifo(script.c_str(), 0600), 0);
    testkit::HostRun run = testkit::HostRun::On(server, PED_PEDHOST_PATH);
    run.token = token;
    run.script = script;
    run.fixedBranch = true;
    testkit::ChildProcess host(run.Argv(), folder.Path() / "host.err", run.Environment());
    const int writer = open(script.c_str(), O_WRONLY); // returns once the host opened the pipe
    ASSERT_GE(writer, 0);
    const std::string hostLine = CommandLine(host.Pid());
    EXPECT_NE(hostLine.find("--server"), std::string::npos) << hostLine;
    EXPECT_EQ(hostLine.find(token), std::string::npos) << hostLine;
    EXPECT_EQ(hostLine.find("--db"), std::string::npos) << hostLine;
    const std::string text = "open PED01000\nexpect frmFiltroCancelaPed.Visible true\nclose frmFiltroCancelaPed\n";
    ASSERT_EQ(write(writer, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    close(writer);
    const std::string transcript = host.ReadAll(std::chrono::seconds(60));
    EXPECT_EQ(host.Wait(std::chrono::seconds(10)), 0) << transcript;
    EXPECT_EQ(transcript.find("FAILED"), std::string::npos) << transcript << "the host works with what it was given";
}

} // namespace
