// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/sun_times.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {
using namespace astro;

constexpr GeoPosition Alba{8 + 37.0 / 60, 44 + 55.0 / 60};

// A time as the almanac prints it, on the clock of UTC+1: "hh:mm", "--:--" for none.
std::string clock(std::optional<int> minutesUT) {
  if (!minutesUT) return "--:--";
  const int m = ((*minutesUT + 60) % 1440 + 1440) % 1440;
  return std::string{char('0' + m / 600), char('0' + m / 60 % 10), ':', char('0' + m % 60 / 10), char('0' + m % 10)};
}

TEST(SunTimes, KnownDaysAtAlba) {
  struct Case { int day, month, year; const char* times; } cases[] = {
      {1, 1, 2000, "08:03-16:54"}, {21, 6, 2026, "04:39-20:15"}, {21, 12, 2026, "08:00-16:47"}, {20, 3, 2026, "06:30-18:39"},
      {1, 1, 1585, "08:03-17:06"}, {1, 1, 1586, "08:05-16:56"},  // up to 1585 the date is Julian, from 1586 Gregorian
      {15, 1, 2026, "08:00-17:10"},  // the sunrise lies in the last half minute of 7 h: the minute carries
      {20, 3, 2100, "06:30-18:38"},  // 2100 is not leap: the Gregorian correction steps
  };
  for (const auto& c : cases) {
    const SunTimes got = sunTimes({c.day, c.month, c.year}, Alba);
    EXPECT_EQ(clock(got.rise) + "-" + clock(got.set), c.times) << c.day << "/" << c.month << "/" << c.year;
  }
}

// Every day, either calendar: a real clock, sunrise first, no summer-time jump (the clock is UTC+1 all year).
TEST(SunTimes, EveryDayOfTheYearReadsAsAClock) {
  for (int year : {1585, 2026}) {
    int previousRise = -1;
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= (month == 2 ? 28 : 30 + (month + month / 8) % 2); ++day) {
        const SunTimes got = sunTimes({day, month, year}, Alba);
        ASSERT_TRUE(got.rise && got.set) << day << "/" << month << "/" << year;
        const int rise = *got.rise;
        ASSERT_TRUE(rise >= 0 && rise < *got.set && *got.set < 1440) << day << "/" << month << "/" << year;
        EXPECT_TRUE(previousRise < 0 || std::abs(rise - previousRise) <= 3) << day << "/" << month << "/" << year;
        previousRise = rise;
      }
  }
}

// A polar day or night, or a place beyond the pole, has no time; the far east a real one.
TEST(SunTimes, PolarDaysHaveNone) {
  struct Case { GeoPosition where; int day, month; bool risesAndSets; } cases[] = {
      {{0, 0}, 21, 6, true}, {{99 + 99.0 / 60, 0}, 1, 1, true},  // the equator; far east
      {{10, 70}, 21, 6, false}, {{10, 70}, 21, 12, false}, {{10, 70}, 20, 3, true},
      {{99 + 99.0 / 60, 99 + 99.0 / 60}, 1, 1, false},  // beyond the pole
  };
  for (const auto& c : cases) {
    const SunTimes got = sunTimes({c.day, c.month, 2026}, c.where);
    EXPECT_EQ(got.rise.has_value() && got.set.has_value(), c.risesAndSets) << c.where.latitude << " " << c.day;
    EXPECT_EQ(got.rise.has_value() || got.set.has_value(), c.risesAndSets) << c.where.latitude << " " << c.day;
  }
}

TEST(SunDayNumber, JulianUpTo1585GregorianAfter) {
  struct Case { double day, month, year, jd; } cases[] = {
      {1, 1, 2000, 2451544.5}, {4, 10, 1582, 2299159.5}, {1, 1, 1585, 2299979.5}, {31, 12, 1585, 2300343.5},
      {1, 1, 1586, 2300334.5}, {29, 2, 1500, 2268991.5}, {1, 3, 1500, 2268992.5}, {28, 2, 2100, 2488127.5}, {1, 3, 2100, 2488128.5}, {1, 1, 1900, 2415020.5}};
  for (const auto& c : cases) EXPECT_EQ(sunDayNumber(c.day, c.month, c.year), c.jd) << std::fixed << c.jd;
}

}  // namespace
