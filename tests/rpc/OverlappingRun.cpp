#include "OverlappingRun.h"

#include "rpcclient/GetPedidoParams.h"
#include "RpcTestSupport.h"

#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <random>
#include <thread>

namespace rpctest {
namespace {

using Clock = std::chrono::steady_clock;

// A call's answer that never arrived: the server went away under it, or a proxy said so.
bool LostOnTheWay(const pedclient::RpcClientError& error) {
    return error.Code() == pedclient::RpcClientError::OutcomeUnknown ||
           error.Code() == pedclient::RpcClientError::NoAnswer ||
           (error.Code() == pedclient::RpcClientError::BadAnswer &&
            (error.HttpStatus() == 502 || error.HttpStatus() == 504));
}

// A decimal column as an exact integer of 1/10000 units.
std::int64_t Scaled(const sqldb::Value& value) {
    const std::string text = sqldb::AsText(value);
    const bool negative = text.starts_with('-');
    const std::size_t dot = text.find('.');
    const std::string whole = text.substr(
        negative ? 1 : 0, dot == std::string::npos ? std::string::npos : dot - (negative ? 1 : 0));
    std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
    fraction = (fraction + "0000").substr(0, 4);
    const std::int64_t scaled = std::stoll(whole.empty() ? "0" : whole) * 10000 + std::stoll(fraction);
    return negative ? -scaled : scaled;
}

// Quantity times unit price in centavos, half a centavo rounded away from zero: balances are kept
// to the centavo, so that is what moves between an item and its commitment.
std::int64_t ValueInCents(const sqldb::Value& quantity, const sqldb::Value& price) {
    const std::int64_t exact = Scaled(quantity) * Scaled(price); // 1/10^8 units
    constexpr std::int64_t perCent = 1000000;
    return (exact >= 0 ? exact + perCent / 2 : exact - perCent / 2) / perCent;
}

// Per commitment: its balance plus the value of the live items of its orders, in centavos.
std::map<std::string, std::int64_t> CommitmentTotals(sqldb::Connection& db) {
    std::map<std::string, std::int64_t> totals;
    for (const sqldb::Row& row : db.Query("SELECT NREMPENHO, VRSALDO FROM EMPENHO")) {
        totals[sqldb::AsText(row[0])] = Scaled(row[1]) / 100;
    }
    for (const sqldb::Row& row :
         db.Query("SELECT P.NREMPENHO, I.QTITEMPED, I.VRPREUNITPED FROM ITEMPEDIDO I "
                  "JOIN PEDIDO P ON P.CDFILIAL = I.CDFILIAL AND P.NRPEDIDO = I.NRPEDIDO "
                  "WHERE P.NREMPENHO IS NOT NULL AND I.IDSITITEMPED <> '5'")) {
        totals[sqldb::AsText(row[0])] += ValueInCents(row[1], row[2]);
    }
    return totals;
}

Situations ReadSituations(sqldb::Connection& db, const std::string& branch) {
    Situations situations;
    const sqldb::Params params{{"F", branch}};
    for (const sqldb::Row& row :
         db.Query("SELECT NRPEDIDO, IDSITPEDIDO FROM PEDIDO WHERE CDFILIAL = :F", params)) {
        situations[{sqldb::AsText(row[0]), ""}] = sqldb::AsText(row[1]);
    }
    for (const sqldb::Row& row :
         db.Query("SELECT NRPEDIDO, NRITEMPED, IDSITITEMPED FROM ITEMPEDIDO WHERE CDFILIAL = :F", params)) {
        situations[{sqldb::AsText(row[0]), sqldb::AsText(row[1])}] = sqldb::AsText(row[2]);
    }
    return situations;
}

// Orders of the branch the workers fight over: live or cancelled, not being edited, and
// consistent to begin with; with and without a commitment.
std::vector<std::string> ContestedOrders(sqldb::Connection& db, const std::string& branch) {
    std::vector<std::string> orders;
    for (const char* commitment : {"IS NOT NULL", "IS NULL"}) {
        const sqldb::Rows rows = db.Query(
            std::string("SELECT P.NRPEDIDO FROM PEDIDO P WHERE P.CDFILIAL = :F AND P.CDOPERALTE IS NULL AND "
                        "P.NREMPENHO ") +
                commitment +
                " AND ((P.IDSITPEDIDO IN ('1', '2') AND EXISTS (SELECT 1 FROM ITEMPEDIDO I WHERE I.CDFILIAL "
                "= "
                "P.CDFILIAL AND I.NRPEDIDO = P.NRPEDIDO AND I.IDSITITEMPED IN ('1', '2', '3'))) OR "
                "(P.IDSITPEDIDO = "
                "'4' AND EXISTS (SELECT 1 FROM ITEMPEDIDO I WHERE I.CDFILIAL = P.CDFILIAL AND I.NRPEDIDO = "
                "P.NRPEDIDO) AND NOT EXISTS (SELECT 1 FROM ITEMPEDIDO I WHERE I.CDFILIAL = P.CDFILIAL AND "
                "I.NRPEDIDO = P.NRPEDIDO AND I.IDSITITEMPED IN ('1', '2', '3')))) ORDER BY P.NRPEDIDO",
            {{"F", branch}});
        for (std::size_t i = 0; i < rows.Size() && i < 8; ++i) {
            orders.push_back(rows.Text(i, "NRPEDIDO"));
        }
    }
    return orders;
}

class Worker {
public:
    Worker(pedclient::FailoverClient client, std::string branch, std::string operatorCode,
           std::string justification, const std::vector<std::string>& orders, unsigned seed)
        : m_client(std::move(client)), m_branch(std::move(branch)), m_operator(std::move(operatorCode)),
          m_justification(std::move(justification)), m_orders(orders), m_random(seed) {}

