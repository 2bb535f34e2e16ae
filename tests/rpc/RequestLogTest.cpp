#include "server/RequestLog.h"

#include "server/Metrics.h"
#include "testkit/TempDir.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

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

// The time of a moment as the log writes it, to the millisecond.
std::string UtcText(std::chrono::system_clock::time_point moment) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(moment.time_since_epoch()).count() % 1000;
    char withMillis[48];
    std::snprintf(withMillis, sizeof withMillis, "%s.%03dZ", text, static_cast<int>(millis));
    return withMillis;
}

// Each line carries the time it was written, also when the seconds go by between lines.
TEST(RequestLogTest, EveryLineHasTheTimeItWasWritten) {
    std::ostringstream out;
    std::vector<std::pair<std::string, std::string>> bounds;
    {
        pedserver::RequestLog log(out, std::chrono::hours(1));
        pedserver::RpcOutcome outcome;
        outcome.method = "GetPedido";
        outcome.outcome = "ok";
        for (const auto pause : {0, 0, 1100, 0, 1100}) {
            std::this_thread::sleep_for(std::chrono::milliseconds(pause));
            const auto before = UtcText(std::chrono::system_clock::now());
            log.Write(outcome, 1.0);
            bounds.emplace_back(before, UtcText(std::chrono::system_clock::now()));
        }
    }
    std::istringstream lines(out.str());
    std::string line;
    for (const auto& [before, after] : bounds) {
        ASSERT_TRUE(std::getline(lines, line));
        ASSERT_EQ(line.rfind("ts=", 0), 0u) << line;
        const std::string ts = line.substr(3, before.size());
        EXPECT_LE(before, ts) << line;
        EXPECT_LE(ts, after) << line;
    }
}

TEST(RequestLogTest, AFailedRequestWritesOneLineWithItsError) {
    std::ostringstream out;
    {
        pedserver::RequestLog log(out, std::chrono::hours(1));
        pedserver::RpcOutcome outcome;
        outcome.method = "SetCancelaPed";
        outcome.operatorCode = "DEMO";
        outcome.client = "10.0.0.7";
        outcome.outcome = "refused";
        outcome.detail = "Pedido 1\nforged=line";
        log.Write(outcome, 12.345);
    } // a log that goes away writes what it holds, however long its delay
    const std::string line = out.str();
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
    EXPECT_NE(line.find(" client=10.0.0.7 method=SetCancelaPed operator=DEMO ms=12.3 outcome=refused status=200 "
                        "error=\"Pedido 1\\x0aforged=line\"\n"),
              std::string::npos)
        << line;
}

TEST(RequestLogTest, LinesReachTheStreamSoonWithoutWaitingForMore) {
    testkit::TempDir folder("request-log");
    const auto file = folder.Path() / "log";
    std::ofstream out(file);
    pedserver::RequestLog log(out, std::chrono::milliseconds(50));
    pedserver::RpcOutcome outcome;
    outcome.method = "GetPedido";
    outcome.outcome = "ok";
    for (int i = 0; i < 3; ++i)
        log.Write(outcome, 1.0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    std::string text;
    while (std::count(text.begin(), text.end(), '\n') < 3 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        text = testkit::ReadTextFile(file.string());
    }
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3) << text;
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
