#pragma once

#include "rdm/ChangeRecord.h"
#include "rdm/SellerScope.h"
#include "sqldb/Connection.h"
#include "storage/Decimal.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pedserver {

struct ItemState {
    std::string number;
    std::string situation;
    std::string previous; // situation kept by a cancellation
    Decimal value;        // quantity times unit price, to the centavo
};

struct OrderState {
    std::string filial;
    std::string pedido;
    std::string situation;
    std::string commitment;
    std::vector<ItemState> items;
};

// One change of orders and items inside the caller's transaction: locks and re-reads each order,
// writes situations with their audit rows, and settles commitment balances at the end.
class OrderChange {
public:
    // Throws RpcError for an empty or unknown justification.
    OrderChange(sqldb::Connection& connection, std::string operatorCode, std::string justification);

    // Locks the order (PostgreSQL: FOR UPDATE) and reads it with its items. Refuses an unknown
    // order, another seller's order for a restricted operator, and, with `lockedMessage`, an
    // order another operator is editing or whose situation is no longer `seenSituation`.
    OrderState Lock(const std::string& filial, const std::string& pedido,
                    const std::optional<std::string>& seenSituation, const std::string& lockedMessage);
    bool BranchFlag(const std::string& filial, const std::string& column);

    void SetItem(const OrderState& order, const ItemState& item, const std::string& situation,
                 const std::string& operation);
    void SetOrder(const OrderState& order, const std::string& situation, const std::string& operation);

    // Applies the value moved between live items and commitments; refuses with
    // `balanceMessage` when a balance would go below zero.
    void SettleCommitments(const std::string& balanceMessage);

    // Every situation and balance written so far.
    const ChangeRecord& Record() const { return m_record; }

private:
    void Audit(const OrderState& order, const std::string& item, const std::string& operation,
               const std::string& before, const std::string& after);

    sqldb::Connection& m_connection;
    std::string m_operator;
    std::string m_justification;
    std::string m_now;
    std::map<std::string, Decimal> m_commitmentDeltas;
    ChangeRecord m_record;
};

// The order-situation of an order whose items come back to life: "2" once any item is past "1".
std::string LiveOrderSituation(const std::vector<std::string>& itemSituations);

// The "Pedido 0000000123" prefix messages use.
std::string OrderName(const std::string& pedido);

} // namespace pedserver