    void Run(Clock::time_point until, Tally& tally) {
        while (Clock::now() < until) {
            const std::string& order = m_orders[m_random() % m_orders.size()];
            try {
                Step(order, static_cast<unsigned>(m_random() % 3), tally);
            } catch (const pedclient::RpcClientError& error) {
                std::lock_guard lock(tally.mutex);
                if (error.Code() == 1 || error.Code() == 3) {
                    ++tally.refused;
                } else if (LostOnTheWay(error)) {
                    ++tally.lost;
                } else {
                    tally.unexpected.push_back(std::to_string(error.Code()) + " " + error.what());
                }
            }
        }
    }

private:
    void Step(const std::string& order, unsigned action, Tally& tally) {
        if (action == 0) {
            nlohmann::json packet = m_client.Call(
                "GetPedido",
                pedclient::GetPedidoParams{.cdFilial = m_branch, .nrPedido = order, .tNrPedido = ""}
                    .ToJson())["packet"];
            if (packet["rows"].empty()) {
                return;
            }
            CheckAll(packet, "NRPEDIDO", [](const std::string&) { return true; });
            Record("SetCancelaPed", {m_operator, m_justification, packet, OperBloq, m_branch, SaldoEmp},
                   tally);
            return;
        }
        nlohmann::json packet = m_client.Call("GetItemPedido", {m_branch, order})["packet"];
        const bool undo = action == 2;
        const auto wanted = [&](const std::string& situation) {
            return undo ? situation == "5" : (situation == "1" || situation == "2" || situation == "3");
        };
        if (!CheckAll(packet, "IDSITITEMPED", wanted)) {
            return;
        }
        Record(undo ? "SetDesfazCancel" : "SetCancelaItemPed",
               {m_operator, m_justification, packet, OperBloq}, tally);
    }

    // Marks the rows whose `field` passes `wanted` (each with even odds after the first); returns
    // whether any row was marked.
    template <typename Wanted>
    bool CheckAll(nlohmann::json& packet, const std::string& field, Wanted wanted) {
        std::size_t check = 0;
        std::size_t column = 0;
        for (std::size_t i = 0; i < packet["fields"].size(); ++i) {
            if (packet["fields"][i]["name"] == "IDCHECK") {
                check = i;
            }
            if (packet["fields"][i]["name"] == field) {
                column = i;
            }
        }
        bool any = false;
        for (nlohmann::json& row : packet["rows"]) {
            if (row[column].is_string() && wanted(row[column].get<std::string>()) &&
                (!any || m_random() % 2 == 0)) {
                row[check] = "S";
                any = true;
            }
        }
        return any;
    }

    void Record(const std::string& method, const nlohmann::json& params, Tally& tally) {
        const nlohmann::json result = m_client.Call(method, params);
        std::lock_guard lock(tally.mutex);
        ++tally.succeeded[method];
        tally.rowsChanged[method] += result.at("rows").get<std::int64_t>();
    }

