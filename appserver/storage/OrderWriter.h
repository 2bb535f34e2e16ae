#pragma once

#include "sqldb/Connection.h"

#include <string>
#include <vector>

namespace pedserver {

struct SeedItem {
    std::string situation;
    std::string previousSituation; // kept for a cancelled item; empty otherwise
    std::string product;
    std::string quantity;  // decimal text
    std::string unitPrice; // decimal text
    std::string delivered; // decimal text
    std::string lot;       // a reserved lot, or empty
};

struct SeedOrder {
    std::string filial;
    std::string number;
    std::string client;
    std::string seller;
    std::string orderDate;
    std::string deliveryDate;
    std::string situation;
    std::string priority;
    std::string commitment; // empty: none
    std::vector<SeedItem> items;
};

// Inserts seeded orders with their items and lot reservations.
class OrderWriter {
public:
    explicit OrderWriter(sqldb::Connection& connection) : m_connection(connection) {}
    void Insert(const SeedOrder& order);

private:
    sqldb::Connection& m_connection;
};

// The order number as the screen sends it: ten digits, zero-padded.
std::string OrderNumber(int number);

} // namespace pedserver
