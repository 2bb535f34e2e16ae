#include "testkit/ChildProcess.h"
#include "testkit/FixedAnswerServer.h"
#include "testkit/HostRun.h"
#include "testkit/ServerProcess.h"
#include "testkit/TempDir.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>

namespace {

// pedhost facing a server whose packet does not agree with its own fields: the operator reads a
// clear message naming the call, and the host ends normally, never on a signal.
TEST(MalformedAnswer, EveryPacketShapeThatDisagreesWithItsFieldsIsAMessageAndTheHostEndsNormally) {
    testkit::ServerProcess lookups; // the host's lookup database and the operator's token
    testkit::TempDir folder("pedhost-malformed");
    const auto script = folder.Path() / "open.script";
    std::ofstream(script) << "open PED01000\n";
    const std::string fields = R"([{"name":"IDUTCTRELANP","type":"string","size":1}])";
    const std::pair<const char*, std::string> shapes[] = {
        {"rows but no fields", R"({"fields":[],"rows":[[["N"]]]})"},
        {"an object in a row of no fields", R"({"fields":[],"rows":[[{"a":1}]]})"},
        {"fewer cells", R"({"fields":)" + fields + R"(,"rows":[[]]})"},
        {"more cells", R"({"fields":)" + fields + R"(,"rows":[["N","S"]]})"},
        {"an array as a cell", R"({"fields":)" + fields + R"(,"rows":[[["N"]]]})"},
        {"an object as a cell", R"({"fields":)" + fields + R"(,"rows":[[{"N":1}]]})"},
        {"fields after rows", R"({"rows":[["N","S"]],"fields":)" + fields + "}"},
        {"rows that are not lists", R"({"fields":)" + fields + R"(,"rows":["N"]})"},
    };
    for (const auto& [name, packet] : shapes) {
        SCOPED_TRACE(name);
        const testkit::FixedAnswerServer server(R"({"jsonrpc":"2.0","id":1,"result":{"packet":)" + packet + "}}");
        testkit::HostRun run = testkit::HostRun::On(lookups, PED_PEDHOST_PATH);
        run.server = "127.0.0.1:" + std::to_string(server.Port());
        run.script = script.string();
        run.fixedBranch = true;
        const auto start = std::chrono::steady_clock::now();
        const testkit::ProcessResult result = run.Run(std::chrono::seconds(60));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
        EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
        EXPECT_NE(result.out.find("error: Resposta inválida do servidor de aplicação em 127.0.0.1:" +
                                  std::to_string(server.Port()) + ": pacote de dados inválido em GetParamPedido ("),
                  std::string::npos)
            << result.out << result.err;
    }
}

} // namespace
