#include "data/Format.h"

#include "data/DateTime.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace data {

namespace {

struct FloatPattern {
    int minIntegerDigits = 0;
    int requiredDecimals = 0;
    int optionalDecimals = 0;
};

FloatPattern ParsePattern(std::string_view pattern) {
    FloatPattern parsed;
    bool afterPoint = false;
    for (char ch : pattern) {
        if (ch == '.' && !afterPoint) {
            afterPoint = true;
        } else if (ch == '0') {
            (afterPoint ? parsed.requiredDecimals : parsed.minIntegerDigits) += 1;
            if (afterPoint && parsed.optionalDecimals > 0) {
                throw std::invalid_argument("'0' after '#' in the decimals of '" + std::string(pattern) +
                                            "'");
            }
        } else if (ch == '#') {
            if (afterPoint) {
                ++parsed.optionalDecimals;
            }
        } else {
            throw std::invalid_argument("unsupported number format '" + std::string(pattern) + "'");
        }
    }
    return parsed;
}

// The magnitude rounded half away from zero to `decimals` places, as all its digits with the
// last `decimals` of them after the point. The value is first cut to 15 significant digits,
// which is what a person reading the number would round.
std::string RoundedDigits(double magnitude, int decimals) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t ePos = text.find('e');
    std::string significant;
    for (char ch : text.substr(0, ePos)) {
        if (ch != '.') {
            significant.push_back(ch);
        }
    }
    int exponent = 0;
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+'), text.data() + text.size(), exponent);
    // Digit i of `significant` has weight 10^(exponent - i); keep weights down to 10^-decimals.
    const int keep = exponent + 1 + decimals;
    std::string digits;
    if (keep > 0) {
        for (int i = 0; i < keep; ++i) {
            digits.push_back(
                i < static_cast<int>(significant.size()) ? significant[static_cast<std::size_t>(i)] : '0');
        }
    }
    const bool roundUp = keep >= 0 && keep < static_cast<int>(significant.size()) &&
                         significant[static_cast<std::size_t>(keep)] >= '5';
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
            digits[static_cast<std::size_t>(i--)] = '0';
        }
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {
            digits = '1' + digits;
        }
    }
    if (digits.size() < static_cast<std::size_t>(decimals) + 1) {
        digits = std::string(static_cast<std::size_t>(decimals) + 1 - digits.size(), '0') + digits;
    }
    return digits;
}

enum class DatePart { Day, Month, Year, Literal };

struct DateToken {
    DatePart part;
    int width; // digits when writing; for Literal, unused
    std::string literal;
};

std::vector<DateToken> Tokenize(const FormatSettings& settings) {
    std::vector<DateToken> tokens;
    const std::string& format = settings.ShortDateFormat;
    for (std::size_t i = 0; i < format.size();) {
        const char ch = static_cast<char>(std::tolower(static_cast<unsigned char>(format[i])));
        std::size_t run = 1;
        while (i + run < format.size() &&
               std::tolower(static_cast<unsigned char>(format[i + run])) == static_cast<unsigned char>(ch)) {
            ++run;
        }
        if (ch == 'd' || ch == 'm' || ch == 'y') {
            const DatePart part = ch == 'd' ? DatePart::Day : ch == 'm' ? DatePart::Month : DatePart::Year;
            tokens.push_back({part, static_cast<int>(run), {}});
            i += run;
        } else {
            tokens.push_back(
                {DatePart::Literal, 0, ch == '/' ? settings.DateSeparator : std::string(1, format[i])});
            ++i;
        }
    }
    return tokens;
}

// Reads between `minDigits` and `maxDigits` digits.
bool ReadDigits(std::string_view text, std::size_t& pos, int minDigits, int maxDigits, int& out) {
    out = 0;
    int count = 0;
    while (pos < text.size() && count < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
        out = out * 10 + (text[pos++] - '0');
        ++count;
    }
    return count >= minDigits;
}

} // namespace

std::string FormatFloat(std::string_view pattern, double value, const FormatSettings& settings) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    const FloatPattern parsed = ParsePattern(pattern);
    const int decimals = parsed.requiredDecimals + parsed.optionalDecimals;
    std::string digits = RoundedDigits(std::fabs(value), decimals);
    const bool isZero = digits.find_first_not_of('0') == std::string::npos;
    std::string fraction = digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    std::string integer = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    while (fraction.size() > static_cast<std::size_t>(parsed.requiredDecimals) && fraction.back() == '0') {
        fraction.pop_back();
    }
    const std::size_t minInteger = static_cast<std::size_t>(std::max(parsed.minIntegerDigits, 1));
    const std::size_t firstSignificant = integer.find_first_not_of('0');
    integer.erase(0, std::min(firstSignificant == std::string::npos ? integer.size() : firstSignificant,
                              integer.size() > minInteger ? integer.size() - minInteger : 0));
    if (integer.size() < minInteger) {
        integer = std::string(minInteger - integer.size(), '0') + integer;
    }
    std::string out = (value < 0 && !isZero) ? "-" : "";
    out += integer;
    if (!fraction.empty()) {
        out += settings.DecimalSeparator;
        out += fraction;
    }
    return out;
}

