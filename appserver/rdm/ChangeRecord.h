#pragma once

#include "storage/Decimal.h"

#include <string>
#include <vector>

namespace pedserver {

// One situation an order change wrote: an item's, or the order's own when `item` is empty.
struct SituationChange {
    std::string filial;
    std::string pedido;
    std::string item;
    std::string before;
    std::string after;
};

// A commitment balance an order change settled.
struct BalanceChange {
    std::string commitment;
    Decimal before;
    Decimal after;
};

// What an order change wrote, in the order it wrote it; a dry run answers it after rolling back.
struct ChangeRecord {
    std::vector<SituationChange> situations;
    std::vector<BalanceChange> balances;
};

} // namespace pedserver
