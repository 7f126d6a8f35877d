// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/month_sheet.h"

#include "almanac/feast_names.h"
#include "almanac/patron_holidays.h"
#include "almanac/saints.h"
#include "astro/sun_times.h"
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

astro::MonthPhases italianPhaseDays(int month, int year) {
  astro::MonthPhases result;
  if (month < 1 || month > 12) return result;
  const calendar::Date first{1, month, year};
  const double start = astro::julianDay(first);
  // A new or full moon comes at least every sixteen days: twenty days before the
  // month hold the last one before it.
  for (const astro::PhaseMoment& m : astro::phaseMoments(start - 20, start + calendar::daysInMonth(month, year) + 1)) {
    const calendar::Date day = italianTime(m.jdUT).time.date;
    const bool newOrFull = m.kind == astro::PhaseKind::NewMoon || m.kind == astro::PhaseKind::FullMoon;
    if (day < first) {
      if (newOrFull) result.lastBeforeMonth = m.kind;
    } else if (day.month == month && day.year == year) {
      result.phases.push_back({day.day, m.kind, m.jdUT});
    }
  }
  return result;
}

MonthSheet sheetOf(int year, int month, const Place& place, const Reckoning& reckoning) {
  MonthSheet s;
  s.year = year;
  s.month = month;
  s.place = place;
  s.reckoning = reckoning;
  if (month < 1 || month > 12) return s;
  const auto m = static_cast<std::size_t>(month - 1);
  s.title = std::string(MonthNames[m]) + " " + std::to_string(year);
  s.notesDocument = NotesDocuments[m];

  s.phases = reckoning.phaseDays == PhaseDays::Italian ? italianPhaseDays(month, year)
                                                       : astro::phaseDaysOfMonth(month, year);
  for (int d = 1; d <= 32; ++d) s.marks[static_cast<std::size_t>(d)] = phaseMarkOf(s.phases, d);
  for (int d = 1; d <= 31; ++d) s.icons[static_cast<std::size_t>(d)] = iconOfDay(s.phases, d);

  s.feasts = almanac::movableFeasts(year);
  for (int d = 1; d <= almanac::listedSaintDays(month); ++d) s.saints[static_cast<std::size_t>(d)] = almanac::saintOfDay(month, d, year);

  const int length = calendar::daysInMonth(month, year);
  s.days.reserve(static_cast<std::size_t>(length));
  for (int d = 1; d <= length; ++d) {
    const auto k = static_cast<std::size_t>(d);
    const calendar::Date date{d, month, year};
    DaySheet day;
    day.day = d;
    day.weekday = calendar::weekday(d, month, year);
    day.label = dayRowLabel(d, day.weekday);
    auto feast = almanac::feastOfDay(d, month, year, s.feasts, s.saints[k]);
    // The place's own holiday is a feast there, and says whose day it is.
    const auto patron = place.patron ? almanac::patronHolidayOn(*place.patron, d, month, year, s.feasts) : std::nullopt;
    day.saintOrFeast = almanac::patronHolidayText(feast.text, patron);
    day.feast = feast.boldRed || patron.has_value();
    day.patronHoliday = patron.has_value();
    day.boldRed = day.weekday == 1 || day.feast;
    day.icon = s.icons[k];
    day.mark = s.marks[k];
    const astro::SunTimes sun = astro::sunTimes(date, place.position);
    day.sunrise = sunClock(date, sun.rise);
    day.sunset = sunClock(date, sun.set);
    s.days.push_back(std::move(day));
  }
  s.moon_ = std::make_shared<const MonthMoon>(year, month, length, place.position, s.phases, reckoning.zodiac);
  return s;
}

void MonthSheet::keepMoonOf(const MonthSheet& earlier) {
  if (earlier.moon_ && earlier.moon_->isOf(year, month, place.position) && earlier.length() == length() &&
      earlier.reckoning == reckoning)
    moon_ = earlier.moon_;
}

std::vector<MonthSheet> monthsOfYear(int year, const Place& place, const Reckoning& reckoning) {
  std::vector<MonthSheet> months;
  months.reserve(12);
  for (int month = 1; month <= 12; ++month) months.push_back(sheetOf(year, month, place, reckoning));
  return months;
}

}  // namespace app
