// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/moon_hours.h"

#include <cmath>
#include <limits>

#include "calendar/calendar.h"

namespace app {

namespace {

std::string hourText(const astro::CivilTime& t) {
  return calendar::zeroPadded(t.hour, 2) + ":" + calendar::zeroPadded(t.minute, 2);
}

}  // namespace

MoonMonth moonMonthOf(const MonthSheet& sheet) {
  MoonMonth moon;
  if (sheet.length() == 0) return moon;
  const calendar::Date first{1, sheet.month, sheet.year};
  const double firstJd = astro::julianDay(first);
  // The day of ora solare (UTC+1) begins at 23:00 UT of the day before.
  const auto riseSets = astro::moonRiseSets(firstJd - 1.0 / 24, sheet.length(), positionOfCityCode(sheet.cityCode));
  for (int d = 0; d < sheet.length(); ++d) {
    MoonDay day;
    const auto& rs = riseSets[static_cast<std::size_t>(d)];
    if (rs.rise) day.rise = astro::civilTime(*rs.rise, 1);
    if (rs.set) day.set = astro::civilTime(*rs.set, 1);
    day.ascending = astro::moonAscending(firstJd + d + 0.5);
    moon.days.push_back(day);
  }
  moon.phases = phaseHoursOf(sheet);
  return moon;
}

std::vector<PhaseHour> phaseHoursOf(const MonthSheet& sheet) {
  std::vector<PhaseHour> hours;
  if (sheet.phases.phases.empty()) return hours;
  // Each phase the grid marks, with the instant of the same phase nearest to
  // the one the almanac's own formulae give (a true phase is within a day of it).
  const auto moments =
      astro::phaseMoments(sheet.phases.phases.front().jd - 3, sheet.phases.phases.back().jd + 3);
  for (const astro::PhaseDay& phase : sheet.phases.phases) {
    double best = std::numeric_limits<double>::quiet_NaN();
    for (const astro::PhaseMoment& m : moments)
      if (m.kind == phase.kind && !(std::fabs(m.jdUT - phase.jd) >= std::fabs(best - phase.jd))) best = m.jdUT;
    if (!std::isnan(best)) hours.push_back({phase.kind, phase.day, best});
  }
  return hours;
}

std::string clockText(const std::optional<astro::CivilTime>& time) { return time ? hourText(*time) : "--:--"; }

std::string solarClockText(std::optional<int> minutesUT) {
  if (!minutesUT) return "--:--";
  const int minutes = ((*minutesUT + 60) % 1440 + 1440) % 1440;
  return calendar::zeroPadded(minutes / 60, 2) + ":" + calendar::zeroPadded(minutes % 60, 2);
}

std::optional<astro::CivilTime> oneHourLater(const std::optional<astro::CivilTime>& time) {
  if (!time) return std::nullopt;
  astro::CivilTime later = *time;
  if (++later.hour == 24) {
    later.hour = 0;
    later.date = calendar::addDays(later.date, 1);
  }
  return later;
}

const char* risingWord(bool ascending) { return ascending ? "ascendente" : "discendente"; }

std::string moonDayText(const MoonDay& day, bool legal) {
  const auto times = [](const std::optional<astro::CivilTime>& rise, const std::optional<astro::CivilTime>& set) {
    return (rise ? "sorge " + clockText(rise) : std::string("non sorge")) + ", " +
           (set ? "tramonta " + clockText(set) : std::string("non tramonta"));
  };
  std::string text = "Luna: " + times(day.rise, day.set) + " (ora solare";
  if (legal && (day.rise || day.set))
    text += "; in ora legale " + (day.rise ? clockText(oneHourLater(day.rise)) : std::string("-")) + " e " +
            (day.set ? clockText(oneHourLater(day.set)) : std::string("-"));
  return text + "), " + risingWord(day.ascending);
}

ItalianTime italianTime(double jdUT, const SummerTime& summer) {
  const astro::CivilTime solar = astro::civilTime(jdUT, 1);
  if (summer && summer(solar.date)) return {astro::civilTime(jdUT, 2), 2};
  return {solar, 1};
}

std::string phaseHourText(const PhaseHour& phase, const SummerTime& summer) {
  const astro::CivilTime italian = italianTime(phase.jdUT, summer).time;
  std::string text = std::string(phaseName(phase.kind)) + " alle " + hourText(italian) + " " +
                     dayWithMonth("del", italian.date.day, italian.date.month) + ", ora italiana";
  if (italian.date.day != phase.gridDay) {
    const astro::CivilTime greenwich = astro::civilTime(phase.jdUT, 0);
    // The month is said again only when it is another one.
    std::string day = dayWithMonth("del", greenwich.date.day, greenwich.date.month);
    if (greenwich.date.month == italian.date.month) day.resize(day.rfind(' '));
    text += "; " + hourText(greenwich) + " " + day + " a Greenwich";
  }
  return text;
}

}  // namespace app
