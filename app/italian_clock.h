// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Italian clock. The almanac prints its times in ora solare (UTC+1) all year,
// as almanacs do; Italian clocks show ora legale (UTC+2) in summer. This is where
// each is known: which days are on ora legale, where the almanac's day begins,
// and how a time reads ("hh:mm"). Times travel as times and become text in a view.
#include <optional>
#include <string>
#include <string_view>

#include "astro/time_scales.h"
#include "calendar/calendar.h"

namespace app {

using astro::CivilTime;

inline constexpr int OraSolareOffset = 1;  // hours east of Greenwich
inline constexpr int OraLegaleOffset = 2;

// Whether Italian clocks show ora legale at noon of a day: the summers of 1916 to
// 1920, 1940 to 1948 and 1966 to 1980, then the European rules (from the last
// Sunday of March to the last Sunday of September, of October from 1996).
bool onOraLegale(const calendar::Date& date);

// The instant (Julian Day of UT) at which the almanac's day begins: its midnight
// in ora solare.
double dayStart(const calendar::Date& date);

// An instant read on the clock of UTC + `utcOffsetHours`, to the nearest minute
// but never past the end of its own day: the last half minute before midnight
// reads 23:59 of that day, not 00:00 of the next.
CivilTime clockReading(double jdUT, int utcOffsetHours);

// An instant read in ora solare.
CivilTime oraSolare(double jdUT);

// An instant as Italian clocks show it: in ora legale on its days.
struct ItalianTime {
  CivilTime time;
  int utcOffset = OraSolareOffset;
};
ItalianTime italianTime(double jdUT);

// A time of the almanac's sun, minutes of UT from 0 h UT of `day`, in ora solare
// and within that day (a time past midnight comes round to the day's start).
std::optional<CivilTime> sunClock(const calendar::Date& day, std::optional<int> minutesUT);

// The same time an hour later, as the clocks show it on a day of ora legale.
std::optional<CivilTime> oneHourLater(const std::optional<CivilTime>& time);

// "hh:mm"; "--:--" for none.
std::string hourText(const CivilTime& time);
std::string clockText(const std::optional<CivilTime>& time);

// The words that say which clock the almanac's times are on, for every sentence
// that says it.
inline constexpr std::string_view InOraSolare = "in ora solare (UTC+1)";

}  // namespace app
