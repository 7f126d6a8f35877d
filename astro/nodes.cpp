// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/nodes.h"

#include <algorithm>
#include <cmath>

#include "astro/moon_ecliptic.h"
#include "astro/root_finder.h"

namespace astro {
namespace {

constexpr double ScanStep = 1;          // days; the nodes come nearly fourteen days apart
constexpr double NodeTolerance = 1e-8;  // days

}  // namespace

std::vector<NodeCrossing> nodeCrossings(double fromJdUT, double toJdUT) {
  std::vector<NodeCrossing> found;
  if (!(toJdUT > fromJdUT) || !std::isfinite(fromJdUT) || !std::isfinite(toJdUT)) return found;
  // The scan begins a step early, so that a crossing at fromJdUT itself is a change.
  double a = fromJdUT - ScanStep;
  const MoonEclipticTrack track(a, toJdUT);
  const auto latitude = [&](double t) { return track.at(t, MoonEclipticTrack::Coordinate::Latitude); };
  ValueAndSlope la = latitude(a);
  while (a < toJdUT) {
    const double b = std::min(a + ScanStep, toJdUT);
    const ValueAndSlope lb = latitude(b);
    if ((la.value > 0) != (lb.value > 0)) {
      const bool ascending = lb.value > 0;
      const double t = zeroInBracket(latitude, Bracket{a, b, ascending}, a, NodeTolerance);
      if (t >= fromJdUT && t < toJdUT) found.push_back({ascending, t});
    }
    a = b;
    la = lb;
  }
  return found;
}

}  // namespace astro
