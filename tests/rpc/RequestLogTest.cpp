#include "server/RequestLog.h"

#include "server/Metrics.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(RequestLogTest, ValuesAreQuotedSoThatNoClientTextCanBreakALine) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"GetPedido", "GetPedido"},
        {"", "\"\""},
        {"two words", "\"two words\""},
        {"a=b", "\"a=b\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"back\\slash", "\"back\\\\slash\""},
        {"line\nbreak", "\"line\\x0abreak\""},
        {"tab\there", "\"tab\\x09here\""},
        {"Operação", "Operação"},
    };
    for (const auto& [value, quoted] : cases) {
        EXPECT_EQ(pedserver::RequestLog::Quote(value), quoted) << value;
    }
}

TEST(RequestLogTest, AFailedRequestWritesOneLineWithItsError) {
    std::ostringstream out;
    pedserver::RequestLog log(out);
    pedserver::RpcOutcome outcome{200, {}, "SetCancelaPed", "DEMO", "refused", "Pedido 1\nforged=line"};
    log.Write(outcome, 12.345);
    const std::string line = out.str();
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
    EXPECT_NE(line.find(" method=SetCancelaPed operator=DEMO ms=12.3 outcome=refused status=200 "
                        "error=\"Pedido 1\\x0aforged=line\"\n"),
              std::string::npos)
        << line;
}

TEST(MetricsTest, HistogramBucketsAreCumulativeAndCountEveryRequest) {
    pedserver::Metrics metrics;
    metrics.Record("GetPedido", "ok", 0.0004);
    metrics.Record("GetPedido", "ok", 0.03);
    metrics.Record("GetPedido", "refused", 7.0);
    const std::string text = metrics.RenderPrometheus();
    const auto has = [&](const std::string& line) { return text.find(line + "\n") != std::string::npos; };
    EXPECT_TRUE(has(R"(pedserver_requests_total{method="GetPedido",outcome="ok"} 2)")) << text;
    EXPECT_TRUE(has(R"(pedserver_requests_total{method="GetPedido",outcome="refused"} 1)"));
    EXPECT_TRUE(has(R"(pedserver_errors_total{outcome="refused"} 1)"));
    EXPECT_TRUE(has(R"(pedserver_request_duration_seconds_bucket{method="GetPedido",le="0.001"} 1)"));
    EXPECT_TRUE(has(R"(pedserver_request_duration_seconds_bucket{method="GetPedido",le="0.025"} 1)"));
    EXPECT_TRUE(has(R"(pedserver_request_duration_seconds_bucket{method="GetPedido",le="0.05"} 2)"));
    EXPECT_TRUE(has(R"(pedserver_request_duration_seconds_bucket{method="GetPedido",le="5"} 2)"));
    EXPECT_TRUE(has(R"(pedserver_request_duration_seconds_bucket{method="GetPedido",le="+Inf"} 3)"));
    EXPECT_TRUE(has(R"(pedserver_request_duration_seconds_count{method="GetPedido"} 3)"));
}

} // namespace
