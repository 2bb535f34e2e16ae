#pragma once

#include <string>

namespace benchcommon {

// The body of GET http://127.0.0.1:PORT/TARGET on a connection of its own; throws on failure.
std::string HttpGet(int port, const std::string& target);

} // namespace benchcommon
