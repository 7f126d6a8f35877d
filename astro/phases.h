// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The instants of the principal phases by the precise model: when the apparent
// elongation of the Moon from the Sun is 0, 90, 180 or 270 degrees. Against a
// precise ephemeris over 1900-2100 they come within half a minute; far from our
// centuries the uncertainty of Delta T (time_scales.h) comes on top.
#include <vector>

#include "astro/moon_phases.h"

namespace astro {

struct PhaseMoment {
  PhaseKind kind{};
  double jdUT = 0;
};
// Every principal phase at or after fromJdUT and before toJdUT, in time order.
std::vector<PhaseMoment> phaseMoments(double fromJdUT, double toJdUT);

}  // namespace astro
