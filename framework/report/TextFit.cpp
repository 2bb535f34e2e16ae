#include "report/TextFit.h"

#include <vector>

namespace report {

std::string CutToWidth(const ui::Canvas& canvas, const std::string& text, int width) {
    if (canvas.TextWidth(text) <= width)
        return text;
    // The ends of each whole character; widths grow with the prefix, so bisect over them.
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            ends.push_back(i);
    }
    std::size_t fits = 0; // how many characters fit
    std::size_t low = 1;
    std::size_t high = ends.size();
    while (low <= high) {
        const std::size_t middle = (low + high) / 2;
        if (canvas.TextWidth(text.substr(0, ends[middle - 1])) <= width) {
            fits = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return fits == 0 ? std::string() : text.substr(0, ends[fits - 1]);
}

} // namespace report
