#include "RdmFixture.h"
#include "storage/Decimal.h"
#include "storage/OrderLock.h"

#include <map>

namespace {

class DryRun : public RdmTest {
protected:
    // Everything a command could touch: situations, items, balances, audit rows, locks, row counts.
    std::string State() {
        std::string text = Snapshot();
        for (const char* sql : {"SELECT CDFILIAL, NRPEDIDO, CDOPERALTE, DTOPERALTE FROM PEDIDO ORDER BY 1, 2",
                                "SELECT COUNT(*) FROM ITEMPEDIDO", "SELECT COUNT(*) FROM EMPENHO"}) {
            for (const auto& row : m_connection->Query(sql)) {
                for (const auto& value : row)
                    text += sqldb::AsText(value) + "|";
                text += "\n";
            }
        }
        return text;
    }

    long long LastAudit() {
        const auto rows = m_connection->Query("SELECT MAX(IDHIST) AS N FROM HISTCANCPED");
        return rows.IsEmpty() || sqldb::IsNull(rows.At(0, "N")) ? 0 : sqldb::AsInt(rows.At(0, "N"));
    }

    // The dry run's rows as "kind order item before>after" and "E commitment before>after" lines.
    static std::vector<std::string> Lines(const nlohmann::json& result) {
        const auto& packet = result.at("packet");
        std::map<std::string, std::size_t> at;
        for (std::size_t i = 0; i < packet["fields"].size(); ++i)
            at[packet["fields"][i]["name"].get<std::string>()] = i;
        const auto text = [&](const nlohmann::json& row, const char* field) {
            const auto& value = row[at.at(field)];
            return value.is_null()     ? std::string("-")
                   : value.is_string() ? value.get<std::string>()
                                       : value.dump();
        };
        std::vector<std::string> lines;
        for (const auto& row : packet["rows"]) {
            const auto kind = text(row, "TPLINHA");
            if (kind == "R")
                lines.push_back("R " + text(row, "CDERRO") + " " + text(row, "DSMENSAGEM"));
            else if (kind == "E")
                lines.push_back("E " + text(row, "NREMPENHO") + " " + text(row, "VRSALDOANTERIOR") + ">" +
                                text(row, "VRSALDONOVO"));
            else
                lines.push_back(kind + " " + text(row, "NRPEDIDO") + " " + text(row, "NRITEMPED") + " " +
                                text(row, "IDSITANTERIOR") + ">" + text(row, "IDSITNOVA"));
        }
        return lines;
    }

    // What the real command did: its audit rows after `since`, then the balances that moved.
    std::vector<std::string> Done(long long since, const std::map<std::string, std::string>& balancesBefore) {
        std::vector<std::string> lines;
        for (const auto& row : m_connection->Query(
                 "SELECT NRPEDIDO, NRITEMPED, IDSITANTERIOR, IDSITNOVA FROM HISTCANCPED WHERE IDHIST > :N "
                 "ORDER BY IDHIST",
                 {{"N", static_cast<std::int64_t>(since)}})) {
            const auto item = sqldb::IsNull(row[1]) ? std::string("-") : sqldb::AsText(row[1]);
            const auto before = sqldb::IsNull(row[2]) ? std::string("-") : sqldb::AsText(row[2]);
            lines.push_back(std::string(item == "-" ? "P " : "I ") + sqldb::AsText(row[0]) + " " + item +
                            " " + before + ">" + sqldb::AsText(row[3]));
        }
        for (const auto& [commitment, before] : balancesBefore) {
            const auto after = Balance(commitment);
            if (after != before)
                lines.push_back("E " + commitment + " " + Number(before) + ">" + Number(after));
        }
        return lines;
    }

    std::map<std::string, std::string> Balances() { return {{"E1", Balance("E1")}, {"E2", Balance("E2")}}; }

