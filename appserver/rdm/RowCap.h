#pragma once

#include "rdm/CallLimits.h"
#include "sqldb/Rows.h"

#include <string>

namespace pedserver {

// " LIMIT n" for the end of a query whose rows become an answer: one row past the cap, so the
// query reads no more than it takes to know the answer would be too long.
std::string RowCap(const CallLimits& limits);
// Refuses, with TooManyRows, rows past the cap.
void RequireRowsWithinCap(const sqldb::Rows& rows, const CallLimits& limits);

} // namespace pedserver
