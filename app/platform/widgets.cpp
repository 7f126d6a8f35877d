#include "app/platform/widgets.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <algorithm>
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

void ClickLabel::setShrinkToFit(int pixels) {
  fitPixels_ = pixels;
  refit();
}

void ClickLabel::refit() {
  if (fitPixels_ <= 0) return;
  const int size = fittingPixelSize(font(), text(), contentsRect(), alignment(), fitPixels_, std::max(1, fitPixels_ / 2));
  if (font().pixelSize() == size) return;
  QFont f = font();
  f.setPixelSize(size);
  setFont(f);
}

void ClickLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  refit();
}

int fittingPixelSize(QFont font, const QString& text, const QRect& box, Qt::Alignment align, int pixels,
                     int smallest) {
  for (int size = pixels; size > smallest; --size) {
    font.setPixelSize(size);
    const QRect needed = QFontMetrics(font).boundingRect(box, int(align) | Qt::TextWordWrap, text);
    if (needed.width() <= box.width() && needed.height() <= box.height()) return size;
  }
  return smallest;
}

void PictureWidget::setResource(int resource) {
  if (resource == resource_) return;
  resource_ = resource;
  update();
}

void PictureWidget::setNaturalScale(double scale) {
  if (scale == naturalScale_) return;
  naturalScale_ = scale;
  update();
}

void PictureWidget::paintEvent(QPaintEvent*) {
  QSvgRenderer* renderer = pictureRenderer(resource_);
  if (!renderer || !renderer->isValid()) return;
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  // Keep the picture's proportions, centred in the slot.
  const QSizeF natural = QSizeF(renderer->defaultSize()) * naturalScale_;
  QSizeF fitted = natural.scaled(QSizeF(width(), height()), Qt::KeepAspectRatio);
  if (natural.width() <= width() && natural.height() <= height()) fitted = natural;
  const QRectF target((width() - fitted.width()) / 2, (height() - fitted.height()) / 2, fitted.width(),
                      fitted.height());
  renderer->render(&p, target);
}

}  // namespace ortalba
