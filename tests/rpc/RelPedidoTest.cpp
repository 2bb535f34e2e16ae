#include "RpcTestSupport.h"

#include <set>

namespace rpctest {
namespace {

const std::string Report = "Ped01100.rdmRelPedido";

class RelPedidoTest : public BackendTest {
protected:
    pedclient::RpcClient ReportClient(testkit::ServerProcess& server, const std::string& operatorCode) {
        pedclient::RpcClient client = server.Client(operatorCode);
        client.SetModule(Report);
        return client;
    }
};

nlohmann::json Period(const DemoFacts& facts, const std::string& operatorCode,
                      const std::string& from = "2024-01-01", const std::string& to = "2024-12-31",
                      const std::string& situations = "123456") {
    return {facts.branch, operatorCode, from, to, situations, ""};
}

std::vector<nlohmann::json> Column(const nlohmann::json& packet, const std::string& name) {
    std::size_t index = 0;
    while (packet.at("fields").at(index).at("name") != name)
        ++index;
    std::vector<nlohmann::json> values;
    for (const auto& row : packet.at("rows"))
        values.push_back(row.at(index));
    return values;
}

TEST_P(RelPedidoTest, OrdersOfThePeriodCarryTheirSellerClientAndExactValue) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    auto client = ReportClient(server, facts.allOrdersOperator);
    const auto packet = client.Call("GetRelPedido", Period(facts, facts.allOrdersOperator)).at("packet");
    const auto db = server.Database().Connect();
    const auto expected =
        db->Query("SELECT NRPEDIDO FROM PEDIDO WHERE CDFILIAL = :F ORDER BY NRPEDIDO", {{"F", facts.branch}});
    const auto numbers = Column(packet, "NRPEDIDO");
    ASSERT_EQ(numbers.size(), expected.Size());
    ASSERT_FALSE(numbers.empty());
    // The first order's value is its live items' quantity x price, rounded per item, summed in cents.
    const std::string first = numbers.front();
    const auto items =
        db->Query("SELECT QTITEMPED, VRPREUNITPED, IDSITITEMPED FROM ITEMPEDIDO WHERE CDFILIAL = :F AND "
                  "NRPEDIDO = :P",
                  {{"F", facts.branch}, {"P", first}});
    long long cents = 0;
    for (std::size_t i = 0; i < items.Size(); ++i) {
        if (items.Text(i, "IDSITITEMPED") != "5")
            cents += std::llround(std::stod(items.Text(i, "QTITEMPED")) *
                                  std::stod(items.Text(i, "VRPREUNITPED")) * 100);
    }
    EXPECT_NEAR(Column(packet, "VRPEDIDO").front().get<double>(), static_cast<double>(cents) / 100.0, 0.001);
    for (const auto& name : Column(packet, "NMFANVEN"))
        EXPECT_TRUE(name.is_string() && !name.get<std::string>().empty());
}

TEST_P(RelPedidoTest, RestrictedOperatorSeesOnlyHisSellersOrdersInEveryCall) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    const auto db = server.Database().Connect();
    const auto sellers =
        db->Query("SELECT CDVENDEDOR FROM VENDEDOR WHERE CDOPERADOR = :O", {{"O", facts.restrictedOperator}});
    std::set<std::string> own;
    for (std::size_t i = 0; i < sellers.Size(); ++i)
        own.insert(sellers.Text(i, "CDVENDEDOR"));
    ASSERT_FALSE(own.empty());
    auto client = ReportClient(server, facts.restrictedOperator);
    const auto orders = client.Call("GetRelPedido", Period(facts, facts.restrictedOperator)).at("packet");
    const auto sellersSeen = Column(orders, "CDVENDEDOR");
    ASSERT_FALSE(sellersSeen.empty());
    for (const auto& seller : sellersSeen)
        EXPECT_TRUE(own.contains(seller.get<std::string>())) << seller;
    std::set<std::string> visible;
    for (const auto& number : Column(orders, "NRPEDIDO"))
        visible.insert(number.get<std::string>());
    for (const char* method : {"GetRelItemPedido", "GetRelHistorico"}) {
        const auto packet = client.Call(method, Period(facts, facts.restrictedOperator)).at("packet");
        for (const auto& number : Column(packet, "NRPEDIDO"))
            EXPECT_TRUE(visible.contains(number.get<std::string>())) << method << " " << number;
    }
    // Asking for another seller's orders by name gives nothing rather than those orders.
    const auto other =
        db->Query("SELECT CDVENDEDOR FROM VENDEDOR WHERE CDOPERADOR IS NULL OR CDOPERADOR <> :O",
                  {{"O", facts.restrictedOperator}});
    ASSERT_FALSE(other.IsEmpty());
    auto params = Period(facts, facts.restrictedOperator);
    params[5] = other.Text(0, "CDVENDEDOR");
    EXPECT_TRUE(client.Call("GetRelPedido", params).at("packet").at("rows").empty());
}

