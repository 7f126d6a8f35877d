// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac's window: renders the window's view model after every command and
// passes every click and key to it. The widgets come from the design's table
// (window_design), the notes are their own view (notes_view), printing has its
// dialogs (print_dialogs); what stays here is construction, zoom, rendering and
// the dispatch of commands.
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/window_model.h"
#include "app/platform/window/window_design.h"

class QListWidget;
class QLineEdit;
class QFrame;
class QPrinter;
class QLabel;
class QMenu;
class QAction;

namespace ortalba {

class NotesView;
class HelpDialog;
class DiaryDialog;

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  // `form` must outlive the window. Runs the start-up of the form.
  explicit MainWindow(app::WindowModel& form, QWidget* parent = nullptr);

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
  // The largest zoom at which the window, with its frame, fits its screen's free area.
  double mostZoom() const;

  // F1 and the "?": the help, beside the almanac; Escape closes it.
  void showHelp();
  HelpDialog* help() const { return help_; }

  // Ctrl+K: the cue for colour-blind gardeners, hatching on the waxing and waning
  // bars, a darker red for Sundays and feasts and a legend; off at start.
  void toggleCue();
  bool cueShown() const { return cue_; }

  // Ctrl+E: the day of the festa patronale of a comune or a field not in the list, or none.
  void setOwnFeast();
  // The gardener's diary, once the window is up (a large one would hold the window
  // back): its pencils drawn, then a damaged diary set aside told (`notice`) and
  // the reminders whose day has come shown. None: `whyNone` says why.
  void attachDiary(app::Diary* diary, const std::string& whyNone, const std::string& notice);
  // Ctrl+D: the diary of the selected day, and the search of the whole diary.
  void openDiary();
  DiaryDialog* diary() const { return diary_; }

  // Ctrl+P: the print dialog, then the shown month on one page.
  void printShownMonth();
  // The shown month on one page of `printer`; false when the printer cannot be opened.
  bool printShownMonth(QPrinter& printer);
  // Ctrl+Shift+P: the print dialog, then the shown year's booklet (13 pages).
  void printShownYear();
  bool printShownYear(QPrinter& printer);

  // The widgets, for tests that click them.
  DesignButton* day(int index) const { return widgets_.days[static_cast<std::size_t>(index)]; }
  DesignButton* month(int index) const { return widgets_.months[static_cast<std::size_t>(index)]; }
  DesignButton* previousYear() const { return widgets_.previousYear; }
  DesignButton* nextYear() const { return widgets_.nextYear; }
  DesignButton* todayButton() const { return widgets_.today; }
  DesignButton* cityButton() const { return widgets_.city; }
  DesignButton* okButton() const { return widgets_.ok; }
  DesignButton* helpButton() const { return widgets_.help; }
  QListWidget* cityList() const { return widgets_.cityList; }
  QLineEdit* citySearch() const { return widgets_.citySearch; }
  QFrame* chooser() const { return widgets_.chooser; }
  NotesView* notes() const { return widgets_.notes; }
  // The text shown by the caption of that name ("tileDay", "city"...).
  QString caption(const QString& objectName) const;
  QLabel* label(const QString& objectName) const;
  ShapeWidget* bar(int index) const { return widgets_.bars[static_cast<std::size_t>(index)]; }
  PictureWidget* moonIcon(int index) const { return widgets_.icons[static_cast<std::size_t>(index)]; }

 private:
  // The window's commands that have keys of their own, as actions.
  void addCommands();
  // Places every widget and sets its lettering for the current zoom.
  void layOut();
  void setZoom(double zoom);
  int designHeight() const { return cue_ ? CueDesignHeight : DesignHeight; }
  void setTabOrder();
  void resizeEvent(QResizeEvent* event) override;
  void renderText(QWidget* widget, const app::Label& label);
  void renderNotes();
  // The chooser's rows as the search left them, and the search box's text.
  void renderCityRows();
  // The chooser's keys: the arrows from the search box, a letter typed on the list.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The notes document of each month, for the year's booklet.
  std::function<std::string(int)> notesOfMonth() const;
  // Every window event that reaches the almanac goes through here.
  void command(const std::function<void()>& handler);
  // The navigation keys: months, years, days, today, and the chooser's Enter and Escape.
  void keyPressEvent(QKeyEvent* event) override;
  // The window's menu, with every command and its keys.
  void contextMenuEvent(QContextMenuEvent* event) override;
  // Above all other windows while the gardener wants it so.
  void keepAbove();
  // Ctrl+J: the job whose good days the rows show, from a short list.
  void chooseJob();
  // The diary changed: the window shows it as it now is.
  void diaryChanged();

  app::WindowModel& form_;
  WindowWidgets widgets_;
  double zoom_ = 1;
  double startZoom_ = 1;
  bool cue_ = false;
  unsigned notesLoaded_ = 0;
  // The month's moon the rows' descriptions were last written from.
  std::shared_ptr<const app::MonthMoon> moonShown_;
  HelpDialog* help_ = nullptr;
  DiaryDialog* diary_ = nullptr;
  QMenu* menu_ = nullptr;
  std::vector<std::pair<QAction*, std::function<bool()>>> checkedBy_;
  std::vector<std::pair<QAction*, std::function<bool()>>> enabledBy_;
};

}  // namespace ortalba
