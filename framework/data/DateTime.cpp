#include "data/DateTime.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace data {

namespace {

constexpr std::int64_t MsPerDay = 86'400'000;

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
}

const std::int64_t Epoch = DaysFromCivil(1899, 12, 30);

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// Splits a date value into whole days and milliseconds of the day, carrying a rounded-up
// millisecond count into the next day.
void Split(double value, std::int64_t& days, std::int64_t& ms) {
    days = static_cast<std::int64_t>(std::trunc(value));
    ms = std::llround(std::fabs(value - std::trunc(value)) * MsPerDay);
    if (ms >= MsPerDay) {
        ms -= MsPerDay;
        days += value < 0 ? -1 : 1;
    }
}

// Reads exactly `count` digits at `pos`.
bool ReadNumber(std::string_view text, std::size_t pos, std::size_t count, int& out) {
    out = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        out = out * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

bool IsValidDate(int y, int m, int d) {
    static constexpr int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) {
        return false;
    }
    const int limit = (m == 2 && IsLeap(y)) ? 29 : monthDays[m - 1];
    return d <= limit;
}

bool TryEncodeDate(int y, int m, int d, double& out) {
    if (!IsValidDate(y, m, d)) {
        return false;
    }
    out = static_cast<double>(DaysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d)) - Epoch);
    return true;
}

double EncodeDate(int y, int m, int d) {
    double out = 0;
    if (!TryEncodeDate(y, m, d, out)) {
        throw std::invalid_argument("invalid date " + std::to_string(y) + "-" + std::to_string(m) + "-" +
                                    std::to_string(d));
    }
    return out;
}

void DecodeDate(double value, int& y, int& m, int& d) {
    std::int64_t days = 0;
    std::int64_t ms = 0;
    Split(value, days, ms);
    CivilFromDays(days + Epoch, y, m, d);
}

double EncodeTime(int hh, int mm, int ss) {
    if (hh < 0 || hh > 23 || mm < 0 || mm > 59 || ss < 0 || ss > 59) {
        throw std::invalid_argument("invalid time " + std::to_string(hh) + ":" + std::to_string(mm) + ":" +
                                    std::to_string(ss));
    }
    return static_cast<double>((hh * 3600 + mm * 60 + ss) * 1000) / MsPerDay;
}

double EncodeDateTime(int y, int m, int d, int hh, int mm, int ss) {
    const double date = EncodeDate(y, m, d);
    const double time = EncodeTime(hh, mm, ss);
    // Before the epoch the time still counts forward, so it moves the value towards zero.
    return date < 0 ? date - time : date + time;
}

void DecodeTime(double value, int& hh, int& mm, int& ss) {
    std::int64_t days = 0;
    std::int64_t ms = 0;
    Split(value, days, ms);
    const std::int64_t seconds = ms / 1000;
    hh = static_cast<int>(seconds / 3600);
    mm = static_cast<int>(seconds / 60 % 60);
    ss = static_cast<int>(seconds % 60);
}

double DateOf(double value) {
    std::int64_t days = 0;
    std::int64_t ms = 0;
    Split(value, days, ms);
    return static_cast<double>(days);
}

std::string DateToIso(double value) {
    int y = 0, m = 0, d = 0;
    DecodeDate(value, y, m, d);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", y, m, d);
    return buffer;
}

std::string DateTimeToIso(double value) {
    int hh = 0, mm = 0, ss = 0;
    DecodeTime(value, hh, mm, ss);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "T%02d:%02d:%02d", hh, mm, ss);
    return DateToIso(value) + buffer;
}

std::optional<double> IsoToDate(std::string_view text) {
    int y = 0, m = 0, d = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !ReadNumber(text, 0, 4, y) ||
        !ReadNumber(text, 5, 2, m) || !ReadNumber(text, 8, 2, d)) {
        return std::nullopt;
    }
    double out = 0;
    if (!TryEncodeDate(y, m, d, out)) {
        return std::nullopt;
    }
    return out;
}

std::optional<double> IsoToDateTime(std::string_view text) {
    int hh = 0, mm = 0, ss = 0;
    if (text.size() != 19 || text[10] != 'T' || text[13] != ':' || text[16] != ':' ||
        !ReadNumber(text, 11, 2, hh) || !ReadNumber(text, 14, 2, mm) || !ReadNumber(text, 17, 2, ss) ||
        hh > 23 || mm > 59 || ss > 59) {
        return std::nullopt;
    }
    const auto date = IsoToDate(text.substr(0, 10));
    if (!date) {
        return std::nullopt;
    }
    const double time = EncodeTime(hh, mm, ss);
    return *date < 0 ? *date - time : *date + time;
}

} // namespace data
