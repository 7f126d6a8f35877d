// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the notes as the window and the page lay them out: any
// bytes, parsed, bounded, built into a Qt text document at the viewer's scale,
// laid out in the viewer's column and on the page, and painted. Run with a time
// limit per input (-timeout): a document that makes the layout slow is a fault.
#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/platform/notes/rtf_text_document.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Made once and kept for the whole run, as the window keeps its own.
  static QGuiApplication* application = new QGuiApplication(*argc, *argv);
  (void)application;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const rtf::ReadResult read = rtf::parseRtf(std::string_view(reinterpret_cast<const char*>(data), size));

  // The viewer: a narrow column, the text set at 0.82 of its size, the visible part painted.
  QTextDocument viewer;
  rtf::showReadResult(read, viewer, 0.82);
  viewer.setTextWidth(190);
  (void)viewer.size();
  QImage column(200, 420, QImage::Format_ARGB32_Premultiplied);
  column.fill(Qt::white);
  {
    QPainter painter(&column);
    viewer.drawContents(&painter, QRectF(0, 0, 200, 420));
  }

  // The page: laid out 95 mm wide at 300 dpi, then wider as it is shrunk to fit.
  QTextDocument page;
  rtf::showReadResult(read, page);
  page.setDocumentMargin(0);
  page.setTextWidth(1122);
  const double height = page.size().height();
  if (height > 2800) page.setTextWidth(1122 * height / 2800);
  (void)page.size();
  return 0;
}
