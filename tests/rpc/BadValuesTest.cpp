#include "RpcTestSupport.h"

#include <testkit/TestDatabase.h>

namespace rpctest {
namespace {

// Values the databases cannot hold never reach them: both backends refuse them alike, with
// -32602 and the same Portuguese text, and the server keeps answering.
class BadValuesTest : public BackendTest {};

nlohmann::json GetPedidoWithOrderDates(const std::string& branch, const nlohmann::json& from,
                                       const nlohmann::json& to) {
    return {branch, "", "T",     "",      "T", "", "T", "321", "1246", from,
            to,     "", nullptr, nullptr, "T", "", "",  "",    "T",    "1234657"};
}

TEST_P(BadValuesTest, ValuesOutsideWhatTheDatabasesHoldAreRefusedAsInvalidParameters) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    const std::string auth = "Bearer " + server.Token(facts.allOrdersOperator);
    const std::string nul("00\0"
                          "1",
                          4);
    const std::string dateText = " deve ser uma data AAAA-MM-DD entre 0001-01-01 e 9999-12-31, ou nula.";
    const nlohmann::json itemWithNul = ItemPacket({{facts.branch,
                                                    std::string("000000000\0"
                                                                "1",
                                                                11),
                                                    "0000000001", "S", "1"}});
    struct Case {
        const char* name;
        nlohmann::json request;
        std::string message;
    };
    const std::vector<Case> cases{
        {"year zero", Request("GetPedido", GetPedidoWithOrderDates(facts.branch, "0000-01-01", "2024-01-01")),
         "Parâmetro 10 (data inicial de emissão)" + dateText},
        {"year above 9999",
         Request("GetPedido", GetPedidoWithOrderDates(facts.branch, "2024-01-01", "10000-01-01")),
         "Parâmetro 11 (data final de emissão)" + dateText},
        {"day 30 of February",
         Request("GetPedido", GetPedidoWithOrderDates(facts.branch, "2024-02-30", "2024-03-01")),
         "Parâmetro 10 (data inicial de emissão)" + dateText},
        {"date as a number",
         Request("GetPedido", GetPedidoWithOrderDates(facts.branch, 20240101, "2024-03-01")),
         "Parâmetro 10 (data inicial de emissão)" + dateText},
        {"NUL in a text", Request("GetParamPedido", {nul}),
         "Parâmetro 1 (filial) não pode conter o caractere nulo."},
        {"NUL in a packet key",
         Request("SetCancelaItemPed", {facts.allOrdersOperator, facts.justification, itemWithNul, OperBloq}),
         "Pacote de dados inválido: o campo NRPEDIDO não pode conter o caractere nulo."},
        {"huge number for a text", Request("GetItemPedido", {1e308, "0000000001"}),
         "Parâmetro 1 (filial) deve ser um texto."},
        {"negative 64-bit number for a text", Request("GetItemPedido", {facts.branch, INT64_MIN}),
         "Parâmetro 2 (pedido) deve ser um texto."},
    };
    for (const Case& bad : cases) {
        SCOPED_TRACE(bad.name);
        const HttpAnswer answer = PostRaw(server, bad.request.dump(), auth);
        EXPECT_EQ(answer.status, 200) << answer.body;
        EXPECT_EQ(answer.json["error"]["code"], -32602) << answer.body;
        EXPECT_EQ(answer.json["error"].value("message", ""), bad.message);
    }
    const HttpAnswer numbers =
        PostRaw(server, R"({"jsonrpc":"2.0","id":1,"method":"GetParamPedido","params":[1e999]})", auth);
    EXPECT_EQ(numbers.status, 400) << "a number no double holds is not JSON we can read";
    EXPECT_EQ(numbers.json["error"]["code"], -32700) << numbers.body;
    pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
    EXPECT_NO_THROW(client.Call("GetParamPedido", {facts.branch}));
    EXPECT_EQ(server.Log().find("outcome=internal"), std::string::npos) << server.Log();
}

TESTKIT_ON_BOTH_BACKENDS(BadValuesTest);

// SQLite keeps whatever bytes it was given; PostgreSQL refuses invalid UTF-8 on the way in, so
// this can only be set up on SQLite.
TEST(StoredTextTest, InvalidUtf8ReadFromTheDatabaseGoesOutWithReplacementCharacters) {
    testkit::ServerProcess server;
    const DemoFacts facts = ReadDemoFacts(server);
    const auto db = server.Database().Connect();
    const auto item = db->Query("SELECT NRPEDIDO, CDPRODUTO FROM ITEMPEDIDO WHERE CDFILIAL = :F ORDER BY "
                                "NRPEDIDO, NRITEMPED",
                                {{"F", facts.branch}});
    db->Execute("UPDATE PRODUTO SET NMPRODUTO = CAST(X'4341C346C9FF' AS TEXT) WHERE CDPRODUTO = :P",
                {{"P", item.Text(0, "CDPRODUTO")}});

    pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
    const nlohmann::json packet = client.GetItemPedido(facts.branch, item.Text(0, "NRPEDIDO"));
    std::size_t column = 0;
    while (packet["fields"][column]["name"] != "NMPRODUTO")
        ++column;
    EXPECT_EQ(packet["rows"][0][column], "CA\xEF\xBF\xBD"
                                         "F\xEF\xBF\xBD\xEF\xBF\xBD");
}

} // namespace
} // namespace rpctest
