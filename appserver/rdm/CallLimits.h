#pragma once

#include <cstddef>

namespace pedserver {

// What one call may ask of the server; each has a `serve` option (operations.md). A call past a
// limit is refused with its own error code before it costs what it asked for.
struct CallLimits {
    int maxReportDays = 366;            // the longest period a report covers, both days counted
    std::size_t maxRows = 200000;       // rows of a report's or GetPedido's answer
    std::size_t maxListEntries = 1000;  // codes of one "_"-joined list argument
};

} // namespace pedserver
