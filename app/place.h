// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A place of the almanac: where the sun and the moon are seen from, whose
// holiday the calendar keeps, and which part of the country the notes' advice
// for it holds in.
#include <optional>
#include <string>

#include "almanac/italian_regions.h"
#include "almanac/patron_holidays.h"
#include "astro/sun_times.h"

namespace app {

struct Place {
  std::string name;              // as the almanac shows it: "MILANO", "FORLÌ"
  astro::GeoPosition position;   // latitude, longitude and altitude
  std::optional<almanac::PatronHoliday> patron;  // the place's own holiday, where it keeps one
  std::optional<almanac::Zone> zone{};            // Nord, Centro, Sud e isole: its region's, where the almanac knows it
  friend bool operator==(const Place&, const Place&) = default;
};

}  // namespace app
