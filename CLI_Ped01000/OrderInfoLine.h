#pragma once

#include "TNetConnection.h"

#include <map>
#include <string>
#include <vector>

// What the line below the orders grid tells about the current order before the operator acts:
// who is editing it and since when, and its commitment's balance. Read for all loaded orders in
// one exchange with every load; a read that fails leaves the line empty and never fails the load.
class OrderInfoLine {
public:
    struct Order {
        std::string Number;
        std::string Commitment;
    };

    // Replaces what was read before; on any failure nothing is kept.
    void Read(TNetConnection& connection, const std::string& branch, const std::vector<Order>& orders);
    void Clear();

    // "Em edição por OPX - XAVIER COSTA desde 14:02" and "Empenho E2026-001: saldo R$ 100,00",
    // joined by " | " when both apply; "" when neither does. The time shows its date too when it
    // is not `today` (a date value).
    std::string Text(const std::string& number, const std::string& commitment, double today) const;
    // Who is editing the order and since when ("OPX - XAVIER COSTA desde 14:02"), or "".
    std::string LockHolder(const std::string& number, double today) const;

private:
    struct Editor {
        std::string Code;
        std::string Name;
        double Since = 0; // date value; 0 when the lock carries no time
    };

    void ReadEditors(const data::Packet& packet);
    void ReadBalances(const data::Packet& packet);

    std::map<std::string, Editor> m_editors;
    std::map<std::string, double> m_balances;
};
