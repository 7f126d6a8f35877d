// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/saints.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/calendar.h"

namespace {
using almanac::saintOfDay;

// Before 1970 S.Mattia moved with the leap day, as the Gregorian rule has it; from 1970 the reformed list.
TEST(Saints, LeapDayRuleAndTheListOf1970) {
  struct Case { int year; const char* day24; const char* day25; } cases[] = {
      {1969, "S.Mattia", "S.Romeo"},  {1968, "S.Costanza", "S.Mattia"}, {1900, "S.Mattia", "S.Romeo"},
      {1600, "S.Costanza", "S.Mattia"}, {2024, "S.Costanza", "S.Romeo"}, {1970, "S.Costanza", "S.Romeo"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(saintOfDay(2, 24, c.year), c.day24) << c.year;
    EXPECT_EQ(saintOfDay(2, 25, c.year), c.day25) << c.year;
    EXPECT_EQ(saintOfDay(2, 29, c.year), "S.Giusto") << c.year;
  }
  for (int y : {1, 1969, 1970, 9999}) {
    EXPECT_EQ(saintOfDay(2, 14, y), y < 1970 ? "S.Valentino" : "SS.Cirillo e Metodio (San Valentino)") << y;
    EXPECT_EQ(saintOfDay(3, 8, y), "S.Giovanni Di Dio") << y;
  }
}

TEST(Saints, NothingPastTheEndOfAMonthOrOutsideTheCalendar) {
  for (int y : {1969, 1970})
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= 31; ++d) {
        const std::string_view text = saintOfDay(m, d, y);
        EXPECT_EQ(text.empty(), d > (m == 2 ? 29 : calendar::daysInMonth(m, 2001))) << m << "/" << d << " " << y;
        EXPECT_TRUE(text.empty() || (text.find("  ") == text.npos && text.front() != ' ' && text.back() != ' ')) << text;
      }
  for (auto [m, d] : {std::pair{0, 1}, {13, 1}, {-1, 5}, {1, 0}, {1, 32}, {1, -3}, {2, 30}})
    EXPECT_TRUE(saintOfDay(m, d, 2026).empty()) << m << "/" << d;
}

}  // namespace
