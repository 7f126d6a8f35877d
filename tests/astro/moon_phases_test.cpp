#include "astro/moon_phases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

namespace {
using namespace astro;

constexpr PhaseKind New = PhaseKind::NewMoon;
constexpr PhaseKind First = PhaseKind::FirstQuarter;
constexpr PhaseKind Full = PhaseKind::FullMoon;
constexpr PhaseKind Last = PhaseKind::LastQuarter;

int cycleIndex(PhaseKind kind) { return static_cast<int>(kind); }

// The instants must agree with the almanac's own tables to the last bit (a phase
// at 23:59 decides the day). These values were worked out separately, term by
// term in double precision, from the published constants.
TEST(PhaseInstant, AgreesBitForBitWithSeparateEvaluation) {
  struct Case {
    double k;
    PhaseKind kind;
    double jd;
  } cases[] = {
      {-23000, New, 1735817.133654838}, {-23000, Full, 1735832.0483017727}, {-23000, Last, 1735838.7219283849},
      {-9001, First, 2149223.9476099624}, {-9001, Last, 2149237.701551594}, {-4512, New, 2281778.5220067916},
      {-4512, Full, 2281794.048978514}, {-1, First, 2414998.3775299015}, {-1, Last, 2415013.66594747},
      {0, New, 2415021.0767206945}, {0, Full, 2415035.296477654}, {777, First, 2437973.8017555582},
      {777, Last, 2437987.5949243177}, {1558, New, 2461029.5725189126}, {1558, Full, 2461043.9192361557},
      {1558, Last, 2461051.160580005}, {1559, New, 2461059.328678202}, {1559, First, 2461066.6976260496},
      {1559, Last, 2461081.0294469707}, {3000, New, 2503612.5163750625}, {3000, Full, 2503627.281463551},
      {12345, First, 2779583.085879224}, {12345, Last, 2779598.2975093992}, {55555, New, 4055592.9117908934},
      {55555, Full, 4055607.5553080607}, {100000, First, 5368088.169876823}, {100000, Last, 5368101.728904189},
      // Instants that shift by one unit in the last place when degrees become radians
      // as degrees * (pi / 180) instead of (degrees * pi) / 180.
      {-3930, Full, 2298980.6235084375}, {-3879, First, 2300479.2914216323}, {-3877, Last, 2300553.1371616945},
      {-1935, First, 2357885.8624091186}, {54890, First, 4035962.3806423717},
  };
  for (const auto& c : cases) EXPECT_EQ(PhaseInstant(c.k, c.kind), c.jd) << c.k << " kind " << cycleIndex(c.kind);
}

// Against the observed phases (Universal Time): the shortened terms stay within minutes.
TEST(PhaseInstant, CloseToObservedPhases) {
  struct Case {
    double k;
    PhaseKind kind;
    int day, month, year, hour, minute;
  } cases[] = {
      {1558, Full, 3, 1, 2026, 10, 3},  {1558, Last, 10, 1, 2026, 15, 48},
      {1559, New, 18, 1, 2026, 19, 52}, {1559, First, 26, 1, 2026, 4, 47},
      {1528, Full, 1, 8, 2023, 18, 31}, {1529, Full, 31, 8, 2023, 1, 35},
  };
  for (const auto& c : cases) {
    const double jd = PhaseInstant(c.k, c.kind);
    const CalendarDate date = dateFromJD(jd);
    EXPECT_EQ(date.day, c.day) << c.k;
    EXPECT_EQ(date.month, c.month) << c.k;
    EXPECT_EQ(date.year, c.year) << c.k;
    const double minutes = (jd + 0.5 - std::floor(jd + 0.5)) * 1440;
    EXPECT_NEAR(minutes, c.hour * 60 + c.minute, 10) << c.k;
  }
}

// A date begins at 0 h (JD .5); the instant just before belongs to the day before.
TEST(DateFromJD, DayBeginsAtMidnight) {
  struct Case {
    double jd;
    int day, month, year;
  } cases[] = {
      {2451544.5, 1, 1, 2000},   {2451544.4999, 31, 12, 1999},
      {2299160.5, 15, 10, 1582}, {2299160.4999, 4, 10, 1582},
  };
  for (const auto& c : cases) {
    const CalendarDate date = dateFromJD(c.jd);
    EXPECT_EQ(date.day, c.day) << std::fixed << c.jd;
    EXPECT_EQ(date.month, c.month) << std::fixed << c.jd;
    EXPECT_EQ(date.year, c.year) << std::fixed << c.jd;
    EXPECT_EQ(DayOfMonthFromJD(c.jd), c.day) << std::fixed << c.jd;
  }
}

// Walk every day from 1 January of year 1 to 31 December 9999: each step is the
// next calendar day, Julian before the reform, Gregorian after, with the one
// jump from 4 to 15 October 1582.
TEST(DateFromJD, EveryDayFollowsThePreviousOne) {
  auto monthLength = [](int month, int year) {
    static constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month != 2) return lengths[month - 1];
    const bool leap = year < 1583 ? year % 4 == 0 : (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0));
    return leap ? 29 : 28;
  };
  CalendarDate previous = dateFromJD(1721423.5);
  ASSERT_TRUE(previous.day == 1 && previous.month == 1 && previous.year == 1);
  int failures = 0;
  for (double jd = 1721424.5; jd <= 5373483.5 && failures < 5; jd += 1) {
    const CalendarDate date = dateFromJD(jd);
    CalendarDate expected = previous;
    if (previous.year == 1582 && previous.month == 10 && previous.day == 4) {
      expected.day = 15;
    } else if (previous.day < monthLength(previous.month, previous.year)) {
      ++expected.day;
    } else {
      expected.day = 1;
      if (++expected.month > 12) {
        expected.month = 1;
        ++expected.year;
      }
    }
    if (date.day != expected.day || date.month != expected.month || date.year != expected.year) {
      ADD_FAILURE() << std::fixed << jd << " gives " << date.day << "/" << date.month << "/" << date.year;
      ++failures;
    }
    previous = date;
  }
  EXPECT_TRUE(previous.day == 31 && previous.month == 12 && previous.year == 9999);
}

