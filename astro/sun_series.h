// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Sun as seen from the centre of the Earth, to about an arc-second: the
// abridged VSOP87 series of the Earth (Meeus, Astronomical Algorithms, 2nd ed.,
// ch. 25 and appendix III). Angles are degrees.
#include "astro/angles.h"

namespace astro {

// The Sun's geometric ecliptic longitude (FK5, mean equinox of date), [0, 360),
// and its distance, at an instant in Julian centuries of Terrestrial Time since
// J2000.0.
struct SunPosition {
  double longitude = 0;
  double distanceAu = 0;
};
SunPosition sunPosition(double centuriesTT);

// The aberration of the Sun's light in longitude at a distance in au: the Sun is
// seen where it stood some eight minutes before.
double solarAberration(double distanceAu);

}  // namespace astro
