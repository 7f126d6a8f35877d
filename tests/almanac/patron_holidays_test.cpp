// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/patron_holidays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "almanac/feast_names.h"
#include "almanac/movable_feasts.h"
#include "almanac/saints.h"

namespace {
using namespace almanac;
using namespace std::chrono;

std::optional<PatronHolidayOfDay> holidayOn(std::string_view city, int d, int m, int y, const MovableFeastDays& f) {
  const auto h = patronHolidayOf(city);
  return h ? patronHolidayOn(*h, d, m, y, f) : std::nullopt;
}

bool holiday(std::string_view city, int d, int m, int y) { return holidayOn(city, d, m, y, movableFeasts(y)).has_value(); }

// The holiday falls on `want` and on no other day of its month (or of May and June).
void expectOnlyOn(std::string_view city, year_month_day want) {
  const int y = int(want.year());
  for (unsigned m : {unsigned(want.month()), 5u, 6u})
    for (unsigned d = 1; d <= unsigned((year{y} / month{m} / last).day()); ++d)
      EXPECT_EQ(holiday(city, int(d), int(m), y), year{y} / month{m} / day{d} == want)
          << city << " " << d << "/" << m << "/" << y;
}

TEST(PatronHoliday, RulesOfTheDay) {
  const struct { const char* city; year_month_day day; } fixed[] = {
      {"MILANO", 2026y / December / 7}, {"MILANO", 9999y / December / 7}, {"FORLI'", 1900y / February / 4},
      // The first Tuesday of May, on the first when May begins on a Tuesday; the first Sunday of September.
      {"ASTI", 2018y / May / 1}, {"ASTI", 2025y / May / 6}, {"ASTI", 2030y / May / 7},
      {"BRINDISI", 2024y / September / 1}, {"BRINDISI", 2026y / September / 6}};
  for (const auto& c : fixed) expectOnlyOn(c.city, c.day);
  // BOLZANO keeps Whit Monday, 50 days after Easter Sundays read from printed calendars.
  for (year_month_day easter : {1900y / April / 15, 2000y / April / 23, 2008y / March / 23, 2038y / April / 25})
    expectOnlyOn("BOLZANO", year_month_day{sys_days{easter} + days{50}});
  // Only from 1900 to 9999 and for the places of the table.
  EXPECT_FALSE(holiday("MILANO", 7, 12, 1899) || holiday("MILANO", 7, 12, 10000));
  EXPECT_FALSE(holiday("BOLZANO", 22, 5, 1899));  // Easter fell on 2 April 1899
  EXPECT_FALSE(patronHolidayOf("PARIGI") || patronHolidayOf("milano")) << "only the table's own spellings";
}

// The panel's text: the day's saint or national feast kept, the patron named once.
TEST(PatronHoliday, TextOfTheDay) {
  const struct { const char* city; int d, m, y; const char* want; } cases[] = {
      {"MILANO", 7, 12, 2026, "S.Ambrogio, patrono di Milano"}, {"L'AQUILA", 10, 6, 2026, "S.Massimo, patrono dell'Aquila"},
      {"ISERNIA", 19, 5, 2026, "S.Pietro C., patrono di Isernia"},
      {"VITERBO", 4, 9, 2026, "S.Rosalia - S.Rosa, patrona di Viterbo"},
      {"VENEZIA", 25, 4, 2026, "Liberazione - S.Marco, patrono di Venezia"},
      {"BOLOGNA", 4, 10, 2026, "S.Francesco d'Assisi, patrono d'Italia - S.Petronio, patrono di Bologna"},
      {"MASSA", 4, 10, 2026, "S.Francesco d'Assisi, patrono d'Italia e di Massa"},
      {"MASSA", 4, 10, 2025, "S.Francesco d'Assisi, patrono di Massa"},
      {"TORINO", 24, 6, 2026, "Natività S.Giov. Battista, patrono di Torino"},  // the feast of the patron names him
      {"RAGUSA", 29, 8, 2026, "Martirio S.Giov.Battista, patrono di Ragusa"},
      {"BOLZANO", 17, 5, 2027, "S.Pasquale - Lunedì di Pentecoste, festa della provincia di Bolzano"},
      {"ASTI", 1, 5, 2029, "Festa del Lavoro - S.Secondo, patrono di Asti"},
      {"BRINDISI", 6, 9, 2026, "S.Umberto - SS.Teodoro e Lorenzo, patroni di Brindisi"},
      {"LATINA", 6, 7, 1960, "S.Isaia prof. - S.Maria Goretti, patrona di Latina"},
      {"ROMA", 29, 6, 1960, "S.Pietro e Paolo, patroni di Roma"},  // the national feast, one S.
      {"FROSINONE", 20, 6, 1960, "S.Silverio - SS.Silverio e Ormisda, patroni di Frosinone"},
      {"LA SPEZIA", 19, 3, 1989, "S.Giuseppe (Domenica Delle Palme), patrono della Spezia"},
      {"TERNI", 14, 2, 2026, "SS.Cirillo e Metodio (San Valentino), patrono di Terni"},
  };
  for (const auto& c : cases) {
    const MovableFeastDays feasts = movableFeasts(c.y);
    const std::string day = feastOfDay(c.d, c.m, c.y, feasts, saintOfDay(c.m, c.d, c.y)).text;
    EXPECT_EQ(patronHolidayText(day, holidayOn(c.city, c.d, c.m, c.y, feasts)), c.want) << c.city;
  }
  EXPECT_EQ(patronHolidayText("S.Prova", std::nullopt), "S.Prova");
}

}  // namespace
