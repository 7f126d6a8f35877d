#pragma once
// The almanac's window: renders the view model of Form1 and passes every click to it.
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/platform/widgets.h"

class QListWidget;
class QTextBrowser;
class QFrame;
class QPrinter;
class QLabel;

namespace ortalba {

// The month's notes document at `path` (the file system's own bytes), or the
// installed copy of it, read into the viewer, set a little smaller for its column.
void loadNotesInto(QTextBrowser* viewer, const std::string& path);

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
  ClickLabel* previousYear() const { return clickable(form_.lmen); }
  ClickLabel* nextYear() const { return clickable(form_.lpiu); }
  ClickLabel* todayLabel() const { return clickable(form_.Label11); }
  ClickLabel* cityLabel() const { return clickable(form_.zona); }
  ClickLabel* okLabel() const { return clickable(form_.Label15); }
  QListWidget* cityList() const { return luogo2_; }
  QFrame* chooser() const { return sceltac_; }
  QTextBrowser* notesViewer() const { return vismese_; }
  QLabel* label(const QString& objectName) const;
  ShapeWidget* bar(int index) const { return bars_[static_cast<std::size_t>(index)]; }
  PictureWidget* moonIcon(int slot) const { return icons_[static_cast<std::size_t>(slot)]; }

 private:
  void build();
  ClickLabel* clickable(const app::Label& model) const;
  void renderLabel(QLabel* widget, const app::Label& label);
  void loadNotes();
  // Every window event that reaches the almanac goes through here.
  void command(const std::function<void()>& handler);
  void keyPressEvent(QKeyEvent* event) override;

  app::Form1& form_;
  // The view-model objects and the widgets that show them.
  std::vector<std::pair<const app::Label*, QLabel*>> labels_;
  std::vector<std::pair<const app::Shape*, ShapeWidget*>> shapes_;
  std::vector<std::pair<const app::Picture*, PictureWidget*>> pictures_;
  std::map<const void*, QWidget*> widgetOf_;
  std::array<ShapeWidget*, 33> bars_{};
  std::array<ClickLabel*, 31> days_{};
  std::array<PictureWidget*, 33> icons_{};
  std::array<ClickLabel*, 12> months_{};
  QListWidget* luogo2_ = nullptr;
  QFrame* sceltac_ = nullptr;
  QTextBrowser* vismese_ = nullptr;
  unsigned notesLoaded_ = 0;
  std::string notesPath_;
};

}  // namespace ortalba
