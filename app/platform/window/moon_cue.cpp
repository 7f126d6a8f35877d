// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/window/moon_cue.h"

#include <QPainter>
#include <QPainterPath>
#include <QRectF>

#include "app/month_sheet.h"
#include "app/platform/qt/qt_colours.h"

namespace ortalba {

void paintMoonCue(QPainter& p, const QRectF& area, app::PhaseMark mark, double spacing) {
  if (mark == app::PhaseMark::Neutral || spacing <= 0) return;
  p.save();
  p.setClipRect(area);
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(QColor(0, 0, 0, 70));
  pen.setWidthF(spacing / 5);
  p.setPen(pen);
  // Waxing rises to the right, as the moon's light grows; waning falls.
  const bool rising = mark == app::PhaseMark::Waxing;
  const double h = area.height();
  for (double x = area.left() - h; x < area.right() + h; x += spacing) {
    if (rising)
      p.drawLine(QPointF(x, area.bottom()), QPointF(x + h, area.top()));
    else
      p.drawLine(QPointF(x, area.top()), QPointF(x + h, area.bottom()));
  }
  p.restore();
}

void paintCueSwatch(QPainter& p, const QRectF& area, app::PhaseMark mark, double spacing, double border) {
  p.fillRect(area, toQColor(app::colourOf(mark)));
  paintMoonCue(p, area, mark, spacing);
  p.save();
  p.setPen(QPen(toQColor(app::colours::PageBorder), border));
  p.setBrush(Qt::NoBrush);
  p.drawRect(area);
  p.restore();
}

QString cueLegendText(app::PhaseMark mark) {
  if (mark == app::PhaseMark::Neutral) return QStringLiteral("Luna piena e nuova");
  return QStringLiteral("Luna ") + QString::fromLatin1(app::markWord(mark));
}

QColor feastRed(bool cue) { return toQColor(cue ? app::colours::CueRed : app::colours::Red); }

}  // namespace ortalba
