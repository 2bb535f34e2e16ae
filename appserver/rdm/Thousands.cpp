#include "rdm/Thousands.h"

namespace pedserver {

std::string Thousands(std::size_t number) {
    const std::string digits = std::to_string(number);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += '.';
        grouped += digits[i];
    }
    return grouped;
}

std::string SizeText(std::size_t bytes) {
    constexpr std::size_t KiB = 1024, MiB = 1024 * KiB;
    if (bytes >= MiB && bytes % MiB == 0)
        return Thousands(bytes / MiB) + " MiB";
    if (bytes >= KiB && bytes % KiB == 0)
        return Thousands(bytes / KiB) + " KiB";
    return Thousands(bytes) + " bytes";
}

} // namespace pedserver
