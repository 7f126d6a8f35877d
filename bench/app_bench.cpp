// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the window procedures a gardener feels: the month redraw and a day click.
#include <benchmark/benchmark.h>

#include "bench_platform.h"

#include "almanac/movable_feasts.h"
#include "almanac/saints.h"
#include "app/city_table.h"
#include "app/window_model.h"
#include "app/year_calendar.h"
#include "astro/moon_phases.h"
#include "astro/sun_times.h"

#ifdef ORTALBA_WITH_PLATFORM
#include "app/platform/qt/vector_state.h"
// Inside the Qt process every window event clears the vector state before it calls the almanac.
#define ORTALBA_EVENT_ENTRY() ortalba::clearUpperVectorState()
#else
#define ORTALBA_EVENT_ENTRY() ((void)0)
#endif

namespace {

// The floor of a redraw: one month's raw computations and nothing else.
void BM_MonthFloor(benchmark::State& state) {
  for (auto _ : state) {
    for (int d = 1; d <= 31; ++d) {
      benchmark::DoNotOptimize(astro::sunTimes({d, 3, 2026}, {9 + 11.0 / 60, 45 + 28.0 / 60}));
      benchmark::DoNotOptimize(almanac::saintOfDay(3, d, 2026));
    }
    benchmark::DoNotOptimize(astro::phaseDaysOfMonth(3, 2026));
    benchmark::DoNotOptimize(almanac::movableFeasts(2026));
  }
}
BENCHMARK(BM_MonthFloor)->Unit(benchmark::kMicrosecond);

void BM_DrawMonth31Days(benchmark::State& state) {
  BenchPlatform platform;
  app::WindowModel form(platform);
  form.start();
  form.shownMonth = 3;
  for (auto _ : state) {
    ORTALBA_EVENT_ENTRY();
    form.currentDate = {1, 3, 2026};
    form.drawMonth();
    benchmark::DoNotOptimize(form.dayRows[30].caption.data());
  }
}
BENCHMARK(BM_DrawMonth31Days)->Unit(benchmark::kMicrosecond);

// The moon to the minute of a month, worked out once a month and place when a
// view first asks for it (not in every redraw): rises, sets, ascending marks, phase hours.
void BM_MoonOfMonth(benchmark::State& state) {
  const app::Place milan = app::findPlace("MILANO").value();
  for (auto _ : state) {
    const app::MonthSheet sheet = app::sheetOf(2026, 3, milan);
    benchmark::DoNotOptimize(sheet.moon().days().data());
    benchmark::DoNotOptimize(sheet.moon().phases().data());
  }
}
BENCHMARK(BM_MoonOfMonth)->Unit(benchmark::kMicrosecond);

// The tradition's side of a month, worked out with its moon: the plant part of each
// noon, the entries into the constellations, perigee, apogee and nodes.
void BM_TraditionOfMonth(benchmark::State& state) {
  const app::Place milan = app::findPlace("MILANO").value();
  int month = 1;
  for (auto _ : state) {
    const app::MonthSheet sheet = app::sheetOf(2027, month, milan);
    benchmark::DoNotOptimize(sheet.moon().tradition().partAtNoon.data());
    month = month % 12 + 1;
  }
}
BENCHMARK(BM_TraditionOfMonth)->Unit(benchmark::kMicrosecond);

void BM_DayClick(benchmark::State& state) {
  BenchPlatform platform;
  app::WindowModel form(platform);
  form.start();
  int day = 0;
  for (auto _ : state) {
    ORTALBA_EVENT_ENTRY();
    form.clickDay(day);
    day = (day + 1) % 31;
    benchmark::DoNotOptimize(form.saintOrFeast.caption.data());
  }
}
BENCHMARK(BM_DayClick)->Unit(benchmark::kMicrosecond);

void BM_StartUp(benchmark::State& state) {
  BenchPlatform platform;
  for (auto _ : state) {
    app::WindowModel form(platform);
    form.start();
    benchmark::DoNotOptimize(form.city.caption.data());
  }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMicrosecond);

// The calendar of a whole year for a phone: phases, feasts, notes, sun times.
void BM_YearCalendarIcs(benchmark::State& state) {
  const app::IcsStamp stamp{2026, 12, 6, 12, 0, 0};
  const app::Place milan = app::findPlace("MILANO").value();
  for (auto _ : state) benchmark::DoNotOptimize(app::yearCalendarIcs(2027, milan, stamp));
}
BENCHMARK(BM_YearCalendarIcs)->Unit(benchmark::kMicrosecond);

}  // namespace
