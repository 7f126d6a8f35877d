// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/paper/paper.h"

#include <QPaintDevice>
#include <algorithm>
#include <cmath>

namespace ortalba {

Paper::Paper(QPainter& painter, const QRectF& area)
    : painter_(painter), dpi_(painter.device()->logicalDpiY()), font_(QStringLiteral("DejaVu Sans")) {
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::TextAntialiasing);
  const double unit = std::min(area.width() / 210.0, area.height() / 297.0);
  painter_.translate(area.topLeft());
  painter_.scale(unit, unit);
}

Paper::~Paper() { painter_.restore(); }

namespace {
constexpr double Magnified = 100;
QRectF times(const QRectF& r, double k) { return QRectF(r.topLeft() * k, r.size() * k); }
}  // namespace

QFont Paper::magnified() const {
  QFont big = font_;
  big.setPixelSize(std::max(1, int(std::lround(points_ * 25.4 / 72 * Magnified))));
  return big;
}

QSizeF Paper::wrapped(const QString& text, const QRectF& box, int flags) const {
  return QFontMetricsF(magnified()).boundingRect(times(box, Magnified), flags | Qt::TextWordWrap, text).size() /
         Magnified;
}

void Paper::drawWrapped(const QString& text, const QRectF& box, int flags) {
  painter_.save();
  painter_.scale(1 / Magnified, 1 / Magnified);
  painter_.setFont(magnified());
  painter_.drawText(times(box, Magnified), flags | Qt::TextWordWrap, text);
  painter_.restore();
}

void Paper::letters(double points, bool bold, bool italic) {
  // Fonts are sized by the device's resolution, before the scaling to millimetres.
  points_ = points;
  font_.setPointSizeF(points * 25.4 / dpi_);
  font_.setBold(bold);
  font_.setItalic(italic);
  painter_.setFont(font_);
}

}  // namespace ortalba
