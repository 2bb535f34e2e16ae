#pragma once

#include <chrono>
#include <string>

namespace pedserver {

// The local time as stored in the database: "YYYY-MM-DD hh:mm:ss". When the environment names a
// clock file (PEDSERVER_CLOCK_FILE, for tests only), its first line is the time instead, read
// anew at every call, so a test moves the server's clock without sleeping.
std::string NowTimestamp();

// A stored timestamp moved by some seconds (either way), as stored.
std::string AddSeconds(const std::string& timestamp, long long seconds);

// "YYYY-MM-DDThh:mm:ss" of a stored timestamp, as answers carry it.
std::string IsoDateTime(const std::string& timestamp);

// "YYYY-MM-DD" of a day.
std::string IsoDate(std::chrono::sys_days day);

} // namespace pedserver
