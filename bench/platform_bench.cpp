// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of what the window's side adds: reading a notes document, and the printer.
#ifdef ORTALBA_WITH_PLATFORM
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <QAbstractTextDocumentLayout>
#include <QPixmap>
#include <QTextBrowser>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <string>

#include "app/city_table.h"
#include "app/month_sheet.h"
#include "app/platform/window/main_window.h"
#include "app/platform/window/notes_view.h"
#include "app/platform/paper/month_page.h"
#include "app/platform/command_line/month_text.h"
#include "app/platform/qt/vector_state.h"
#include "app/platform/paper/year_booklet.h"
#include "app/platform/notes/rtf_text_document.h"
#include "rtf/rtf_document.h"

namespace {

const app::Place& milan() {
  static const app::Place place = app::findPlace("MILANO").value();
  return place;
}

const QString August = QStringLiteral(ORTALBA_SOURCE_DIR "/Doc/Ago.rtf");

// What the viewer does at every redraw and day click: read the month's file,
// parse it and build the text document.
void BM_NotesDocumentLoad(benchmark::State& state) {
  QTextDocument document;
  for (auto _ : state) {
    benchmark::DoNotOptimize(rtf::loadNotesDocument(August, document));
  }
}
BENCHMARK(BM_NotesDocumentLoad)->Unit(benchmark::kMicrosecond);

// The parser alone, on bytes already in memory.
void BM_NotesDocumentParse(benchmark::State& state) {
  QFile file(August);
  file.open(QIODevice::ReadOnly);
  const std::string bytes = file.readAll().toStdString();
  for (auto _ : state) benchmark::DoNotOptimize(rtf::parseRtf(bytes));
}
BENCHMARK(BM_NotesDocumentParse)->Unit(benchmark::kMicrosecond);

// The command line for a whole year: twelve months computed and printed as JSON.
void BM_JsonOfAWholeYear(benchmark::State& state) {
  for (auto _ : state) {
    for (int month = 1; month <= 12; ++month)
      benchmark::DoNotOptimize(ortalba::monthJson(app::sheetOf(2026, month, milan())));
  }
}
BENCHMARK(BM_JsonOfAWholeYear)->Unit(benchmark::kMillisecond);

// The month on an A4 PDF page, as --pdf and Ctrl+P draw it.
void BM_MonthPdfPage(benchmark::State& state) {
  const auto sheet = app::sheetOf(2026, 8, milan());
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("agosto.pdf"));
  for (auto _ : state) benchmark::DoNotOptimize(ortalba::writeMonthPdf(file, sheet, August.toStdString()).written);
}
BENCHMARK(BM_MonthPdfPage)->Unit(benchmark::kMillisecond);

// Notes documents written to make the layout slow, each well under a second
// from file to laid-out column, in the viewer and on the page.
std::string hostileNotes(int kind) {
  std::string rtf = "{\\rtf1\\ansi ";
  switch (kind) {
    case 0:  // the largest size, one short word a line
      rtf += "\\fs3276 ";
      for (int i = 0; i < 4000; ++i) rtf += "W ";
      break;
    case 1:  // a format change every letter
      for (int i = 0; i < 200'000; ++i) rtf += "{\\b a}{\\i b}";
      break;
    case 2:  // one endless word
      rtf += std::string(400'000, 'a');
      break;
    default:  // the reader's whole text limit
      while (rtf.size() < (2u << 20)) rtf += "seminare le fave ";
      break;
  }
  return rtf + "}";
}

const char* const HostileNames[] = {"huge-font", "runs", "long-word", "long-text"};

void BM_HostileNotesInViewer(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Dic.rtf"));
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(QByteArray::fromStdString(hostileNotes(static_cast<int>(state.range(0)))));
  file.close();
  state.SetLabel(HostileNames[state.range(0)]);
  QTextBrowser viewer;
  QFont font = viewer.font();
  font.setPixelSize(11);
  viewer.setFont(font);
  viewer.resize(201, 425);
  for (auto _ : state) {
    ortalba::loadNotesInto(&viewer, path.toStdString());
    // Laid out to its end and painted at its start and its end, as a reader scrolls it.
    benchmark::DoNotOptimize(viewer.document()->documentLayout()->blockBoundingRect(viewer.document()->lastBlock()));
    benchmark::DoNotOptimize(viewer.grab());
    viewer.moveCursor(QTextCursor::End);
    benchmark::DoNotOptimize(viewer.grab());
  }
}
BENCHMARK(BM_HostileNotesInViewer)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_HostileNotesOnPage(benchmark::State& state) {
  QTemporaryDir dir;
  const QString notes = dir.filePath(QStringLiteral("Dic.rtf"));
  QFile file(notes);
  file.open(QIODevice::WriteOnly);
  file.write(QByteArray::fromStdString(hostileNotes(static_cast<int>(state.range(0)))));
  file.close();
  state.SetLabel(HostileNames[state.range(0)]);
  const auto sheet = app::sheetOf(2026, 12, milan());
  const QString pdf = dir.filePath(QStringLiteral("dicembre.pdf"));
  for (auto _ : state) benchmark::DoNotOptimize(ortalba::writeMonthPdf(pdf, sheet, notes.toStdString()).written);
}
BENCHMARK(BM_HostileNotesOnPage)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The year's booklet, as --year and Ctrl+Shift+P make it: the year's page and twelve month pages with their notes.
void BM_YearBookletPdf(benchmark::State& state) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("anno.pdf"));
  const auto notesOf = [](int month) {
    return std::string(ORTALBA_SOURCE_DIR "/Doc/") + app::NotesDocuments[static_cast<std::size_t>(month - 1)];
  };
  for (auto _ : state) {
    ortalba::clearUpperVectorState();
    benchmark::DoNotOptimize(ortalba::writeYearPdf(file, app::monthsOfYear(2027, milan()), notesOf));
  }
}
BENCHMARK(BM_YearBookletPdf)->Unit(benchmark::kMillisecond);

}  // namespace
#endif
