#pragma once

#include <cstddef>
#include <string>

namespace pedserver {

// Texts are UTF-8 and field sizes count characters, not bytes.
std::size_t CharCount(const std::string& text);
std::string CutToChars(const std::string& text, std::size_t size);

} // namespace pedserver
