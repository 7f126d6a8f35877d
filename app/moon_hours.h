// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The moon to the minute, beside the month's sheet: moonrise and moonset at the
// sheet's place, the ascending or descending moon of each day, and the hour of
// each principal phase the grid marks. Worked out by the views that show them,
// not by every redraw: they cost several times a month's sheet.
#include <optional>
#include <string>
#include <vector>

#include "app/month_sheet.h"
#include "app/year_calendar.h"
#include "astro/moon_series.h"
#include "astro/phases.h"
#include "astro/rise_set.h"
#include "astro/time_scales.h"

namespace app {

struct MoonDay {
  std::optional<astro::CivilTime> rise;  // in ora solare (UTC+1); none on a day without one
  std::optional<astro::CivilTime> set;
  bool ascending = false;  // the Moon's declination rising at 12:00 UT
};

// A principal phase as the grid marks it (on its Greenwich day, by the almanac's
// own formulae), with the instant the precise model gives it.
struct PhaseHour {
  astro::PhaseKind kind{};
  int gridDay = 0;
  double jdUT = 0;
};

struct MoonMonth {
  std::vector<MoonDay> days;       // days 1..length of the sheet
  std::vector<PhaseHour> phases;   // the grid's phases of the month, in time order
};

MoonMonth moonMonthOf(const MonthSheet& sheet);
// The phases alone.
std::vector<PhaseHour> phaseHoursOf(const MonthSheet& sheet);

// "hh:mm"; "--:--" for none.
std::string clockText(const std::optional<astro::CivilTime>& time);
// Minutes of Universal Time from the day's 0 h as "hh:mm" of that day in ora
// solare (UTC+1); "--:--" for none.
std::string solarClockText(std::optional<int> minutesUT);
// The same time an hour later, as the clocks show it on a day of ora legale.
std::optional<astro::CivilTime> oneHourLater(const std::optional<astro::CivilTime>& time);

// "ascendente", "discendente".
const char* risingWord(bool ascending);

// What a day row says of the Moon: "Luna: sorge 07:12, tramonta 18:40, ascendente";
// with `legal` (the clocks on ora legale that day) also the clocks' times.
std::string moonDayText(const MoonDay& day, bool legal);

// An instant on the Italian clock: ora solare (UTC+1), or ora legale (UTC+2) on
// the days `summer` names.
struct ItalianTime {
  astro::CivilTime time;
  int utcOffset = 1;
};
ItalianTime italianTime(double jdUT, const SummerTime& summer);

// "Luna piena alle 00:23 del 21 febbraio, ora italiana; 23:23 del 20 a Greenwich":
// the hour in Italian time (ora legale when `summer` says so), and, when the date
// there is not the day the grid marks, the Greenwich time and day it is drawn on.
std::string phaseHourText(const PhaseHour& phase, const SummerTime& summer);

}  // namespace app