TEST_P(RelPedidoTest, LedgerNamesTheOperatorAndTheJustificationOfAnItemCancellation) {
    testkit::ServerProcess server({.backend = GetParam()});
    const DemoFacts facts = ReadDemoFacts(server);
    const auto db = server.Database().Connect();
    const auto item =
        db->Query("SELECT I.NRPEDIDO, I.NRITEMPED FROM ITEMPEDIDO I JOIN PEDIDO P ON P.CDFILIAL = "
                  "I.CDFILIAL AND P.NRPEDIDO = I.NRPEDIDO WHERE I.CDFILIAL = :F AND "
                  "I.IDSITITEMPED = '1' AND P.CDOPERALTE IS NULL ORDER BY I.NRPEDIDO, I.NRITEMPED",
                  {{"F", facts.branch}});
    ASSERT_FALSE(item.IsEmpty());
    const std::string order = item.Text(0, "NRPEDIDO");
    const std::string number = item.Text(0, "NRITEMPED");
    pedclient::RpcClient cancel = server.Client(facts.allOrdersOperator);
    const nlohmann::json packet = {{"fields",
                                    {{{"name", "CDFILIAL"}, {"type", "string"}, {"size", 4}},
                                     {{"name", "NRPEDIDO"}, {"type", "string"}, {"size", 10}},
                                     {{"name", "NRITEMPED"}, {"type", "string"}, {"size", 10}},
                                     {{"name", "IDCHECK"}, {"type", "string"}, {"size", 1}},
                                     {{"name", "IDSITITEMPED"}, {"type", "string"}, {"size", 1}}}},
                                   {"rows", {{facts.branch, order, number, "S", "1"}}}};
    cancel.Call("SetCancelaItemPed", {facts.allOrdersOperator, facts.justification, packet, OperBloq});

    auto client = ReportClient(server, facts.allOrdersOperator);
    const auto ledger = client.Call("GetRelHistorico", Period(facts, facts.allOrdersOperator)).at("packet");
    const auto names =
        db->Query("SELECT NMOPERADOR FROM OPERADOR WHERE CDOPERADOR = :O", {{"O", facts.allOrdersOperator}});
    const auto justification = db->Query("SELECT DSJUSTEXCHIS FROM JUSTEXCHIS WHERE CDJUSTEXCHIS = :J",
                                         {{"J", facts.justification}});
    const auto orders = Column(ledger, "NRPEDIDO");
    const auto items = Column(ledger, "NRITEMPED");
    std::size_t found = orders.size();
    for (std::size_t i = 0; i < orders.size(); ++i) {
        if (orders[i] == order && items[i] == number && Column(ledger, "IDOPERACAO")[i] == "CI")
            found = i;
    }
    ASSERT_LT(found, orders.size()) << ledger.dump();
    EXPECT_EQ(Column(ledger, "NMOPERADOR")[found], names.Text(0, "NMOPERADOR"));
    EXPECT_EQ(Column(ledger, "DSJUSTEXCHIS")[found], justification.Text(0, "DSJUSTEXCHIS"));
    EXPECT_GT(Column(ledger, "VRITEMPED")[found].get<double>(), 0.0);
    EXPECT_EQ(Column(ledger, "DTOPERACAO")[found].get<std::string>().size(), 19u);
}

struct Refusal {
    const char* what;
    std::string from;
    nlohmann::json to;
    int code;
    std::string message;
};

TEST_P(RelPedidoTest, BadPeriodsAndAnotherOperatorAreRefused) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    auto client = ReportClient(server, facts.allOrdersOperator);
    const std::vector<Refusal> cases = {
        {"inverted", "2024-05-02", "2024-05-01", -32602,
         "Período de emissão inválido: data inicial após a final."},
        {"no end", "2024-05-02", nullptr, -32602, "Período de emissão deve ser informado."},
        {"no such day", "2024-05-02", "2024-02-30", -32602, ""},
        {"a day past the longest period", "2023-12-31", "2024-12-31", 4,
         "Período de emissão de 367 dias, acima do limite do servidor de 366 dias: reduza o período."},
        {"every day there is", "0001-01-01", "9999-12-31", 4, ""},
    };
    for (const auto& refusal : cases) {
        SCOPED_TRACE(refusal.what);
        auto params = Period(facts, facts.allOrdersOperator, refusal.from);
        params[3] = refusal.to;
        try {
            client.Call("GetRelPedido", params);
            ADD_FAILURE() << "accepted";
        } catch (const pedclient::RpcClientError& error) {
            EXPECT_EQ(error.Code(), refusal.code);
            if (!refusal.message.empty()) {
                EXPECT_EQ(std::string(error.what()), refusal.message);
            }
        }
    }
    try {
        client.Call("GetRelPedido", Period(facts, facts.restrictedOperator));
        ADD_FAILURE() << "another operator accepted";
    } catch (const pedclient::RpcClientError& error) {
        EXPECT_EQ(error.Code(), 3);
    }
    // The report path serves only the report's methods.
    try {
        client.Call("GetParamPedido", {facts.branch});
        ADD_FAILURE() << "a cancellation method answered on the report path";
    } catch (const pedclient::RpcClientError& error) {
        EXPECT_EQ(error.Code(), -32601);
    }
}

TESTKIT_ON_BOTH_BACKENDS(RelPedidoTest);

} // namespace
} // namespace rpctest
