#include "RdmFixture.h"
#include "storage/OrderLock.h"

#include <map>

namespace {

class QueryMethods : public RdmTest {};

TEST_P(QueryMethods, BranchParametersComeAsOneRowOfFiveFlags) {
    const auto packet = Call("GetParamPedido", {"0001"}).at("packet");
    ASSERT_EQ(packet["fields"].size(), 5u);
    EXPECT_EQ(packet["fields"][1],
              (nlohmann::json{{"name", "IDUTCTREMPEN"}, {"type", "string"}, {"size", 1}}));
    EXPECT_EQ(packet["rows"], (nlohmann::json{{"N", "S", "1", "N", "S"}}));
    EXPECT_EQ(Error("GetParamPedido", {"0009"}).second, "Filial não cadastrada.");
}

TEST_P(QueryMethods, ItemsComeInItemOrderWithProductData) {
    const auto packet = Call("GetItemPedido", {"0001", "0000000003"}).at("packet");
    ASSERT_EQ(packet["fields"].size(), 14u);
    const nlohmann::json first = {"0000000001", "N",          "5",    "000102", "ARROZ", 4.0,     "PCT",
                                  25.0,         "0000000003", "0001", "101001", nullptr, nullptr, "000102"};
    EXPECT_EQ(packet["rows"][0], first);
    EXPECT_EQ(Numbers(Call("GetItemPedido", {"0001", "0000000003"}), "NRITEMPED"),
              (std::vector<std::string>{"0000000001", "0000000002"}));
}

TEST_P(QueryMethods, BlockingItemsAreDeliveriesAndLotsWhereTheBranchReservesLots) {
    const auto blocking = [&](const std::string& filial, const std::string& pedido) {
        return Call("GetItemPedidoSemFiltro2", {filial, pedido}).at("packet")["rows"].size();
    };
    EXPECT_EQ(blocking("0001", "0000000009"), 1u); // delivered
    EXPECT_EQ(blocking("0001", "0000000005"), 1u); // reserved lot, branch reserves lots
    EXPECT_EQ(blocking("0001", "0000000002"), 0u);
    m_connection->Execute("UPDATE PARAMPEDIDO SET IDUTRESELOTE = 'N' WHERE CDFILIAL = '0001'");
    EXPECT_EQ(blocking("0001", "0000000005"), 0u);
}

TEST_P(QueryMethods, OperatorRowsAndOrderNumbersFollowTheOperatorsRights) {
    EXPECT_EQ(Numbers(Call("getOperTPed", {"0001", "DEMO"}), "CDOPERADOR"),
              (std::vector<std::string>{"DEMO"}));
    EXPECT_TRUE(Numbers(Call("getOperTPed", {"0001", "VEND01"}, "VEND01"), "CDOPERADOR").empty());
    EXPECT_EQ(Numbers(Call("GetNrPedido", {"0001", "0002", ""})).size(), 3u);
    EXPECT_EQ(Numbers(Call("GetNrPedido", {"0001", "", "T"})).size(), 9u);
    EXPECT_TRUE(Numbers(Call("GetNrPedido", {"0001", "0002", ""}, "VEND01")).empty());
    EXPECT_EQ(Numbers(Call("GetNrPedido", {"0001", "", "T"}, "VEND01")).size(), 4u);
    const auto row = Call("GetNrPedido", {"0001", "0001", ""}).at("packet")["rows"][0];
    EXPECT_EQ(row, (nlohmann::json{"N", "0000000001", "ALFA"}));
}

TEST_P(QueryMethods, ARestrictedOperatorCannotReadAnotherSellersItems) {
    EXPECT_TRUE(Numbers(Call("GetItemPedido", {"0001", "0000000002"}, "VEND01"), "NRITEMPED").empty());
    EXPECT_EQ(Call("GetItemPedidoSemFiltro2", {"0001", "0000000009"}, "VEND01").at("packet")["rows"].size(),
              0u);
    EXPECT_EQ(Numbers(Call("GetItemPedido", {"0001", "0000000001"}, "VEND01"), "NRITEMPED").size(), 2u);
}

class BatchedQueries : public QueryMethods {
protected:
    std::size_t StoredItems(const std::string& filial, const std::string& pedido) {
        return m_connection
            ->Query("SELECT NRITEMPED FROM ITEMPEDIDO WHERE CDFILIAL = :F AND NRPEDIDO = :P",
                    {{"F", filial}, {"P", pedido}})
            .Size();
    }
};

// Calls given their batch's shared reads answer exactly as alone: every order of both branches,
// an unknown one, one named twice, for the all-orders operator and a restricted one.
TEST_P(BatchedQueries, CallsSharingTheirBatchsReadsAnswerAsAlone) {
    std::vector<std::pair<std::string, std::string>> orders = {{"0001", "0000009999"}, {"0001", "0000000003"}};
    for (const auto& row : m_connection->Query("SELECT CDFILIAL, NRPEDIDO FROM PEDIDO ORDER BY NRPEDIDO DESC"))
        orders.emplace_back(sqldb::AsText(row[0]), sqldb::AsText(row[1]));
    std::map<std::string, std::size_t> rows;
    for (const char* oper : {"DEMO", "VEND01"}) {
        nlohmann::json batch = nlohmann::json::array();
        for (const char* method : {"GetItemPedido", "GetItemPedidoSemFiltro2"}) {
            for (const auto& [filial, pedido] : orders)
                batch.push_back({{"jsonrpc", "2.0"}, {"id", batch.size()}, {"method", method}, {"params", {filial, pedido}}});
        }
        pedserver::BatchReads reads(batch);
        for (const nlohmann::json& call : batch) {
            const std::string method = call["method"];
            const auto shared = Call(method, call["params"], oper, &reads);
            EXPECT_EQ(shared, Call(method, call["params"], oper)) << oper << " " << call.dump();
            rows[oper] += shared.at("packet")["rows"].size();
            if (oper == std::string("DEMO") && method == "GetItemPedido") {
                EXPECT_EQ(shared.at("packet")["rows"].size(), StoredItems(call["params"][0], call["params"][1]))
                    << call.dump();
            }
        }
    }
    // Items and blocking items came back, fewer for the operator restricted to his sellers.
    EXPECT_GT(rows["DEMO"], rows["VEND01"]);
    EXPECT_GT(rows["VEND01"], 0u);
}

TEST_P(QueryMethods, ForgedOperatorsUnknownMethodsAndBadArgumentsAreRefused) {
    EXPECT_EQ(Error("getOperTPed", {"0001", "DEMO"}, "VEND01"),
              std::make_pair(pedserver::RpcCode::Forbidden,
                             std::string("Operador não corresponde ao token de acesso.")));
    EXPECT_EQ(Error("DropEverything", nlohmann::json::array()).first, pedserver::RpcCode::MethodNotFound);
    EXPECT_EQ(Error("getpedido", nlohmann::json::array()).first, pedserver::RpcCode::MethodNotFound);
    EXPECT_EQ(Error("GetItemPedido", {"0001"}).first, pedserver::RpcCode::InvalidParams);
    EXPECT_EQ(Error("GetItemPedido", {"0001", "00000000001"}).first, pedserver::RpcCode::InvalidParams);
    EXPECT_EQ(Error("GetParamPedido", {{{"a", 1}}}).first, pedserver::RpcCode::InvalidParams);
    EXPECT_EQ(Error("GetParamPedido", nlohmann::json::object()).first, pedserver::RpcCode::InvalidParams);
}

TESTKIT_ON_BOTH_BACKENDS(QueryMethods);
TESTKIT_ON_BOTH_BACKENDS(BatchedQueries);

} // namespace
