// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One month of the almanac at a place, computed once: what each day row, the
// day panel, the printer, the printed page and the phone calendar show of it,
// and its moon to the minute, worked out when first asked.
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "almanac/movable_feasts.h"
#include "app/italian_clock.h"
#include "app/italian_words.h"
#include "app/month_moon.h"
#include "app/place.h"
#include "app/view_model.h"
#include "astro/moon_phases.h"

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

// How the almanac reckons a month: the choices a gardener makes once and the
// almanac remembers.
struct Reckoning {
  PhaseDays phaseDays = PhaseDays::Greenwich;
  // The Moon's place by the real constellations of the zodiac, as biodynamic
  // calendars give it, or by the twelve 30° signs of traditional lunari.
  astro::ZodiacSystem zodiac = astro::ZodiacSystem::Constellations;
  friend bool operator==(const Reckoning&, const Reckoning&) = default;
};

struct DaySheet {
  int day = 0;
  int weekday = 1;               // 1 = Sunday
  std::string label;             // the day row: "  7 V", "10 D"
  std::string saintOrFeast;      // the panel's text: the saint of the day or the feast
  bool feast = false;            // a feast of the calendar, or the place's own holiday
  bool patronHoliday = false;    // the place's own holiday: its patron's day
  bool boldRed = false;          // a Sunday or a feast: the row is bold and red
  int icon = resources::None;    // the phase icon of the row
  PhaseMark mark = PhaseMark::Neutral;
  std::optional<CivilTime> sunrise, sunset;  // at the month's place, in ora solare
  const char* weekdayName() const { return WeekdayNames[static_cast<std::size_t>(weekday - 1)]; }
};

struct MonthSheet {
  int year = 0;
  int month = 0;
  Place place;
  Reckoning reckoning;
  std::string title;                // "MARZO 2026"
  std::string_view notesDocument;   // "Mar.rtf"
  astro::MonthPhases phases;
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

  // The month's moon to the minute at its place.
  const MonthMoon& moon() const { return *moon_; }
  // The same, for a view that keeps what it drew from it and must know when it changes.
  const std::shared_ptr<const MonthMoon>& sharedMoon() const { return moon_; }
  // The moon already worked out for the same month and place, so that a month
  // computed again does not work it out again.
  void keepMoonOf(const MonthSheet& earlier);

 private:
  friend MonthSheet sheetOf(int year, int month, const Place& place, const Reckoning& reckoning);
  std::shared_ptr<const MonthMoon> moon_ = std::make_shared<const MonthMoon>(0, 0, 0, astro::GeoPosition{},
                                                                              astro::MonthPhases{});
};

// The month at a place.
MonthSheet sheetOf(int year, int month, const Place& place, const Reckoning& reckoning = {});
// The twelve months of a year at a place.
std::vector<MonthSheet> monthsOfYear(int year, const Place& place, const Reckoning& reckoning = {});

// The principal phases whose day on Italian clocks lies in the month, at their
// true instants.
astro::MonthPhases italianPhaseDays(int month, int year);

}  // namespace app