    pedclient::FailoverClient m_client;
    std::string m_branch;
    std::string m_operator;
    std::string m_justification;
    const std::vector<std::string>& m_orders;
    std::mt19937 m_random;
};

// Every audit row continues the history of its order or item, starting from the situation
// before the run and ending at the one after: no change was lost or written twice.
void ExpectAuditReplaysTheRun(sqldb::Connection& db, const std::string& branch, std::int64_t lastBefore,
                              const Situations& before, const Situations& after) {
    Situations replayed = before;
    const sqldb::Rows audit =
        db.Query("SELECT NRPEDIDO, NRITEMPED, IDSITANTERIOR, IDSITNOVA FROM HISTCANCPED WHERE CDFILIAL = :F "
                 "AND IDHIST > :LAST ORDER BY IDHIST",
                 {{"F", branch}, {"LAST", lastBefore}});
    for (const sqldb::Row& row : audit) {
        const std::pair<std::string, std::string> key{sqldb::AsText(row[0]), sqldb::AsText(row[1])};
        EXPECT_EQ(replayed[key], sqldb::AsText(row[2])) << key.first << "/" << key.second;
        replayed[key] = sqldb::AsText(row[3]);
    }
    EXPECT_EQ(replayed, after);
}

void ExpectOrdersConsistent(const Situations& situations, const std::vector<std::string>& orders) {
    for (const std::string& order : orders) {
        const std::string& situation = situations.at({order, ""});
        int live = 0;
        int notClosed = 0;
        for (auto it = situations.upper_bound({order, ""});
             it != situations.end() && it->first.first == order; ++it) {
            live += it->second == "1" || it->second == "2" || it->second == "3";
            notClosed += it->second != "4" && it->second != "5" && it->second != "6";
        }
        if (situation == "4") {
            EXPECT_EQ(live, 0) << "cancelled order " << order << " has live items";
        } else {
            EXPECT_GT(notClosed, 0) << "order " << order << " in " << situation << " has no open item";
        }
    }
}

} // namespace

RunStart RunStart::Read(sqldb::Connection& db) {
    RunStart start;
    start.branch = db.Query("SELECT CDFILIAL FROM PARAMPEDIDO WHERE IDUTCTREMPEN = 'S' ORDER BY CDFILIAL")
                       .Text(0, "CDFILIAL");
    start.operatorCode = db.Query("SELECT CDOPERADOR FROM OPERTPED WHERE CDFILIAL = :F ORDER BY CDOPERADOR",
                                  {{"F", start.branch}})
                             .Text(0, "CDOPERADOR");
    start.justification =
        db.Query("SELECT CDJUSTEXCHIS FROM JUSTEXCHIS ORDER BY CDJUSTEXCHIS").Text(0, "CDJUSTEXCHIS");
    start.orders = ContestedOrders(db, start.branch);
    start.commitmentTotals = CommitmentTotals(db);
    start.situations = ReadSituations(db, start.branch);
    start.lastAudit =
        sqldb::AsInt(db.Query("SELECT COALESCE(MAX(IDHIST), 0) AS N FROM HISTCANCPED").At(0, "N"));
    return start;
}

void RunClients(std::vector<pedclient::FailoverClient> clients, const RunStart& start,
                Clock::time_point until, Tally& tally, const std::function<void()>& midway) {
    std::vector<std::unique_ptr<Worker>> workers;
    for (std::size_t i = 0; i < clients.size(); ++i) {
        workers.push_back(std::make_unique<Worker>(std::move(clients[i]), start.branch, start.operatorCode,
                                                   start.justification, start.orders,
                                                   1000u + static_cast<unsigned>(i)));
    }
    const Clock::time_point begun = Clock::now();
    std::vector<std::thread> threads;
    for (auto& worker : workers) {
        threads.emplace_back([&worker, &tally, until] { worker->Run(until, tally); });
    }
    if (midway) {
        std::this_thread::sleep_until(begun + (until - begun) / 2);
        midway();
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
}

void ExpectRunConsistent(sqldb::Connection& db, const RunStart& start, Tally& tally) {
    std::cout << "[          ] succeeded: SetCancelaPed " << tally.succeeded["SetCancelaPed"]
              << ", SetCancelaItemPed " << tally.succeeded["SetCancelaItemPed"] << ", SetDesfazCancel "
              << tally.succeeded["SetDesfazCancel"] << "; refused " << tally.refused << "; lost "
              << tally.lost << "\n";
    EXPECT_TRUE(tally.unexpected.empty())
        << tally.unexpected.size()
        << " unexpected failures, first: " << (tally.unexpected.empty() ? "" : tally.unexpected.front());
    for (const char* method : {"SetCancelaPed", "SetCancelaItemPed", "SetDesfazCancel"}) {
        EXPECT_GT(tally.succeeded[method], 0) << method << " never succeeded; the run proves nothing";
    }
    const Situations after = ReadSituations(db, start.branch);
    ASSERT_EQ(after.size(), start.situations.size()) << "orders or items appeared or vanished";
    ExpectOrdersConsistent(after, start.orders);
    EXPECT_EQ(CommitmentTotals(db), start.commitmentTotals)
        << "value moved between items and commitments was lost";
    ExpectAuditReplaysTheRun(db, start.branch, start.lastAudit, start.situations, after);
    if (tally.lost > 0)
        return;
    const auto auditCount = [&](const std::string& where) {
        return sqldb::AsInt(
            db.Query("SELECT COUNT(*) AS N FROM HISTCANCPED WHERE IDHIST > :LAST AND " + where,
                     {{"LAST", start.lastAudit}})
                .At(0, "N"));
    };
    EXPECT_EQ(auditCount("NRITEMPED IS NULL AND IDOPERACAO IN ('CP', 'RP')"),
              tally.rowsChanged["SetCancelaPed"]);
    EXPECT_EQ(auditCount("NRITEMPED IS NOT NULL AND IDOPERACAO = 'CI'"),
              tally.rowsChanged["SetCancelaItemPed"]);
    EXPECT_EQ(auditCount("NRITEMPED IS NOT NULL AND IDOPERACAO = 'DI'"),
              tally.rowsChanged["SetDesfazCancel"]);
}

} // namespace rpctest
