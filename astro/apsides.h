// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Perigee and apogee: the least and greatest distances of the Moon from the
// Earth's centre, within ten minutes of a precise ephemeris over 1900-2100.
// Instants are Julian Days of Universal Time.
#include <vector>

namespace astro {

struct Apsis {
  bool perigee = false;
  double jdUT = 0;
  double distanceKm = 0;
};
// Every perigee and apogee at or after fromJdUT and before toJdUT, in time order.
std::vector<Apsis> apsides(double fromJdUT, double toJdUT);

}  // namespace astro
