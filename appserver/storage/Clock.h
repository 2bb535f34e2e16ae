#pragma once

#include <chrono>
#include <string>

namespace pedserver {

// The local time as stored in the database: "YYYY-MM-DD hh:mm:ss".
std::string NowTimestamp();

// "YYYY-MM-DD" of a day.
std::string IsoDate(std::chrono::sys_days day);

} // namespace pedserver
