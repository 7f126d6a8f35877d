// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac's own sunrise and sunset: a low-precision solar model, in
// Universal Time.
#include <optional>

#include "calendar/calendar.h"

namespace astro {

struct GeoPosition {
  double longitude = 0;  // degrees east
  double latitude = 0;   // degrees north
  double altitudeMetres = 0;  // above the sea; no computation uses it
  friend bool operator==(const GeoPosition&, const GeoPosition&) = default;
};

// Julian Day number at 0 h UT of a date; years up to 1585 are Julian-calendar dates.
double sunDayNumber(double day, double month, double year);

// Minutes of Universal Time from 0 h UT of the date, rounded as the almanac has
// always rounded them (they may fall before 0 or past 1440); none where the
// model gives no time (no sunrise or sunset at that latitude and date).
struct SunTimes {
  std::optional<int> rise;
  std::optional<int> set;
  friend bool operator==(const SunTimes&, const SunTimes&) = default;
};

SunTimes sunTimes(const calendar::Date& date, GeoPosition where);

}  // namespace astro
