// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The moon's events a gardener asks for, from the precise model of moon_position.h:
// the instants of the principal phases, moonrise and moonset at a place, the
// ascending or descending moon, perigee and apogee. Instants are Julian Days of
// Universal Time; dates are proleptic Gregorian, as everywhere in calendar::Date.
//
// Against a precise ephemeris over 1900-2100 the phases come within half a
// minute, rises and sets within seconds, the extremes of declination within a
// minute and perigee and apogee within ten minutes. Far from our centuries the
// uncertainty of Delta T (moon_position.h) comes on top.
#include "astro/moon_phases.h"
#include "astro/sun_times.h"
#include "calendar/calendar.h"

#include <optional>
#include <vector>

namespace astro {

// Julian Day at 0 h UT of a date.
double julianDay(const calendar::Date& date);

// A clock reading: the civil date and the time to the nearest minute (a time
// that rounds up to 24:00 reads 00:00 of the next day).
struct CivilTime {
  calendar::Date date;
  int hour = 0;
  int minute = 0;
};
// An instant read on the clock of UTC + utcOffsetHours (1 for Italian solar time,
// 2 for summer time). An instant that is not a number reads as Julian Day 0.
CivilTime civilTime(double jdUT, int utcOffsetHours);

// ---- Phases: the instants when the apparent elongation of the Moon from the Sun
// is 0, 90, 180 or 270 degrees.
struct PhaseMoment {
  PhaseKind kind{};
  double jdUT = 0;
};
// Every principal phase at or after fromJdUT and before toJdUT, in time order.
std::vector<PhaseMoment> phaseMoments(double fromJdUT, double toJdUT);

// ---- Moonrise and moonset: the upper limb on the sea horizon, with 34' of
// refraction, seen from the place itself (parallax) and with the semidiameter
// of the Moon at its distance from the place.
struct MoonRiseSet {
  std::optional<double> rise;  // none on a day the Moon does not rise
  std::optional<double> set;
};
// The rise and the set within each of `days` windows of one day, the first
// starting at `firstWindowJdUT` (the caller's civil day: its clock's midnight).
// Near the poles a day may hold two of a kind: the first is given.
std::vector<MoonRiseSet> moonRiseSets(double firstWindowJdUT, int days, GeoPosition where);

// ---- Ascending and descending moon: the Moon's apparent geocentric declination
// rising or falling.
bool moonAscending(double jdUT);
struct Lunistice {
  bool north = false;  // the northern extreme of declination (ascending ends), or the southern
  double jdUT = 0;
};
// Every extreme of declination at or after fromJdUT and before toJdUT, in time order.
std::vector<Lunistice> lunistices(double fromJdUT, double toJdUT);

// ---- Perigee and apogee: the least and greatest distances from the Earth's centre.
struct Apsis {
  bool perigee = false;
  double jdUT = 0;
  double distanceKm = 0;
};
// Every perigee and apogee at or after fromJdUT and before toJdUT, in time order.
std::vector<Apsis> apsides(double fromJdUT, double toJdUT);

}  // namespace astro
