#pragma once

#include <cstddef>
#include <string>

namespace pedserver {

// 200000 as "200.000", as the operator reads numbers.
std::string Thousands(std::size_t number);
// A byte count as the operator reads it: "64 MiB", "512 KiB" or "900 bytes".
std::string SizeText(std::size_t bytes);

} // namespace pedserver
