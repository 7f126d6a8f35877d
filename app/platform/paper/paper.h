// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A sheet of A4 laid out in millimetres, on any paint device: a PDF file, a printer.
#include <QFont>
#include <QFontMetricsF>
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

  // A text wrapped at word boundaries within `box` (millimetres), in the letters
  // last set: the room it needs, and the text drawn. Both are laid out at a hundred
  // times the size, as letters of a few device pixels are measured in whole pixels.
  QSizeF wrapped(const QString& text, const QRectF& box, int flags) const;
  void drawWrapped(const QString& text, const QRectF& box, int flags);

 private:
  QFont magnified() const;

  QPainter& painter_;
  double dpi_;
  QFont font_;
  double points_ = 10;
};

}  // namespace ortalba
