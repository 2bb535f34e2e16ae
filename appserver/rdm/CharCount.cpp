#include "rdm/CharCount.h"

namespace pedserver {
namespace {

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::size_t CharCount(const std::string& text) {
    std::size_t count = 0;
    for (char c : text)
        count += IsContinuation(c) ? 0U : 1U;
    return count;
}

std::string CutToChars(const std::string& text, std::size_t size) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsContinuation(text[i]) && count++ == size)
            return text.substr(0, i);
    }
    return text;
}

} // namespace pedserver
