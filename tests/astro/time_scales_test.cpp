// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/time_scales.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
using namespace astro;

constexpr double Second = 1.0 / 86400;

// Delta T against the values observed (Espenak and Meeus's table), within what its expressions promise;
// the pieces meet without a jump, and the long-term parabola goes on beyond them up to the year 9999.
TEST(DeltaT, AgreesWithObservedValuesAndPiecesJoin) {
  struct Case { double year, seconds, tolerance; } cases[] = {
      {0, 10580, 60}, {500, 5710, 30}, {1000, 1570, 20}, {1500, 200, 10}, {1600, 120, 5}, {1700, 9, 2}, {1800, 14, 1},
      {1850, 7, 1}, {1900, -3, 0.5}, {1950, 29, 0.5}, {1970, 40.2, 0.5}, {1990, 56.9, 0.5}, {2000, 63.8, 0.2},
      {2005, 64.7, 0.2},
  };
  for (const auto& c : cases) EXPECT_NEAR(deltaT(c.year), c.seconds, c.tolerance) << c.year;
  for (double year : {500, 1600, 1700, 1800, 1860, 1900, 1920, 1941, 1961, 1986, 2005, 2050, 2150})
    EXPECT_NEAR(deltaT(year - 1e-9), deltaT(year), 1.0) << year;
  EXPECT_NEAR(deltaT(9999), -20 + 32 * std::pow((9999 - 1820) / 100.0, 2), 1e-6);
  EXPECT_LT(deltaT(4000), deltaT(9999));
}

TEST(CivilTime, RoundsToTheMinuteAcrossDaysAndYears) {
  struct Case { double jd; int offset; calendar::Date date; int hour, minute; } cases[] = {
      {2451545.0, 1, {1, 1, 2000}, 13, 0}, {1721425.5 + 0.5, 1, {1, 1, 1}, 13, 0}, {2299160.5, 0, {15, 10, 1582}, 0, 0},
      {2451544.5 - 1.0 / 24 - 29 * Second, 1, {1, 1, 2000}, 0, 0},  // 23:59:31 rounds into the new year
      {2451544.5 - 31 * Second, 0, {31, 12, 1999}, 23, 59},         // 23:59:29 does not
      {2451544.5 + 23.0 / 24 - Second, 1, {2, 1, 2000}, 0, 0}, {2451544.5 + 23.0 / 24 - 29 * Second, 2, {2, 1, 2000}, 1, 0},
      {2460735.5 - 1.0 / 24, 2, {1, 3, 2025}, 1, 0}, {2451603.5 - 1.0 / 24, 2, {29, 2, 2000}, 1, 0},  // after 28 February
      {5373483.5 + 0.9, 1, {31, 12, 9999}, 22, 36},
  };
  for (const auto& c : cases) {
    const CivilTime got = civilTime(c.jd, c.offset);
    EXPECT_TRUE(got.date == c.date && got.hour == c.hour && got.minute == c.minute) << std::fixed << c.jd;
    EXPECT_EQ(civilTime(julianDay(c.date), 0).date, c.date) << calendar::dateText(c.date);
  }
}

}  // namespace
