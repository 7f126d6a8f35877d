// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's own widgets: filled rectangles, clickable labels and pictures.
#include <QAbstractButton>
#include <QLabel>
#include <QStyledItemDelegate>
#include <QWidget>

#include "app/italian_words.h"
#include "app/view_model.h"

namespace ortalba {

// A filled rectangle with a thin border, as the day bars and the picker boxes are drawn.
class ShapeWidget : public QWidget {
  Q_OBJECT
 public:
  explicit ShapeWidget(QWidget* parent) : QWidget(parent) {}
  void setFill(const QColor& colour);
  QColor fill() const { return fill_; }
  // A dashed frame for the keyboard's selected day; the fill stays as it is.
  void setFocusMark(bool on);
  bool focusMark() const { return focusMark_; }
  // The moon cue's hatching for a mark, lines `spacing` pixels apart; Neutral: none.
  void setHatching(app::PhaseMark mark, double spacing);
  app::PhaseMark hatching() const { return hatching_; }
  // A good day for the chosen job: a dark green stripe down the bar's left edge,
  // read on every bar colour and with the cue's hatching.
  void setGoodDay(bool on);
  bool goodDay() const { return goodDay_; }
  // A small pencil on a day's bar: the day has entries in the gardener's diary.
  void setDiaryMark(bool on);
  bool diaryMark() const { return diaryMark_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QColor fill_{Qt::white};
  bool focusMark_ = false;
  bool goodDay_ = false;
  app::PhaseMark hatching_ = app::PhaseMark::Neutral;
  double spacing_ = 6;
  bool diaryMark_ = false;
};

// A label of the design: a text that may wrap, and then shrink its letters
// until the whole text fits its box.
class DesignLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
  // Letters of `pixels` where the text fits, smaller where it does not; 0: as set.
  void setShrinkToFit(int pixels);
  int shrinkToFit() const { return fitPixels_; }
  // Fits the letters to the current text and box.
  void refit();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  int fitPixels_ = 0;
};

// A caption of the design that does something: drawn exactly as a label of the
// design, it is a button to the keyboard (Tab reaches it, a dotted frame shows
// it, Space or Enter press it) and to a screen reader. Its one line of text may
// shrink its letters to fit, as a label's does.
class DesignButton : public QAbstractButton {
  Q_OBJECT
 public:
  explicit DesignButton(QWidget* parent);
  void setAlignment(Qt::Alignment alignment);
  Qt::Alignment alignment() const { return alignment_; }
  void setShrinkToFit(int pixels);
  int shrinkToFit() const { return fitPixels_; }
  void refit();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  Qt::Alignment alignment_ = Qt::AlignCenter;
  int fitPixels_ = 0;
};

// The cue's legend: a hatched swatch and the words for waxing, waning, and the
// full and new moon.
class CueLegend : public QWidget {
  Q_OBJECT
 public:
  explicit CueLegend(QWidget* parent) : QWidget(parent) {}

 protected:
  void paintEvent(QPaintEvent*) override;
};

// The city list's rows: the design's stripes are their own background, and the
// selection (the city in focus, as a screen reader hears it) is not painted as one.
// The city list's rows: the design's stripes, and the chosen city on a white
// ground in the list's dark blue, bold, framed when the list has the keyboard:
// clearly apart from every other row.
class StripedRows : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// The largest pixel size from `pixels` down to `smallest` at which `text`, laid
// out with `flags` (alignment, and Qt::TextWordWrap for several lines), fits `box`;
// `smallest` when none does.
int fittingPixelSize(QFont font, const QString& text, const QRect& box, int flags, int pixels, int smallest);

// A picture slot that shows one of the program's pictures, scaled to fit.
class PictureWidget : public QWidget {
  Q_OBJECT
 public:
  explicit PictureWidget(QWidget* parent) : QWidget(parent) {}
  void setResource(int resource);
  int resource() const { return resource_; }
  // A picture smaller than its slot is drawn at its own size times this.
  void setNaturalScale(double scale);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  int resource_ = app::resources::None;
  double naturalScale_ = 1;
};

// The tradition's mark on a day row: a small shape for the plant part of the day
// (a root pointing down, a leaf, a flower, a round fruit), told apart by shape,
// not colour; "!" beside it on a day with unfavourable hours. It lets clicks
// through to the row under it.
class PlantMarkWidget : public QWidget {
  Q_OBJECT
 public:
  explicit PlantMarkWidget(QWidget* parent);
  void setMark(const app::PlantMark& mark);
  const app::PlantMark& mark() const { return mark_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  app::PlantMark mark_;
};

}  // namespace ortalba
