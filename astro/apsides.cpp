// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/apsides.h"

#include <algorithm>
#include <cmath>

#include "astro/moon_ecliptic.h"
#include "astro/root_finder.h"

namespace astro {
namespace {

constexpr double ScanStep = 1;           // days; perigee and apogee come at least eleven days apart
constexpr double ApsisTolerance = 1e-9;  // days

}  // namespace

std::vector<Apsis> apsides(double fromJdUT, double toJdUT) {
  std::vector<Apsis> found;
  if (!(toJdUT > fromJdUT) || !std::isfinite(fromJdUT) || !std::isfinite(toJdUT)) return found;
  // The daily track gives the distance to a few tens of metres and its growth
  // well enough to put the flat extremes within a few seconds of the full series'.
  const MoonEclipticTrack track(fromJdUT, toJdUT);
  const auto distance = [&](double t) { return track.at(t, MoonEclipticTrack::Coordinate::DistanceKm); };
  const auto growth = [&](double t) { return distance(t).slope; };
  double a = fromJdUT, ga = growth(a);
  while (a < toJdUT) {
    const double b = std::min(a + ScanStep, toJdUT), gb = growth(b);
    if ((ga > 0) != (gb > 0)) {
      // From the chord's zero, as regula falsi would start.
      const double chord = (gb - ga) / (b - a);
      const double jd = zeroInBracket(growth, Bracket{a, b, ga <= 0}, a - ga / chord, chord, ApsisTolerance);
      found.push_back({ga <= 0, jd, distance(jd).value});  // shrinking, then growing: perigee
    }
    a = b;
    ga = gb;
  }
  return found;
}

}  // namespace astro
