#pragma once

#include <stdexcept>
#include <string>

namespace data {

// A data packet that does not follow the wire format; the message names the field and row.
class PacketError : public std::runtime_error {
public:
    explicit PacketError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace data
