#include "storage/Timestamps.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <stdexcept>

namespace pedserver {
namespace {

std::string Format(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::time_t Parse(const std::string& timestamp) {
    std::tm local{};
    if (std::sscanf(timestamp.c_str(), "%4d-%2d-%2d%*c%2d:%2d:%2d", &local.tm_year, &local.tm_mon, &local.tm_mday,
                    &local.tm_hour, &local.tm_min, &local.tm_sec) != 6)
        throw std::invalid_argument("not a timestamp: " + timestamp);
    local.tm_year -= 1900;
    local.tm_mon -= 1;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

} // namespace

std::string NowTimestamp() {
    static const char* clockFile = std::getenv("PEDSERVER_CLOCK_FILE");
    if (clockFile) {
        std::ifstream in(clockFile);
        std::string line;
        if (std::getline(in, line) && line.size() >= 19)
            return line.substr(0, 19);
    }
    return Format(std::time(nullptr));
}

std::string AddSeconds(const std::string& timestamp, long long seconds) {
    return Format(Parse(timestamp) + static_cast<std::time_t>(seconds));
}

std::string IsoDateTime(const std::string& timestamp) {
    std::string text = timestamp.substr(0, 19);
    if (text.size() == 19)
        text[10] = 'T';
    return text;
}

std::string IsoDate(std::chrono::sys_days day) {
    const std::chrono::year_month_day date(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

} // namespace pedserver
