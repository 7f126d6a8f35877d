// SPDX-License-Identifier: GPL-3.0-or-later
// The almanac's own phase formulae: the days it has always printed.
#include "astro/moon_phases.h"
#include "astro/time_scales.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <vector>

namespace {
using namespace astro;

constexpr PhaseKind New = PhaseKind::NewMoon, First = PhaseKind::FirstQuarter, Full = PhaseKind::FullMoon,
                    Last = PhaseKind::LastQuarter;

std::tuple<int, int, int> dmy(const calendar::Date& d) { return {d.day, d.month, d.year}; }

// To the last bit (a phase at 23:59 decides the day), against values worked out separately term by term.
TEST(phaseInstant, AgreesBitForBitWithSeparateEvaluation) {
  struct Case { double k; PhaseKind kind; double jd; } cases[] = {
      {-23000, New, 1735817.133654838}, {-23000, Last, 1735838.7219283849}, {-9001, First, 2149223.9476099624},
      {-4512, Full, 2281794.048978514}, {-1, Last, 2415013.66594747}, {0, New, 2415021.0767206945},
      {0, Full, 2415035.296477654}, {777, First, 2437973.8017555582}, {1558, Full, 2461043.9192361557},
      {1559, New, 2461059.328678202}, {3000, Full, 2503627.281463551}, {12345, Last, 2779598.2975093992},
      {55555, New, 4055592.9117908934}, {100000, First, 5368088.169876823},
      // These shift by one ulp if degrees become radians as degrees * (pi / 180), not (degrees * pi) / 180.
      {-3930, Full, 2298980.6235084375}, {-3879, First, 2300479.2914216323}, {-3877, Last, 2300553.1371616945},
      {-1935, First, 2357885.8624091186}, {54890, First, 4035962.3806423717},
  };
  for (const auto& c : cases) EXPECT_EQ(phaseInstant(c.k, c.kind), c.jd) << c.k << " kind " << int(c.kind);
}

// A date begins at 0 h (JD .5); the instant just before belongs to the day before. Every day of the
// years 1..9999 comes back as itself, in the proleptic Gregorian calendar of the pages.
TEST(DateFromJD, EveryDayComesBackAsItself) {
  for (const auto& [jd, date] : {std::pair{2451544.5, std::tuple{1, 1, 2000}}, {2451544.4999, {31, 12, 1999}},
                                  {2299160.5, {15, 10, 1582}}, {2299160.4999, {14, 10, 1582}}})
    EXPECT_EQ(dmy(dateFromJD(jd)), date) << std::fixed << jd;
  for (calendar::Date d{1, 1, 1}; d.year <= 9999; d = calendar::addDays(d, 1))
    ASSERT_EQ(dmy(dateFromJD(julianDay(d))), dmy(d)) << calendar::dateText(d);
}

TEST(phaseDaysOfMonth, NamedMonths) {
  struct Case { int month, year; std::vector<std::pair<int, PhaseKind>> phases; PhaseKind lastBefore; } cases[] = {
      {8, 2023, {{1, Full}, {8, Last}, {16, New}, {24, First}, {31, Full}}, New},  // two full moons
      {6, 1990, {{8, Full}, {16, Last}, {22, New}, {29, First}}, New},    // 31 May's first quarter is May's
      {1, 1991, {{7, Last}, {15, New}, {23, First}, {30, Full}}, Full},   // 31 December's full moon is December's
      {2, 2014, {{6, First}, {14, Full}, {22, Last}}, New},               // no new moon at all
      {11, 1582, {{3, First}, {10, Full}, {17, Last}, {25, New}}, New},
  };
  for (const auto& c : cases) {
    const MonthPhases got = phaseDaysOfMonth(c.month, c.year);
    std::vector<std::pair<int, PhaseKind>> days;
    for (const PhaseDay& p : got.phases) {
      days.emplace_back(p.day, p.kind);
      EXPECT_EQ(dmy(dateFromJD(p.jd)), std::make_tuple(p.day, c.month, c.year));
    }
    EXPECT_TRUE(days == c.phases && got.lastBeforeMonth == c.lastBefore) << c.month << "/" << c.year;
  }
  for (int month : {0, 13, -1}) EXPECT_TRUE(phaseDaysOfMonth(month, 2026).phases.empty()) << month;
}

// Months of years 1..9999 in a row: phases in turn 6 to 9 days apart, and each month remembers
// the last new or full moon of the month before.
TEST(phaseDaysOfMonth, EveryMonthContinuesThePrevious) {
  std::optional<PhaseDay> previous;
  std::optional<PhaseKind> lastNewOrFull;
  for (int year = 1; year <= 9999; ++year)
    for (int month = 1; month <= 12; ++month) {
      const MonthPhases got = phaseDaysOfMonth(month, year);
      ASSERT_TRUE(got.phases.size() >= 3 && got.phases.size() <= 5) << month << "/" << year;
      ASSERT_TRUE(!lastNewOrFull || got.lastBeforeMonth == *lastNewOrFull) << month << "/" << year;
      for (const PhaseDay& phase : got.phases) {
        const double gap = previous ? phase.jd - previous->jd : 7;
        ASSERT_TRUE(!previous || int(phase.kind) == (int(previous->kind) + 1) % 4) << month << "/" << year;
        ASSERT_TRUE(gap >= 6 && gap <= 9 && phase.day >= 1 && phase.day <= 31) << month << "/" << year << " " << gap;
        previous = phase;
        if (phase.kind == New || phase.kind == Full) lastNewOrFull = phase.kind;
      }
    }
}

// Before the reform too the grid's days are the pages' proleptic Gregorian days: each phase on the day of
// its instant, never past the month's end (February 1500 has 28 days), the full moon of June 1582 on the
// 16th. With the months continuing one another (above), every phase is listed once.
TEST(phaseDaysOfMonth, GregorianDaysBeforeTheReformToo) {
  for (int year = 1; year <= 1600; ++year)
    for (int month = 1; month <= 12; ++month)
      for (const PhaseDay& phase : phaseDaysOfMonth(month, year).phases) {
        const double dayStart = julianDay({phase.day, month, year});
        ASSERT_TRUE(phase.day <= calendar::daysInMonth(month, year) && phase.jd >= dayStart && phase.jd < dayStart + 1)
            << phase.day << "/" << month << "/" << year;
      }
  int fullMoonDay = 0;
  for (const PhaseDay& phase : phaseDaysOfMonth(6, 1582).phases)
    if (phase.kind == Full) fullMoonDay = phase.day;
  EXPECT_NEAR(fullMoonDay, 16, 1);
}

}  // namespace
