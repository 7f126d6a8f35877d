// SPDX-License-Identifier: GPL-3.0-or-later
// Easter and the feasts of the day, against Easter algorithms of their own and std::chrono date arithmetic.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <span>
#include <string>
#include <vector>

#include "almanac/feast_names.h"
#include "almanac/feast_table.h"
#include "almanac/movable_feasts.h"
#include "almanac/saints.h"
#include "calendar/calendar.h"

namespace {
using namespace almanac;
using namespace std::chrono;

// Gregorian Easter by the anonymous algorithm (Meeus/Jones/Butcher).
sys_days anonymousEaster(int y) {
  const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
  const int h = (19 * a + b - d - g + 15) % 30, i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int m = (a + 11 * h + 22 * l) / 451, n = h + l - 7 * m + 114;
  return year{y} / (n / 31) / (n % 31 + 1);
}

// Julian Easter by Meeus's Julian algorithm, counted from 1 March.
int meeusJulianEaster(int y) {
  const int d = (19 * (y % 19) + 15) % 30, e = (2 * (y % 4) + 4 * (y % 7) - d + 34) % 7, n = d + e + 114;
  return n % 31 + 1 + (n / 31 == 4 ? 31 : 0);
}

year_month_day easterPlus(int y, int offset) { return anonymousEaster(y) + days{offset}; }

TEST(MovableFeasts, EveryDateAgreesWithTheAnonymousAlgorithm) {
  for (int y = 1583; y <= 9999; ++y) {
    const MovableFeastDays f = movableFeasts(y);
    ASSERT_EQ(f.easterMarchDay, (anonymousEaster(y) - sys_days{year{y} / February / last}).count()) << y;
    for (const MovableFeastRow& row : MovableFeastTable) {
      if (row.feast == MovableFeast::JulianEaster) continue;
      const year_month_day want = easterPlus(y, row.daysFromEaster);
      ASSERT_EQ(unsigned(f.*row.day), unsigned(want.day())) << y << " feast " << int(row.feast);
      for (const FeastEntry& e : FeastTable)  // the month, as the feast table's rules pick it from the March count
        ASSERT_TRUE(e.rule == FeastRule::FixedDate || e.rule == FeastRule::SundayWithin || e.feast != row.feast ||
                    unsigned(e.monthFor(f.easterMarchDay)) == unsigned(want.month())) << y << " " << e.text;
    }
  }
}

TEST(MovableFeasts, AnyYearStaysInRange) {
  for (int y : {1, 99, 100, 325, 1582, 10000, 0, -1, -400, INT_MIN, INT_MAX}) {
    const MovableFeastDays f = movableFeasts(y);
    for (int q : {f.easterMarchDay, f.julianEasterMarchDay}) EXPECT_TRUE(q >= 22 && q <= 56) << y;
    for (const MovableFeastRow& row : MovableFeastTable) EXPECT_TRUE(f.*row.day >= 1 && f.*row.day <= 31) << y;
  }
}

constexpr const char* Palms = " (Domenica Delle Palme)";
constexpr const char* Shrove = " - (Martedì Grasso)";

FeastOfDay decide(int d, int m, int y) { return feastOfDay(d, m, y, movableFeasts(y), saintOfDay(m, d, y)); }
FeastOfDay decideAt(int y, int offset) {
  const year_month_day date = easterPlus(y, offset);
  return decide(int(unsigned(date.day())), int(unsigned(date.month())), y);
}

// A day shows a feast (bold, red), or its saint with an optional note and the cell as it was.
struct Outcome { const char* feast = nullptr; const char* note = ""; };
constexpr Outcome plain{};
constexpr Outcome feast(const char* text) { return {text, ""}; }
constexpr Outcome withNote(const char* note) { return {nullptr, note}; }

void expectOutcome(int d, int m, int y, const Outcome& want) {
  const FeastOfDay got = decide(d, m, y);
  const std::string where = std::to_string(d) + "/" + std::to_string(m) + "/" + std::to_string(y);
  EXPECT_EQ(got.text, want.feast ? want.feast : std::string(saintOfDay(m, d, y)) + want.note) << where;
  EXPECT_EQ(got.boldRed, want.feast != nullptr) << where;
}
void expectAt(int y, int offset, const Outcome& want) {
  const year_month_day date = easterPlus(y, offset);
  expectOutcome(int(unsigned(date.day())), int(unsigned(date.month())), y, want);
}

TEST(FeastOfDay, WhereFeastsMeet) {
  struct Case { int d, m, y; Outcome want; } cases[] = {
      // Later entries win: Liberazione over Easter Monday, the June Sundays over Pentecost, Trinity and
      // Corpus Domini, the Apostles over the Heart; Palm Sunday on S.Giuseppe drops the note.
      {25, 4, 2011, feast("Liberazione")}, {25, 4, 2038, feast("Liberazione")}, {25, 4, 1943, feast("Pasqua")},
      {3, 6, 1906, feast("Festa dello Statuto")}, {2, 6, 1987, plain}, {19, 3, 1967, feast("S.Giuseppe")},
      {3, 6, 1979, feast("Festa della Repubblica")}, {5, 6, 1983, feast("Festa della Repubblica")},
      {1, 6, 1980, feast("Festa della Repubblica")}, {2, 6, 1985, feast("Festa della Repubblica")},
      {29, 6, 1962, feast("S.Pietro e Paolo")}, {29, 6, 1984, feast("S.Cuore di Gesù")},
      {4, 11, 2001, feast("Festa Unità Nazionale")}, {5, 11, 2000, feast("Festa Forze Armate")},
      {4, 11, 1925, feast("Battaglia V.Veneto")}, {4, 11, 1931, feast("Ann.Vittoria")},
      {1, 0, 2026, plain}, {1, 13, 2026, plain}, {0, 1, 2026, plain},  // no day of the calendar
  };
  for (const Case& c : cases) expectOutcome(c.d, c.m, c.y, c.want);
}

// The years are inclusive at both ends; several feasts have gaps. Month 0: `d` days from Easter.
TEST(FeastOfDay, YearsOfTheFeasts) {
  struct Case { int d, m; const char* text; std::vector<int> kept, notKept; } cases[] = {
      {1, 1, "Capodanno", {1900, 4099}, {1899, 4100}}, {0, 0, "Pasqua", {1900, 4099}, {1899, 4100}},
      {6, 1, "Epifania", {1900, 1976, 1986, 4099}, {1899, 1977, 1985, 4100}},
      {2, 6, "Festa della Repubblica", {1947, 1949, 1976, 1986, 2001, 9999}, {1946, 1948, 1977, 1984, 1999}},
      {4, 10, "S.Francesco d'Assisi, patrono d'Italia", {2026, 2027, 9999}, {1900, 2025}},  // whatever the weekday
      {8, 12, "Immacolata Concezione", {1900, 1913, 1924, 9999}, {1899, 1914, 1923}},
      {39, 0, "Ascensione", {1900, 1976}, {1899, 1977}}, {42, 0, "Ascensione", {1977, 9999}, {1976}},
      {60, 0, "Corpus Domini", {1900, 1913, 1924, 1976}, {1899, 1914, 1923, 1977}},
      {63, 0, "Corpus Domini", {1977, 9999}, {1976}}, {49, 0, "Pentecoste", {1901, 9999}, {1899}},  // 1900: Statuto
  };
  for (const Case& c : cases) {
    const auto at = [&](int y) { return c.m ? decide(c.d, c.m, y) : decideAt(y, c.d); };
    for (int y : c.kept) EXPECT_TRUE(at(y).boldRed && at(y).text == c.text) << c.text << " " << y;
    // Some saints bear the feast's own name ("Capodanno"): a feast is kept only when also marked.
    for (int y : c.notKept) EXPECT_FALSE(at(y).boldRed && at(y).text == c.text) << c.text << " " << y;
  }
}

// Julian Easter by its own computus in every year, a feast from 326 to 1582 only.
TEST(MovableFeasts, JulianEasterAgreesWithMeeus) {
  for (int y = 1; y <= 9999; ++y) {
    const MovableFeastDays f = movableFeasts(y);
    const int q = meeusJulianEaster(y), day = q <= 31 ? q : q - 31;
    ASSERT_TRUE(f.julianEasterMarchDay == q && f.julianEasterDay == day) << y;
    if (y >= 300 && y <= 1600) expectOutcome(day, 3 + (q > 31), y, y >= 326 && y <= 1582 ? feast("Pasqua") : plain);
  }
}

TEST(FeastOfDay, SundaysWithinTheirDaysOnly) {
  for (int y : {1981, 2026})  // 1 November a Sunday: the Sunday feast of 2..7 November is the next one
    for (int d = 1; d <= 30; ++d) expectOutcome(d, 11, y, d == 1 ? feast("Tutti i Santi") : plain);
  for (int y = 1960; y <= 2100; ++y)
    for (int d = 7; d <= 13; ++d)
      expectOutcome(d, 1, y, y >= 1970 && calendar::weekday(d, 1, y) == 1 ? feast("Battesimo di Gesù") : plain);
}

// No feast shares a Sunday of 7..13 January: one more entry shows that the Baptism yields to an earlier match.
TEST(FeastOfDay, BaptismYieldsToAnEarlierMatch) {
  const FeastEntry extra{.text = "Prova", .month = 1, .firstDay = 11, .lastDay = 11, .years = {{{1900, 2100}}}};
  std::vector<FeastEntry> before{extra}, after(FeastTable.begin(), FeastTable.end());
  before.insert(before.end(), FeastTable.begin(), FeastTable.end());
  after.push_back(extra);
  for (const auto& [table, want] : {std::pair<std::span<const FeastEntry>, const char*>{FeastTable, "Battesimo di Gesù"},
                                    {before, "Prova"}, {after, "Prova"}})
    EXPECT_EQ(applyFeastTable(table, 11, 1, 1970, movableFeasts(1970), "S.Igino").text, want);
}

TEST(FeastOfDay, PalmSundayAndShroveTuesdayNotes) {
  for (int y = 1583; y <= 9999; ++y) {
    expectAt(y, -47, withNote(Shrove));
    ASSERT_EQ(decideAt(y, -46).text.find(Shrove), std::string::npos) << y;
    if (y < 1895 || y > 4105) continue;
    const FeastOfDay palm = decideAt(y, -7);
    if (palm.boldRed && y >= 1929 && y <= 1976)
      EXPECT_EQ(palm.text, "S.Giuseppe") << y;  // only 19 March outranks it
    else
      expectAt(y, -7, y < 1900 || y > 4099 ? plain : withNote(Palms));
    for (int other : {-8, -6}) EXPECT_EQ(decideAt(y, other).text.find(Palms), std::string::npos) << y;
  }
}

}  // namespace
