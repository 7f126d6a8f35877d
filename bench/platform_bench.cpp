// Speed of what the window's side adds: reading a notes document, and the printer.
#ifdef ORTALBA_WITH_PLATFORM
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include "app/month_sheet.h"
#include "app/platform/month_page.h"
#include "app/platform/printer.h"
#include "app/platform/rtf_text_document.h"
#include "rtf/rtf_document.h"

namespace {

const QString kAugust = QStringLiteral(ORTALBA_SOURCE_DIR "/Doc/Ago.rtf");

// What the viewer does at every redraw and day click: read the month's file,
// parse it and build the text document.
void BM_NotesDocumentLoad(benchmark::State& state) {
  QTextDocument document;
  for (auto _ : state) {
    benchmark::DoNotOptimize(rtf::loadNotesDocument(kAugust, document));
  }
}
BENCHMARK(BM_NotesDocumentLoad)->Unit(benchmark::kMicrosecond);

// The parser alone, on bytes already in memory.
void BM_NotesDocumentParse(benchmark::State& state) {
  QFile file(kAugust);
  file.open(QIODevice::ReadOnly);
  const std::string bytes = file.readAll().toStdString();
  for (auto _ : state) benchmark::DoNotOptimize(rtf::parseRtf(bytes));
}
BENCHMARK(BM_NotesDocumentParse)->Unit(benchmark::kMicrosecond);

// The printer for a whole year: twelve months computed and printed as JSON.
void BM_PrinterWholeYear(benchmark::State& state) {
  for (auto _ : state) {
    for (int month = 1; month <= 12; ++month)
      benchmark::DoNotOptimize(ortalba::monthJson(app::sheetOf(2026, month, 15)));
  }
}
BENCHMARK(BM_PrinterWholeYear)->Unit(benchmark::kMillisecond);

// The month on an A4 PDF page, as --pdf and Ctrl+P draw it.
void BM_MonthPdfPage(benchmark::State& state) {
  const auto sheet = app::sheetOf(2026, 8, 15);
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("agosto.pdf"));
  for (auto _ : state) benchmark::DoNotOptimize(ortalba::writeMonthPdf(file, sheet, kAugust));
}
BENCHMARK(BM_MonthPdfPage)->Unit(benchmark::kMillisecond);

}  // namespace
#endif
