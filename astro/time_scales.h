// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Time in the precise model. Instants are Julian Days of Universal Time; the
// series run on Terrestrial Time, reached through Delta T. Dates are proleptic
// Gregorian, as everywhere in calendar::Date.
#include "calendar/calendar.h"

namespace astro {

inline constexpr double J2000 = 2451545.0;  // 2000 January 1, 12 h
inline constexpr double DaysPerJulianCentury = 36525;

// Julian Day at 0 h UT of a date.
double julianDay(const calendar::Date& date);

// A clock reading: the civil date and the time to the nearest minute (a time
// that rounds up to 24:00 reads 00:00 of the next day).
struct CivilTime {
  calendar::Date date;
  int hour = 0;
  int minute = 0;
};
// An instant read on the clock of UTC + utcOffsetHours. An instant that is not
// a number reads as Julian Day 0.
CivilTime civilTime(double jdUT, int utcOffsetHours);

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

// Julian centuries of Terrestrial Time since J2000.0 at an instant of Universal Time.
double centuriesTT(double jdUT);

}  // namespace astro
