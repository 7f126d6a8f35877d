// SPDX-License-Identifier: GPL-3.0-or-later
// The chooser's search as a gardener types: each keystroke filters the list's
// places and every comune, and the window's list takes what it found. Within
// 2 ms a keystroke, so that typing never waits.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_platform.h"

#include "app/comune_row.h"
#include "app/place_search.h"
#include "app/window_model.h"

namespace {

// What a gardener types, one keystroke after another: a comune by its name, a
// single letter that finds thousands, a name with an apostrophe, and nothing found.
const std::vector<std::string> Typed = {"bardonecchia", "a", "l aquila", "reggio", "zzq"};

void BM_SearchKeystroke(benchmark::State& state) {
  const std::string& word = Typed[static_cast<std::size_t>(state.range(0))];
  app::searchPlaces("warm", 1);  // the names are folded at the first search, not at start-up
  std::size_t keystroke = 0;
  for (auto _ : state) {
    const std::string typed = word.substr(0, keystroke % word.size() + 1);
    benchmark::DoNotOptimize(app::searchPlaces(typed, app::WindowModel::ChooserRows).data());
    ++keystroke;
  }
  state.SetLabel(word);
}
BENCHMARK(BM_SearchKeystroke)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// The same through the window's procedure, which also rebuilds the list's rows.
void BM_ChooserKeystroke(benchmark::State& state) {
  BenchPlatform platform;
  app::WindowModel form(platform);
  form.start();
  form.openCityChooser();
  const std::string word = "bardonecchia";
  std::size_t keystroke = 0;
  for (auto _ : state) {
    form.searchCities(word.substr(0, keystroke++ % word.size() + 1));
    benchmark::DoNotOptimize(form.cityList.rows.data());
  }
}
BENCHMARK(BM_ChooserKeystroke)->Unit(benchmark::kMicrosecond);

// The first search of a run folds every name once.
void BM_FirstSearchFoldsTheNames(benchmark::State& state) {
  for (auto _ : state) {
    std::size_t count = 0;
    for (const app::ComuneRow& row : app::comuneRows()) count += app::searchKey(row.name).size();
    benchmark::DoNotOptimize(count);
  }
}
BENCHMARK(BM_FirstSearchFoldsTheNames)->Unit(benchmark::kMicrosecond);

}  // namespace
