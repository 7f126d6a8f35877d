// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/month_sheet.h"

#include "almanac/feast_names.h"
#include "almanac/patron_holidays.h"
#include "almanac/saints.h"
#include "app/moon_hours.h"
#include "calendar/calendar.h"

namespace app {

namespace {

// The icon of day d: a grid row takes the phases in this order, the last match winning.
int iconOfDay(const astro::MonthPhases& phases, int d) {
  static constexpr astro::PhaseKind matchOrder[] = {astro::PhaseKind::FullMoon, astro::PhaseKind::FirstQuarter,
                                                    astro::PhaseKind::LastQuarter, astro::PhaseKind::NewMoon};
  int icon = resources::None;
  for (const auto kind : matchOrder)
    for (const auto& phase : phases.phases)
      if (phase.kind == kind && phase.day == d) icon = iconOf(kind);
  return icon;
}

}  // namespace

PhaseMark phaseMarkOf(const astro::MonthPhases& phases, int d) {
  astro::PhaseKind last = phases.lastBeforeMonth;
  for (const auto& phase : phases.phases) {
    if (phase.kind != astro::PhaseKind::NewMoon && phase.kind != astro::PhaseKind::FullMoon) continue;
    if (phase.day == d) return PhaseMark::Neutral;
    if (phase.day < d) last = phase.kind;
  }
  return last == astro::PhaseKind::NewMoon ? PhaseMark::Waxing : PhaseMark::Waning;
}

int iconOf(astro::PhaseKind kind) {
  switch (kind) {
    case astro::PhaseKind::NewMoon: return resources::NewMoon;
    case astro::PhaseKind::FirstQuarter: return resources::FirstQuarter;
    case astro::PhaseKind::FullMoon: return resources::FullMoon;
    case astro::PhaseKind::LastQuarter: return resources::LastQuarter;
  }
  return resources::None;
}

std::optional<astro::PhaseKind> phaseOfIcon(int resource) {
  for (auto kind : {astro::PhaseKind::NewMoon, astro::PhaseKind::FirstQuarter, astro::PhaseKind::FullMoon,
                    astro::PhaseKind::LastQuarter})
    if (iconOf(kind) == resource) return kind;
  return std::nullopt;
}

MonthSheet sheetOf(int year, int month, std::string_view cityName, std::string_view cityCode) {
  // A place of the table keeps its own holiday.
  const std::optional<int> cityRow = findCity(cityName);
  MonthSheet s;
  s.year = year;
  s.month = month;
  s.cityName = cityName;
  s.cityCode = cityCode;
  if (month < 1 || month > 12) return s;
  const auto m = static_cast<std::size_t>(month - 1);
  s.title = std::string(MonthNames[m]) + " " + std::to_string(year);
  s.notesDocument = NotesDocuments[m];

  s.phases = astro::PhaseDaysOfMonth(month, year);
  for (const auto& phase : s.phases.phases) {
    if (phase.kind == astro::PhaseKind::NewMoon && s.NewMoonStamp.empty())
      s.NewMoonStamp = std::to_string(year) + calendar::zeroPadded(month, 2) + calendar::zeroPadded(phase.day, 2);
    if (phase.kind == astro::PhaseKind::FullMoon && s.FullMoonDay == 0) s.FullMoonDay = phase.day;
  }
  for (int d = 1; d <= 32; ++d) s.marks[static_cast<std::size_t>(d)] = phaseMarkOf(s.phases, d);
  for (int d = 1; d <= 31; ++d) s.icons[static_cast<std::size_t>(d)] = iconOfDay(s.phases, d);

  s.feasts = almanac::movableFeasts(year);
  for (int d = 1; d <= almanac::listedSaintDays(month); ++d) s.saints[static_cast<std::size_t>(d)] = almanac::saintOfDay(month, d, year);

  const astro::GeoPosition where = positionOfCityCode(cityCode);
  const int length = calendar::daysInMonth(month, year);
  s.days.reserve(static_cast<std::size_t>(length));
  for (int d = 1; d <= length; ++d) {
    const auto k = static_cast<std::size_t>(d);
    DaySheet day;
    day.day = d;
    day.weekday = calendar::weekday(d, month, year);
    day.label = dayRowLabel(d, day.weekday);
    auto feast = almanac::feastOfDay(d, month, year, s.feasts, s.saints[k]);
    // The place's own holiday is a feast there, and says whose day it is.
    const auto patron = cityRow ? almanac::patronHolidayOn(*cityRow, d, month, year, s.feasts) : std::nullopt;
    day.santo = almanac::patronHolidayText(feast.santo, patron);
    day.feast = feast.boldRed || patron.has_value();
    day.patronHoliday = patron.has_value();
    day.boldRed = day.weekday == 1 || day.feast;
    day.icon = s.icons[k];
    day.mark = s.marks[k];
    day.sun = sunClockOf({d, month, year}, where);
    s.days.push_back(std::move(day));
  }
  return s;
}

SunClock sunClockOf(const calendar::Date& date, astro::GeoPosition where) {
  const astro::SunTimes sun = astro::sunTimes(date, where);
  return {solarClockText(sun.rise), solarClockText(sun.set)};
}

MonthSheet sheetOf(int year, int month, int cityRow) {
  const bool inTable = cityRow >= 0 && cityRow < static_cast<int>(CityTable.size());
  const int row = inTable ? cityRow : DefaultCity;
  const CityRow& city = CityTable[static_cast<std::size_t>(row)];
  MonthSheet s = sheetOf(year, month, city.name, city.code);
  s.cityRow = row;
  return s;
}

}  // namespace app
