#include "RpcTestSupport.h"

namespace rpctest {
namespace {

class AuthTest : public BackendTest {};

TEST_P(AuthTest, RequestsWithoutAValidBearerTokenGetHttp401WithAJsonRpcError) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    const std::string body = Request("GetItemPedido", {facts.branch, "0000000001"}).dump();
    const std::string valid = server.Token(facts.allOrdersOperator);
    const std::vector<std::pair<const char*, std::optional<std::string>>> cases{
        {"no header", std::nullopt},
        {"empty bearer", "Bearer "},
        {"other scheme", "Basic " + valid},
        {"unknown token", "Bearer 0123456789abcdef0123456789abcdef"},
        {"token with a suffix", "Bearer " + valid + "x"},
        {"token cut short", "Bearer " + valid.substr(0, valid.size() - 1)},
    };
    for (const auto& [name, authorization] : cases) {
        SCOPED_TRACE(name);
        const HttpAnswer answer = PostRaw(server, body, authorization);
        EXPECT_EQ(answer.status, 401);
        EXPECT_EQ(answer.header, "Bearer");
        ASSERT_TRUE(answer.json.is_object()) << answer.body;
        EXPECT_EQ(answer.json["jsonrpc"], "2.0");
        EXPECT_EQ(answer.json["error"]["code"], 2);
        EXPECT_TRUE(answer.json["error"]["message"].get<std::string>().starts_with("Token de acesso"));
        EXPECT_FALSE(answer.json.contains("result"));
    }
    EXPECT_EQ(PostRaw(server, body, "bearer " + valid).status, 200) << "the scheme name is case-insensitive";
}

TEST_P(AuthTest, ATokenCannotActForAnotherOperator) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    pedclient::RpcClient client = server.Client(facts.restrictedOperator);
    // Well-formed packets, as the screen would send them, so that only the operator is wrong.
    const nlohmann::json orders = client.GetPedido({.cdFilial = facts.branch});
    const nlohmann::json items = client.GetItemPedido(facts.branch, "0000000001");
    const std::vector<std::pair<std::string, nlohmann::json>> forged{
        {"getOperTPed", {facts.branch, facts.allOrdersOperator}},
        {"SetCancelaPed",
         {facts.allOrdersOperator, facts.justification, orders, OperBloq, facts.branch, SaldoEmp}},
        {"SetCancelaItemPed", {facts.allOrdersOperator, facts.justification, items, OperBloq}},
        {"SetDesfazCancel", {facts.allOrdersOperator, facts.justification, items, OperBloq}},
    };
    for (const auto& [method, params] : forged) {
        SCOPED_TRACE(method);
        try {
            client.Call(method, params);
            ADD_FAILURE() << method << " accepted another operator's code";
        } catch (const pedclient::RpcClientError& error) {
            EXPECT_STREQ(error.what(), "Operador não corresponde ao token de acesso.");
        }
    }
    // The same operator as the token's is accepted.
    EXPECT_NO_THROW(client.Call("getOperTPed", {facts.branch, facts.restrictedOperator}));
}

TESTKIT_ON_BOTH_BACKENDS(AuthTest);

} // namespace
} // namespace rpctest
