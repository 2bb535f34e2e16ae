#pragma once

#include <cstddef>
#include <string_view>

namespace pedserver {

// Whether no array or object of the JSON text lies more than `maxDepth` levels deep. One pass over
// the bytes, strings skipped, so a body of nothing but brackets is refused in the time it takes to
// read it instead of being built into a tree of millions of levels. Whether the text is valid JSON
// is left to the parser.
bool NestingWithin(std::string_view text, std::size_t maxDepth);

} // namespace pedserver
