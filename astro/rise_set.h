// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moonrise and moonset at a place: the upper limb on the sea horizon (horizon.h),
// to seconds against a precise ephemeris. Instants are Julian Days of Universal Time.
#include <optional>
#include <vector>

#include "astro/geo_position.h"

namespace astro {

struct MoonRiseSet {
  std::optional<double> rise;  // none on a day the Moon does not rise
  std::optional<double> set;
};

// The rise and the set within each of `days` consecutive windows of a day, the
// k-th from firstWindowStartJdUT + k up to (not including) the next. Near the
// poles a window may hold two of a kind: the first is given. The Moon's place is
// worked out once for the whole run, which is what a month page wants.
std::vector<MoonRiseSet> moonRiseSets(double firstWindowStartJdUT, int days, GeoPosition where);

}  // namespace astro
