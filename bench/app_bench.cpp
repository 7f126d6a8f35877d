// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the window procedures a gardener feels: the month redraw and a day click.
#include <benchmark/benchmark.h>

#include "bench_platform.h"

#include "almanac/movable_feasts.h"
#include "almanac/saints.h"
#include "app/form1.h"
#include "app/moon_hours.h"
#include "app/year_calendar.h"
#include "astro/moon_phases.h"
#include "astro/sun_times.h"

#ifdef ORTALBA_WITH_PLATFORM
#include "app/platform/vector_state.h"
// Inside the Qt process every window event clears the vector state before it calls the almanac.
#define ORTALBA_EVENT_ENTRY() ortalba::clearUpperVectorState()
#else
#define ORTALBA_EVENT_ENTRY() ((void)0)
#endif

namespace {

// The floor of a redraw: one month's raw computations and nothing else.
void BM_MonthFloor(benchmark::State& state) {
  const astro::GeoPosition milano{9 + 11.0 / 60, 45 + 28.0 / 60};
  for (auto _ : state) {
    for (int d = 1; d <= 31; ++d) {
      benchmark::DoNotOptimize(astro::sunTimes({d, 3, 2026}, milano));
      benchmark::DoNotOptimize(almanac::saintOfDay(3, d, 2026));
    }
    benchmark::DoNotOptimize(astro::PhaseDaysOfMonth(3, 2026));
    benchmark::DoNotOptimize(almanac::movableFeasts(2026));
  }
}
BENCHMARK(BM_MonthFloor)->Unit(benchmark::kMicrosecond);

void BM_ShowMonth31Days(benchmark::State& state) {
  BenchPlatform platform;
  app::Form1 form(platform);
  form.Form_Load();
  form.ShownMonth = 3;
  for (auto _ : state) {
    ORTALBA_EVENT_ENTRY();
    form.CurrentDate = {1, 3, 2026};
    form.ShowMonth();
    benchmark::DoNotOptimize(form.GGMM[30].caption.data());
  }
}
BENCHMARK(BM_ShowMonth31Days)->Unit(benchmark::kMicrosecond);

// The moon to the minute of a month, as the window works it out once a month and
// city when it shows them (not in every redraw): rises, sets, ascending marks, phase hours.
void BM_MoonMonthOfSheet(benchmark::State& state) {
  const app::MonthSheet sheet = app::sheetOf(2026, 3, 15);
  for (auto _ : state) benchmark::DoNotOptimize(app::moonMonthOf(sheet).days.data());
}
BENCHMARK(BM_MoonMonthOfSheet)->Unit(benchmark::kMicrosecond);

void BM_DayClick(benchmark::State& state) {
  BenchPlatform platform;
  app::Form1 form(platform);
  form.Form_Load();
  int day = 0;
  for (auto _ : state) {
    ORTALBA_EVENT_ENTRY();
    form.GGMM_Click(day);
    day = (day + 1) % 31;
    benchmark::DoNotOptimize(form.santo.caption.data());
  }
}
BENCHMARK(BM_DayClick)->Unit(benchmark::kMicrosecond);

void BM_StartUp(benchmark::State& state) {
  BenchPlatform platform;
  for (auto _ : state) {
    app::Form1 form(platform);
    form.Form_Load();
    benchmark::DoNotOptimize(form.zona.caption.data());
  }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMicrosecond);

// The calendar of a whole year for a phone: phases, feasts, notes, sun times.
void BM_YearCalendarIcs(benchmark::State& state) {
  const app::IcsStamp stamp{2026, 12, 6, 12, 0, 0};
  for (auto _ : state) benchmark::DoNotOptimize(app::yearCalendarIcs(2027, 15, stamp));
}
BENCHMARK(BM_YearCalendarIcs)->Unit(benchmark::kMicrosecond);

}  // namespace
