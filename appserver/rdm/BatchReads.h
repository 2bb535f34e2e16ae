#pragma once

#include "sqldb/Connection.h"

#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

namespace pedserver {

// The per-order reads of one batch of calls done as set-based statements: the first call of a
// method on a branch reads the rows of every order the batch's calls of that method name on that
// branch, at once, and each call then takes its own order's rows. Calls of one batch run on
// several threads, so the reads are shared under a lock.
class BatchReads {
public:
    using Row = sqldb::Row;
    using OrderRows = std::map<std::string, std::vector<Row>>;
    // Reads the rows of the branch's orders, by order number (orders without rows may be left out).
    using Reader = std::function<OrderRows(const std::string& filial, const std::vector<std::string>& orders)>;

    // The batch's calls, as sent (entries that are not well-formed calls are left alone).
    explicit BatchReads(const nlohmann::json& batch) : m_batch(batch) {}

    static constexpr std::size_t OrdersPerStatement = 500;

    // The rows of the order for `method`, or nullptr when no call of the batch names the order
    // (the caller then reads on its own). The orders are read in statements of at most
    // OrdersPerStatement; a failed read fails the asking call, and the next call asks again.
    const std::vector<Row>* RowsOf(const std::string& method, const std::string& filial, const std::string& pedido,
                                   const Reader& read);

    // An order list's part of a statement: ":ORDER0, :ORDER1, ..." with each number in params.
    static std::string OrderList(const std::vector<std::string>& orders, sqldb::Params& params);

private:
    // The distinct order numbers the batch's calls of `method` name on the branch, in batch order.
    std::vector<std::string> OrdersOf(const std::string& method, const std::string& filial) const;

    const nlohmann::json& m_batch;
    std::mutex m_mutex;
    // Rows by method and branch; an order with a key of its own was read, with or without rows.
    std::map<std::pair<std::string, std::string>, std::map<std::string, std::vector<Row>>> m_read;
};

} // namespace pedserver
