#pragma once

#include "sqldb/SqlError.h"

namespace sqldb {

// Every connection of a pool stayed lent for the whole time a borrower may wait.
class PoolBusy : public SqlError {
public:
    using SqlError::SqlError;
};

} // namespace sqldb
