// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Moon at its nodes: crossing the ecliptic of date, its geocentric latitude
// changing sign; within a minute or two of a precise ephemeris over 1900-2100
// (the Moon's latitude changes by an arc-second in some twenty seconds).
// Instants are Julian Days of Universal Time.
#include <vector>

namespace astro {

struct NodeCrossing {
  bool ascending = false;  // from south to north
  double jdUT = 0;
};
// Every crossing at or after fromJdUT and before toJdUT, in time order.
std::vector<NodeCrossing> nodeCrossings(double fromJdUT, double toJdUT);

}  // namespace astro
