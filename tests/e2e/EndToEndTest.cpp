#include "testkit/BackendSuite.h"
#include "testkit/ChildProcess.h"
#include "testkit/HostRun.h"
#include "testkit/ServerProcess.h"
#include "testkit/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using testkit::ServerProcess;
using testkit::TestBackend;

// pedhost on the headless platform against a real pedserver over its own seeded database; the
// host's lookup database is the server's own, as in an installation.
class EndToEnd : public testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override {
        if (GetParam() == TestBackend::Postgres && !testkit::TestDatabase::PostgresUrl())
            GTEST_SKIP() << "PED_TEST_PG_URL is not set";
        testkit::ServerProcessOptions options;
        options.backend = GetParam();
        m_server = std::make_unique<ServerProcess>(options);
    }

    testkit::ProcessResult RunHost(const std::string& scriptFile, bool fixedBranch) {
        testkit::HostRun run = testkit::HostRun::On(*m_server, PED_PEDHOST_PATH);
        run.script = scriptFile;
        run.fixedBranch = fixedBranch;
        return run.Run(std::chrono::seconds(120));
    }

    testkit::ProcessResult RunText(const std::string& script) {
        auto file = m_folder.Path() / "test.script";
        std::ofstream(file) << script;
        return RunHost(file.string(), false);
    }

    std::unique_ptr<ServerProcess> m_server;
    testkit::TempDir m_folder{"pedhost-e2e"};
};

struct Scenario {
    const char* name;
    bool fixedBranch;
};

class Scenarios : public EndToEnd {
protected:
    // A scenario's own data, when it has any, is added to the demo data before the host starts.
    void RunScenario(const Scenario& scenario) {
        std::string base = std::string(PED_SCRIPTS_DIR) + "/" + scenario.name;
        if (std::filesystem::exists(base + ".sql"))
            m_server->Database().Connect()->ExecuteScript(testkit::ReadTextFile(base + ".sql"));
        testkit::ProcessResult result = RunHost(base + ".script", scenario.fixedBranch);
        EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
        EXPECT_EQ(result.out, testkit::ReadTextFile(base + ".expected")) << result.err;
    }
};

TEST_P(Scenarios, ChangeableBranchWaitsInTheBranchCodeAndLeavingItOpensTheFilter) {
    RunScenario({"changeable_branch", false});
}

TEST_P(Scenarios, FixedBranchGoesStraightToTheFilterWithTheBranchPanelDisabled) {
    RunScenario({"fixed_branch", true});
}

TEST_P(Scenarios, FilterDialogRefusesBrokenRulesUndoesWithCtrlDAndLoadsAConfirmedRange) {
    RunScenario({"filter_dialog", true});
}

TEST_P(Scenarios, CheckedOrderIsCancelledOnlyWithAJustificationAndAYes) {
    RunScenario({"cancel_order", true});
}

TEST_P(Scenarios, BranchCodeIsCheckedOnLeavingAndReenteringThePanelEmptiesTheGrids) {
    RunScenario({"branch_panel", false});
}

TEST_P(Scenarios, PickedOrderNumbersFilterTheOrdersAndAProductPickKeepsTheOrderNumberChoice) {
    RunScenario({"list_pickers", true});
}

TEST_P(Scenarios, GridsShowSituationsImagesAndRoundedPricesAndTheLoadsCalls) {
    RunScenario({"grid_painting", true});
}

// The transcript was written by the check that asked the server order by order; the batched
// check must disable exactly the same orders of the branch's mixed demo orders.
TEST_P(Scenarios, LoadCheckOverEveryOrderOfTheBranchMarksAndCountsAsOrderByOrder) {
    RunScenario({"load_check", true});
}

TEST_P(Scenarios, ItemsOfACommittedOrderAreCancelledAndUndoneThroughThePopupWithinTheBalance) {
    RunScenario({"committed_items", true});
}

TEST_P(Scenarios, TheInformationLineShowsWhoIsEditingTheOrderAndItsCommitmentsBalanceAfterEveryLoad) {
    RunScenario({"before_acting_info", true});
}

TEST_P(Scenarios, SimulatingARefusedSelectionShowsTheRefusalAndChangesNothing) {
    RunScenario({"simulate_refused", true});
}

TEST_P(Scenarios, SimulatingAValidSelectionListsWhatConfirmingThenDoes) {
    RunScenario({"simulate_valid", true});
}

// A server of its own, whose row cap the demo branch passes.
TEST_P(Scenarios, TheServersLimitsAreShownAsItsMessagesAndTheScreensGoOn) {
    m_server = std::make_unique<ServerProcess>(
        testkit::ServerProcessOptions{.backend = GetParam(), .serveArgs = {"--max-rows", "100"}});
    RunScenario({"server_limits", true});
}

TEST_P(EndToEnd, FailedExpectationExitsOneNamingLineExpectedAndActual) {
    auto result = RunText(
        "open PED01000\nexpect medCdFilial.Text 0002\nexpect edtNmFilial.Text \"MATRIZ SAO PAULO\"\n");
    EXPECT_EQ(result.exitStatus, 1) << result.out << result.err;
    EXPECT_NE(result.out.find("FAILED line 2: expect medCdFilial.Text: expected \"0002\", got \"0001\"\n"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("> expect edtNmFilial.Text"), std::string::npos) << "the script goes on";
}

TEST_P(EndToEnd, ScreenOfAMissingModuleIsAPortugueseErrorMessage) {
    auto result = RunText("open PED09999\nexpect message \"Módulo da tela PED09999 não encontrado.\"\n");
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_NE(result.out.find("error: Módulo da tela PED09999 não encontrado.\n"), std::string::npos)
        << result.out;
}

TEST_P(EndToEnd, UnknownControlExitsTwo) {
    auto result = RunText("open PED01000\nclick sbtNaoExiste\nexpect focus medCdFilial\n");
    EXPECT_EQ(result.exitStatus, 2) << result.out << result.err;
    EXPECT_NE(result.out.find("script error: line 2: no control named sbtNaoExiste"), std::string::npos)
        << result.out;
    EXPECT_EQ(result.out.find("> expect focus"), std::string::npos);
}

TESTKIT_ON_BOTH_BACKENDS(Scenarios);
TESTKIT_ON_BOTH_BACKENDS(EndToEnd);

} // namespace
