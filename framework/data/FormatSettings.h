#pragma once

#include <string>
#include <string_view>

namespace data {

struct FormatSettings {
    std::string DecimalSeparator = ",";
    std::string DateSeparator = "/";
    std::string ShortDateFormat = "dd/mm/yyyy";
    std::string TrueText = "True";
    std::string FalseText = "False";

    // The settings in use; pt-BR until the host changes them.
    static FormatSettings& Current();
    // "pt-BR" or "en-US"; any other name throws std::invalid_argument.
    static FormatSettings ForLocale(std::string_view name);
};

} // namespace data
