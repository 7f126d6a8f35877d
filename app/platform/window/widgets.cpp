// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/window/widgets.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QSvgRenderer>

#include "app/platform/window/moon_cue.h"
#include "app/platform/window/pictures.h"
#include "app/platform/qt/qt_colours.h"

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

void ShapeWidget::setHatching(app::PhaseMark mark, double spacing) {
  if (mark == hatching_ && spacing == spacing_) return;
  hatching_ = mark;
  spacing_ = spacing;
  update();
}

void ShapeWidget::setGoodDay(bool on) {
  if (goodDay_ == on) return;
  goodDay_ = on;
  update();
}

void ShapeWidget::setDiaryMark(bool on) {
  if (on == diaryMark_) return;
  diaryMark_ = on;
  update();
}

namespace {

// The diary's pencil in `box`, pointing down to the left: dark green, its wood
// and lead at the tip, within a white edge that keeps it apart from every bar's
// colour and from the cue's hatching.
void paintPencil(QPainter& p, const QRectF& box) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(box.center());
  p.rotate(-45);
  const double length = box.width() * 1.3, width = box.width() * 0.32, tip = width * 1.1;
  const double left = -length / 2;
  QPainterPath outline;
  outline.moveTo(left, 0);
  outline.lineTo(left + tip, -width / 2);
  outline.lineTo(-left, -width / 2);
  outline.lineTo(-left, width / 2);
  outline.lineTo(left + tip, width / 2);
  outline.closeSubpath();
  p.setPen(QPen(Qt::white, width * 0.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(240, 210, 160));  // the sharpened wood
  p.drawPath(outline);
  p.setPen(Qt::NoPen);
  p.setBrush(toQColor(app::colours::DarkGreen));
  p.drawRect(QRectF(left + tip, -width / 2, length - tip, width));
  QPainterPath lead;
  lead.moveTo(left, 0);
  lead.lineTo(left + tip * 0.45, -width * 0.2);
  lead.lineTo(left + tip * 0.45, width * 0.2);
  lead.closeSubpath();
  p.setBrush(Qt::black);
  p.drawPath(lead);
  p.restore();
}

}  // namespace

void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), fill_);
  paintMoonCue(p, rect(), hatching_, spacing_);
  // Between the day's letters and its moon picture, which begins at 72% of the bar.
  if (diaryMark_) {
    const double side = height() * 0.56;
    paintPencil(p, QRectF(width() * 0.70 - side, (height() - side) / 2, side, side));
  }
  p.setPen(toQColor(app::colours::Border));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  if (goodDay_) p.fillRect(QRect(1, 1, std::max(3, width() / 16), height() - 2), toQColor(app::colours::DarkGreen));
  if (focusMark_) {
    QPen dashed(Qt::black, 2, Qt::DashLine);
    p.setPen(dashed);
    p.drawRect(rect().adjusted(2, 2, -3, -3));
  }
}

namespace {

// Letters of `pixels` for `widget` where `text` fits its box, smaller where it does
// not: down to half, and never under 7 pixels, below which a small letter no longer reads.
constexpr int LeastLegiblePixels = 7;
void fitLetters(QWidget& widget, const QString& text, int flags, int pixels) {
  if (pixels <= 0) return;
  const int smallest = std::max({1, pixels / 2, std::min(pixels, LeastLegiblePixels)});
  const int size = fittingPixelSize(widget.font(), text, widget.contentsRect(), flags, pixels, smallest);
  if (widget.font().pixelSize() == size) return;
  QFont f = widget.font();
  f.setPixelSize(size);
  widget.setFont(f);
}

}  // namespace

void DesignLabel::setShrinkToFit(int pixels) {
  fitPixels_ = pixels;
  refit();
}

void DesignLabel::refit() {
  fitLetters(*this, text(), int(alignment()) | (wordWrap() ? int(Qt::TextWordWrap) : 0), fitPixels_);
}

void DesignLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  refit();
}

DesignButton::DesignButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void DesignButton::setAlignment(Qt::Alignment alignment) {
  alignment_ = alignment;
  update();
}

void DesignButton::setShrinkToFit(int pixels) {
  fitPixels_ = pixels;
  refit();
}

void DesignButton::refit() { fitLetters(*this, text(), int(alignment_), fitPixels_); }

void DesignButton::resizeEvent(QResizeEvent* event) {
  QAbstractButton::resizeEvent(event);
  refit();
}

