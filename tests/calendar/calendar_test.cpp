// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
using namespace calendar;

TEST(Dates, LeapYearsWeekdaysValidityOrderAndText) {
  for (auto [y, leap] : {std::pair{1900LL, false}, {2100, false}, {2000, true}, {2024, true}, {1500, false}, {4, true},
                         {1, false}})
    EXPECT_EQ(isLeapYear(y), leap) << y;
  EXPECT_TRUE(daysInMonth(2, 2024) == 29 && daysInMonth(2, 2100) == 28 && daysInMonth(13, 2000) == 0);
  // 1 = Sunday; the reform's first day a Friday; Gregorian before it too.
  struct Day { int d, m, y, w; } days[] = {{6, 12, 2026, 1}, {5, 6, 2026, 6}, {1, 1, 2000, 7}, {29, 2, 2024, 5},
                                          {15, 10, 1582, 6}, {1, 1, 1, 2}, {31, 12, 9999, 6}};
  for (auto c : days) EXPECT_EQ(weekday(c.d, c.m, c.y), c.w) << c.d << "/" << c.m << "/" << c.y;
  EXPECT_TRUE(isValidDate({29, 2, 2024}) && isValidDate({31, 12, 9999}) && isValidDate({1, 1, 1}));
  for (Date d : {Date{29, 2, 2100}, {1, 1, 0}, {1, 1, 10000}, {31, 4, 2026}, {0, 4, 2026}, {1, 13, 2026}})
    EXPECT_FALSE(isValidDate(d)) << dateText(d);
  EXPECT_EQ(dateText({7, 3, 2026}), "7/3/2026");
  EXPECT_TRUE(addDays({28, 2, 2024}, 2) == (Date{1, 3, 2024}) && daysFrom({1, 1, 2026}, {1, 1, 2025}) == -365);
  EXPECT_EQ(zeroPadded(7, 2) + zeroPadded(-3, 2) + zeroPadded(123, 2), "0700123");
  EXPECT_TRUE((Date{31, 1, 2026}) < (Date{1, 2, 2026}) && (Date{31, 12, 2025}) < (Date{1, 1, 2026}) &&
              (Date{5, 3, 2026}) < (Date{6, 3, 2026}) && (Date{1, 1, 10}) > (Date{31, 12, 9}));
}

}  // namespace
