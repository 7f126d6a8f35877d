// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/sun_times.h"
#include "astro/time_scales.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {
using namespace astro;

constexpr GeoPosition Alba{8 + 37.0 / 60, 44 + 55.0 / 60};

// "hh:mm" of Universal Time, "--:--" for none.
std::string utText(std::optional<int> minutes) {
  if (!minutes) return "--:--";
  const auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
  return two(*minutes / 60) + ":" + two(*minutes % 60);
}

TEST(SunTimes, KnownDaysAtAlba) {
  struct Case { int day, month, year; const char* times; } cases[] = {
      {1, 1, 2000, "07:03-15:54"}, {21, 6, 2026, "03:39-19:15"}, {21, 12, 2026, "07:00-15:47"}, {20, 3, 2026, "05:30-17:39"},
      {15, 1, 2026, "07:00-16:10"},  // the sunrise lies in the last half minute of 6 h: the minute carries
      {20, 3, 2100, "05:30-17:38"},  // 2100 is not leap: the Gregorian correction steps
  };
  for (const auto& c : cases) {
    const SunTimes got = sunTimes({c.day, c.month, c.year}, Alba);
    EXPECT_EQ(utText(got.rise) + "-" + utText(got.set), c.times) << c.day << "/" << c.month << "/" << c.year;
  }
}

// Every day: sunrise first, and a sunrise a few minutes from the day before's.
TEST(SunTimes, EveryDayOfTheYearFollowsTheDayBefore) {
  for (int year : {1585, 2026}) {
    std::optional<int> previousRise;
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= (month == 2 ? 28 : 30 + (month + month / 8) % 2); ++day) {
        const SunTimes got = sunTimes({day, month, year}, Alba);
        ASSERT_TRUE(got.rise && got.set && *got.rise >= 0 && *got.rise < *got.set && *got.set < 1440)
            << utText(got.rise) << "-" << utText(got.set) << " " << day << "/" << month << "/" << year;
        EXPECT_TRUE(!previousRise || std::abs(*got.rise - *previousRise) <= 3) << day << "/" << month << "/" << year;
        previousRise = got.rise;
      }
  }
}

// Far east the sun rises before 0 h UT; at a polar day or night, or beyond the pole, it neither rises nor sets.
TEST(SunTimes, FarPlacesAndPolarDays) {
  struct Case { GeoPosition where; int day, month; bool risesAndSets; } cases[] = {
      {{0, 0}, 21, 6, true}, {{0, 0}, 1, 1, true}, {{100.65, 0}, 1, 1, true},
      {{1.0 / 6, 70}, 21, 6, false}, {{1.0 / 6, 70}, 21, 12, false}, {{1.0 / 6, 70}, 20, 3, true},
      {{1.65, 100.65}, 1, 1, false},
  };
  for (const auto& c : cases) {
    const SunTimes got = sunTimes({c.day, c.month, 2026}, c.where);
    const bool both = got.rise && got.set;
    EXPECT_EQ(both, c.risesAndSets) << c.where.latitude << " " << c.day << "/" << c.month;
    EXPECT_TRUE(both ? *got.rise < *got.set && *got.rise > -720 && *got.set < 1440 + 720 : !got.rise && !got.set)
        << c.where.longitude << " " << c.where.latitude;
  }
  EXPECT_LT(sunTimes({1, 1, 2026}, {100.65, 0}).rise.value_or(0), 0);
}

// The same day of neighbouring years rises within a minute or two, across the reform too.
TEST(SunTimes, TwentyFirstOfMarchAtRomaAcrossTheReform) {
  const GeoPosition roma{12 + 29.0 / 60, 41 + 54.0 / 60};
  const int rise1586 = sunTimes({21, 3, 1586}, roma).rise.value();
  for (int year : {1583, 1584, 1585}) EXPECT_NEAR(sunTimes({21, 3, year}, roma).rise.value(), rise1586, 2) << year;
}

}  // namespace