std::string FormatNumber(double value, const FormatSettings& settings) {
    if (value == 0 || !std::isfinite(value)) {
        return FormatFloat("0", value, settings);
    }
    // Enough optional decimals to reach the 15th significant digit, which FormatFloat keeps.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::clamp(14 - exponent, 0, 340);
    return FormatFloat("0." + std::string(static_cast<std::size_t>(decimals), '#'), value, settings);
}

std::string FormatDate(double value, const FormatSettings& settings) {
    int y = 0, m = 0, d = 0;
    DecodeDate(value, y, m, d);
    std::string out;
    for (const DateToken& token : Tokenize(settings)) {
        if (token.part == DatePart::Literal) {
            out += token.literal;
            continue;
        }
        int number = token.part == DatePart::Day ? d : token.part == DatePart::Month ? m : y;
        int width = std::min(token.width, 2);
        if (token.part == DatePart::Year) {
            width = token.width <= 2 ? 2 : 4;
            number = token.width <= 2 ? number % 100 : number;
        }
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%0*d", width, number);
        out += buffer;
    }
    return out;
}

std::string FormatDateTime(double value, const FormatSettings& settings) {
    int hh = 0, mm = 0, ss = 0;
    DecodeTime(value, hh, mm, ss);
    std::string out = FormatDate(value, settings);
    if (hh != 0 || mm != 0 || ss != 0) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, " %02d:%02d:%02d", hh, mm, ss);
        out += buffer;
    }
    return out;
}

std::optional<double> ParseDate(std::string_view text, const FormatSettings& settings) {
    int y = 0, m = 0, d = 0;
    std::size_t pos = 0;
    for (const DateToken& token : Tokenize(settings)) {
        bool ok = true;
        switch (token.part) {
        case DatePart::Literal:
            ok = text.substr(pos, token.literal.size()) == token.literal;
            pos += token.literal.size();
            break;
        case DatePart::Day:
            ok = ReadDigits(text, pos, 1, 2, d);
            break;
        case DatePart::Month:
            ok = ReadDigits(text, pos, 1, 2, m);
            break;
        case DatePart::Year:
            ok = token.width <= 2 ? ReadDigits(text, pos, 2, 2, y) : ReadDigits(text, pos, 4, 4, y);
            y += token.width <= 2 ? 2000 : 0;
            break;
        }
        if (!ok) {
            return std::nullopt;
        }
    }
    double out = 0;
    if (pos != text.size() || !TryEncodeDate(y, m, d, out)) {
        return std::nullopt;
    }
    return out;
}

std::optional<double> ParseDateTime(std::string_view text, const FormatSettings& settings) {
    const std::size_t space = text.find(' ');
    const auto date = ParseDate(text.substr(0, space), settings);
    if (!date || space == std::string_view::npos) {
        return date;
    }
    const std::string_view time = text.substr(space + 1);
    std::size_t pos = 0;
    int hh = 0, mm = 0, ss = 0;
    if (!ReadDigits(time, pos, 1, 2, hh) || pos >= time.size() || time[pos++] != ':' ||
        !ReadDigits(time, pos, 2, 2, mm)) {
        return std::nullopt;
    }
    if (pos < time.size() && (time[pos++] != ':' || !ReadDigits(time, pos, 2, 2, ss))) {
        return std::nullopt;
    }
    if (pos != time.size() || hh > 23 || mm > 59 || ss > 59) {
        return std::nullopt;
    }
    const double fraction = EncodeTime(hh, mm, ss);
    return *date < 0 ? *date - fraction : *date + fraction;
}

std::optional<double> ParseFloat(std::string_view text, const FormatSettings& settings) {
    std::string normalized(text);
    const std::string_view separator = settings.DecimalSeparator;
    const std::size_t sep = text.find(separator);
    if (!separator.empty() && separator != "." && sep != std::string_view::npos) {
        normalized =
            std::string(text.substr(0, sep)) + "." + std::string(text.substr(sep + separator.size()));
    }
    double out = 0;
    const char* begin = normalized.data();
    const char* end = begin + normalized.size();
    if (begin != end && *begin == '+') {
        ++begin;
    }
    const auto result = std::from_chars(begin, end, out);
    if (result.ec != std::errc() || result.ptr != end || begin == end) {
        return std::nullopt;
    }
    return out;
}

} // namespace data
