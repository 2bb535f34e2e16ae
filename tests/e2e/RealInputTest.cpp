#include "testkit/ChildProcess.h"
#include "testkit/Scenario.h"
#include "testkit/ServerProcess.h"
#include "testkit/TempDir.h"

#include <gtest/gtest.h>

namespace {

using testkit::TestBackend;

// The operator's whole path by keys alone and by the mouse alone, headless: the same transcript
// the desktop gives (tests/qtview/RealInputOnQtTest.cpp), and the ledger PDF the path ends with.
struct Path {
    const char* scenario;
    const char* pdf; // where the scenario saves the ledger, in its folder
};

class RealInput : public testing::TestWithParam<std::tuple<TestBackend, Path>> {
protected:
    void SetUp() override {
        if (std::get<0>(GetParam()) == TestBackend::Postgres && !testkit::TestDatabase::PostgresUrl())
            GTEST_SKIP() << "PED_TEST_PG_URL is not set";
        if (!PED_HOST_HAS_PDF)
            GTEST_SKIP() << "this pedhost is built without the Qt view and writes no PDF";
        m_server = std::make_unique<testkit::ServerProcess>(
            testkit::ServerProcessOptions{.backend = std::get<0>(GetParam())});
    }

    std::unique_ptr<testkit::ServerProcess> m_server;
    testkit::TempDir m_folder{"pedhost-input"};
};

TEST_P(RealInput, ThePathGivesItsTranscriptAndTheLedgerOfTheTwoCancelledOrders) {
    const Path path = std::get<1>(GetParam());
    const testkit::Scenario scenario(std::string(PED_SCRIPTS_DIR) + "/" + path.scenario, m_folder.Path());
    const testkit::ProcessResult result = scenario.Run(*m_server, PED_PEDHOST_PATH, "headless", false);
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_EQ(result.out, scenario.Expected()) << result.err;
    const auto pdf = (m_folder.Path() / path.pdf).string();
    const auto text = testkit::ChildProcess::Run({"/usr/bin/pdftotext", "-layout", pdf, "-"});
    ASSERT_EQ(text.exitStatus, 0) << pdf << ": " << text.err;
    for (const char* line : {"0000000023", "0000000025", "0003 - Prazo de entrega não atendido"})
        EXPECT_NE(text.out.find(line), std::string::npos) << line;
}

INSTANTIATE_TEST_SUITE_P(Paths, RealInput,
                         testing::Combine(testing::Values(TestBackend::Sqlite, TestBackend::Postgres),
                                          testing::Values(Path{"keyboard_only", "teclado.pdf"},
                                                          Path{"mouse_only", "PED01100.pdf"})),
                         [](const auto& instance) {
                             return std::string(testkit::TestDatabase::Name(std::get<0>(instance.param))) + "_" +
                                    std::get<1>(instance.param).scenario;
                         });

} // namespace