    // A balance as the packet's JSON number writes it.
    static std::string Number(const std::string& text) {
        return nlohmann::json(pedserver::Decimal::Parse(text).ToDouble()).dump();
    }
};

struct Case {
    const char* name;
    const char* method; // the Set... call; its dry run is GetSimula + the rest of the name
    nlohmann::json params;
    std::vector<std::string> expected; // the dry run's lines
};

nlohmann::json OrderParams(const nlohmann::json& packet, const std::string& oper = "DEMO") {
    return {oper, "0001", packet, kOperBloq, "0001", kSaldoEmp};
}

nlohmann::json ItemParams(const nlohmann::json& packet) {
    return {"DEMO", "0001", packet, kOperBloq};
}

TEST_P(DryRun, AnswersWhatTheCommandThenDoesAndChangesNothing) {
    pedserver::LockOrder(*m_connection, "0001", "0000000006", "VEND02");
    // Run in order: each real command changes what the next one finds.
    const std::vector<Case> cases = {
        {"cancel a pending order",
         "SetCancelaPed",
         OrderParams(OrderPacket({{"0001", "0000000001", "1"}})),
         {"I 0000000001 0000000001 1>5", "I 0000000001 0000000002 1>5", "P 0000000001 - 1>4"}},
        {"reinstate under a commitment",
         "SetCancelaPed",
         OrderParams(OrderPacket({{"0001", "0000000003", "4"}})),
         {"I 0000000003 0000000001 5>1", "I 0000000003 0000000002 5>2", "P 0000000003 - 4>2",
          "E E1 1000.0>899.5"}},
        {"balance too low",
         "SetCancelaPed",
         OrderParams(OrderPacket({{"0001", "0000000007", "4"}})),
         {std::string("R 1 ") + kSaldoEmp}},
        {"order being edited",
         "SetCancelaPed",
         OrderParams(OrderPacket({{"0001", "0000000006", "1"}})),
         {std::string("R 1 ") + kOperBloq}},
        {"forged operator",
         "SetCancelaPed",
         OrderParams(OrderPacket({{"0001", "0000000002", "2"}}), "VEND01"),
         {"R 3 Operador não corresponde ao token de acesso."}},
        {"cancel an item",
         "SetCancelaItemPed",
         ItemParams(ItemPacket({{"0001", "0000000002", "0000000001", "2"}})),
         {"I 0000000002 0000000001 2>5"}},
        {"undo it",
         "SetDesfazCancel",
         ItemParams(ItemPacket({{"0001", "0000000002", "0000000001", "5"}})),
         {"I 0000000002 0000000001 5>2"}},
        {"undo an item not cancelled",
         "SetDesfazCancel",
         ItemParams(ItemPacket({{"0001", "0000000002", "0000000002", "1"}})),
         {"R 1 Item 0000000002 não está cancelado."}},
        {"cancel the last live items of an order",
         "SetCancelaItemPed",
         ItemParams(ItemPacket(
             {{"0001", "0000000002", "0000000001", "2"}, {"0001", "0000000002", "0000000002", "1"}})),
         {"I 0000000002 0000000001 2>5", "I 0000000002 0000000002 1>5", "P 0000000002 - 2>4"}},
    };
    for (const auto& c : cases) {
        const std::string method = c.method;
        const auto before = State();
        const auto dry = Lines(Call("GetSimula" + method.substr(3), c.params));
        EXPECT_EQ(dry, c.expected) << c.name;
        EXPECT_EQ(State(), before) << c.name << ": the dry run changed the database";
        const auto since = LastAudit();
        const auto balances = Balances();
        if (!dry.empty() && dry[0].starts_with("R ")) {
            const auto [code, message] = Refusal(method, c.params);
            EXPECT_EQ("R " + std::to_string(code) + " " + message, dry[0]) << c.name;
        } else {
            Call(method, c.params);
            EXPECT_EQ(Done(since, balances), dry) << c.name << ": the command did something else";
        }
    }
}

TEST_P(DryRun, ParameterMistakesStayErrorsNamingTheDryRun) {
    const auto [code, message] = Error("GetSimulaCancelaItemPed", nlohmann::json::array({"DEMO"}));
    EXPECT_EQ(code, pedserver::RpcCode::InvalidParams);
    EXPECT_EQ(message, "O método GetSimulaCancelaItemPed espera 4 parâmetros; recebeu 1.");
    EXPECT_EQ(Error("GetSimulaCancelaPed", OrderParams("x")).first, pedserver::RpcCode::InvalidParams);
}

TEST_P(DryRun, LockHoldersComeWithNameAndTimeForTheListedOrdersOnly) {
    pedserver::LockOrder(*m_connection, "0001", "0000000006", "VEND02");
    pedserver::LockOrder(*m_connection, "0001", "0000000001", "VEND01");
    const auto result = Call("GetBloqueioPedido", {"0001", "0000000001_0000000002_0000000006"});
    const auto& rows = result["packet"]["rows"];
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], "0000000001");
    EXPECT_EQ(rows[1][1], "VEND02");
    EXPECT_EQ(rows[1][2], "MARIA");
    const auto since = rows[1][3].get<std::string>();
    EXPECT_EQ(since.size(), 19u) << since;
    EXPECT_EQ(since[10], 'T') << since;
    EXPECT_EQ(Numbers(Call("GetBloqueioPedido", {"0001", "0000000002"})), std::vector<std::string>{});
    // A restricted operator sees only his sellers' orders: order 1 is seller 0001's (VEND01).
    EXPECT_EQ(Numbers(Call("GetBloqueioPedido", {"0001", "0000000001_0000000006"}, "VEND01"), "NRPEDIDO"),
              std::vector<std::string>{"0000000001"});
    EXPECT_EQ(Error("GetBloqueioPedido", {"0001", "0000000001__2"}).first, pedserver::RpcCode::InvalidParams);
}

TEST_P(DryRun, CommitmentBalanceAndItsLiveItemsFollowAReinstatement) {
    auto result = Call("GetSaldoEmpenho", {"E1_E9_E2"});
    EXPECT_EQ(result["packet"]["rows"], nlohmann::json::parse(R"([["E1",1000.0,28.6],["E2",5.0,0.0]])"))
        << "E1's live items: order 6 (7.00 + 0.60) and branch 0002's order 3 (21.00)";
    Call("SetCancelaPed", OrderParams(OrderPacket({{"0001", "0000000003", "4"}})));
    result = Call("GetSaldoEmpenho", {"E1"});
    EXPECT_EQ(result["packet"]["rows"], nlohmann::json::parse(R"([["E1",899.5,129.1]])"));
}

TESTKIT_ON_BOTH_BACKENDS(DryRun);

} // namespace
