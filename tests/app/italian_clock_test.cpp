// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/italian_clock.h"

#include <gtest/gtest.h>

namespace {
using namespace app;

// The Italian summers, their first and last days, and the European rules after them.
TEST(ItalianClock, KnowsTheDaysOfOraLegale) {
  struct Case { calendar::Date day; bool legal; } cases[] = {
      {{3, 6, 1916}, false}, {{4, 6, 1916}, true},  {{30, 9, 1916}, true},  {{1, 10, 1916}, false},
      {{31, 12, 1941}, true}, {{1, 11, 1942}, true}, {{2, 11, 1942}, false}, {{15, 7, 1955}, false},
      {{5, 4, 1980}, false},  {{6, 4, 1980}, true},  {{27, 9, 1980}, true},  {{28, 9, 1980}, false},
      {{29, 3, 1981}, true},  {{26, 9, 1981}, true}, {{27, 9, 1981}, false},  // the last Sunday of September
      {{28, 3, 2027}, true},  {{27, 3, 2027}, false}, {{30, 10, 2027}, true}, {{31, 10, 2027}, false},
      {{15, 7, 1500}, false}, {{27, 3, 9999}, false}, {{28, 3, 9999}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(onOraLegale(c.day), c.legal) << calendar::dateText(c.day);
}

// An instant as the almanac prints it and as the clocks show it.
TEST(ItalianClock, ReadsAnInstantInOraSolareAndAsTheClocksShowIt) {
  const double fullMoon = astro::julianDay({20, 2, 2027}) + (23 * 60 + 23) / 1440.0;  // 23:23 UT
  EXPECT_EQ(hourText(oraSolare(fullMoon)) + " " + calendar::dateText(oraSolare(fullMoon).date), "00:23 21/2/2027");
  const double summer = astro::julianDay({10, 7, 2027}) + 22.5 / 24;  // 22:30 UT
  const ItalianTime clocks = italianTime(summer);
  EXPECT_EQ(hourText(clocks.time) + " " + calendar::dateText(clocks.time.date) + " +" + std::to_string(clocks.utcOffset),
            "00:30 11/7/2027 +2");
  EXPECT_EQ(italianTime(fullMoon).utcOffset, 1);
  EXPECT_DOUBLE_EQ(dayStart({21, 2, 2027}), astro::julianDay({21, 2, 2027}) - 1.0 / 24);
}

// The sun's minutes of UT come round within the day; an hour later may be the next day.
TEST(ItalianClock, SunTimesAndTheHourOfOraLegale) {
  const calendar::Date day{15, 6, 2026};
  struct Case { std::optional<int> minutesUT; const char* solar; const char* legal; } cases[] = {
      {4 * 60 + 37, "05:37", "06:37"}, {-90, "23:30", "00:30"}, {1440 + 5, "01:05", "02:05"},
      {22 * 60 + 59, "23:59", "00:59"}, {std::nullopt, "--:--", "--:--"}};
  for (const auto& c : cases) {
    const auto solar = sunClock(day, c.minutesUT);
    EXPECT_EQ(clockText(solar), c.solar);
    EXPECT_EQ(clockText(oneHourLater(solar)), c.legal);
    EXPECT_TRUE(!solar || solar->date == day);
  }
  EXPECT_EQ(oneHourLater(CivilTime{{31, 12, 2026}, 23, 10})->date, (calendar::Date{1, 1, 2027}));
}

}  // namespace
