// Speed of the window procedures a gardener feels: the month redraw and a day click.
#include <benchmark/benchmark.h>

#include "bench_platform.h"

#include "app/form1.h"
#include "app/year_calendar.h"

namespace {

void BM_ShowMonth31Days(benchmark::State& state) {
  BenchPlatform platform;
  app::Form1 form(platform);
  form.Form_Load();
  form.ShownMonth = 3;
  for (auto _ : state) {
    form.CurrentDate = {1, 3, 2026};
    form.ShowMonth();
    benchmark::DoNotOptimize(form.GGMM[30].caption.data());
  }
}
BENCHMARK(BM_ShowMonth31Days)->Unit(benchmark::kMicrosecond);

void BM_DayClick(benchmark::State& state) {
  BenchPlatform platform;
  app::Form1 form(platform);
  form.Form_Load();
  int day = 0;
  for (auto _ : state) {
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
