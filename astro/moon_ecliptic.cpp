// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/moon_ecliptic.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/lagrange.h"
#include "astro/moon_series.h"
#include "astro/nutation.h"
#include "astro/precession.h"
#include "astro/time_scales.h"

namespace astro {
namespace {

MoonEcliptic eclipticOf(const MoonSample& m) {
  // The series' own longitude is on the mean equinox of date: the apparent one less the nutation.
  const EclipticPoint meanOfDate{m.place.longitude - m.nutation.longitude, m.place.latitude};
  return {eclipticOfJ2000(meanOfDate, centuriesTT(m.jdUT)).longitude, m.place.longitude, m.place.latitude,
          m.place.distanceKm};
}

}  // namespace

MoonEcliptic moonEcliptic(double jdUT) { return eclipticOf({jdUT, moonPlace(jdUT), nutation(centuriesTT(jdUT))}); }

MoonEclipticTrack::MoonEclipticTrack(double fromJdUT, double toJdUT) : track_(nodesOf(fromJdUT, toJdUT)) {}

LagrangeTrack<4, MoonEclipticTrack::Points> MoonEclipticTrack::nodesOf(double fromJdUT, double toJdUT) {
  const NodeGrid grid = nodeGrid<Points>(fromJdUT, toJdUT, Spacing);
  std::vector<std::array<double, 4>> nodes;
  nodes.reserve(static_cast<std::size_t>(grid.count));
  double turnsJ2000 = 0, turnsApparent = 0;  // whole turns the longitudes have run on past 360
  for (const MoonSample& s : moonSamples(grid.first, Spacing, grid.count)) {
    const MoonEcliptic m = eclipticOf(s);
    if (!nodes.empty()) {
      // The Moon moves 10 to 16 degrees a day, always forwards.
      turnsJ2000 += m.longitudeJ2000 + turnsJ2000 < nodes.back()[0] ? 360 : 0;
      turnsApparent += m.apparentLongitude + turnsApparent < nodes.back()[1] ? 360 : 0;
    }
    nodes.push_back({m.longitudeJ2000 + turnsJ2000, m.apparentLongitude + turnsApparent, m.latitude, m.distanceKm});
  }
  return {grid.first, Spacing, nodes};
}

ValueAndSlope MoonEclipticTrack::at(double jdUT, Coordinate coordinate) const {
  return track_.at(jdUT, static_cast<int>(coordinate));
}

}  // namespace astro
