#include "testkit/ChildProcess.h"
#include "testkit/HostRun.h"
#include "testkit/ServerProcess.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

// The information line and the Simular window on the desktop: each scenario's transcript holds on
// the Qt platform too, the window being a real modal dialog there.
class SimulationOnQt : public ::testing::TestWithParam<const char*> {};

TEST_P(SimulationOnQt, ScenarioGivesItsHeadlessTranscript) {
    const std::string base = std::string(PED_SCRIPTS_DIR) + "/" + GetParam();
    testkit::ServerProcess server{testkit::ServerProcessOptions{}};
    if (std::ifstream(base + ".sql"))
        server.Database().Connect()->ExecuteScript(testkit::ReadTextFile(base + ".sql"));
    testkit::HostRun run = testkit::HostRun::On(server, PED_PEDHOST_PATH);
    run.platform = "qt";
    run.script = base + ".script";
    run.fixedBranch = true;
    const testkit::ProcessResult qt = run.Run(std::chrono::seconds(120));
    EXPECT_EQ(qt.exitStatus, 0) << qt.out << qt.err;
    EXPECT_EQ(qt.out, testkit::ReadTextFile(base + ".expected")) << qt.err;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, SimulationOnQt, testing::Values("simulate_refused", "simulate_valid"));

} // namespace
