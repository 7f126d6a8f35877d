// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/feast_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "almanac/feast_table.h"
#include "almanac/movable_feasts.h"
#include "almanac/saints.h"
#include "calendar/calendar.h"
#include "easter_reference.h"

namespace {
using namespace almanac;
using almanac_test::easterPlus;

constexpr const char* Palms = " (Domenica Delle Palme)";
constexpr const char* Shrove = " - (Martedì Grasso)";

FeastOfDay decide(int day, int month, int year) {
  return feastOfDay(day, month, year, movableFeasts(year), saintOfDay(month, day, year));
}

// A day shows a feast (bold, red), or its saint with an optional note and the cell as it was.
struct Outcome {
  const char* feast = nullptr;
  const char* note = "";
};
constexpr Outcome plain{};
constexpr Outcome feast(const char* text) { return {text, ""}; }
constexpr Outcome withNote(const char* note) { return {nullptr, note}; }

void expectOutcome(int d, int m, int y, const Outcome& want) {
  const FeastOfDay got = decide(d, m, y);
  const std::string where = std::to_string(d) + "/" + std::to_string(m) + "/" + std::to_string(y);
  EXPECT_EQ(got.santo, want.feast ? want.feast : std::string(saintOfDay(m, d, y)) + want.note) << where;
  EXPECT_EQ(got.boldRed, want.feast != nullptr) << where;
}

TEST(FeastOfDay, ExamplesOfTheCalendar) {
  struct Case { int d, m, y; Outcome want; } cases[] = {
      {24, 4, 2011, feast("Pasqua")},         {25, 4, 2011, feast("Liberazione")},
      {5, 4, 2026, feast("Pasqua")},          {6, 4, 2026, feast("Lunedì dell'Angelo")},
      {22, 2, 2026, feast("I di Quaresima")}, {29, 3, 2026, withNote(Palms)},
      {28, 4, 2026, plain},                   {17, 2, 2026, withNote(Shrove)},
      {25, 2, 2020, withNote(Shrove)},        {1, 3, 2020, feast("I di Quaresima")},
      {3, 5, 2285, feast("Ascensione")},      {30, 4, 2285, plain},
      {19, 4, 1500, feast("Pasqua")},         {11, 4, 1700, plain},
      {1, 1, 1899, plain},                    {1, 1, 1900, feast("Capodanno")},
      {6, 1, 1980, plain},                    {6, 1, 1986, feast("Epifania")},
      {11, 1, 1970, feast("Battesimo di Gesù")}, {12, 1, 1969, plain},
      {2, 6, 1948, plain},                    {2, 6, 1986, feast("Festa della Repubblica")},
      {1, 6, 1980, feast("Festa della Repubblica")}, {2, 6, 1985, feast("Festa della Repubblica")},
      {2, 6, 1987, plain},                    {4, 11, 2001, feast("Festa Unità Nazionale")},
      {5, 11, 2000, feast("Festa Forze Armate")}, {4, 11, 1925, feast("Battaglia V.Veneto")},
      {4, 11, 1931, feast("Ann.Vittoria")},   {25, 4, 1943, feast("Pasqua")},
      {25, 4, 2038, feast("Liberazione")},
      // Later entries win: the June Sundays over Pentecost, Trinity, Corpus Domini; the Apostles over the Heart.
      {3, 6, 1906, feast("Festa dello Statuto")}, {2, 6, 1901, feast("Festa dello Statuto")},
      {3, 6, 1979, feast("Festa della Repubblica")}, {5, 6, 1983, feast("Festa della Repubblica")},
      {29, 6, 1962, feast("S.Pietro e Paolo")}, {29, 6, 1984, feast("S.Cuore di Gesù")},
      // Palm Sunday of 1967 is 19 March, S.Giuseppe: the feast drops the note.
      {19, 3, 1967, feast("S.Giuseppe")},
  };
  for (const Case& c : cases) expectOutcome(c.d, c.m, c.y, c.want);
}

// Easter of `y` moved by `offset` days.
FeastOfDay decideAt(int y, int offset) {
  const auto date = easterPlus(y, offset);
  return decide(almanac_test::dayOf(date), almanac_test::monthOf(date), y);
}
void expectAt(int y, int offset, const Outcome& want) {
  const auto date = easterPlus(y, offset);
  expectOutcome(almanac_test::dayOf(date), almanac_test::monthOf(date), y, want);
}

// Some saints bear the feast's own name ("Capodanno"): a feast is kept only when also marked.
bool keptAs(const FeastOfDay& got, const char* text) { return got.boldRed && got.santo == text; }

// The years of each entry are inclusive at both ends; several entries have gaps.
TEST(FeastOfDay, YearBoundsOfFixedFeasts) {
  struct Case { int d, m; const char* text; std::vector<int> kept, notKept; } cases[] = {
      {1, 1, "Capodanno", {1900, 4099}, {1899, 4100}},
      {6, 1, "Epifania", {1900, 1976, 1986, 4099}, {1899, 1977, 1985, 4100}},
      {2, 6, "Festa della Repubblica", {1947, 1949, 1976, 1986, 2001, 9999}, {1946, 1948, 1977, 1984, 1999}},
      {29, 6, "S.Pietro e Paolo", {1900, 1913, 1924, 1976}, {1899, 1914, 1923, 1977}},
      {8, 12, "Immacolata Concezione", {1900, 1913, 1924, 9999}, {1899, 1914, 1923}},
      {26, 12, "S.Stefano", {1949}, {1948}},
      // Kept on its date whatever the weekday: 2026 a Sunday, 2027 a Monday.
      {4, 10, "S.Francesco d'Assisi Patrono d'Italia", {2026, 2027, 9999}, {1900, 2025}},
  };
  for (const Case& c : cases) {
    for (int y : c.kept) expectOutcome(c.d, c.m, y, feast(c.text));
    for (int y : c.notKept) EXPECT_FALSE(keptAs(decide(c.d, c.m, y), c.text)) << c.text << " " << y;
  }
}

TEST(FeastOfDay, YearBoundsOfMovableFeasts) {
  struct Case { int offset; const char* text; std::vector<int> kept, notKept; } cases[] = {
      {0, "Pasqua", {1900, 4099}, {1899, 4100}},
      {-42, "I di Quaresima", {1900, 4099}, {1899, 4100}},
      {1, "Lunedì dell'Angelo", {1949, 4099}, {1948, 4100}},
      {39, "Ascensione", {1900, 1976}, {1899, 1977}},
      {42, "Ascensione", {1977, 9999}, {1976}},
      {49, "Pentecoste", {1901, 9999}, {1899}},  // 1900: 3 June, the Statuto's Sunday
      {56, "SS.Trinità", {1900, 9999}, {1899}},
      {68, "S.Cuore di Gesù", {1900, 9999}, {1899}},
      {60, "Corpus Domini", {1900, 1913, 1924, 1976}, {1899, 1914, 1923, 1977}},
      {63, "Corpus Domini", {1977, 9999}, {1976}},
  };
  for (const Case& c : cases) {
    for (int y : c.kept) expectAt(y, c.offset, feast(c.text));
    for (int y : c.notKept) EXPECT_FALSE(keptAs(decideAt(y, c.offset), c.text)) << c.text << " " << y;
  }
}

TEST(FeastOfDay, JulianEasterOnlyFrom326To1582) {
  for (int y = 300; y <= 1600; ++y) {
    const int p = almanac_test::meeusJulianEasterMarchCount(y);
    expectOutcome(p <= 31 ? p : p - 31, p <= 31 ? 3 : 4, y, y >= 326 && y <= 1582 ? feast("Pasqua") : plain);
  }
}

TEST(FeastOfDay, NovemberWhoseFirstDayIsSunday) {
  for (int y : {1981, 2026})
    for (int d = 1; d <= 30; ++d) expectOutcome(d, 11, y, d == 1 ? feast("Tutti i Santi") : plain);
}

TEST(FeastOfDay, BaptismOnTheSundayAfterEpiphany) {
  for (int y = 1960; y <= 2100; ++y)
    for (int d = 7; d <= 13; ++d)
      expectOutcome(d, 1, y, y >= 1970 && calendar::weekday(d, 1, y) == 1 ? feast("Battesimo di Gesù") : plain);
}

// No feast shares a Sunday of 7..13 January: one more entry shows that the Baptism yields to an earlier match.
TEST(FeastOfDay, BaptismYieldsToAnEarlierMatch) {
  std::vector<FeastEntry> table(FeastTable.begin(), FeastTable.end());
  const FeastEntry extra{.text = "Prova", .month = 1, .firstDay = 11, .lastDay = 11, .years = {{{1900, 2100}}}};
  const auto decideWith = [&](const std::vector<FeastEntry>& t) {
    return applyFeastTable(t, 11, 1, 1970, movableFeasts(1970), "S.Igino").santo;
  };
  EXPECT_EQ(decideWith(table), "Battesimo di Gesù");
  auto before = table, after = table;
  before.insert(before.begin(), extra);
  after.push_back(extra);
  EXPECT_EQ(decideWith(before), "Prova");
  EXPECT_EQ(decideWith(after), "Prova");
}

TEST(FeastOfDay, PalmSundayNoteFrom1900To4099) {
  for (int y = 1895; y <= 4105; ++y) {
    const FeastOfDay got = decideAt(y, -7);
    if (y < 1900 || y > 4099)
      expectAt(y, -7, plain);
    else if (!got.boldRed)
      expectAt(y, -7, withNote(Palms));
    else
      EXPECT_EQ(got.santo, "S.Giuseppe") << y;  // only 19 March, 1929..1976, outranks it
    for (int other : {-8, -6}) EXPECT_EQ(decideAt(y, other).santo.find(Palms), std::string::npos) << y;
  }
}

TEST(FeastOfDay, ShroveTuesdayNoteInEveryYear) {
  for (int y = 1583; y <= 9999; ++y) {
    expectAt(y, -47, withNote(Shrove));
    ASSERT_EQ(decideAt(y, -46).santo.find(Shrove), std::string::npos) << y;
  }
}

TEST(FeastOfDay, MonthOutsideTheYearLeavesTheSaint) {
  for (int m : {0, 13, -1}) {
    const FeastOfDay got = feastOfDay(1, m, 2026, movableFeasts(2026), "S.Prova");
    EXPECT_TRUE(got.santo == "S.Prova" && !got.boldRed) << m;
  }
}

}  // namespace
