// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/moon_phases.h"
#include "astro/sun_times.h"

#include <benchmark/benchmark.h>

namespace {

// One day cell of the month grid: sunrise and sunset at one city.
void BM_SunTimesOfDay(benchmark::State& state) {
  int day = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(astro::sunTimes(day, 6, 2026, "083744550095"));
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
    benchmark::DoNotOptimize(astro::PhaseDaysOfMonth(month, year));
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
    benchmark::DoNotOptimize(astro::PhaseInstant(k, astro::PhaseKind::NewMoon));
    k = k < 1600 ? k + 1 : 1500;
  }
}
BENCHMARK(BM_PhaseInstant);

}  // namespace
