#include "RdmFixture.h"
#include "storage/OrderLock.h"

#include <functional>

namespace {

class ScopeAndLimits : public RdmTest {
protected:
    // What a call answers, as one text: its result, or "error CODE MESSAGE". `number` is written
    // as "N" so that the answers for two different orders can be compared.
    std::string Answer(const std::string& method, const nlohmann::json& params, const std::string& oper,
                       const std::string& number) {
        std::string text;
        try {
            text = Call(method, params, oper).dump();
        } catch (const pedserver::RpcError& error) {
            text = "error " + std::to_string(error.Code()) + " " + error.what();
        }
        for (std::size_t at = text.find(number); at != std::string::npos; at = text.find(number, at))
            text.replace(at, number.size(), "N");
        return text;
    }

    static std::string List(std::size_t entries, const std::string& code) {
        std::string list;
        for (std::size_t i = 0; i < entries; ++i)
            list += (i == 0 ? "" : "_") + code;
        return list;
    }
};

using Params = std::function<nlohmann::json(const std::string& pedido)>;

struct ScopeCase {
    const char* method;
    Params params;
};

// VEND01 sells as seller 0001; order 0001/0000000009 is seller 0002's (being edited, with a
// delivered item), order 0001/0000000099 does not exist. Neither the answer nor its code may tell
// the two apart.
TEST_P(ScopeAndLimits, AnotherSellersOrderIsAnsweredExactlyAsAMissingOneInEveryMethod) {
    pedserver::LockOrder(*m_connection, "0001", "0000000009", "VEND02");
    const auto orders = [](const std::string& p) {
        return nlohmann::json{"VEND01", "0001", OrderPacket({{"0001", p, "2"}}), kOperBloq, "0001", kSaldoEmp};
    };
    const auto items = [](const char* seen) {
        return [seen](const std::string& p) {
            return nlohmann::json{"VEND01", "0001", ItemPacket({{"0001", p, "0000000001", seen}}), kOperBloq};
        };
    };
    const auto order = [](const std::string& p) { return nlohmann::json{"0001", p}; };
    const std::vector<ScopeCase> cases = {
        {"SetCancelaPed", orders},
        {"GetSimulaCancelaPed", orders},
        {"SetCancelaItemPed", items("2")},
        {"GetSimulaCancelaItemPed", items("2")},
        {"SetDesfazCancel", items("5")},
        {"GetSimulaDesfazCancel", items("5")},
        {"GetItemPedido", order},
        {"GetItemPedidoSemFiltro2", order},
        {"GetBloqueioPedido", order},
    };
    const auto before = Snapshot();
    for (const auto& c : cases) {
        const auto other = Answer(c.method, c.params("0000000009"), "VEND01", "0000000009");
        const auto missing = Answer(c.method, c.params("0000000099"), "VEND01", "0000000099");
        EXPECT_EQ(other, missing) << c.method;
        // The seller's own operator does get an answer of his order: the case proves something.
        EXPECT_NE(Answer(c.method, c.params("0000000009"), "DEMO", "0000000009"), missing) << c.method;
    }
    EXPECT_EQ(Snapshot(), before) << "VEND01 changed nothing";
}

// E1 has orders of sellers 0001 (0001/3, cancelled; 0002/3, R$ 21,00 live) and 0002 (0001/6,
// R$ 7,60 live); E2 only seller 0001's order 0001/7.
TEST_P(ScopeAndLimits, ACommitmentIsAnsweredOnlyWithTheOrdersTheOperatorMaySee) {
    EXPECT_EQ(Call("GetSaldoEmpenho", {"E1_E2"}, "VEND02")["packet"]["rows"],
              nlohmann::json::parse(R"([["E1",1000.0,7.6]])"));
    EXPECT_EQ(Call("GetSaldoEmpenho", {"E1_E2"}, "VEND01")["packet"]["rows"],
              nlohmann::json::parse(R"([["E1",1000.0,21.0],["E2",5.0,0.0]])"));
    EXPECT_EQ(Answer("GetSaldoEmpenho", {"E2"}, "VEND02", "E2"), Answer("GetSaldoEmpenho", {"E9"}, "VEND02", "E9"));
    EXPECT_EQ(Call("GetSaldoEmpenho", {"E1_E2"})["packet"]["rows"],
              nlohmann::json::parse(R"([["E1",1000.0,28.6],["E2",5.0,0.0]])"))
        << "an operator who sees every order of both branches";
}

struct LimitCase {
    const char* name;
    std::function<void()> lower; // sets the limit the call meets
    const char* method;
    nlohmann::json params;
    int code; // 0: the call goes through
    const char* message;
};

TEST_P(ScopeAndLimits, EachLimitIsRefusedWithItsOwnCodeAndMessageAndNotBelowIt) {
    auto everything = Everything();
    const auto orderList = [&](std::size_t entries) {
        auto params = Everything();
        params[17] = List(entries, "0000000001");
        params[18] = "";
        return params;
    };
    const auto rows = Call("GetPedido", everything)["packet"]["rows"].size();
    ASSERT_GT(rows, 2U);
    const std::vector<LimitCase> cases = {
        {"rows past the cap", [&] { m_limits.maxRows = rows - 1; }, "GetPedido", everything,
         pedserver::RpcCode::TooManyRows, ""},
        {"rows at the cap", [&] { m_limits.maxRows = rows; }, "GetPedido", everything, 0, ""},
        {"answer past the budget", [&] { m_answerBytes = 300; }, "GetPedido", everything,
         pedserver::RpcCode::AnswerTooLarge,
         "A resposta passaria de 300 bytes, o limite do servidor: restrinja o filtro ou consulte em partes."},
        {"1,001 orders in the filter", {}, "GetPedido", orderList(1001), pedserver::RpcCode::ListTooLong,
         "Lista de pedidos com mais de 1.000 códigos, o limite do servidor: selecione menos códigos."},
        {"1,000 orders in the filter", {}, "GetPedido", orderList(1000), 0, ""},
        {"1,001 locks asked", {}, "GetBloqueioPedido", {"0001", List(1001, "0000000001")},
         pedserver::RpcCode::ListTooLong, ""},
        {"1,000 locks asked", {}, "GetBloqueioPedido", {"0001", List(1000, "0000000001")}, 0, ""},
        {"1,001 commitments", {}, "GetSaldoEmpenho", {List(1001, "E1")}, pedserver::RpcCode::ListTooLong,
         "Lista de empenhos com mais de 1.000 códigos, o limite do servidor: selecione menos códigos."},
        {"a lower list limit", [&] { m_limits.maxListEntries = 2; }, "GetSaldoEmpenho",
         {"E1_E2_E9"}, pedserver::RpcCode::ListTooLong, ""},
    };
    for (const auto& c : cases) {
        m_limits = {};
        m_answerBytes = 64 * 1024 * 1024;
        if (c.lower)
            c.lower();
        const auto answer = Answer(c.method, c.params, "DEMO", "\x01");
        if (c.code == 0) {
            EXPECT_FALSE(answer.starts_with("error")) << c.name << ": " << answer;
            continue;
        }
        const auto expected = "error " + std::to_string(c.code) + " ";
        EXPECT_TRUE(answer.starts_with(expected)) << c.name << ": " << answer;
        if (*c.message) {
            EXPECT_EQ(answer.substr(expected.size()), c.message) << c.name;
        }
    }
    m_limits.maxRows = 3;
    EXPECT_EQ(Error("GetPedido", everything).second,
              "A consulta traria mais de 3 linhas, o limite do servidor: restrinja o filtro.");
}

TESTKIT_ON_BOTH_BACKENDS(ScopeAndLimits);

} // namespace