struct MonthCase {
  int month, year;
  std::vector<std::pair<int, PhaseKind>> phases;
  PhaseKind lastBefore;
};

TEST(PhaseDaysOfMonth, NamedMonths) {
  const MonthCase cases[] = {
      {1, 2026, {{3, Full}, {10, Last}, {18, New}, {26, First}}, New},
      // Two full moons, the 1st and the 31st.
      {8, 2023, {{1, Full}, {8, Last}, {16, New}, {24, First}, {31, Full}}, New},
      // The first quarter of 31 May belongs to May; June's is the 29th.
      {6, 1990, {{8, Full}, {16, Last}, {22, New}, {29, First}}, New},
      // The full moon of 31 December 1990 is December's; January's is the 30th.
      {1, 1991, {{7, Last}, {15, New}, {23, First}, {30, Full}}, Full},
      // No new moon at all: 30 January and 1 March.
      {2, 2014, {{6, First}, {14, Full}, {22, Last}}, New},
      // Far from 1900 the first quarter still lands on its own January day.
      {1, 3000, {{5, First}, {12, Full}, {19, Last}, {27, New}}, New},
      // Julian dates before the reform.
      {1, 1500, {{1, New}, {8, First}, {16, Full}, {24, Last}, {30, New}}, Full},
      // The month of the reform: 1 to 4 October Julian, then 15 to 31 Gregorian.
      {10, 1582, {{1, Full}, {18, Last}, {26, New}}, New},
      {11, 1582, {{3, First}, {10, Full}, {17, Last}, {25, New}}, New},
  };
  for (const auto& c : cases) {
    const MonthPhases got = PhaseDaysOfMonth(c.month, c.year);
    ASSERT_EQ(got.phases.size(), c.phases.size()) << c.month << "/" << c.year;
    for (std::size_t i = 0; i < c.phases.size(); ++i) {
      EXPECT_EQ(got.phases[i].day, c.phases[i].first) << c.month << "/" << c.year << " #" << i;
      EXPECT_EQ(got.phases[i].kind, c.phases[i].second) << c.month << "/" << c.year << " #" << i;
      const CalendarDate date = dateFromJD(got.phases[i].jd);
      EXPECT_EQ(date.day, got.phases[i].day);
      EXPECT_EQ(date.month, c.month);
      EXPECT_EQ(date.year, c.year);
    }
    EXPECT_EQ(got.lastBeforeMonth, c.lastBefore) << c.month << "/" << c.year;
  }
}

TEST(PhaseDaysOfMonth, MonthOutsideTheYearGivesNothing) {
  for (int month : {0, 13, -1}) EXPECT_TRUE(PhaseDaysOfMonth(month, 2026).phases.empty()) << month;
}

// Every month of years 1 to 9999, one after the other: nothing is missed or
// counted twice. The instants follow the lunar cycle across month boundaries
// at intervals of 6 to 9 days, and the new-or-full moon remembered before each
// month is the last one of the month before.
TEST(PhaseDaysOfMonth, EveryMonthContinuesThePrevious) {
  std::optional<PhaseDay> previous;
  std::optional<PhaseKind> lastNewOrFull;
  int failures = 0;
  for (int year = 1; year <= 9999 && failures < 10; ++year) {
    for (int month = 1; month <= 12; ++month) {
      const MonthPhases got = PhaseDaysOfMonth(month, year);
      const bool reformMonth = year == 1582 && month == 10;  // 21 days only
      const std::size_t fewest = reformMonth ? 2 : 3;
      if (got.phases.size() < fewest || got.phases.size() > 5) {
        ADD_FAILURE() << month << "/" << year << " holds " << got.phases.size();
        ++failures;
      }
      if (lastNewOrFull && got.lastBeforeMonth != *lastNewOrFull) {
        ADD_FAILURE() << month << "/" << year << " remembers the wrong new or full moon";
        ++failures;
      }
      for (const PhaseDay& phase : got.phases) {
        if (previous) {
          const double gap = phase.jd - previous->jd;
          const bool inCycle = cycleIndex(phase.kind) == (cycleIndex(previous->kind) + 1) % 4;
          if (!inCycle || gap < 6 || gap > 9) {
            ADD_FAILURE() << month << "/" << year << " day " << phase.day << ": gap " << gap << ", kind "
                          << cycleIndex(phase.kind) << " after " << cycleIndex(previous->kind);
            ++failures;
          }
        }
        if (phase.day < 1 || phase.day > 31) ++failures;
        previous = phase;
        if (phase.kind == New || phase.kind == Full) lastNewOrFull = phase.kind;
      }
    }
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
