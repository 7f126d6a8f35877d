// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/window/moon_cue.h"

#include <cmath>

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

void paintPlantPart(QPainter& p, const QRectF& box, app::PlantPartMark part) {
  const double s = std::min(box.width(), box.height());
  const QRectF r(box.left() + (box.width() - s) / 2, box.top() + (box.height() - s) / 2, s, s);
  const QPointF c = r.center();
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 40, 40), std::max(0.6, s / 12)));
  p.setBrush(QColor(60, 60, 60));
  switch (part) {
    case app::PlantPartMark::Root: {  // a root pointing down, with its tuft
      const QPointF tip(c.x(), r.bottom() - s * 0.02);
      p.drawPolygon(QPolygonF{{r.left() + s * 0.25, r.top() + s * 0.32}, {r.right() - s * 0.25, r.top() + s * 0.32}, tip});
      p.drawLine(QPointF(c.x(), r.top() + s * 0.3), QPointF(c.x() - s * 0.18, r.top()));
      p.drawLine(QPointF(c.x(), r.top() + s * 0.3), QPointF(c.x() + s * 0.18, r.top()));
      break;
    }
    case app::PlantPartMark::Leaf: {  // a leaf on its side, its vein light
      p.save();
      p.translate(c);
      p.rotate(-35);
      p.drawEllipse(QRectF(-s * 0.45, -s * 0.2, s * 0.9, s * 0.4));
      p.setPen(QPen(Qt::white, std::max(0.5, s / 16)));
      p.drawLine(QPointF(-s * 0.35, 0), QPointF(s * 0.35, 0));
      p.restore();
      break;
    }
    case app::PlantPartMark::Flower:  // five petals round a light heart
      for (int k = 0; k < 5; ++k) {
        const double a = k * 72 * 3.14159265358979 / 180;
        p.drawEllipse(QPointF(c.x() + std::sin(a) * s * 0.25, c.y() - std::cos(a) * s * 0.25), s * 0.16, s * 0.16);
      }
      p.setBrush(Qt::white);
      p.drawEllipse(c, s * 0.1, s * 0.1);
      break;
    case app::PlantPartMark::Fruit:  // a round fruit on its stalk
      p.drawEllipse(QPointF(c.x(), c.y() + s * 0.08), s * 0.32, s * 0.32);
      p.drawLine(QPointF(c.x(), c.y() - s * 0.22), QPointF(c.x() + s * 0.12, r.top() + s * 0.05));
      break;
    case app::PlantPartMark::None:
      break;
  }
  p.restore();
}

}  // namespace ortalba
