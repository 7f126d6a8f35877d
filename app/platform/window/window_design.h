// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window as its design lists it: every widget's place in design twips, one
// line each, and the factory that builds the widgets from that table.
#include <array>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "app/window_model.h"
#include "app/platform/window/widgets.h"

class QFrame;
class QListWidget;
class QLineEdit;

namespace ortalba {

class NotesView;

// Design positions are in twips: 15 twips make a pixel at 96 dpi.
constexpr int px(int twips) { return (twips + 7) / 15; }

// The window's size at design size, in pixels: the design's window and, under it,
// the day's line; the moon cue's legend adds a strip.
inline constexpr int DesignWidth = px(7815);
inline constexpr int DesignHeight = px(9375);
inline constexpr int CueDesignHeight = px(9645);

// The widgets of the window, each beside the view-model object it shows.
struct WindowWidgets {
  // Where a widget goes, in design twips, and its letters' size in pixels at design
  // size (0: the window's own letters).
  struct Placed {
    QWidget* widget;
    int x, y, w, h;
    int pixels;
  };
  std::vector<Placed> placed;
  std::vector<std::pair<const app::Label*, QWidget*>> texts;  // a DesignLabel or a DesignButton
  std::vector<std::pair<const app::Shape*, ShapeWidget*>> shapes;
  std::vector<std::pair<const app::Picture*, PictureWidget*>> pictures;
  std::map<const void*, QWidget*> widgetOf;
  std::array<ShapeWidget*, 31> bars{};
  std::array<DesignButton*, 31> days{};
  std::array<PictureWidget*, 31> icons{};
  std::array<PlantMarkWidget*, 31> plantMarks{};
  std::array<DesignButton*, 12> months{};
  DesignButton* previousYear = nullptr;
  DesignButton* nextYear = nullptr;
  DesignButton* today = nullptr;
  DesignButton* city = nullptr;
  DesignButton* ok = nullptr;
  DesignButton* help = nullptr;  // over the "?" picture
  QFrame* chooser = nullptr;
  QListWidget* cityList = nullptr;
  QLineEdit* citySearch = nullptr;  // over the list: a comune, or a field's coordinates
  NotesView* notes = nullptr;
  CueLegend* legend = nullptr;
};

// Runs a window procedure of the form as a command of the window.
using RunCommand = std::function<void(const std::function<void()>&)>;

// Builds every widget of the design on `window`, back to front, with the names a
// screen reader says; a click on a caption that does something runs its handler
// of `form` through `run`. `form` must outlive the widgets.
WindowWidgets buildWindow(QWidget& window, app::WindowModel& form, const RunCommand& run);

// Places every widget on `window` and sets its letters for `zoom` (1 at design
// size), the drawing `designHeight` pixels high at design size, centred.
void layOutWindow(WindowWidgets& widgets, QWidget& window, double zoom, int designHeight);

}  // namespace ortalba
