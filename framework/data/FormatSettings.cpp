#include "data/FormatSettings.h"

#include <stdexcept>
#include <string>

namespace data {

FormatSettings& FormatSettings::Current() {
    static FormatSettings current = ForLocale("pt-BR");
    return current;
}

FormatSettings FormatSettings::ForLocale(std::string_view name) {
    FormatSettings settings;
    if (name == "pt-BR") {
        return settings;
    }
    if (name == "en-US") {
        settings.DecimalSeparator = ".";
        settings.ShortDateFormat = "mm/dd/yyyy";
        return settings;
    }
    throw std::invalid_argument("unknown locale '" + std::string(name) + "' (known: pt-BR, en-US)");
}

} // namespace data
