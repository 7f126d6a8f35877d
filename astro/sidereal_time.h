// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How far the Earth has turned: the sidereal time.

namespace astro {

// Greenwich mean sidereal time at an instant of Universal Time, degrees [0, 360)
// (Meeus, Astronomical Algorithms, 2nd ed., ch. 12).
double meanSiderealTime(double jdUT);

// What the mean sidereal time gains in a day of Universal Time, degrees.
inline constexpr double SiderealDegreesPerDay = 360.98564736629;

}  // namespace astro
