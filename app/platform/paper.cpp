// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/paper.h"

#include <QPaintDevice>
#include <algorithm>

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

void Paper::letters(double points, bool bold, bool italic) {
  // Fonts are sized by the device's resolution, before the scaling to millimetres.
  font_.setPointSizeF(points * 25.4 / dpi_);
  font_.setBold(bold);
  font_.setItalic(italic);
  painter_.setFont(font_);
}

}  // namespace ortalba
