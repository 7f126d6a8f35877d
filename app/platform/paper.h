// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A sheet of A4 laid out in millimetres, on any paint device: a PDF file, a printer.
#include <QFont>
#include <QPainter>
#include <QRectF>

namespace ortalba {

class Paper {
 public:
  // Scales `painter` so that `area` (device coordinates) holds a 210 x 297 mm sheet;
  // the painter is restored when the Paper goes.
  Paper(QPainter& painter, const QRectF& area);
  ~Paper();
  Paper(const Paper&) = delete;
  Paper& operator=(const Paper&) = delete;

  // The sheet's printable part: 12 mm from every edge.
  static QRectF inside() { return QRectF(12, 12, 186, 273); }

  // Letters of `points` in the almanac's printed face, whatever the device's resolution.
  void letters(double points, bool bold = false, bool italic = false);
  double dpi() const { return dpi_; }
  // The letters last set, as set (not bound to the device).
  const QFont& font() const { return font_; }

 private:
  QPainter& painter_;
  double dpi_;
  QFont font_;
};

}  // namespace ortalba
