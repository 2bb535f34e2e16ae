#pragma once

#include "data/Packet.h"

#include <string>
#include <variant>

// A date argument of a remote call: a date value (days since 1899-12-30); 0 means no date.
struct RemoteDate {
    double Value = 0;
};

// One positional argument of a remote call: a text, a date or a whole data packet.
using RemoteArg = std::variant<std::string, RemoteDate, data::Packet>;
