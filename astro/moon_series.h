// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Moon as seen from the centre of the Earth, to a few arc-seconds: the
// abridged ELP-2000/82 series (Meeus, Astronomical Algorithms, 2nd ed., ch. 47)
// with the nutation of ch. 22. Angles are degrees.
#include <vector>

#include "astro/nutation.h"

namespace astro {

// Apparent geocentric place of the Moon (true equinox and equator of date).
struct MoonPlace {
  double longitude = 0;       // ecliptic, [0, 360)
  double latitude = 0;        // ecliptic
  double distanceKm = 0;      // centre to centre
  double rightAscension = 0;  // [0, 360)
  double declination = 0;
};
MoonPlace moonPlace(double jdUT);

// The Moon's geometric ecliptic longitude on the mean equinox of date, [0, 360),
// at an instant in Julian centuries of Terrestrial Time since J2000.0.
double moonLongitude(double centuriesTT);

// The Moon's place and the nutation at `count` instants `stepDays` apart from
// `firstJdUT`: the figures of moonPlace() (to far below an arc-second) for a
// fraction of the cost, which is what a run of days wants.
struct MoonSample {
  double jdUT = 0;
  MoonPlace place;
  Nutation nutation;
};
std::vector<MoonSample> moonSamples(double firstJdUT, double stepDays, int count);

// The ascending moon: its apparent declination rising.
bool moonAscending(double jdUT);

}  // namespace astro
