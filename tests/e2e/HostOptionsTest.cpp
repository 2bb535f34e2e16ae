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
    TokenEnvironment none(nullptr);
    HostOptions options = Parse(
        {"--server", "srv.local:9100", "--insecure-plain-http", "--operator", "OPER1", "--branch", "0002",
         "--fixed-branch", "--modules", "/opt/mods", "--locale", "en-US", "--product-mask", "99.999", "--platform",
         "headless", "--script", "a.script", "--open", "PED01000"});
    EXPECT_EQ(options.ServerHost, "srv.local");
    EXPECT_EQ(options.ServerPort, 9100);
    EXPECT_TRUE(options.InsecurePlainHttp);
    EXPECT_EQ(options.Operator, "OPER1");
    EXPECT_EQ(options.Token, "");
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
                                         // A refused handshake would move the token on to clear text.
                                         std::vector<std::string>{"--server", "https://a:8443,http://b:8080"},
                                         std::vector<std::string>{"--server", "http://127.0.0.1:8080,https://a"},
                                         // Clear text beyond this machine only when told so.
                                         std::vector<std::string>{"--server", "10.0.0.7:8080"},
                                         std::vector<std::string>{"--server", "http://ped.example:80"},
                                         std::vector<std::string>{"--token", "abc"},
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
                             "insecure-plain-http = true\n"
                             "operator = OPER1\n"
                             "branch = 0001\n"
                             "fixed-branch = true\n"
                             "platform = headless\n");
    HostOptions options = Parse({"--config", file});
    EXPECT_EQ(options.ServerHost, "10.0.0.7");
    EXPECT_EQ(options.ServerPort, 9000);
    EXPECT_TRUE(options.InsecurePlainHttp);
    EXPECT_EQ(options.Operator, "OPER1");
    EXPECT_EQ(options.Branch, "0001");
    EXPECT_TRUE(options.FixedBranch);
    EXPECT_EQ(options.Platform, PlatformKind::Headless);
}

TEST_F(ConfigFile, LosesToTheCommandLine) {
    std::string file = Write("operator = OPER1\nserver = 127.0.0.7:9000\n");
    HostOptions options = Parse({"--operator", "OPER2", "--config", file});
    EXPECT_EQ(options.Operator, "OPER2");
    EXPECT_EQ(options.ServerPort, 9000);
}

TEST_F(ConfigFile, RefusesUnknownKeys) {
    std::string file = Write("operator = OPER1\ncolour = blue\n");
    EXPECT_THROW(Parse({"--config", file}), CLI::ParseError);
}

TEST_F(ConfigFile, TheTokenComesFromTheEnvironmentOrAPrivateFileNeverFromTheCommandLine) {
    TokenEnvironment token("from-env");
    EXPECT_EQ(Parse({}).Token, "from-env");
    const auto file = m_folder.Path() / "token";
    std::ofstream(file) << "from-file\n";
    std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(Parse({"--token-file", file.string()}).Token, "from-file") << "the file wins over the environment";
    std::filesystem::permissions(file, std::filesystem::perms::group_read, std::filesystem::perm_options::add);
    try {
        Parse({"--token-file", file.string()});
        ADD_FAILURE() << "a token file others may read was accepted";
    } catch (const CLI::ParseError& error) {
        EXPECT_NE(std::string(error.what()).find("chmod 600"), std::string::npos) << error.what();
    }
    try {
        Parse({"--token", "from-line"});
        ADD_FAILURE() << "a token on the command line was accepted";
    } catch (const CLI::ParseError& error) {
        EXPECT_NE(std::string(error.what()).find("PEDHOST_TOKEN"), std::string::npos) << error.what();
    }
    EXPECT_THROW(Parse({"--config", Write("token = from-config\n")}), CLI::ParseError);
}

} // namespace
