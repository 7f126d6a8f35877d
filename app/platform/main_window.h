#pragma once
// The almanac's window: renders the view model of Form1 and passes every click to it.
#include <QLabel>
#include <QWidget>
#include <array>
#include <map>

#include "app/form1.h"

class QListWidget;
class QTextBrowser;
class QFrame;
class QPrinter;

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

// Design positions are in twips: 15 twips make a pixel at 96 dpi.
constexpr int px(int twips) { return (twips + 7) / 15; }

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  // `form` must outlive the window. Runs the start-up of the form.
  explicit MainWindow(app::Form1& form, QWidget* parent = nullptr);

  // Brings every widget in line with the view model.
  void render();

  // Ctrl+P: the print dialog, then the shown month on one page.
  void printShownMonth();
  // The shown month on one page of `printer`; false when the printer cannot be opened.
  bool printShownMonth(QPrinter& printer);

  // The widgets, for tests that click them.
  ClickLabel* dayLabel(int index) const { return days_[static_cast<std::size_t>(index)]; }
  ClickLabel* monthLabel(int index) const { return months_[static_cast<std::size_t>(index)]; }
  ClickLabel* previousYear() const { return lmen_; }
  ClickLabel* nextYear() const { return lpiu_; }
  ClickLabel* todayLabel() const { return label11_; }
  ClickLabel* cityLabel() const { return zona_; }
  ClickLabel* okLabel() const { return label15_; }
  QListWidget* cityList() const { return luogo2_; }
  QFrame* chooser() const { return sceltac_; }
  QTextBrowser* notesViewer() const { return vismese_; }
  QLabel* label(const QString& objectName) const;
  ShapeWidget* bar(int index) const { return bars_[static_cast<std::size_t>(index)]; }
  PictureWidget* moonIcon(int slot) const { return icons_[static_cast<std::size_t>(slot)]; }

 private:
  ClickLabel* makeLabel(QWidget* parent, const char* name, int x, int y, int w, int h,
                        Qt::Alignment align = Qt::AlignCenter);
  ShapeWidget* makeShape(QWidget* parent, int x, int y, int w, int h, const QColor& fill);
  void renderLabel(QLabel* widget, const app::Label& label);
  void loadNotes();
  void afterCommand();
  void keyPressEvent(QKeyEvent* event) override;

  app::Form1& form_;
  std::array<ShapeWidget*, 33> bars_{};
  std::array<ClickLabel*, 31> days_{};
  std::array<PictureWidget*, 33> icons_{};
  std::array<ShapeWidget*, 12> monthBoxes_{};
  std::array<ClickLabel*, 12> months_{};
  std::map<const app::Label*, QLabel*> labels_;
  ClickLabel *lmen_ = nullptr, *lpiu_ = nullptr, *label11_ = nullptr, *zona_ = nullptr, *label15_ = nullptr;
  PictureWidget *image1_ = nullptr, *image2_ = nullptr, *image3_ = nullptr;
  QListWidget* luogo2_ = nullptr;
  QFrame* sceltac_ = nullptr;
  QTextBrowser* vismese_ = nullptr;
  unsigned notesLoaded_ = 0;
  std::string notesPath_;
};

// Makes the program's pictures available (they live in a static library).
void initPictures();

// The file the notes of `path` are read from: `path` itself when it exists,
// else the same document among the installed ones.
QString notesFile(const std::string& path);

// Loads the month's notes into a viewer's document, or the notice that there are none.
void loadNotesInto(QTextBrowser* viewer, const std::string& path);

}  // namespace ortalba
