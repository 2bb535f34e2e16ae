#include "RpcTestSupport.h"

namespace rpctest {
namespace {

class ProtocolTest : public BackendTest {
protected:
    // A good call still works: the failure before it did not hurt the server.
    void ExpectServerStillServes(testkit::ServerProcess& server, const DemoFacts& facts) {
        pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
        EXPECT_NO_THROW(client.Call("GetParamPedido", {facts.branch}));
    }
};

struct BadRequest {
    const char* name;
    std::string body;
    int httpStatus;
    int code;
    std::string messageStart;
};

TEST_P(ProtocolTest, MalformedRequestsGetClearErrorsAndTheServerKeepsServing) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    const std::string auth = "Bearer " + server.Token(facts.allOrdersOperator);
    const std::string invalid = "Requisição JSON-RPC inválida: ";
    const std::vector<BadRequest> cases{
        {"malformed JSON", "{\"jsonrpc\":\"2.0\",", 400, -32700, "Requisição com JSON inválido."},
        {"empty body", "", 400, -32700, "Requisição com JSON inválido."},
        {"empty batch", "[]", 400, -32600, "Requisição em lote vazia."},
        {"batch above the maximum",
         "[1" +
             [] {
                 std::string more;
                 for (int i = 0; i < 100; ++i)
                     more += ",1";
                 return more;
             }() +
             "]",
         400, -32600, "Lote com chamadas demais: o limite é de 100."},
        {"not an object", "\"GetPedido\"", 400, -32600, invalid},
        {"no version", R"({"id":1,"method":"GetParamPedido","params":["0001"]})", 400, -32600, invalid},
        {"wrong version", R"({"jsonrpc":"1.0","id":1,"method":"GetParamPedido","params":["0001"]})", 400,
         -32600, invalid},
        {"no id", R"({"jsonrpc":"2.0","method":"GetParamPedido","params":["0001"]})", 400, -32600, invalid},
        {"method not text", R"({"jsonrpc":"2.0","id":1,"method":7,"params":["0001"]})", 400, -32600, invalid},
        {"unknown method", Request("DropTables", nlohmann::json::array()).dump(), 200, -32601,
         "Método desconhecido: DropTables."},
        {"params not a list", R"({"jsonrpc":"2.0","id":1,"method":"GetParamPedido","params":{"a":"0001"}})",
         200, -32602, "Parâmetros inválidos"},
        {"too few params", Request("GetItemPedido", {facts.branch}).dump(), 200, -32602, ""},
        {"too many params", Request("GetItemPedido", {facts.branch, "0000000001", "x"}).dump(), 200, -32602,
         ""},
        {"wrong param types", Request("GetItemPedido", {1, 2}).dump(), 200, -32602, ""},
        {"wrong packet type",
         Request("SetCancelaItemPed", {facts.allOrdersOperator, facts.justification, "x", OperBloq}).dump(),
         200, -32602, ""},
    };
    for (const BadRequest& bad : cases) {
        SCOPED_TRACE(bad.name);
        const HttpAnswer answer = PostRaw(server, bad.body, auth);
        EXPECT_EQ(answer.status, bad.httpStatus);
        ASSERT_TRUE(answer.json.is_object()) << answer.body;
        EXPECT_EQ(answer.json["error"]["code"], bad.code) << answer.body;
        const std::string message = answer.json["error"].value("message", "");
        EXPECT_TRUE(message.starts_with(bad.messageStart)) << message;
        EXPECT_GT(message.size(), 10u) << "every error carries a readable message";
        ExpectServerStillServes(server, facts);
    }
}

TEST_P(ProtocolTest, AnErrorAnswerKeepsTheRequestId) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    const std::string auth = "Bearer " + server.Token(facts.allOrdersOperator);
    const HttpAnswer answer =
        PostRaw(server, Request("NoSuchMethod", nlohmann::json::array(), 4711).dump(), auth);
    EXPECT_EQ(answer.json["id"], 4711);
    const HttpAnswer text = PostRaw(
        server,
        R"({"jsonrpc":"2.0","id":"abc","method":"GetParamPedido","params":[")" + facts.branch + "\"]}", auth);
    EXPECT_EQ(text.json["id"], "abc");
    EXPECT_TRUE(text.json.contains("result"));
}

TEST_P(ProtocolTest, BodiesAreLimitedTo8MiBOfJsonAndTheServerKeepsServing) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    const std::string auth = "Bearer " + server.Token(facts.allOrdersOperator);
    const auto bodyOf = [&](std::size_t filler) {
        return Request("GetParamPedido", {std::string(filler, 'x')}).dump();
    };
    const auto nested = [](std::size_t depth) {
        return R"({"jsonrpc":"2.0","id":1,"method":"GetParamPedido","params":[)" + std::string(depth, '[') +
               std::string(depth, ']') + "]}";
    };
    struct Case {
        const char* name;
        std::string body;
        std::string contentType;
        int httpStatus;
        int code;
        std::string messageStart;
    };
    const std::vector<Case> cases{
        {"9 MiB", bodyOf(9 * 1024 * 1024), "application/json", 413, -32600,
         "Requisição grande demais: o limite é de 8 MiB."},
        {"7 MiB reaches the method", bodyOf(7 * 1024 * 1024), "application/json", 200, -32602, "Parâmetro 1"},
        {"nested to the limit", nested(30), "application/json", 200, -32602, "Parâmetro 1"},
        {"nested past the limit", nested(31), "application/json", 400, -32600,
         "Requisição com JSON aninhado em mais de 32 níveis."},
        {"8 MiB of brackets", nested(4 * 1024 * 1024 - 64), "application/json", 400, -32600,
         "Requisição com JSON aninhado"},
        {"form-encoded", bodyOf(100000), "application/x-www-form-urlencoded", 415, -32600,
         "Tipo de conteúdo não aceito: envie application/json."},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const HttpAnswer answer = PostRaw(server, test.body, auth, test.contentType);
        EXPECT_EQ(answer.status, test.httpStatus);
        ASSERT_TRUE(answer.json.is_object()) << answer.body.substr(0, 200);
        EXPECT_EQ(answer.json["error"]["code"], test.code);
        EXPECT_TRUE(answer.json["error"].value("message", "").starts_with(test.messageStart))
            << answer.json["error"].value("message", "");
        ExpectServerStillServes(server, facts);
    }
}

TESTKIT_ON_BOTH_BACKENDS(ProtocolTest);

} // namespace
} // namespace rpctest
