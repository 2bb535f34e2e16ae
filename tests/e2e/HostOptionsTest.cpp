#include "app/HostOptionParser.h"
#include "testkit/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using host::HostOptionParser;
using host::HostOptions;
using host::PlatformKind;

HostOptions Parse(const std::vector<std::string>& args) {
    HostOptionParser parser;
    return parser.Parse(args);
}

// Keeps PEDHOST_TOKEN out of (or in) one test only.
class TokenEnvironment {
public:
    explicit TokenEnvironment(const char* value) {
        value ? setenv("PEDHOST_TOKEN", value, 1) : unsetenv("PEDHOST_TOKEN");
    }
    ~TokenEnvironment() { unsetenv("PEDHOST_TOKEN"); }
};

TEST(HostOptions, DefaultsAreALocalServerPtBrAndTheQtPlatform) {
    TokenEnvironment none(nullptr);
    HostOptions options = Parse({});
    EXPECT_EQ(options.ServerHost, "127.0.0.1");
    EXPECT_EQ(options.ServerPort, 8080);
    EXPECT_EQ(options.Locale, "pt-BR");
    EXPECT_EQ(options.ProductMask, "9.99.999");
    EXPECT_EQ(options.Platform, PlatformKind::Qt);
    EXPECT_FALSE(options.FixedBranch);
    EXPECT_TRUE(options.Token.empty());
    EXPECT_TRUE(options.ModulesDir.empty());
}

TEST(HostOptions, ReadsEveryOptionFromTheCommandLine) {
    HostOptions options = Parse(
        {"--server", "srv.local:9100", "--db",   "sqlite:/tmp/x.db", "--operator", "OPER1",     "--token",
         "abc",      "--branch",       "0002",   "--fixed-branch",   "--modules",  "/opt/mods", "--locale",
         "en-US",    "--product-mask", "99.999", "--platform",       "headless",   "--script",  "a.script",
         "--open",   "PED01000"});
    EXPECT_EQ(options.ServerHost, "srv.local");
    EXPECT_EQ(options.ServerPort, 9100);
    EXPECT_EQ(options.Database, "sqlite:/tmp/x.db");
    EXPECT_EQ(options.Operator, "OPER1");
    EXPECT_EQ(options.Token, "abc");
    EXPECT_EQ(options.Branch, "0002");
    EXPECT_TRUE(options.FixedBranch);
    EXPECT_EQ(options.ModulesDir, "/opt/mods");
    EXPECT_EQ(options.Locale, "en-US");
    EXPECT_EQ(options.ProductMask, "99.999");
    EXPECT_EQ(options.Platform, PlatformKind::Headless);
    EXPECT_EQ(options.Script, "a.script");
    EXPECT_EQ(options.OpenCode, "PED01000");
}

TEST(HostOptions, AnHttpsServerOrAListOfServersIsKeptWholeWithTheFirstPortAndTheCaFile) {
    testkit::TempDir folder("pedhost-ca");
    const auto ca = folder.Path() / "ca.crt";
    std::ofstream(ca) << "x";
    HostOptions options =
        Parse({"--server", "https://ped1.example:8443,https://ped2.example", "--ca-file", ca.string()});
    EXPECT_EQ(options.ServerHost, "https://ped1.example:8443,https://ped2.example");
    EXPECT_EQ(options.ServerPort, 8443);
    EXPECT_EQ(options.CaFile, ca.string());
    EXPECT_EQ(Parse({"--server", "https://ped.example"}).ServerPort, 443);
}

class RejectedOptions : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(RejectedOptions, AreParseErrors) {
    EXPECT_THROW(Parse(GetParam()), CLI::ParseError);
}

INSTANTIATE_TEST_SUITE_P(Values, RejectedOptions,
                         testing::Values(std::vector<std::string>{"--server", "localhost"},
                                         std::vector<std::string>{"--server", "localhost:0"},
                                         std::vector<std::string>{"--server", "localhost:65536"},
                                         std::vector<std::string>{"--server", ":8080"},
                                         std::vector<std::string>{"--server", "localhost:80a"},
                                         std::vector<std::string>{"--server", "a:8080,,b:8080"},
                                         std::vector<std::string>{"--server", "ftp://a:21"},
                                         std::vector<std::string>{"--ca-file", "/no/such/ca.pem"},
                                         std::vector<std::string>{"--platform", "gtk"},
                                         std::vector<std::string>{"--locale", "fr-FR"},
                                         std::vector<std::string>{"--no-such-option"},
                                         std::vector<std::string>{"--config", "/no/such/file.conf"}));

class ConfigFile : public testing::Test {
protected:
    std::string Write(const std::string& text) {
        auto file = m_folder.Path() / "pedhost.conf";
        std::ofstream(file) << text;
        return file.string();
    }
    testkit::TempDir m_folder{"pedhost-options"};
};

TEST_F(ConfigFile, SuppliesTheSameKeysAsTheCommandLine) {
    TokenEnvironment none(nullptr);
    std::string file = Write("# the demo operator\n"
                             "server = 10.0.0.7:9000\n"
                             "db = postgresql://ped@db.local/ped?sslmode=disable\n"
                             "operator = OPER1\n"
                             "branch = 0001\n"
                             "fixed-branch = true\n"
                             "platform = headless\n");
    HostOptions options = Parse({"--config", file});
    EXPECT_EQ(options.ServerHost, "10.0.0.7");
    EXPECT_EQ(options.ServerPort, 9000);
    EXPECT_EQ(options.Database, "postgresql://ped@db.local/ped?sslmode=disable");
    EXPECT_EQ(options.Operator, "OPER1");
    EXPECT_EQ(options.Branch, "0001");
    EXPECT_TRUE(options.FixedBranch);
    EXPECT_EQ(options.Platform, PlatformKind::Headless);
}

TEST_F(ConfigFile, LosesToTheCommandLine) {
    std::string file = Write("operator = OPER1\nserver = 10.0.0.7:9000\n");
    HostOptions options = Parse({"--operator", "OPER2", "--config", file});
    EXPECT_EQ(options.Operator, "OPER2");
    EXPECT_EQ(options.ServerPort, 9000);
}

TEST_F(ConfigFile, RefusesUnknownKeys) {
    std::string file = Write("operator = OPER1\ncolour = blue\n");
    EXPECT_THROW(Parse({"--config", file}), CLI::ParseError);
}

TEST(HostOptions, TakeTheTokenFromTheEnvironmentUnlessGiven) {
    TokenEnvironment token("from-env");
    EXPECT_EQ(Parse({}).Token, "from-env");
    EXPECT_EQ(Parse({"--token", "from-line"}).Token, "from-line");
}

} // namespace
