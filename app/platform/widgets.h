#pragma once
// The window's own widgets: filled rectangles, clickable labels and pictures.
#include <QLabel>
#include <QWidget>

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

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QColor fill_{Qt::white};
  bool focusMark_ = false;
};

// A label that reports a press of the left button.
class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

// A picture slot that shows one of the program's pictures, scaled to fit.
class PictureWidget : public QWidget {
  Q_OBJECT
 public:
  explicit PictureWidget(QWidget* parent) : QWidget(parent) {}
  void setResource(int resource);
  int resource() const { return resource_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  int resource_ = app::resources::None;
};

}  // namespace ortalba
