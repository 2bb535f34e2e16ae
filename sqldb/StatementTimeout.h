#pragma once

#include "sqldb/SqlError.h"

namespace sqldb {

// A statement that ran past its session's time limit, or waited that long for a lock. The
// statement was stopped; the session is usable once its transaction has rolled back.
class StatementTimeout : public SqlError {
public:
    using SqlError::SqlError;
};

} // namespace sqldb
