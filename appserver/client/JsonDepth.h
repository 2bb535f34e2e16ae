#pragma once

#include <cstddef>
#include <string_view>

namespace pedclient {

// Whether the JSON text nests arrays and objects deeper than `maxDepth`. A linear scan that
// builds nothing, so a hostile answer is refused before a tree (and the recursion of copying or
// printing it) exists. Brackets inside strings do not count.
bool NestsDeeperThan(std::string_view text, std::size_t maxDepth);

} // namespace pedclient
