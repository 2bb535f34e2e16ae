#include "CLI_Ped01000/TextoReais.h"

#include <cmath>
#include <cstdint>

std::string TextoReais(double value) {
    const auto cents = static_cast<std::int64_t>(std::llround(std::fabs(value) * 100));
    const std::string units = std::to_string(cents / 100);
    std::string grouped;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (i > 0 && (units.size() - i) % 3 == 0)
            grouped += '.';
        grouped += units[i];
    }
    const std::int64_t fraction = cents % 100;
    std::string text = cents != 0 && value < 0 ? "-R$ " : "R$ ";
    text += grouped;
    text += ',';
    text += static_cast<char>('0' + fraction / 10);
    text += static_cast<char>('0' + fraction % 10);
    return text;
}
