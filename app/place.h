// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A place of the almanac: where the sun and the moon are seen from, and whose
// holiday the calendar keeps.
#include <optional>
#include <string>

#include "almanac/patron_holidays.h"
#include "astro/sun_times.h"

namespace app {

struct Place {
  std::string name;              // as the almanac shows it: "MILANO", "FORLÌ"
  astro::GeoPosition position;   // latitude, longitude and altitude
  std::optional<almanac::PatronHoliday> patron;  // the place's own holiday, where it keeps one
  friend bool operator==(const Place&, const Place&) = default;
};

}  // namespace app
