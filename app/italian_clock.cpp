// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/italian_clock.h"

#include <array>

namespace app {

namespace {

// The summers of ora legale before the European rules, first and last day, as the
// time zone database (Europe/Rome) records them; made by scripts/make_ora_legale.py.
struct Summer {
  calendar::Date first, last;
};
constexpr std::array<Summer, 27> ItalianSummers{{
    {{4, 6, 1916}, {30, 9, 1916}},
    {{1, 4, 1917}, {30, 9, 1917}},
    {{10, 3, 1918}, {6, 10, 1918}},
    {{2, 3, 1919}, {4, 10, 1919}},
    {{21, 3, 1920}, {18, 9, 1920}},
    {{15, 6, 1940}, {1, 11, 1942}},
    {{29, 3, 1943}, {3, 10, 1943}},
    {{3, 4, 1944}, {16, 9, 1944}},
    {{2, 4, 1945}, {14, 9, 1945}},
    {{17, 3, 1946}, {5, 10, 1946}},
    {{16, 3, 1947}, {4, 10, 1947}},
    {{29, 2, 1948}, {2, 10, 1948}},
    {{22, 5, 1966}, {24, 9, 1966}},
    {{28, 5, 1967}, {23, 9, 1967}},
    {{26, 5, 1968}, {21, 9, 1968}},
    {{1, 6, 1969}, {27, 9, 1969}},
    {{31, 5, 1970}, {26, 9, 1970}},
    {{23, 5, 1971}, {25, 9, 1971}},
    {{28, 5, 1972}, {30, 9, 1972}},
    {{3, 6, 1973}, {29, 9, 1973}},
    {{26, 5, 1974}, {28, 9, 1974}},
    {{1, 6, 1975}, {27, 9, 1975}},
    {{30, 5, 1976}, {25, 9, 1976}},
    {{22, 5, 1977}, {24, 9, 1977}},
    {{28, 5, 1978}, {30, 9, 1978}},
    {{27, 5, 1979}, {29, 9, 1979}},
    {{6, 4, 1980}, {27, 9, 1980}},
}};
constexpr int FirstRuledYear = 1981;

constexpr bool summersInOrder() {
  for (std::size_t i = 0; i < ItalianSummers.size(); ++i) {
    if (ItalianSummers[i].last < ItalianSummers[i].first) return false;
    if (i > 0 && !(ItalianSummers[i - 1].last < ItalianSummers[i].first)) return false;
  }
  return ItalianSummers.back().last.year == FirstRuledYear - 1;
}
static_assert(summersInOrder());

// The last Sunday of a month.
calendar::Date lastSunday(int month, int year) {
  const int last = calendar::daysInMonth(month, year);
  return {last - (calendar::weekday(last, month, year) - 1), month, year};
}

}  // namespace

bool onOraLegale(const calendar::Date& date) {
  if (date.year < FirstRuledYear) {
    for (const Summer& s : ItalianSummers)
      if (!(date < s.first) && !(s.last < date)) return true;
    return false;
  }
  // The clocks go forward and back at 01:00 UT on those Sundays: at noon of the
  // first the clocks read ora legale, at noon of the second ora solare again.
  const int endMonth = date.year < 1996 ? 9 : 10;
  return !(date < lastSunday(3, date.year)) && date < lastSunday(endMonth, date.year);
}

double dayStart(const calendar::Date& date) { return astro::julianDay(date) - OraSolareOffset / 24.0; }

CivilTime clockReading(double jdUT, int utcOffsetHours) {
  const CivilTime rounded = astro::civilTime(jdUT, utcOffsetHours);
  // Half a minute earlier the reading rounds into the instant's own day.
  const CivilTime earlier = astro::civilTime(jdUT - 0.5 / 1440, utcOffsetHours);
  if (!(rounded.date == earlier.date)) return {earlier.date, 23, 59};
  return rounded;
}

CivilTime oraSolare(double jdUT) { return clockReading(jdUT, OraSolareOffset); }

ItalianTime italianTime(double jdUT) {
  const CivilTime solar = oraSolare(jdUT);
  if (onOraLegale(solar.date)) return {clockReading(jdUT, OraLegaleOffset), OraLegaleOffset};
  return {solar, OraSolareOffset};
}

std::optional<CivilTime> sunClock(const calendar::Date& day, std::optional<int> minutesUT) {
  if (!minutesUT) return std::nullopt;
  const long long minutes = *minutesUT + 60LL * OraSolareOffset;
  const long long inDay = minutes - calendar::floorDiv(minutes, 1440) * 1440;
  return CivilTime{day, static_cast<int>(inDay / 60), static_cast<int>(inDay % 60)};
}

std::optional<CivilTime> oneHourLater(const std::optional<CivilTime>& time) {
  if (!time) return std::nullopt;
  CivilTime later = *time;
  if (++later.hour == 24) {
    later.hour = 0;
    later.date = calendar::addDays(later.date, 1);
  }
  return later;
}

std::string hourText(const CivilTime& time) {
  return calendar::zeroPadded(time.hour, 2) + ":" + calendar::zeroPadded(time.minute, 2);
}

std::string clockText(const std::optional<CivilTime>& time) { return time ? hourText(*time) : "--:--"; }

}  // namespace app
