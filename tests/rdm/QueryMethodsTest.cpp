#include "RdmFixture.h"
#include "storage/OrderLock.h"

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

} // namespace
