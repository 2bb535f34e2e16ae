#include "rpcclient/AnswerStream.h"

#include "rpcclient/JsonTreeBuilder.h"
#include "rpcclient/RpcAnswer.h"
#include "rpcclient/RpcClientError.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pedclient {
namespace {

const std::string Address = "127.0.0.1:8080";

std::string Deep(int levels) {
    return std::string(static_cast<std::size_t>(levels), '[') +
           std::string(static_cast<std::size_t>(levels), ']');
}

// Answers to a batch of two calls (ids 1 and 2), read with a tree per result.
struct BatchCase {
    const char* name;
    int status;
    std::string body;
    // Per call: its result as JSON text, or "error CODE MESSAGE".
    std::vector<std::string> parts;
    // Or the message the whole read fails with (a part of it).
    std::string failure;
};

std::string Described(const BatchAnswer& part) {
    return part.ok ? part.result.dump() : "error " + std::to_string(part.code) + " " + part.message;
}

TEST(AnswerStream, BatchAnswersAreCheckedAndPutInTheCallsOrder) {
    const std::string bad = "Resposta inválida do servidor de aplicação em 127.0.0.1:8080";
    const std::vector<BatchCase> cases = {
        {"in order",
         200,
         R"([{"jsonrpc":"2.0","id":1,"result":{"a":1}},{"jsonrpc":"2.0","id":2,"result":[true,null]}])",
         {R"({"a":1})", "[true,null]"},
         ""},
        {"reversed, result before id, extra members skipped",
         200,
         R"([{"result":"dois","x":{"y":[1,{"z":2}]},"id":2},{"result":1.5,"id":1,"jsonrpc":"2.0"}])",
         {"1.5", R"("dois")"},
         ""},
        {"one call refused",
         200,
         R"([{"id":2,"error":{"code":-32001,"message":"Operação bloqueada."}},{"id":1,"result":{}}])",
         {"{}", "error -32001 Operação bloqueada."},
         ""},
        {"a malformed error is a bad answer for its call",
         200,
         R"([{"id":1,"result":0},{"id":2,"error":"x"}])",
         {"0", "error " + std::to_string(RpcClientError::BadAnswer) + " " + bad + "."},
         ""},
        {"the whole batch refused",
         400,
         R"({"jsonrpc":"2.0","id":null,"error":{"code":-32600,"message":"Lote vazio."}})",
         {},
         "Lote vazio."},
        {"an object that is no error", 200, R"({"id":1,"result":{}})", {}, bad},
        {"a missing answer", 200, R"([{"id":1,"result":0}])", {}, "faltam respostas do lote"},
        {"an id not sent",
         200,
         R"([{"id":1,"result":0},{"id":3,"result":0}])",
         {},
         "chamada que não foi feita"},
        {"a text id", 200, R"([{"id":1,"result":0},{"id":"2","result":0}])", {}, "chamada que não foi feita"},
        {"an answer that is no object", 200, R"([{"id":1,"result":0},[2]])", {}, "chamada que não foi feita"},
        {"a scalar in the list", 200, R"([{"id":1,"result":0},2])", {}, "chamada que não foi feita"},
        {"cut short", 200, R"([{"id":1,"result":0},{"id":2,"res)", {}, bad},
        {"a bare scalar", 200, "42", {}, bad},
        {"a list with another status", 500, R"([{"id":1,"result":0},{"id":2,"result":0}])", {}, "(HTTP 500)"},
        {"nested too deep",
         200,
         R"([{"id":1,"result":)" + Deep(300) + R"(},{"id":2,"result":0}])",
         {},
         "aninhados em mais de 256 níveis"},
    };
    for (const BatchCase& test : cases) {
        SCOPED_TRACE(test.name);
        try {
            const std::vector<BatchAnswer> answers =
                ResultsOfBatchAnswer({test.status, test.body}, 1, 2, Address, 256);
            ASSERT_TRUE(test.failure.empty()) << "read without failing";
            ASSERT_EQ(answers.size(), test.parts.size());
            for (std::size_t i = 0; i < answers.size(); ++i)
                EXPECT_EQ(Described(answers[i]), test.parts[i]);
        } catch (const RpcClientError& error) {
            ASSERT_FALSE(test.failure.empty()) << error.what();
            EXPECT_NE(std::string(error.what()).find(test.failure), std::string::npos) << error.what();
        }
    }
}

// Each result goes to the sink of its arrival as events; the answer for call N says which.
TEST(AnswerStream, ResultsGoToTheSinkOfTheirArrival) {
    std::vector<JsonTreeBuilder> sinks(3);
    std::vector<std::size_t> asked;
    const ResultSinks sinkFor = [&](std::size_t arrival) -> ResultSink& {
        asked.push_back(arrival);
        return sinks.at(arrival);
    };
    const std::vector<StreamedAnswer> answers = StreamBatchAnswer(
        {200,
         R"([{"id":12,"result":{"packet":{"rows":[["c"]]}}},{"id":10,"result":"a"},{"id":11,"error":{"code":7,"message":"m"}}])"},
        10, 3, Address, 256, sinkFor);
    EXPECT_EQ(asked, (std::vector<std::size_t>{0, 1}));
    ASSERT_EQ(answers.size(), 3U);
    EXPECT_TRUE(answers[0].ok);
    EXPECT_EQ(sinks[answers[0].arrival].Take(), "a");
    EXPECT_FALSE(answers[1].ok);
    EXPECT_EQ(answers[1].code, 7);
    EXPECT_TRUE(answers[2].ok);
    EXPECT_EQ(sinks[answers[2].arrival].Take(), nlohmann::json::parse(R"({"packet":{"rows":[["c"]]}})"));
}

// A sink that gives up stops the read with its own exception.
TEST(AnswerStream, ASinkThatThrowsEndsTheRead) {
    struct Refusing : JsonTreeBuilder {
        bool string(string_t&) override { throw std::runtime_error("refused"); }
    } refusing;
    const ResultSinks sinkFor = [&](std::size_t) -> ResultSink& { return refusing; };
    EXPECT_THROW(StreamBatchAnswer({200, R"([{"id":1,"result":"x"}])"}, 1, 1, Address, 256, sinkFor),
                 std::runtime_error);
}

} // namespace
} // namespace pedclient
