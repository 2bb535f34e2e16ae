#pragma once

#include "data/FormatSettings.h"

#include <optional>
#include <string>
#include <string_view>

namespace data {

// Patterns of '#' and '0' with an optional '.': '0' is a required digit, '#' an optional one.
// At least one integer digit is shown, no thousands separator, a leading minus; the value is
// taken to 15 significant digits and rounded half away from zero. An unsupported pattern
// throws std::invalid_argument.
std::string FormatFloat(std::string_view pattern, double value,
                        const FormatSettings& settings = FormatSettings::Current());

// A number as a person reads it: at most 15 significant digits, no exponent, no trailing
// decimal zeros, the locale's decimal separator ("3,3" for 3.3000000000000003).
std::string FormatNumber(double value, const FormatSettings& settings = FormatSettings::Current());

// The date in the short date format, e.g. "10/05/2024".
std::string FormatDate(double value, const FormatSettings& settings = FormatSettings::Current());
// The date and, when it has one, the time of day ("10/05/2024 14:30:00").
std::string FormatDateTime(double value, const FormatSettings& settings = FormatSettings::Current());

// Strict parse in the short date format: "31/02/2024" gives nullopt.
std::optional<double> ParseDate(std::string_view text,
                                const FormatSettings& settings = FormatSettings::Current());
// A short date optionally followed by a space and "hh:mm" or "hh:mm:ss".
std::optional<double> ParseDateTime(std::string_view text,
                                    const FormatSettings& settings = FormatSettings::Current());
// A number with either '.' or the locale's decimal separator; nullopt when not a number.
std::optional<double> ParseFloat(std::string_view text,
                                 const FormatSettings& settings = FormatSettings::Current());

} // namespace data
