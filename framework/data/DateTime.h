#pragma once

#include <optional>
#include <string>
#include <string_view>

// Date values are days since 1899-12-30 as a double; the fraction is the time of day. Before
// 1899-12-30 the value is negative and the fraction still counts forward from midnight, so
// -1.25 is 1899-12-29 06:00.
namespace data {

bool IsValidDate(int y, int m, int d);
// Throws std::invalid_argument for an invalid date.
double EncodeDate(int y, int m, int d);
bool TryEncodeDate(int y, int m, int d, double& out);
void DecodeDate(double value, int& y, int& m, int& d);
// Throws std::invalid_argument for an invalid date or time.
double EncodeTime(int hh, int mm, int ss);
double EncodeDateTime(int y, int m, int d, int hh, int mm, int ss);
void DecodeTime(double value, int& hh, int& mm, int& ss);

// The date part alone (time of day dropped).
double DateOf(double value);

std::string DateToIso(double value);     // "YYYY-MM-DD"
std::string DateTimeToIso(double value); // "YYYY-MM-DDThh:mm:ss"
// Strict: the exact shape and a real calendar date, otherwise nullopt.
std::optional<double> IsoToDate(std::string_view text);
std::optional<double> IsoToDateTime(std::string_view text);

} // namespace data
