#include "RpcTestSupport.h"

#include <regex>

namespace rpctest {
namespace {

class HealthMetricsTest : public BackendTest {};

int CountLines(const std::string& text, const std::string& needle) {
    int count = 0;
    for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
        ++count;
    }
    return count;
}

TEST_P(HealthMetricsTest, HealthAnswersOkWhileTheDatabaseAnswers) {
    const HttpAnswer health = GetRaw(SharedServer(), "/health");
    EXPECT_EQ(health.status, 200);
    EXPECT_EQ(health.body, "ok");
}

TEST_P(HealthMetricsTest, MetricsCountRequestsByMethodAndOutcome) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    const std::string okSeries = R"(pedserver_requests_total{method="GetParamPedido",outcome="ok"})";
    const std::string unknownSeries = R"(pedserver_requests_total{method="-",outcome="invalid"})";
    const std::string unauthorizedSeries = R"(pedserver_requests_total{method="-",outcome="unauthorized"})";
    const std::string latencySeries = R"(pedserver_request_duration_seconds_count{method="GetParamPedido"})";
    const std::string errorSeries = R"(pedserver_errors_total{outcome="invalid"})";
    const std::string before = GetRaw(server, "/metrics").body;

    pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
    for (int i = 0; i < 3; ++i) {
        client.Call("GetParamPedido", {facts.branch});
    }
    EXPECT_THROW(client.Call("NoSuchMethod", nlohmann::json::array()), pedclient::RpcClientError);
    PostRaw(server, Request("GetParamPedido", {facts.branch}).dump(), std::nullopt);

    const HttpAnswer after = GetRaw(server, "/metrics");
    EXPECT_EQ(after.status, 200);
    EXPECT_EQ(MetricValue(after.body, okSeries) - MetricValue(before, okSeries), 3);
    EXPECT_EQ(MetricValue(after.body, latencySeries) - MetricValue(before, latencySeries), 3);
    EXPECT_EQ(MetricValue(after.body, unknownSeries) - MetricValue(before, unknownSeries), 1);
    EXPECT_EQ(MetricValue(after.body, errorSeries) - MetricValue(before, errorSeries), 1);
    EXPECT_EQ(MetricValue(after.body, unauthorizedSeries) - MetricValue(before, unauthorizedSeries), 1);
    EXPECT_NE(after.body.find("# TYPE pedserver_request_duration_seconds histogram"), std::string::npos);
    EXPECT_EQ(MetricValue(after.body,
                          R"(pedserver_request_duration_seconds_bucket{method="GetParamPedido",le="+Inf"})"),
              MetricValue(after.body, latencySeries));
}

TEST_P(HealthMetricsTest, EveryRequestWritesOneStructuredLogLine) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
    const int linesBefore = CountLines(server.Log(), " method=");
    client.GetPedido({.cdFilial = facts.branch});
    EXPECT_THROW(client.Call("GetItemPedido", {facts.branch}), pedclient::RpcClientError);
    const std::string log = server.LogWhen(
        [&](const std::string& text) { return CountLines(text, " method=") >= linesBefore + 2; });
    EXPECT_EQ(CountLines(log, " method="), linesBefore + 2);
    const std::regex okLine(
        "ts=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z client=127\\.0\\.0\\.1 method=GetPedido operator=" +
        facts.allOrdersOperator + " ms=\\d+\\.\\d outcome=ok status=200\n");
    EXPECT_TRUE(std::regex_search(log, okLine)) << log;
    const std::regex failedLine("method=GetItemPedido operator=" + facts.allOrdersOperator +
                                " ms=\\d+\\.\\d outcome=invalid status=200 error=\"[^\"\n]+\"\n");
    EXPECT_TRUE(std::regex_search(log, failedLine)) << log;
}

TESTKIT_ON_BOTH_BACKENDS(HealthMetricsTest);

} // namespace
} // namespace rpctest
