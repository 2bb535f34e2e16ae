#include "RpcTestSupport.h"

#include <algorithm>
#include <map>

namespace rpctest {
namespace {

// A batch of reads runs its calls side by side on several connections; every call must still be
// answered exactly as it is when sent on its own, and as the database holds it.
class BatchReadsTest : public BackendTest {};

TEST_P(BatchReadsTest, EveryCallOfABatchIsAnsweredAsItIsAlone) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    auto db = server.Database().Connect();
    std::vector<std::pair<std::string, std::string>> orders;
    std::map<std::string, std::size_t> itemCount; // by branch and order, as stored
    for (const auto& row : db->Query("SELECT P.CDFILIAL, P.NRPEDIDO, COUNT(I.NRITEMPED) FROM PEDIDO P "
                                     "LEFT JOIN ITEMPEDIDO I ON I.CDFILIAL = P.CDFILIAL AND I.NRPEDIDO = "
                                     "P.NRPEDIDO GROUP BY P.CDFILIAL, P.NRPEDIDO ORDER BY P.CDFILIAL, P.NRPEDIDO")) {
        orders.emplace_back(sqldb::AsText(row[0]), sqldb::AsText(row[1]));
        itemCount[orders.back().first + "/" + orders.back().second] = std::stoul(sqldb::AsText(row[2]));
    }
    ASSERT_NE(orders.front().first, orders.back().first)
        << "the batches should name orders of more than one branch";
    nlohmann::json calls = nlohmann::json::array();
    for (const char* method : {"GetItemPedido", "GetItemPedidoSemFiltro2"}) {
        for (const auto& [branch, order] : orders)
            calls.push_back(Request(method, {branch, order}, static_cast<int>(calls.size())));
        // A missing order, an order named twice, a malformed number and one too long.
        calls.push_back(Request(method, {facts.branch, "9999999999"}, static_cast<int>(calls.size())));
        calls.push_back(Request(method, {facts.branch, orders.front().second}, static_cast<int>(calls.size())));
        calls.push_back(Request(method, {facts.branch, 42}, static_cast<int>(calls.size())));
        calls.push_back(Request(method, {facts.branch, std::string(11, '1')}, static_cast<int>(calls.size())));
    }
    // Batches of the server's default limit, each mixing orders, branches and methods.
    constexpr std::size_t BatchSize = 100;
    for (const std::string& oper : {facts.allOrdersOperator, facts.restrictedOperator}) {
        SCOPED_TRACE(oper);
        const std::string auth = "Bearer " + server.Token(oper);
        std::size_t withItems = 0;
        std::size_t empty = 0;
        for (std::size_t first = 0; first < calls.size(); first += BatchSize) {
            nlohmann::json batch = nlohmann::json::array();
            for (std::size_t i = first; i < std::min(calls.size(), first + BatchSize); ++i)
                batch.push_back(calls[i]);
            const HttpAnswer together = PostRaw(server, batch.dump(), auth);
            ASSERT_EQ(together.status, 200) << together.body.substr(0, 300);
            ASSERT_TRUE(together.json.is_array());
            ASSERT_EQ(together.json.size(), batch.size());
            for (std::size_t i = 0; i < batch.size(); ++i) {
                const HttpAnswer alone = PostRaw(server, batch[i].dump(), auth);
                EXPECT_EQ(together.json[i], alone.json) << batch[i].dump();
                const nlohmann::json& params = batch[i]["params"];
                const auto stored = params[1].is_string()
                                        ? itemCount.find(params[0].get<std::string>() + "/" + params[1].get<std::string>())
                                        : itemCount.end();
                if (oper == facts.allOrdersOperator && batch[i]["method"] == "GetItemPedido" &&
                    stored != itemCount.end()) {
                    EXPECT_EQ(together.json[i]["result"]["packet"]["rows"].size(), stored->second)
                        << batch[i].dump();
                }
                const bool rows = alone.json.contains("result") && !alone.json["result"]["packet"]["rows"].empty();
                ++(rows ? withItems : empty);
            }
        }
        EXPECT_GT(withItems, 0u);
        EXPECT_GT(empty, 0u);
    }
}

} // namespace

TESTKIT_ON_BOTH_BACKENDS(BatchReadsTest);

} // namespace rpctest
