#include "app/platform/widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

#include "app/platform/pictures.h"
#include "app/platform/qt_colours.h"

namespace ortalba {

void ShapeWidget::setFill(const QColor& colour) {
  if (colour == fill_) return;
  fill_ = colour;
  update();
}

void ShapeWidget::setFocusMark(bool on) {
  if (on == focusMark_) return;
  focusMark_ = on;
  update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), fill_);
  p.setPen(toQColor(app::colours::Border));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  if (focusMark_) {
    QPen dashed(Qt::black, 2, Qt::DashLine);
    p.setPen(dashed);
    p.drawRect(rect().adjusted(2, 2, -3, -3));
  }
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QLabel::mousePressEvent(event);
}

void PictureWidget::setResource(int resource) {
  if (resource == resource_) return;
  resource_ = resource;
  update();
}

void PictureWidget::paintEvent(QPaintEvent*) {
  QSvgRenderer* renderer = pictureRenderer(resource_);
  if (!renderer || !renderer->isValid()) return;
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  // Keep the picture's proportions, centred in the slot.
  const QSizeF natural = renderer->defaultSize();
  QSizeF fitted = natural.scaled(QSizeF(width(), height()), Qt::KeepAspectRatio);
  if (natural.width() <= width() && natural.height() <= height()) fitted = natural;
  const QRectF target((width() - fitted.width()) / 2, (height() - fitted.height()) / 2, fitted.width(),
                      fitted.height());
  renderer->render(&p, target);
}

}  // namespace ortalba
