#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pedserver {

// The codes of a "_"-joined list argument, in their order; the empty text is the empty list.
// An empty or oversized code is InvalidParams; more than `maxEntries` codes is ListTooLong,
// refused before any of them is looked up.
std::vector<std::string> SplitCodes(const std::string& list, std::size_t maxChars, std::size_t maxEntries,
                                    std::string_view what);

} // namespace pedserver
