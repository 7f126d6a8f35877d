#pragma once
// The almanac's window: renders the view model of Form1 and passes every click to it.
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/notes_passages.h"
#include "app/platform/accessibility.h"
#include "app/platform/widgets.h"

class QListWidget;
class QTextBrowser;
class QFrame;
class QPrinter;
class QLabel;
class QTextDocument;

namespace ortalba {

// The month's notes document at `path` (the file system's own bytes), or the
// installed copy of it, read into the viewer, set a little smaller for its column
// and as large as the window is drawn (`zoom`, 1 at design size).
void loadNotesInto(QTextBrowser* viewer, const std::string& path, double zoom = 1.0, rtf::Document* parsed = nullptr);

// Marks the notes' passages for `mark` (its sub-heading and advice) with a soft
// ground of the bar's colour, and clears the others; Neutral clears them all.
// The text, and so the reader's place in it, stays as it is.
void markPassages(QTextDocument& notes, const std::vector<app::MoonPassage>& passages, app::PhaseMark mark);

// Design positions are in twips: 15 twips make a pixel at 96 dpi.
constexpr int px(int twips) { return (twips + 7) / 15; }

// The window's size at design size, in pixels; the moon cue's legend adds a strip.
inline constexpr int DesignWidth = px(7815);
inline constexpr int DesignHeight = px(8160);
inline constexpr int CueDesignHeight = px(8430);

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  // `form` must outlive the window. Runs the start-up of the form.
  explicit MainWindow(app::Form1& form, QWidget* parent = nullptr);

  // Brings every widget in line with the view model.
  void render();

  // How large the window is drawn: 1 at design size. It follows the window's size,
  // keeping the design's proportions.
  double zoom() const { return zoom_; }
  // The zoom a new window starts at: the desktop's font size against the design's,
  // within the screen.
  double startZoom() const { return startZoom_; }
  // Ctrl++, Ctrl+- and Ctrl+0: the window grows, shrinks, or goes back to its start size.
  void zoomBy(double factor);
  void resetZoom();

  // Ctrl+K: the cue for colour-blind gardeners, hatching on the waxing and waning
  // bars, a darker red for Sundays and feasts and a legend; off at start.
  void toggleCue();
  bool cueShown() const { return cue_; }

  // Ctrl+P: the print dialog, then the shown month on one page.
  void printShownMonth();
  // The shown month on one page of `printer`; false when the printer cannot be opened.
  bool printShownMonth(QPrinter& printer);
  // Ctrl+Shift+P: the print dialog, then the shown year's booklet (13 pages).
  void printShownYear();
  bool printShownYear(QPrinter& printer);

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
  // Places every widget and sets its lettering for the current zoom.
  void layOut();
  void setZoom(double zoom);
  int designHeight() const { return cue_ ? CueDesignHeight : DesignHeight; }
  void setTabOrder();
  void resizeEvent(QResizeEvent* event) override;
  ClickLabel* clickable(const app::Label& model) const;
  void renderLabel(QLabel* widget, const app::Label& label);
  void loadNotes();
  // The print dialog for an A4 page, then `print`; a warning when that fails.
  void printThroughDialog(const QString& docName, const QString& what, const std::function<bool(QPrinter&)>& print);
  // The passages of the notes that fit the day shown in the panel.
  void markNotes();
  // Every window event that reaches the almanac goes through here.
  void command(const std::function<void()>& handler);
  void keyPressEvent(QKeyEvent* event) override;

  app::Form1& form_;
  // Where each widget goes, in design twips, and its letters' size in pixels at design size.
  struct Placed {
    QWidget* widget;
    int x, y, w, h;
    int pixels;  // 0: the widget's letters follow the window's
  };
  std::vector<Placed> placed_;
  double zoom_ = 1;
  double startZoom_ = 1;
  double notesZoom_ = 1;
  bool cue_ = false;
  CueLegend* legend_ = nullptr;
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
  NotesViewer* vismese_ = nullptr;
  unsigned notesLoaded_ = 0;
  std::vector<app::MoonPassage> passages_;
  std::optional<app::PhaseMark> notesMark_;  // what the notes are marked for; none: not yet
  std::string notesPath_;
};

}  // namespace ortalba
