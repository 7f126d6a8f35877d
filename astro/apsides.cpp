// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/apsides.h"

#include <algorithm>
#include <cmath>

#include "astro/moon_series.h"
#include "astro/root_finder.h"

namespace astro {
namespace {

constexpr double ScanStep = 2;           // days; perigee and apogee come at least eleven days apart
constexpr double SlopeHalfStep = 0.005;  // days either side
constexpr double ApsisTolerance = 1e-9;  // days

// The growth of the distance across a short while, from the full series: the
// extreme distances are too flat for an interpolated track.
double distanceGrowth(double jd) {
  return moonPlace(jd + SlopeHalfStep).distanceKm - moonPlace(jd - SlopeHalfStep).distanceKm;
}

}  // namespace

std::vector<Apsis> apsides(double fromJdUT, double toJdUT) {
  std::vector<Apsis> found;
  if (!std::isfinite(fromJdUT) || !std::isfinite(toJdUT)) return found;
  double a = fromJdUT, ga = distanceGrowth(a);
  while (a < toJdUT) {
    const double b = std::min(a + ScanStep, toJdUT), gb = distanceGrowth(b);
    if ((ga > 0) != (gb > 0)) {
      // From the chord's zero, as regula falsi would start.
      const double chord = (gb - ga) / (b - a);
      const double jd = zeroInBracket(distanceGrowth, Bracket{a, b, ga <= 0}, a - ga / chord, chord, ApsisTolerance);
      found.push_back({ga <= 0, jd, moonPlace(jd).distanceKm});  // shrinking, then growing: perigee
    }
    a = b;
    ga = gb;
  }
  return found;
}

}  // namespace astro
