// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One month of the almanac, computed once: what each day row, the day panel, the
// printer, the printed page and the phone calendar show of it.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "almanac/movable_feasts.h"
#include "app/city_table.h"
#include "app/italian_words.h"
#include "app/view_model.h"
#include "astro/moon_phases.h"
#include "astro/sun_times.h"
#include "calendar/calendar.h"

namespace app {

// The bar colour of a moon mark.
constexpr Rgb colourOf(PhaseMark mark) {
  return mark == PhaseMark::Waxing ? colours::Waxing : mark == PhaseMark::Waning ? colours::Waning : colours::Neutral;
}

// Moon mark of position d (1..32) of a month with these phases: neutral on a new
// or full moon; otherwise after the last new or full moon before that day, from
// an earlier month if need be.
PhaseMark phaseMarkOf(const astro::MonthPhases& phases, int d);

// The icon of a principal phase, and the phase an icon shows.
int iconOf(astro::PhaseKind kind);
std::optional<astro::PhaseKind> phaseOfIcon(int resource);

// Sunrise and sunset as a day row shows them: "hh:mm" in ora solare, "--:--" for none.
struct SunClock {
  std::string sorge;
  std::string tramonta;
};
SunClock sunClockOf(const calendar::Date& date, astro::GeoPosition where);

struct DaySheet {
  int day = 0;
  int weekday = 1;             // 1 = Sunday
  std::string label;           // the day row: "  7 V", "10 D"
  std::string santo;           // the panel's text: the saint of the day or the feast
  bool feast = false;          // a feast of the calendar, or the place's own holiday
  bool patronHoliday = false;  // the place's own holiday: its patron's day
  bool boldRed = false;        // a Sunday or a feast: the row is bold and red
  int icon = resources::None;  // the phase icon of the row
  PhaseMark mark = PhaseMark::Neutral;
  SunClock sun;                // at the sheet's city
  const char* weekdayName() const { return WeekdayNames[static_cast<std::size_t>(weekday - 1)]; }
};

struct MonthSheet {
  int year = 0;
  int month = 0;
  int cityRow = -1;  // the row of CityTable, or -1 for a place given by its code
  std::string_view cityName, cityCode;
  std::string title;                // "MARZO 2026"
  std::string_view notesDocument;   // "Mar.rtf"
  astro::MonthPhases phases;
  int FullMoonDay = 0;              // day of the month's full moon; 0 when it has none
  std::string NewMoonStamp;         // its new moon as year, month, day ("20261209"); empty when none
  almanac::MovableFeastDays feasts;
  // The saint of each listed day 1..31 before any feast (almanac::listedSaintDays).
  std::array<std::string_view, 32> saints{};
  // The phase icon of each day 1..31, also of a phase day past the month's last row.
  std::array<int, 32> icons{};
  // Moon mark of positions 1..32: the day bars, and after the month's last phase.
  std::array<PhaseMark, 33> marks{};
  std::vector<DaySheet> days;       // days 1..length

  int length() const { return static_cast<int>(days.size()); }
  // The panel's tile shows the moon of the day it shows.
  PhaseMark panelBackground(int selectedDay) const {
    return marks[static_cast<std::size_t>(selectedDay >= 1 && selectedDay <= length() ? selectedDay : 1)];
  }
  bool isOf(int y, int m) const { return year == y && month == m; }
};

// The month at a city of the table (ROMA when the row is outside it).
MonthSheet sheetOf(int year, int month, int cityRow);
// The month at any place, by its name and 12-digit code.
MonthSheet sheetOf(int year, int month, std::string_view cityName, std::string_view cityCode);

}  // namespace app
