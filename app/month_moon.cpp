// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/month_moon.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "app/italian_words.h"
#include "astro/apsides.h"
#include "astro/moon_series.h"
#include "astro/nodes.h"
#include "astro/rise_set.h"

namespace app {

MonthMoon::MonthMoon(int year, int month, int length, astro::GeoPosition where, astro::MonthPhases gridPhases,
                     astro::ZodiacSystem zodiac)
    : year_(year), month_(month), length_(length), where_(where), gridPhases_(std::move(gridPhases)), zodiac_(zodiac) {}

almanac::PlantPart plantPartOf(astro::ZodiacSign sign) {
  // The signs go fire, earth, air, water, round the circle from Ariete.
  constexpr almanac::PlantPart byElement[] = {almanac::PlantPart::Frutto, almanac::PlantPart::Radice,
                                              almanac::PlantPart::Fiore, almanac::PlantPart::Foglia};
  return byElement[static_cast<int>(sign) % 4];
}

double unfavourableHours(MoonEventKind kind) { return kind == MoonEventKind::Perigee ? 12 : 6; }

const char* moonEventName(MoonEventKind kind) {
  switch (kind) {
    case MoonEventKind::Perigee: return "perigeo";
    case MoonEventKind::Apogee: return "apogeo";
    case MoonEventKind::AscendingNode: return "nodo ascendente";
    case MoonEventKind::DescendingNode: break;
  }
  return "nodo discendente";
}

namespace {

// The Italian day of an instant, as the almanac's days run (ora solare).
bool onDay(double jdUT, int year, int month, int day) { return oraSolare(jdUT).date == calendar::Date{day, month, year}; }

// "alle 14:32" in Italian time, after `preposition` ("alle", "dalle"); "alle 22:12 del
// 5" when it is another day than `day`.
std::string atHour(double jdUT, int day, std::string_view preposition = "alle") {
  const CivilTime t = italianTime(jdUT).time;
  std::string text = std::string(preposition) + " " + hourText(t);
  if (t.date.day != day) {
    const std::string other = dayWithMonth("del", t.date.day, t.date.month);
    text += " " + other.substr(0, other.rfind(' '));  // the month is the same or the next: said by the day
  }
  return text;
}

}  // namespace

astro::ZodiacSign MonthTradition::signAt(double jdUT) const {
  astro::ZodiacSign sign = firstSign;
  for (const ZodiacEntryHour& e : entries)
    if (e.jdUT <= jdUT) sign = e.sign;
  return sign;
}

std::string plantPartText(const MonthTradition& t, int year, int month, int day) {
  if (day < 1 || day > static_cast<int>(t.partAtNoon.size())) return {};
  // The sign at the day's start, then each the Moon enters that day.
  const double start = dayStart({day, month, year});
  const astro::ZodiacSign sign = t.signAt(start);
  std::string text = "giorno di " + std::string(almanac::plantPartName(plantPartOf(sign))) + " (" + zodiacName(sign) + ")";
  for (const ZodiacEntryHour& e : t.entries)
    if (e.jdUT >= start && e.jdUT < start + 1)
      text += " e, " + atHour(e.jdUT, day, "dalle") + ", di " + std::string(almanac::plantPartName(e.part)) + " (" +
              zodiacName(e.sign) + ")";
  return text + ", " + zodiacSystemName(t.system);
}

std::string plantPartShortText(const MonthTradition& t, int year, int month, int day) {
  if (day < 1 || day > static_cast<int>(t.partAtNoon.size())) return {};
  const double start = dayStart({day, month, year});
  std::string text = "giorno di " + std::string(almanac::plantPartName(plantPartOf(t.signAt(start))));
  for (const ZodiacEntryHour& e : t.entries)
    if (e.jdUT >= start && e.jdUT < start + 1)
      text += ", di " + std::string(almanac::plantPartName(e.part)) + " " + atHour(e.jdUT, day, "dalle");
  return text;
}

std::string moonEventsText(const MonthTradition& t, int year, int month, int day) {
  std::string text;
  for (const MoonEvent& e : t.events) {
    if (!onDay(e.jdUT, year, month, day)) continue;
    const double width = unfavourableHours(e.kind) / 24;
    if (!text.empty()) text += "; ";
    text += std::string(moonEventName(e.kind)) + " " + atHour(e.jdUT, day) + ": ore sfavorevoli " +
            atHour(e.jdUT - width, day, "dalle") + " " + atHour(e.jdUT + width, day);
  }
  return text;
}

const MonthTradition& MonthMoon::tradition() const {
  if (tradition_) return *tradition_;
  tradition_.emplace();
  MonthTradition& t = *tradition_;
  t.system = zodiac_;
  if (length_ <= 0) return t;
  const double from = dayStart({1, month_, year_});
  const double to = from + length_;
  for (const astro::ZodiacEntry& e : astro::zodiacEntries(from, to, zodiac_))
    t.entries.push_back({e.sign, e.jdUT, plantPartOf(e.sign)});
  // The sign at each noon: the one the Moon stood in at the month's start, then each entry's.
  const double firstNoon = astro::julianDay({1, month_, year_}) + 0.5;
  t.firstSign = astro::zodiacAt(from, zodiac_);
  astro::ZodiacSign sign = t.firstSign;
  std::size_t next = 0;
  for (int d = 0; d < length_; ++d) {
    while (next < t.entries.size() && t.entries[next].jdUT <= firstNoon + d) sign = t.entries[next++].sign;
    t.partAtNoon.push_back(plantPartOf(sign));
  }
  // The events whose unfavourable hours touch the month are looked for a day beyond it.
  for (const astro::Apsis& a : astro::apsides(from - 1, to + 1))
    t.events.push_back({a.perigee ? MoonEventKind::Perigee : MoonEventKind::Apogee, a.jdUT});
  for (const astro::NodeCrossing& n : astro::nodeCrossings(from - 1, to + 1))
    t.events.push_back({n.ascending ? MoonEventKind::AscendingNode : MoonEventKind::DescendingNode, n.jdUT});
  std::sort(t.events.begin(), t.events.end(), [](const MoonEvent& a, const MoonEvent& b) { return a.jdUT < b.jdUT; });
  t.unfavourable.assign(static_cast<std::size_t>(length_), false);
  for (const MoonEvent& e : t.events) {
    const double width = unfavourableHours(e.kind) / 24;
    for (int d = 0; d < length_; ++d)
      if (e.jdUT - width < from + d + 1 && e.jdUT + width > from + d) t.unfavourable[static_cast<std::size_t>(d)] = true;
  }
  // Only the events of the month's own days are its events.
  std::erase_if(t.events, [&](const MoonEvent& e) { return e.jdUT < from || e.jdUT >= to; });
  return t;
}

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

std::string riseAndSet(const std::optional<CivilTime>& rise, const std::optional<CivilTime>& set) {
  return (rise ? "sorge alle " + hourText(*rise) : std::string("non sorge")) + " e " +
         (set ? "tramonta alle " + hourText(*set) : std::string("non tramonta"));
}

std::string onTheWatch(const std::optional<CivilTime>& rise, const std::optional<CivilTime>& set) {
  if (!rise && !set) return {};
  std::string text = "; gli orologi, in ora legale, segnano ";
  if (rise) text += hourText(*oneHourLater(rise));
  if (rise && set) text += " e ";
  if (set) text += hourText(*oneHourLater(set));
  return text;
}

std::string moonTimesSentence(const MoonDay& day, std::string_view placeName, bool legal) {
  return "La Luna " + riseAndSet(day.rise, day.set) + " a " + std::string(placeName) + ", " +
         std::string(InOraSolare) + (legal ? onTheWatch(day.rise, day.set) : std::string()) + ".";
}

}  // namespace app
