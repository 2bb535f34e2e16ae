#include "server/ServerOptions.h"
#include "testkit/TempDir.h"

#include <gtest/gtest.h>
#include <regex>

namespace {

// The nginx site refuses what pedserver would refuse, so a limit changed on one side only is
// caught here rather than by an operator whose request one side takes and the other refuses.
TEST(SiteLimits, MatchTheServersDefaults) {
    // The client side of the site: its server block (the upstream block has a keepalive_timeout too).
    const std::string text = testkit::ReadTextFile(PED_DEPLOY_SITE);
    const std::size_t serverBlock = text.find("\nserver {");
    ASSERT_NE(serverBlock, std::string::npos);
    const std::string site = text.substr(serverBlock);
    const pedserver::ServerOptions defaults;
    struct Limit {
        const char* directive;
        std::string value;
    };
    const std::vector<Limit> limits = {
        {"client_max_body_size", std::to_string(defaults.maxBodyBytes / (1024 * 1024)) + "m"},
        {"large_client_header_buffers", "4 " + std::to_string(defaults.maxHeaderBytes / 1024) + "k"},
        {"client_header_timeout", std::to_string(defaults.headerTimeoutSeconds) + "s"},
        {"client_body_timeout", std::to_string(defaults.bodyTimeoutSeconds) + "s"},
        {"keepalive_timeout", std::to_string(defaults.idleTimeoutSeconds) + "s"},
    };
    for (const Limit& limit : limits) {
        std::smatch found;
        const std::regex line(std::string("\\n\\s*") + limit.directive + "\\s+([^;]+);");
        ASSERT_TRUE(std::regex_search(site, found, line)) << limit.directive;
        EXPECT_EQ(found[1].str(), limit.value) << limit.directive;
    }
}

// The unit hands pedserver its database URL (and password) through the environment file; a URL
// on ExecStart would be on the command line that every user of the machine can read.
TEST(SystemdUnit, KeepsTheDatabaseUrlOffTheCommandLine) {
    const std::string unit = testkit::ReadTextFile(PED_DEPLOY_UNIT);
    std::smatch found;
    ASSERT_TRUE(std::regex_search(unit, found, std::regex("\\nExecStart=((?:[^\\n]|\\\\\\n)*)")));
    const std::string command = found[1].str();
    EXPECT_NE(command.find("pedserver serve"), std::string::npos) << command;
    EXPECT_EQ(command.find("--db"), std::string::npos) << command;
    EXPECT_EQ(command.find("PEDSERVER_DB"), std::string::npos) << command;
    EXPECT_NE(unit.find("\nEnvironmentFile="), std::string::npos);
}

} // namespace
