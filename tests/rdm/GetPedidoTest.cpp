#include "RdmFixture.h"
#include "storage/Seed.h"

#include <atomic>
#include <exception>
#include <thread>

namespace {

using Orders = std::vector<std::string>;

struct FilterCase {
    const char* name;
    std::vector<std::pair<int, nlohmann::json>> changes; // parameter index (0-based) -> value
    Orders expected;                                     // order numbers, last digit only
};

Orders Full(const Orders& shortNumbers) {
    Orders full;
    for (const auto& n : shortNumbers)
        full.push_back("000000000" + n);
    return full;
}

class GetPedido : public RdmTest {};

TEST_P(GetPedido, EachParameterNarrowsTheOrdersAsDocumented) {
    const std::vector<FilterCase> cases = {
        {"everything", {}, {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"one seller", {{1, "0001"}, {2, ""}}, {"1", "3", "5", "7"}},
        {"two sellers", {{1, "0002_0003"}, {2, ""}}, {"2", "4", "6", "8", "9"}},
        {"empty seller list", {{1, ""}, {2, ""}}, {}},
        {"seller list ignored under T", {{1, "0003"}}, {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"one client", {{3, "000001"}, {4, ""}}, {"1", "4", "7"}},
        {"empty client list", {{3, ""}, {4, ""}}, {}},
        {"one product", {{5, "000105"}, {6, ""}}, {"2", "3", "5"}},
        {"urgent only", {{7, "1"}}, {"1", "5", "9"}},
        {"high and normal", {{7, "23"}}, {"2", "3", "4", "6", "7", "8"}},
        {"cancelled orders", {{8, "4"}}, {"3", "7"}},
        {"pending and partly delivered", {{8, "16"}}, {"1", "4", "6"}},
        {"order dates", {{9, "2024-05-05"}, {10, "2024-05-15"}, {11, ""}}, {"2", "3", "4"}},
        {"order dates ignored under T",
         {{9, "2024-05-05"}, {10, "2024-05-05"}},
         {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"delivery dates", {{12, "2024-06-01"}, {13, "2024-06-06"}, {14, ""}}, {"3", "6", "7"}},
        {"number range", {{15, "0000000002"}, {16, "0000000004"}, {18, ""}}, {"2", "3", "4"}},
        {"number list", {{17, "0000000001_0000000009"}, {18, ""}}, {"1", "9"}},
        {"number list ignored under T", {{17, "0000000001"}}, {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"no number criterion without T", {{18, ""}}, {}},
        {"items partly delivered", {{19, "7"}}, {"4"}},
        {"items cancelled", {{19, "5"}}, {"3", "7"}},
        {"items liquidated", {{19, "46"}}, {"4", "8"}},
        {"hostile client list", {{3, "' OR '1'='1"}, {4, ""}}, {}},
        {"hostile order list", {{17, "1' OR 1=1"}, {18, ""}}, {}},
    };
    for (const auto& c : cases) {
        auto params = Everything();
        for (const auto& [index, value] : c.changes)
            params[static_cast<std::size_t>(index)] = value;
        EXPECT_EQ(Numbers(Call("GetPedido", params)), Full(c.expected)) << c.name;
    }
    EXPECT_EQ(Numbers(Call("GetPedido", Everything())).size(), 9u) << "hostile texts changed the data";
}

TEST_P(GetPedido, OtherBranchesOrdersStayOut) {
    EXPECT_EQ(Numbers(Call("GetPedido", Everything("0002"))), (Orders{"0000000001", "0000000003"}));
    EXPECT_TRUE(Numbers(Call("GetPedido", Everything("9999"))).empty());
}

TEST_P(GetPedido, RowsCarryTheScreensFieldsAndASummary) {
    auto params = Everything();
    params[17] = "0000000001_0000000003";
    params[18] = "";
    const auto packet = Call("GetPedido", params).at("packet");
    std::vector<std::pair<std::string, int>> fields;
    for (const auto& field : packet["fields"])
        fields.emplace_back(field["name"], field.value("size", 0));
    const std::vector<std::pair<std::string, int>> expected = {
        {"IDCHECK", 1},    {"NRPEDIDO", 10},  {"IDSITPEDIDO", 1}, {"NMFANTCLIE", 50},
        {"CDCLIENTE", 21}, {"DTENTPED", 0},   {"DTPEDIDO", 0},    {"CDFILIAL", 4},
        {"NREMPENHO", 20}, {"CDVENDEDOR", 4}, {"INFPED", 63}};
    EXPECT_EQ(fields, expected);
    const nlohmann::json first = {"N",
                                  "0000000001",
                                  "1",
                                  "ALFA",
                                  "000001",
                                  "2024-05-10T00:00:00",
                                  "2024-05-01T00:00:00",
                                  "0001",
                                  nullptr,
                                  "0001",
                                  "Vend. 0001 JOAO SILVA | Prior. Urgente | R$ 25,50"};
    EXPECT_EQ(packet["rows"][0], first);
    // A cancelled order is worth what reinstating it would take from its commitment.
    EXPECT_EQ(packet["rows"][1][10], "Vend. 0001 JOAO SILVA | Prior. Normal | R$ 100,50");
}

TEST_P(GetPedido, ARestrictedOperatorSeesOnlyHisSellersOrdersWhateverHeAsks) {
    EXPECT_EQ(Numbers(Call("GetPedido", Everything(), "VEND01")), Full({"1", "3", "5", "7"}));
    EXPECT_EQ(Numbers(Call("GetPedido", Everything(), "VEND02")), Full({"2", "6", "9"}));
    auto forged = Everything();
    forged[1] = "0002_0003";
    forged[2] = "";
    EXPECT_TRUE(Numbers(Call("GetPedido", forged, "VEND01")).empty());
}

TEST_P(GetPedido, MalformedParametersAreRefusedWithAClearMessage) {
    const std::vector<std::pair<int, nlohmann::json>> cases = {{0, 1},
                                                               {2, "X"},
                                                               {7, "4"},
                                                               {8, "7"},
                                                               {19, "8"},
                                                               {9, "2024-13-01"},
                                                               {10, "01/05/2024"},
                                                               {1, "00001"},
                                                               {11, "TT"},
                                                               {17, "0000000001__0000000002"},
                                                               {12, 20240501},
                                                               {3, nullptr}};
    for (const auto& [index, value] : cases) {
        auto params = Everything();
        params[static_cast<std::size_t>(index)] = value;
        if (index == 1 || index == 17)
            params[static_cast<std::size_t>(index + 1)] = "";
        const auto [code, message] = Error("GetPedido", params);
        EXPECT_EQ(code, pedserver::RpcCode::InvalidParams) << index << " " << message;
        EXPECT_FALSE(message.empty());
    }
    auto noDates = Everything();
    noDates[11] = "";
    EXPECT_EQ(Error("GetPedido", noDates).second, "Período de emissão deve ser informado.");
    auto shortList = Everything();
    shortList.erase(19);
    EXPECT_EQ(Error("GetPedido", shortList).first, pedserver::RpcCode::InvalidParams);
}

// From a few thousand orders on, the orders' values are read in two halves side by side, each on a
// connection of its own: the answer is the one read in one piece, for every filter and operator.
TEST_P(GetPedido, OrdersReadInHalvesSideBySideAnswerAsInOnePiece) {
    pedserver::SeedVolume(*m_connection, 3200, 2, 11);
    // VEND01 sells for two of the three sellers: more than two thousand orders, not all.
    m_connection->Execute("UPDATE VENDEDOR SET CDOPERADOR = 'VEND01' WHERE CDVENDEDOR = '0002'");
    std::atomic<int> splits = 0;
    const pedserver::ReadParts sideBySide = [&](std::size_t parts, const pedserver::PartRead& read) {
        std::vector<std::exception_ptr> failures(parts);
        std::vector<std::thread> threads;
        for (std::size_t part = 0; part < parts; ++part) {
            threads.emplace_back([&, part] {
                try {
                    read(part, *m_db->Connect());
                } catch (...) {
                    failures[part] = std::current_exception();
                }
            });
        }
        for (auto& thread : threads)
            thread.join();
        for (const auto& failure : failures) {
            if (failure)
                std::rethrow_exception(failure);
        }
        ++splits;
    };
    auto range = Everything();
    range[15] = "0000000700";
    range[16] = "0000003000";
    range[18] = "";
    const std::vector<std::pair<nlohmann::json, std::string>> cases = {
        {Everything(), "DEMO"}, {range, "DEMO"}, {Everything(), "VEND01"}};
    for (const auto& [params, oper] : cases) {
        const int before = splits;
        const auto inOnePiece = Call("GetPedido", params, oper);
        const auto inHalves = Call("GetPedido", params, oper, nullptr, &sideBySide);
        EXPECT_EQ(splits, before + 1) << oper << " " << params.dump() << ": not read in halves";
        EXPECT_EQ(inHalves, inOnePiece) << oper << " " << params.dump();
    }
    const auto visible = Numbers(Call("GetPedido", Everything(), "VEND01"));
    EXPECT_GT(visible.size(), 2000u);
    EXPECT_LT(visible.size(), Numbers(Call("GetPedido", Everything())).size());
}

TESTKIT_ON_BOTH_BACKENDS(GetPedido);

} // namespace
