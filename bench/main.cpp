// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmarks of the window's side need an application object for fonts and
// text documents; no display is used.
#include <benchmark/benchmark.h>

#ifdef ORTALBA_WITH_PLATFORM
#include <QApplication>

#include "app/platform/qt/vector_state.h"
#endif

int main(int argc, char** argv) {
#ifdef ORTALBA_WITH_PLATFORM
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);  // widgets: the notes viewer is measured too
  ortalba::clearUpperVectorState();  // as the window does once its application object is built
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
