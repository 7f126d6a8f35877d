// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Moon and the Sun as seen from the centre of the Earth, to a few arc-seconds.
// Moon: the abridged ELP-2000/82 series (Meeus, Astronomical Algorithms, 2nd ed.,
// ch. 47); Sun: the abridged VSOP87 series of the Earth; both with the nutation of
// ch. 22. Instants are Julian Days of Universal Time; the series run on Terrestrial
// Time, reached through deltaT(). Angles are degrees.
//
// This is the precise model beside the almanac's old phase formulae
// (moon_phases.h), whose Greenwich days the month grid keeps.

#include <vector>

namespace astro {

// TT - UT in seconds at a decimal year (2026.5 = the middle of 2026), by the
// polynomial expressions of Espenak and Meeus (2006); used for every year 1..9999,
// with their long-term parabola after 2150. It is known from observation for the
// last centuries only: its uncertainty, roughly 0.8 ((year - 1820) / 100)^2
// seconds, is a minute about the year 1000, some minutes about the years 1 and
// 3000, and an hour and a half by 9999. Phase instants carry all of it; rises
// and sets about a twenty-seventh (the Moon's own motion in that time).
double deltaT(double year);

// Decimal year of an instant, for deltaT().
double decimalYear(double jdUT);

// Nutation in longitude and in obliquity and the true obliquity of the ecliptic.
struct Nutation {
  double longitude = 0;      // delta psi
  double obliquity = 0;      // delta epsilon
  double trueObliquity = 0;  // mean obliquity + delta epsilon
};
Nutation nutation(double jdUT);

// Apparent geocentric place of the Moon (true equinox and equator of date).
struct MoonPlace {
  double longitude = 0;       // ecliptic, [0, 360)
  double latitude = 0;        // ecliptic
  double distanceKm = 0;      // centre to centre
  double rightAscension = 0;  // [0, 360)
  double declination = 0;
};
MoonPlace moonPlace(double jdUT);
// The same, with the nutation of that instant already at hand.
MoonPlace moonPlace(double jdUT, const Nutation& n);

// The Moon's place and the nutation at `count` instants `stepDays` apart from
// `firstJdUT`: the figures of moonPlace() (to far below an arc-second) for a
// fraction of the cost, which is what a run of days wants.
struct MoonSample {
  double jdUT = 0;
  MoonPlace place;
  Nutation nutation;
};
std::vector<MoonSample> moonSamples(double firstJdUT, double stepDays, int count);

// Apparent geocentric place of the Sun (aberration and nutation included).
struct SunPlace {
  double longitude = 0;  // ecliptic, [0, 360)
  double latitude = 0;   // ecliptic
  double distanceAu = 0;
  double rightAscension = 0;  // [0, 360)
  double declination = 0;
};
SunPlace sunPlace(double jdUT);

// Apparent longitude of the Moon minus that of the Sun, [0, 360): 0 at the new
// moon, 90 at the first quarter, 180 at the full moon, 270 at the last quarter.
double moonElongation(double jdUT);

// Greenwich mean sidereal time, [0, 360).
double meanSiderealTime(double jdUT);

}  // namespace astro
