#pragma once

#include "data/Packet.h"

#include <cstdint>
#include <optional>
#include <string>

// What one call to the application server returned: success, the server's (or the transport's)
// message, the data packet of a query method and the number of rows a change method touched.
struct RemoteResult {
    bool Ok = false;
    std::string Message;
    std::optional<data::Packet> Packet;
    std::int64_t Rows = 0;
};