void DesignButton::keyPressEvent(QKeyEvent* event) {
  // Space is the button's own; Enter presses it too. Every other key (the arrows,
  // which a button would take to move the focus) goes on to the window.
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    click();
    event->accept();
  } else if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) {
    QAbstractButton::keyPressEvent(event);
  } else {
    QWidget::keyPressEvent(event);
  }
}

void DesignButton::paintEvent(QPaintEvent*) {
  // The text as a label of the design draws it, whatever the button's state.
  QPainter p(this);
  const int flags = int(alignment_) | Qt::TextForceLeftToRight;
  style()->drawItemText(&p, contentsRect(), flags, palette(), isEnabled(), text(), QPalette::WindowText);
  if (!hasFocus()) return;
  // The keyboard's place, drawn in the letters' own colour over whatever ground it has.
  QPen dotted(palette().color(QPalette::WindowText), 1, Qt::DotLine);
  p.setPen(dotted);
  p.drawRect(rect().adjusted(1, 1, -2, -2));
}

void StripedRows::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  option->state &= ~QStyle::State_Selected;
}

void StripedRows::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  if (!(option.state & QStyle::State_Selected)) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  painter->save();
  painter->fillRect(option.rect, toQColor(app::colours::White));
  QFont bold = option.font;
  bold.setBold(true);
  painter->setFont(bold);
  painter->setPen(toQColor(app::colours::ListGround));
  painter->drawText(option.rect.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
  if (option.state & QStyle::State_HasFocus) {
    painter->setPen(QPen(toQColor(app::colours::ListGround), 1, Qt::DotLine));
    painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
  }
  painter->restore();
}

void CueLegend::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::TextAntialiasing);
  const double h = height();
  const app::PhaseMark marks[] = {app::PhaseMark::Waxing, app::PhaseMark::Waning, app::PhaseMark::Neutral};
  const QString feasts = QStringLiteral("rosso scuro: domeniche e feste");
  QFont plain = font();
  QFont bold = plain;
  bold.setBold(true);
  // Swatch, words, a gap; the letters shrink when the strip is too narrow for them all.
  const auto natural = [&] {
    double w = 0;
    for (const auto mark : marks) w += h * (1.0 + 0.3 + 0.8) + QFontMetricsF(plain).horizontalAdvance(cueLegendText(mark));
    return w + QFontMetricsF(bold).horizontalAdvance(feasts);
  };
  while (natural() > width() && plain.pixelSize() > 6) {
    plain.setPixelSize(plain.pixelSize() - 1);
    bold.setPixelSize(plain.pixelSize());
  }
  const double swatchW = h * 1.0, swatchH = h * 0.6;
  double x = 0;
  p.setFont(plain);
  for (const auto mark : marks) {
    paintCueSwatch(p, QRectF(x, (h - swatchH) / 2, swatchW, swatchH), mark, swatchH / 2.5, 1);
    x += swatchW + h * 0.3;
    const QString text = cueLegendText(mark);
    p.setPen(palette().color(QPalette::WindowText));
    const double w = QFontMetricsF(plain).horizontalAdvance(text);
    p.drawText(QRectF(x, 0, w + 2, h), Qt::AlignLeft | Qt::AlignVCenter, text);
    x += w + h * 0.8;
  }
  p.setPen(feastRed(true));
  p.setFont(bold);
  p.drawText(QRectF(x, 0, width() - x, h), Qt::AlignLeft | Qt::AlignVCenter, feasts);
}

int fittingPixelSize(QFont font, const QString& text, const QRect& box, int flags, int pixels, int smallest) {
  for (int size = pixels; size > smallest; --size) {
    font.setPixelSize(size);
    const QRect needed = QFontMetrics(font).boundingRect(box, flags, text);
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

PlantMarkWidget::PlantMarkWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_TranslucentBackground);
}

void PlantMarkWidget::setMark(const app::PlantMark& mark) {
  if (mark.part == mark_.part && mark.unfavourable == mark_.unfavourable) return;
  mark_ = mark;
  update();
}

void PlantMarkWidget::paintEvent(QPaintEvent*) {
  if (mark_.part == app::PlantPartMark::None) return;
  QPainter p(this);
  const double h = height();
  paintPlantPart(p, QRectF(0, h * 0.2, h * 0.6, h * 0.6), mark_.part);
  if (!mark_.unfavourable) return;
  QFont f = font();
  f.setBold(true);
  f.setPixelSize(std::max(7, int(h * 0.55)));
  p.setFont(f);
  p.setPen(toQColor(app::colours::CueRed));
  p.drawText(QRectF(h * 0.6, 0, width() - h * 0.6, h), Qt::AlignCenter, QStringLiteral("!"));
}

}  // namespace ortalba
