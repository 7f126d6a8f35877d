// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/sidereal_time.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/time_scales.h"

namespace astro {

double meanSiderealTime(double jdUT) {
  const double d = jdUT - J2000;
  const double T = d / DaysPerJulianCentury;
  // 360.98564736629 * d with the whole turns of the whole days taken out first.
  const double turns = 360 * (d - std::floor(d)) + 0.98564736629 * d;
  return normalizedDegrees(280.46061837 + turns + T * T * (0.000387933 - T / 38710000));
}

}  // namespace astro
