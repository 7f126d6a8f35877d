// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/month_moon.h"

#include <cmath>
#include <limits>
#include <utility>

#include "app/italian_words.h"
#include "astro/moon_series.h"
#include "astro/rise_set.h"

namespace app {

MonthMoon::MonthMoon(int year, int month, int length, astro::GeoPosition where, astro::MonthPhases gridPhases)
    : year_(year), month_(month), length_(length), where_(where), gridPhases_(std::move(gridPhases)) {}

const std::vector<MoonDay>& MonthMoon::days() const {
  if (days_) return *days_;
  days_.emplace();
  if (length_ <= 0) return *days_;
  const calendar::Date first{1, month_, year_};
  const auto riseSets = astro::moonRiseSets(dayStart(first), length_, where_);
  const double firstJd = astro::julianDay(first);
  for (int d = 0; d < length_; ++d) {
    MoonDay day;
    const auto& rs = riseSets[static_cast<std::size_t>(d)];
    if (rs.rise) day.rise = oraSolare(*rs.rise);
    if (rs.set) day.set = oraSolare(*rs.set);
    day.ascending = astro::moonAscending(firstJd + d + 0.5);
    days_->push_back(day);
  }
  return *days_;
}

const std::vector<PhaseHour>& MonthMoon::phases() const {
  if (phases_) return *phases_;
  phases_.emplace();
  const auto& grid = gridPhases_.phases;
  if (grid.empty()) return *phases_;
  // Each phase the grid marks, with the instant of the same phase nearest to
  // the one the almanac's own formulae give (a true phase is within a day of it).
  const auto moments = astro::phaseMoments(grid.front().jd - 3, grid.back().jd + 3);
  for (const astro::PhaseDay& phase : grid) {
    double best = std::numeric_limits<double>::quiet_NaN();
    for (const astro::PhaseMoment& m : moments)
      if (m.kind == phase.kind && !(std::fabs(m.jdUT - phase.jd) >= std::fabs(best - phase.jd))) best = m.jdUT;
    if (!std::isnan(best)) phases_->push_back({phase.kind, phase.day, best});
  }
  return *phases_;
}

const char* risingWord(bool ascending) { return ascending ? "ascendente" : "discendente"; }

std::string moonDayText(const MoonDay& day, bool legal) {
  std::string text = "Luna: " + (day.rise ? "sorge " + clockText(day.rise) : std::string("non sorge")) + ", " +
                     (day.set ? "tramonta " + clockText(day.set) : std::string("non tramonta"));
  // The clocks' times are said where they are not the almanac's.
  if (legal && (day.rise || day.set))
    text += " (orologi " + (day.rise ? clockText(oneHourLater(day.rise)) : std::string("-")) + " e " +
            (day.set ? clockText(oneHourLater(day.set)) : std::string("-")) + ")";
  return text + ", " + risingWord(day.ascending);
}

std::string phaseHourText(const PhaseHour& phase, PhaseDays phaseDays) {
  const ItalianTime italian = italianTime(phase.jdUT);
  std::string text = std::string(phaseName(phase.kind)) + " alle " + hourText(italian.time) + " " +
                     dayWithMonth("del", italian.time.date.day, italian.time.date.month);
  if (italian.utcOffset == OraLegaleOffset) text += ", ora legale";
  if (phaseDays == PhaseDays::Greenwich && italian.time.date.day != phase.gridDay) {
    const CivilTime greenwich = clockReading(phase.jdUT, 0);
    // The month is said again only when it is another one.
    std::string day = dayWithMonth("del", greenwich.date.day, greenwich.date.month);
    if (greenwich.date.month == italian.time.date.month) day.resize(day.rfind(' '));
    text += " (Greenwich: " + hourText(greenwich) + " " + day + ")";
  }
  return text;
}

std::string moonTimesSentence(const MoonDay& day, std::string_view placeName, bool legal) {
  std::string text = std::string("La Luna ") + (day.rise ? "sorge alle " + hourText(*day.rise) : "non sorge") + " e " +
                     (day.set ? "tramonta alle " + hourText(*day.set) : "non tramonta") + " a " +
                     std::string(placeName) + ", " + std::string(InOraSolare);
  if (legal && (day.rise || day.set)) {
    text += "; gli orologi, in ora legale, segnano ";
    if (day.rise) text += hourText(*oneHourLater(day.rise));
    if (day.rise && day.set) text += " e ";
    if (day.set) text += hourText(*oneHourLater(day.set));
  }
  return text + ".";
}

}  // namespace app
