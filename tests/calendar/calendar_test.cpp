// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
using namespace calendar;

TEST(MathFloor, RoundsTowardMinusInfinity) {
  struct Case { double in, out; } cases[] = {
      {2.7, 2}, {-2.3, -3}, {5, 5}, {-0.5, -1}, {2.9999999, 2}, {-3, -3}, {0, 0}, {-1e-12, -1}};
  for (auto c : cases) EXPECT_EQ(Math_floor(c.in), c.out) << c.in;
}

TEST(MathCeil, WritesBackOnlyWhenNotIntegral) {
  struct Case { double in, result; } cases[] = {{2.1, 3}, {-2.5, -2}, {4, 4}, {-0.5, 0}, {-7, -7}, {0.0000001, 1}};
  for (auto c : cases) {
    double v = c.in;
    EXPECT_EQ(Math_ceil(v), c.result) << c.in;
    EXPECT_EQ(v, c.result) << c.in;
  }
}

TEST(LeapYear, GregorianRuleEverywhere) {
  struct Case { long long y; bool leap; } cases[] = {
      {1900, false}, {2100, false}, {2000, true}, {2024, true}, {1500, false}, {1600, true}, {2026, false}, {4, true}, {1, false}};
  for (auto c : cases) EXPECT_EQ(isLeapYear(c.y), c.leap) << c.y;
  EXPECT_EQ(daysInMonth(2, 2024), 29);
  EXPECT_EQ(daysInMonth(2, 2100), 28);
  EXPECT_EQ(daysInMonth(2, 2000), 29);
  EXPECT_EQ(MonthLengths[1], 28);
  EXPECT_EQ(daysInMonth(13, 2000), 0);
}

TEST(Val, ReadsTheLeadingNumber) {
  struct Case { const char* text; double value; } cases[] = {
      {"2026", 2026}, {"  12", 12}, {"7/3/2026", 7}, {"-4.5x", -4.5}, {"+3", 3}, {"abc", 0}, {"", 0}, {".5", 0.5}, {"1.", 1}, {"-", 0}};
  for (auto c : cases) EXPECT_DOUBLE_EQ(Val(c.text), c.value) << c.text;
}

TEST(Mod, RoundsHalvesToEvenAndKeepsDividendSign) {
  struct Case { double a, b, r; } cases[] = {{7, 3, 1}, {-7, 3, -1}, {7.5, 2, 0}, {6.5, 4, 2}, {2.5, 3, 2}, {7, -3, 1}, {0, 5, 0}};
  for (auto c : cases) EXPECT_EQ(Mod(c.a, c.b), c.r) << c.a << " Mod " << c.b;
  EXPECT_TRUE(std::isnan(Mod(5, 0.4)));
}

TEST(WholeNumber, HalvesToEven) {
  struct Case { double in, out; } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {2.6, 3}, {31, 31}};
  for (auto c : cases) EXPECT_EQ(wholeNumber(c.in), c.out) << c.in;
}

TEST(Weekday, SundayIsOne) {
  struct Case { int d, m, y, w; } cases[] = {
      {6, 12, 2026, 1},   // a Sunday
      {5, 6, 2026, 6},    // Friday
      {1, 1, 2000, 7},    // Saturday
      {29, 2, 2024, 5},   // Thursday
      {15, 10, 1582, 6},  // first day of the reform, a Friday
      {1, 1, 1, 2},       // proleptic Monday
      {31, 12, 9999, 6}};
  for (auto c : cases) EXPECT_EQ(weekday(c.d, c.m, c.y), c.w) << c.d << "/" << c.m << "/" << c.y;
}

TEST(Dates, ValidityAndText) {
  EXPECT_TRUE(isValidDate({29, 2, 2024}) && isValidDate({31, 12, 9999}) && isValidDate({1, 1, 1}));
  for (Date d : {Date{29, 2, 2100}, {1, 1, 0}, {1, 1, 10000}, {31, 4, 2026}, {0, 4, 2026}}) EXPECT_FALSE(isValidDate(d)) << dateText(d);
  EXPECT_EQ(dateText({7, 3, 2026}), "7/3/2026");
}

}  // namespace

namespace {

TEST(Dates, OrderInTime) {
  using calendar::Date;
  EXPECT_LT((Date{31, 1, 2026}), (Date{1, 2, 2026}));
  EXPECT_LT((Date{31, 12, 2025}), (Date{1, 1, 2026}));
  EXPECT_LT((Date{5, 3, 2026}), (Date{6, 3, 2026}));
  EXPECT_EQ((Date{6, 3, 2026}), (Date{6, 3, 2026}));
  EXPECT_GT((Date{1, 1, 10}), (Date{31, 12, 9}));
}

}  // namespace
