// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/saints.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "calendar/calendar.h"

namespace {
using almanac::saintOfDay;

int listedDays(int month) { return month == 2 ? 29 : calendar::daysInMonth(month, 2001); }

TEST(Saints, LeapDayRuleOfFebruary) {
  struct Case { int year; const char* day24; const char* day25; } cases[] = {
      {1969, "S.Mattia", "S.Romeo"},   {1968, "S.Costanza", "S.Mattia"}, {1900, "S.Mattia", "S.Romeo"},
      {1600, "S.Costanza", "S.Mattia"}, {2024, "S.Costanza", "S.Romeo"}, {2025, "S.Costanza", "S.Romeo"},
      {1972, "S.Costanza", "S.Romeo"},  {1970, "S.Costanza", "S.Romeo"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(saintOfDay(2, 24, c.year), c.day24) << c.year;
    EXPECT_EQ(saintOfDay(2, 25, c.year), c.day25) << c.year;
  }
  for (int y : {1900, 1969, 1970, 2023, 2024}) EXPECT_EQ(saintOfDay(2, 29, y), "S.Giusto") << y;
}

TEST(Saints, ListSwitchesIn1970) {
  struct Case { int month, day; const char* before; const char* from1970; } cases[] = {
      {1, 29, "S.Francesco di Sales", "S.Valerio"},
      {5, 14, "S.Bonifacio", "S.Mattia"},
      {8, 7, "S.Gaetano", "SS. Sisto II e compagni, S.Gaetano"},
      {2, 14, "S.Valentino", "SS.Cirillo e Metodio (San Valentino)"},
      {8, 1, "S.Pietro in vincoli", "S.Alfonso M. de' Liguori"},
      {10, 1, "S.Remigio", "S.Teresa del B.Gesù"},
      {3, 8, "S.Giovanni Di Dio", "S.Giovanni Di Dio"},
      {7, 1, "Prez.Sangue Gesù", "Prez.Sangue Gesù"},
  };
  for (const Case& c : cases) {
    for (int y : {1, 1900, 1969}) EXPECT_EQ(saintOfDay(c.month, c.day, y), c.before) << c.month << "/" << c.day << " " << y;
    for (int y : {1970, 2026, 9999}) EXPECT_EQ(saintOfDay(c.month, c.day, y), c.from1970) << c.month << "/" << c.day << " " << y;
  }
}

// The first and last day of every month pin the table against a shifted row.
TEST(Saints, EdgesOfEveryMonth) {
  struct Case { int month; const char* first; const char* last1970; } cases[] = {
      {1, "Capodanno", "S.Giovanni Bosco"}, {2, "S.Ignazio", "S.Giusto"},       {3, "S.Albino", "S.Beniamino"},
      {4, "S.Ugo", "S.Pio V"},              {5, "SS.Filippo e Giacomo", "Visitazione B.V.Maria"},
      {6, "S.Panfilo", "SS.primi martiri"}, {7, "Prez.Sangue Gesù", "S.Ignazio di Loyola"},
      {8, "S.Pietro in vincoli", "S.Aristide"}, {9, "S.Egidio", "S.Gerolamo"},
      {10, "S.Remigio", "S.Lucilla"},       {11, "Tutti i Santi", "S.Andrea"}, {12, "S.Eligio", "S.Silvestro"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(saintOfDay(c.month, 1, 1969), c.first) << c.month;
    EXPECT_EQ(saintOfDay(c.month, listedDays(c.month), 1970), c.last1970) << c.month;
  }
}

TEST(Saints, NothingPastTheEndOfAMonthOrOutsideTheCalendar) {
  for (int y : {1969, 1970})
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= 31; ++d) {
        const std::string_view text = saintOfDay(m, d, y);
        EXPECT_EQ(text.empty(), d > listedDays(m)) << m << "/" << d << " " << y;
        EXPECT_TRUE(text.empty() || (text.find("  ") == text.npos && text.front() != ' ' && text.back() != ' ')) << text;
      }
  for (auto [m, d] : {std::pair{0, 1}, {13, 1}, {-1, 5}, {1, 0}, {1, 32}, {1, -3}, {2, 30}})
    EXPECT_TRUE(saintOfDay(m, d, 2026).empty()) << m << "/" << d;
}

TEST(Saints, CountsOfTheTwoLists) {
  std::set<std::string_view> texts;
  int differing = 0;
  for (int m = 1; m <= 12; ++m)
    for (int d = 1; d <= listedDays(m); ++d) {
      for (int y : {1968, 1969, 1970}) texts.insert(saintOfDay(m, d, y));
      const bool februaryRule = m == 2 && (d == 24 || d == 25);
      differing += !februaryRule && saintOfDay(m, d, 1969) != saintOfDay(m, d, 1970);
    }
  EXPECT_EQ(texts.size(), 466u);
  EXPECT_EQ(differing, 153);
}

}  // namespace
