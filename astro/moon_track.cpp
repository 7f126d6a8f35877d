// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/moon_track.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/lagrange.h"
#include "astro/moon_series.h"

namespace astro {

MoonTrack::MoonTrack(double fromJd, double toJd) : track_(nodesOf(fromJd, toJd)) {}

LagrangeTrack<3, MoonTrack::Points> MoonTrack::nodesOf(double fromJd, double toJd) {
  const NodeGrid grid = nodeGrid<Points>(fromJd, toJd, Spacing);
  std::vector<std::array<double, 3>> nodes;
  nodes.reserve(static_cast<std::size_t>(grid.count));
  for (const MoonSample& m : moonSamples(grid.first, Spacing, grid.count)) {
    const Nutation& n = m.nutation;
    const double ra = (m.place.rightAscension - n.longitude * std::cos(n.trueObliquity * Degree)) * Degree;
    const double dec = m.place.declination * Degree;
    const double d = m.place.distanceKm;
    nodes.push_back({d * std::cos(dec) * std::cos(ra), d * std::cos(dec) * std::sin(ra), d * std::sin(dec)});
  }
  return {grid.first, Spacing, nodes};
}

MoonTrack::Vector MoonTrack::at(double jd) const {
  const auto v = track_.at(jd);
  return {v[0], v[1], v[2]};
}

}  // namespace astro
