// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/sun_times.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {
using namespace astro;

constexpr const char* Alba = "083744550095";  // 8°37' E, 44°55' N

// Minutes since midnight of a well-formed "hh:mm" (no hour 24, no minute 60); -1 otherwise.
int minutesOfDay(const std::string& t) {
  const bool digits = t.size() == 5 && t[2] == ':' && t.find_first_not_of("0123456789:") == std::string::npos;
  const int hour = digits ? std::stoi(t.substr(0, 2)) : 99, minute = digits ? std::stoi(t.substr(3)) : 99;
  return hour < 24 && minute < 60 ? hour * 60 + minute : -1;
}

TEST(SunTimes, KnownDaysAtAlba) {
  struct Case { int day, month, year; const char* times; } cases[] = {
      {1, 1, 2000, "08:03-16:54"}, {21, 6, 2026, "04:39-20:15"}, {21, 12, 2026, "08:00-16:47"}, {20, 3, 2026, "06:30-18:39"},
      {1, 1, 1585, "08:03-17:06"}, {1, 1, 1586, "08:05-16:56"},  // up to 1585 the date is Julian, from 1586 Gregorian
      {15, 1, 2026, "08:00-17:10"},  // the sunrise lies in the last half minute of 7 h: the minute carries
      {20, 3, 2100, "06:30-18:38"},  // 2100 is not leap: the Gregorian correction steps
  };
  for (const auto& c : cases) {
    const SunTimes got = sunTimes(c.day, c.month, c.year, Alba);
    EXPECT_EQ(got.sorge + "-" + got.tramonta, c.times) << c.day << "/" << c.month << "/" << c.year;
  }
}

// Every day, either calendar: a real clock, sunrise first, no summer-time jump (the clock is UTC+1 all year).
TEST(SunTimes, EveryDayOfTheYearReadsAsAClock) {
  for (int year : {1585, 2026}) {
    int previousRise = -1;
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= (month == 2 ? 28 : 30 + (month + month / 8) % 2); ++day) {
        const SunTimes got = sunTimes(day, month, year, Alba);
        const int rise = minutesOfDay(got.sorge);
        ASSERT_TRUE(rise >= 0 && rise < minutesOfDay(got.tramonta)) << got.sorge << "-" << got.tramonta << " " << day
                                                                    << "/" << month << "/" << year;
        EXPECT_TRUE(previousRise < 0 || std::abs(rise - previousRise) <= 3) << day << "/" << month << "/" << year;
        previousRise = rise;
      }
  }
}

// A damaged code or a polar day shows a real hh:mm or "--:--", never a nonsense clock.
TEST(SunTimes, DamagedCodesAndPolarDays) {
  struct Case { const char* code; int day, month; bool risesAndSets; } cases[] = {
      {"", 21, 6, true}, {"xyz", 1, 1, true},  // equator, Greenwich
      {"999900000000", 1, 1, true},            // far east: the clock wraps past midnight
      {"001070000000", 21, 6, false}, {"001070000000", 21, 12, false}, {"001070000000", 20, 3, true},  // 70° N
      {"009999990000", 1, 1, false},           // a latitude beyond the pole
  };
  for (const auto& c : cases) {
    const SunTimes got = sunTimes(c.day, c.month, 2026, c.code);
    EXPECT_TRUE(c.risesAndSets ? minutesOfDay(got.sorge) >= 0 && minutesOfDay(got.tramonta) >= 0
                               : got.sorge + got.tramonta == "--:----:--") << c.code << ": " << got.sorge << got.tramonta;
  }
}

TEST(SunDayNumber, JulianUpTo1585GregorianAfter) {
  struct Case { double day, month, year, jd; } cases[] = {
      {1, 1, 2000, 2451544.5}, {4, 10, 1582, 2299159.5}, {1, 1, 1585, 2299979.5}, {31, 12, 1585, 2300343.5},
      {1, 1, 1586, 2300334.5}, {29, 2, 1500, 2268991.5}, {1, 3, 1500, 2268992.5}, {28, 2, 2100, 2488127.5}, {1, 3, 2100, 2488128.5}, {1, 1, 1900, 2415020.5}};
  for (const auto& c : cases) EXPECT_EQ(sunDayNumber(c.day, c.month, c.year), c.jd) << std::fixed << c.jd;
}

TEST(DecodeCityCode, FieldsAndDamagedCodes) {
  struct Case { const char* code; double longitude, latitude; } cases[] = {
      {"083744550095", 8 + 37.0 / 60, 44 + 55.0 / 60}, {"08374455", 8 + 37.0 / 60, 44 + 55.0 / 60},  // no altitude
      {"0837", 8 + 37.0 / 60, 0}, {"", 0, 0}, {"08a7x4550095", 8 + 7.0 / 60, 4 + 55.0 / 60},  // missing or non-digit: 0
  };
  for (const auto& c : cases)
    EXPECT_TRUE(decodeCityCode(c.code).longitude == c.longitude && decodeCityCode(c.code).latitude == c.latitude) << c.code;
}

}  // namespace
