// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The slow turn of the ecliptic and the equinox: ecliptic coordinates on the mean
// ecliptic and equinox of an instant referred to those of J2000. Meeus,
// Astronomical Algorithms, 2nd ed., ch. 21, the rigorous reduction of ecliptic
// coordinates (21.5 and 21.7, the IAU 1976 precession of Lieske): over 1900-2100
// within 0.3" of the IAU 2006 precession, whose constant is 0.3" a century
// smaller, and the Moon covers 0.3" in about half a second; a few arc-seconds
// apart between the years 1 and 3000, and a third of a degree by 9999, where
// neither holds.

namespace astro {

struct EclipticPoint {
  double longitude = 0;  // degrees
  double latitude = 0;
};

// A point on the mean ecliptic and equinox of an instant given in Julian
// centuries of Terrestrial Time since J2000.0, on those of J2000; longitude in [0, 360).
EclipticPoint eclipticOfJ2000(EclipticPoint ofDate, double centuriesTT);

}  // namespace astro
