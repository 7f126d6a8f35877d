// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sunrise and sunset by the almanac's own low-precision solar model.
#include <optional>

#include "astro/geo_position.h"
#include "calendar/calendar.h"

namespace astro {

// Minutes of Universal Time from 0 h UT of the date, the minute rounded to the
// nearest (before 0 or past 1440 where the sun rises or sets on another day of
// Greenwich); none where the model gives no time (no sunrise or sunset at that
// latitude and date).
struct SunTimes {
  std::optional<int> rise, set;
};
SunTimes sunTimes(const calendar::Date& date, GeoPosition where);

}  // namespace astro
