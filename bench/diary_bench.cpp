// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the gardener's diary with 10,000 entries: importing them, the month's
// marks, a search, the window's start and the diary's opening after it.
#ifdef ORTALBA_WITH_PLATFORM
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <random>

#include "almanac/notes_advice.h"
#include "app/diary_csv.h"
#include "app/platform/diary/diary_store.h"
#include "app/platform/window/main_window.h"
#include "app/platform/qt/vector_state.h"
#include "bench_platform.h"

namespace {

// Ten years of a busy garden: a few entries a day, notes with what spreadsheets find hard.
std::vector<app::DiaryEntry> tenThousandEntries() {
  std::mt19937 random(17);
  const char* plants[] = {"pomodoro San Marzano", "basilico", "zucchine", "fave", "cipolle di Tropea", "lattuga", "aglio"};
  const char* notes[] = {"", "comprati al mercato; bustina \"Arcoiris\"", "seminati in alveolo\nda trapiantare",
                         "perché sì, caffè", "l’orto è pieno di lumache…"};
  std::vector<app::DiaryEntry> entries;
  calendar::Date day{1, 1, 2017};
  for (int i = 0; i < 10'000; ++i) {
    if (random() % 3 == 0) day = calendar::addDays(day, 1);
    app::DiaryEntry e;
    e.day = day;
    e.job = almanac::NotesJobs[random() % almanac::NotesJobs.size()].name;
    e.plants = plants[random() % 7];
    e.where = "aiuola " + std::to_string(random() % 6 + 1);
    e.quantity = std::to_string(random() % 60 + 1) + " semi";
    e.note = notes[random() % 5];
    if (i % 3 == 0) e.reminder = calendar::addDays(day, int(random() % 60) + 7);
    entries.push_back(std::move(e));
  }
  return entries;
}

// A diary of 10,000 entries in a file of its own, made once.
struct TenThousand {
  QTemporaryDir folder;
  std::string path = folder.filePath(QStringLiteral("diario.sqlite")).toStdString();
  TenThousand() { ortalba::DiaryStore(path).addAll(tenThousandEntries()); }
};
TenThousand& diary() {
  static TenThousand made;
  return made;
}

// --diario-importa's work: the file read whole, then kept in one change, in a new diary each time.
void BM_DiaryImport10000(benchmark::State& state) {
  const std::string csv = app::diaryCsv(tenThousandEntries());
  QTemporaryDir folder;
  int round = 0;
  for (auto _ : state) {
    const app::DiaryCsvRead read = app::readDiaryCsv(csv);
    ortalba::DiaryStore store(folder.filePath(QStringLiteral("diario-%1.sqlite").arg(round++)).toStdString());
    benchmark::DoNotOptimize(store.addAll(read.entries).added);
  }
}
BENCHMARK(BM_DiaryImport10000)->Unit(benchmark::kMillisecond);

// The pencils of a month, as every redraw asks for them.
void BM_DiaryMonthMarks(benchmark::State& state) {
  ortalba::DiaryStore store(diary().path);
  int month = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(store.markedDays(2019 + month / 12, month % 12 + 1));
    month = (month + 1) % 96;
  }
}
BENCHMARK(BM_DiaryMonthMarks)->Unit(benchmark::kMicrosecond);

// A search as the dialog runs it, each entry found with its moon: a plant in a year,
// and a plant in every year (some 1,400 entries found).
void BM_DiarySearch(benchmark::State& state) {
  ortalba::DiaryStore store(diary().path);
  app::DiaryPanel panel;
  panel.attach(&store);
  const char* typed = state.range(0) == 0 ? "pomodoro 2020" : "pomodoro";
  state.SetLabel(typed);
  std::size_t found = 0;
  for (auto _ : state) {
    ortalba::clearUpperVectorState();
    found = panel.search(typed, {}).size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = double(found);
}
BENCHMARK(BM_DiarySearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);


// The window's start as runWindow makes it, which opens the diary only once the
// window is up; then what comes after: the diary opened (and checked whole) and
// its pencils drawn.
void BM_WindowStart(benchmark::State& state) {
  BenchPlatform platform;
  for (auto _ : state) {
    app::WindowModel form(platform);
    ortalba::MainWindow window(form);
    benchmark::DoNotOptimize(window.caption(QStringLiteral("dayLine")).size());
  }
}
BENCHMARK(BM_WindowStart)->Unit(benchmark::kMillisecond);

void BM_DiaryOpenedOnceTheWindowIsUp(benchmark::State& state) {
  BenchPlatform platform;
  app::WindowModel form(platform);
  ortalba::MainWindow window(form);
  for (auto _ : state) {
    ortalba::DiaryStore store(diary().path);
    window.attachDiary(&store, {}, {});
    benchmark::DoNotOptimize(window.bar(0)->diaryMark());
    window.attachDiary(nullptr, {}, {});
  }
}
BENCHMARK(BM_DiaryOpenedOnceTheWindowIsUp)->Unit(benchmark::kMillisecond);

}  // namespace
#endif
