// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sunrise and sunset at a city of the table, low-precision solar model, UTC+1 all year.
#include <string>
#include <string_view>

namespace astro {

struct GeoPosition {
  double longitude = 0;  // degrees east
  double latitude = 0;   // degrees north
};

// Positions 1-8 of a 12-digit city code: longitude degrees and minutes, latitude degrees and minutes.
GeoPosition decodeCityCode(std::string_view cityCode);

// Julian Day number at 0 h UT of a date; years up to 1585 are Julian-calendar dates.
double sunDayNumber(double day, double month, double year);

struct SunTimes {
  std::string sorge;     // "hh:mm"
  std::string tramonta;  // "hh:mm"
};

SunTimes sunTimes(double day, double month, double year, std::string_view cityCode);

}  // namespace astro
