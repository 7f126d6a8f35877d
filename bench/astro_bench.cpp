// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/apsides.h"
#include "astro/moon_phases.h"
#include "astro/moon_series.h"
#include "astro/nodes.h"
#include "astro/phases.h"
#include "astro/rise_set.h"
#include "astro/sun_times.h"
#include "astro/time_scales.h"
#include "astro/zodiac.h"

#include <benchmark/benchmark.h>

namespace {

constexpr astro::GeoPosition Alba{8 + 37.0 / 60, 44 + 55.0 / 60};
constexpr astro::GeoPosition Milano{9 + 11.0 / 60, 45 + 28.0 / 60};

// One day cell of the month grid: sunrise and sunset at one city.
void BM_SunTimesOfDay(benchmark::State& state) {
  int day = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(astro::sunTimes({day, 6, 2026}, Alba));
    day = day % 30 + 1;
  }
}
BENCHMARK(BM_SunTimesOfDay);

// The moon phases of one month, as a redraw asks for them; the month moves on
// each time so that nothing is repeated.
void BM_PhasesOfMonth(benchmark::State& state) {
  int month = 1;
  int year = 1900;
  for (auto _ : state) {
    benchmark::DoNotOptimize(astro::phaseDaysOfMonth(month, year));
    if (++month > 12) {
      month = 1;
      year = year < 2100 ? year + 1 : 1900;
    }
  }
}
BENCHMARK(BM_PhasesOfMonth);

void BM_PhaseInstant(benchmark::State& state) {
  double k = 1500;
  for (auto _ : state) {
    benchmark::DoNotOptimize(astro::phaseInstant(k, astro::PhaseKind::NewMoon));
    k = k < 1600 ? k + 1 : 1500;
  }
}
BENCHMARK(BM_PhaseInstant);

// The month moves on from March 2026 each time, and comes back after 1200 months.
calendar::Date nextMonth(calendar::Date month) {
  if (++month.month > 12) month = {1, 1, month.year + 1};
  return month.year > 2125 ? calendar::Date{1, 3, 2026} : month;
}

// The start of a month's first day on the clock of UTC+1.
double firstWindowStart(const calendar::Date& month) { return astro::julianDay(month) - 1.0 / 24; }

// The moon's rows of a month page at one city: 31 days of moonrise and moonset.
void BM_MoonRiseSetMonth(benchmark::State& state) {
  calendar::Date month{1, 3, 2026};
  for (auto _ : state) {
    benchmark::DoNotOptimize(astro::moonRiseSets(firstWindowStart(month), 31, Milano));
    month = nextMonth(month);
  }
}
BENCHMARK(BM_MoonRiseSetMonth)->Unit(benchmark::kMicrosecond);

// The same, asked one day at a time.
void BM_MoonRiseSetMonthDayByDay(benchmark::State& state) {
  calendar::Date month{1, 3, 2026};
  for (auto _ : state) {
    for (int d = 0; d < 31; ++d) benchmark::DoNotOptimize(astro::moonRiseSets(firstWindowStart(month) + d, 1, Milano));
    month = nextMonth(month);
  }
}
BENCHMARK(BM_MoonRiseSetMonthDayByDay)->Unit(benchmark::kMicrosecond);

// The instants of a month's principal phases.
void BM_PhaseMomentsMonth(benchmark::State& state) {
  calendar::Date month{1, 3, 2026};
  for (auto _ : state) {
    const double first = astro::julianDay(month);
    benchmark::DoNotOptimize(astro::phaseMoments(first, first + 31));
    month = nextMonth(month);
  }
}
BENCHMARK(BM_PhaseMomentsMonth)->Unit(benchmark::kMicrosecond);

// A month's ascending and descending marks: the way the Moon goes at each noon.
void BM_AscendingMarksMonth(benchmark::State& state) {
  calendar::Date month{1, 3, 2026};
  for (auto _ : state) {
    const double firstNoon = astro::julianDay(month) + 0.5;
    for (int d = 0; d < 31; ++d) benchmark::DoNotOptimize(astro::moonAscending(firstNoon + d));
    month = nextMonth(month);
  }
}
BENCHMARK(BM_AscendingMarksMonth)->Unit(benchmark::kMicrosecond);

// The sowing calendar's month: every entry of the Moon into a constellation
// (argument 0) or a sign (1).
void BM_ZodiacEntriesMonth(benchmark::State& state) {
  const auto system = state.range(0) == 0 ? astro::ZodiacSystem::Constellations : astro::ZodiacSystem::Signs;
  calendar::Date month{1, 3, 2026};
  for (auto _ : state) {
    const double first = firstWindowStart(month);
    benchmark::DoNotOptimize(astro::zodiacEntries(first, first + 31, system));
    month = nextMonth(month);
  }
}
BENCHMARK(BM_ZodiacEntriesMonth)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The Moon's place in the zodiac at each noon of a month, one instant at a time.
void BM_ZodiacAtNoonsMonth(benchmark::State& state) {
  calendar::Date month{1, 3, 2026};
  for (auto _ : state) {
    const double firstNoon = astro::julianDay(month) + 0.5;
    for (int d = 0; d < 31; ++d)
      benchmark::DoNotOptimize(astro::zodiacAt(firstNoon + d, astro::ZodiacSystem::Constellations));
    month = nextMonth(month);
  }
}
BENCHMARK(BM_ZodiacAtNoonsMonth)->Unit(benchmark::kMicrosecond);

// A month's nodes.
void BM_NodeCrossingsMonth(benchmark::State& state) {
  calendar::Date month{1, 3, 2026};
  for (auto _ : state) {
    const double first = firstWindowStart(month);
    benchmark::DoNotOptimize(astro::nodeCrossings(first, first + 31));
    month = nextMonth(month);
  }
}
BENCHMARK(BM_NodeCrossingsMonth)->Unit(benchmark::kMicrosecond);

// A month's perigees and apogees.
void BM_ApsidesMonth(benchmark::State& state) {
  calendar::Date month{1, 3, 2026};
  for (auto _ : state) {
    const double first = firstWindowStart(month);
    benchmark::DoNotOptimize(astro::apsides(first, first + 31));
    month = nextMonth(month);
  }
}
BENCHMARK(BM_ApsidesMonth)->Unit(benchmark::kMicrosecond);

}  // namespace
