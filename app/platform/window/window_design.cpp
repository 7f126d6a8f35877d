// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/window/window_design.h"

#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>
#include <cmath>
#include <type_traits>
#include <variant>

#include "app/platform/window/notes_view.h"
#include "app/platform/qt/qt_colours.h"
#include "app/platform/qt/qt_text.h"

namespace ortalba {

namespace {

using app::WindowModel;

// Element `i` of a widget of the view model: the widget itself, or the i-th of an array.
template <auto Member>
auto& element(WindowModel& form, std::size_t i) {
  auto& member = form.*Member;
  using Widget = std::remove_reference_t<decltype(member)>;
  if constexpr (std::is_class_v<Widget> && requires { member[i]; }) {
    return member[i];
  } else {
    (void)i;
    return member;
  }
}

using ShapeOf = app::Shape& (*)(WindowModel&, std::size_t);
using LabelOf = app::Label& (*)(WindowModel&, std::size_t);
using PictureOf = app::Picture& (*)(WindowModel&, std::size_t);
using PlantMarkOf = app::PlantMark& (*)(WindowModel&, std::size_t);
// The widgets that are not plain view-model objects.
enum class Special { Chooser, CitySearch, CityList, Notes, ButtonGround, CueLegend, Help };
using Model = std::variant<ShapeOf, LabelOf, PictureOf, PlantMarkOf, Special>;

template <auto M> constexpr Model shape = ShapeOf{&element<M>};
template <auto M> constexpr Model label = LabelOf{&element<M>};
template <auto M> constexpr Model picture = PictureOf{&element<M>};
template <auto M> constexpr Model plantMark = PlantMarkOf{&element<M>};

// The handler a click on the widget (element i of an array) runs.
using Click = void (*)(WindowModel&, int);
template <auto Handler>
void call(WindowModel& form, int i) {
  if constexpr (std::is_invocable_v<decltype(Handler), WindowModel&, int>)
    (form.*Handler)(i);
  else
    (form.*Handler)();
}
template <auto H> constexpr Click click = &call<H>;

// How a label is lettered: pixel size at design size, alignment, and the rest.
enum class Look { Plain, Fitted, Wrapped, Caption, Time, MonthName, DayNumber, Link, BoxNumber, Arrow, Button, Title, DayRow,
                  Notice, Instructions };

struct Lettering {
  int pixels = 11;
  Qt::Alignment align = Qt::AlignCenter;
  bool wrap = false;  // several lines
  bool underline = false;
  bool fit = false;  // smaller letters where the text does not fit its box (its lines, when it wraps)
};

Lettering letteringOf(Look look) {
  constexpr Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
  switch (look) {
    case Look::Plain: return {};
    case Look::Fitted: return {11, Qt::AlignCenter, false, false, true};
    case Look::Wrapped: return {11, Qt::AlignCenter, true, false, true};
    case Look::Caption: return {10, left};
    case Look::Time: return {11, left};
    case Look::MonthName: return {15};
    case Look::DayNumber: return {40};
    case Look::Link: return {11, Qt::AlignCenter, false, true, true};
    case Look::BoxNumber: return {13};
    case Look::Arrow: return {18};
    case Look::Button: return {};
    case Look::Title: return {17};
    case Look::DayRow: return {12, left};
    case Look::Notice: return {10};
    case Look::Instructions: return {10, left, true, false, true};
  }
  return {};
}

// An array of widgets: elements first..first+count-1, `columns` to a row,
// each `dx` and `dy` twips from the one before.
struct Repeat {
  int first = 0;
  int count = 1;
  int columns = 1;
  int dx = 0;
  int dy = 0;
};

struct Place {
  const char* name;  // the design's name; an array's element i is name_i
  Model model;
  int x, y, w, h;    // design twips, inside the chooser for the rows marked so
  Look look = Look::Plain;
  Repeat repeat = {};
  Click onClick = nullptr;
  bool inChooser = false;
  bool together = false;  // an array laid out element by element with the row above
};

// Back to front, as the design lists the widgets.
const Place WindowDesign[] = {
    // the day panel
    {"dateTile", shape<&WindowModel::dateTile>, 120, 120, 1575, 1455},
    {"tileHeader", shape<&WindowModel::tileHeader>, 120, 120, 1575, 495},
    {"tileMonth", label<&WindowModel::tileMonth>, 120, 240, 1575, 375, Look::MonthName},
    {"tileDay", label<&WindowModel::tileDay>, 120, 600, 1575, 735, Look::DayNumber},
    {"weekdayGround", shape<&WindowModel::weekdayGround>, 120, 1320, 1575, 255},
    {"tileWeekday", label<&WindowModel::tileWeekday>, 120, 1320, 1575, 255},
    {"saintHeading", label<&WindowModel::saintHeading>, 120, 1680, 1575, 255},
    {"saintOrFeast", label<&WindowModel::saintOrFeast>, 240, 2040, 1335, 615, Look::Wrapped},
    {"sunHeading", label<&WindowModel::sunHeading>, 120, 2760, 1575, 255},
    {"city", label<&WindowModel::city>, 120, 3000, 1575, 255, Look::Link, {}, click<&WindowModel::openCityChooser>},
    {"sunriseCaption", label<&WindowModel::sunriseCaption>, 165, 3240, 795, 255, Look::Caption},
    {"sunrise", label<&WindowModel::sunrise>, 960, 3240, 615, 255, Look::Time},
    {"sunsetCaption", label<&WindowModel::sunsetCaption>, 165, 3480, 795, 255, Look::Caption},
    {"sunset", label<&WindowModel::sunset>, 960, 3480, 615, 255, Look::Time},
    // the month picker and the year
    {"pickerGround", shape<&WindowModel::pickerGround>, 195, 3960, 1425, 2385},
    {"pickerHeader", shape<&WindowModel::pickerHeader>, 240, 4005, 1335, 330},
    {"pickerHeading", label<&WindowModel::pickerHeading>, 240, 4005, 1335, 330},
    {"monthBox", shape<&WindowModel::monthBoxes>, 240, 4440, 375, 375, Look::Plain, {0, 12, 3, 480, 480}},
    {"monthNumber", label<&WindowModel::monthNumbers>, 240, 4440, 375, 375, Look::BoxNumber, {0, 12, 3, 480, 480},
     click<&WindowModel::pickMonth>, false, true},
    {"yearGround", shape<&WindowModel::yearGround>, 120, 6480, 1575, 375},
    {"previousYearGround", shape<&WindowModel::previousYearGround>, 120, 6480, 375, 375},
    {"nextYearGround", shape<&WindowModel::nextYearGround>, 1320, 6480, 375, 375},
    {"year", label<&WindowModel::year>, 120, 6480, 1575, 375, Look::MonthName},
    {"previousYear", label<&WindowModel::previousYear>, 120, 6480, 375, 375, Look::Arrow, {},
     click<&WindowModel::goToPreviousYear>},
    {"nextYear", label<&WindowModel::nextYear>, 1320, 6480, 375, 375, Look::Arrow, {}, click<&WindowModel::goToNextYear>},
    {"todayGround", shape<&WindowModel::todayGround>, 240, 6960, 1335, 255},
    {"today", label<&WindowModel::todayButton>, 240, 6960, 1335, 255, Look::Button, {}, click<&WindowModel::goToToday>},
    // the month's days: 1 to 16 on the left, 17 to 31 on the right
    {"title", label<&WindowModel::title>, 1800, 120, 5895, 375, Look::Title},
    {"dayBar", shape<&WindowModel::dayBars>, 1800, 480, 1335, 375, Look::Plain, {0, 16, 1, 0, 360}},
    {"dayRow", label<&WindowModel::dayRows>, 1920, 480, 735, 375, Look::DayRow, {0, 16, 1, 0, 360},
     click<&WindowModel::clickDay>, false, true},
    {"plantMark", plantMark<&WindowModel::plantMarks>, 2475, 480, 270, 375, Look::Plain, {0, 16, 1, 0, 360}, nullptr,
     false, true},
    {"moonIcon", picture<&WindowModel::moonIcons>, 2760, 480, 375, 375, Look::Plain, {0, 16, 1, 0, 360}, nullptr, false,
     true},
    {"dayBar", shape<&WindowModel::dayBars>, 6360, 480, 1335, 375, Look::Plain, {16, 15, 1, 0, 360}},
    {"dayRow", label<&WindowModel::dayRows>, 6480, 480, 735, 375, Look::DayRow, {16, 15, 1, 0, 360},
     click<&WindowModel::clickDay>, false, true},
    {"plantMark", plantMark<&WindowModel::plantMarks>, 7035, 480, 270, 375, Look::Plain, {16, 15, 1, 0, 360}, nullptr,
     false, true},
    {"moonIcon", picture<&WindowModel::moonIcons>, 7320, 480, 375, 375, Look::Plain, {16, 15, 1, 0, 360}, nullptr,
     false, true},
    // the notes, the pictures and the instructions
    {"notes", Special::Notes, 3240, 720, 3015, 6375},
    {"notSavedNotice", label<&WindowModel::notSavedNotice>, 3240, 480, 3015, 240, Look::Notice},
    {"gerberaFrame", shape<&WindowModel::gerberaFrame>, 6435, 5955, 1185, 1185},
    {"gerbera", picture<&WindowModel::gerbera>, 6480, 6000, 1095, 1095},
    {"sunflowersFrame", shape<&WindowModel::sunflowersFrame>, 1875, 6315, 1185, 825},
    {"sunflowers", picture<&WindowModel::sunflowers>, 1920, 6360, 1095, 735},
    {"helpPicture", picture<&WindowModel::helpPicture>, 165, 7320, 810, 705},
    {"help", Special::Help, 165, 7320, 810, 705},  // the "?" as a button, drawing nothing over it
    {"instructions", label<&WindowModel::instructions>, 1065, 7275, 6540, 765, Look::Instructions},
    // the selected day in words, under the instructions: the panel's line
    {"dayLine", label<&WindowModel::dayLine>, 165, 8085, 7530, 1230, Look::Instructions},
    // the moon cue's legend, under the day's line while the cue is on
    {"cueLegend", Special::CueLegend, 165, 9345, 7530, 255, Look::Caption},
    // the city chooser, over the notes
    {"cityChooser", Special::Chooser, 3600, 2280, 2295, 3375},
    {"chooserHeading", label<&WindowModel::chooserHeading>, 0, 0, 2295, 255, Look::Plain, {}, nullptr, true},
    {"citySearch", Special::CitySearch, 0, 255, 2295, 315, Look::Plain, {}, nullptr, true},
    {"cityList", Special::CityList, 0, 570, 2295, 2430, Look::Plain, {}, nullptr, true},
    {"chosenCity", label<&WindowModel::chosenCity>, 0, 3070, 1455, 305, Look::Fitted, {}, nullptr, true},
    {"confirmCityGround", Special::ButtonGround, 1455, 3030, 825, 315, Look::Plain, {}, nullptr, true},
    {"confirmCity", label<&WindowModel::confirmCityButton>, 1440, 3000, 855, 375, Look::Button, {},
     click<&WindowModel::confirmCity>, true},
};

}  // namespace

WindowWidgets buildWindow(QWidget& window, WindowModel& form, const RunCommand& run) {
  WindowWidgets made;
  QFont base = window.font();
  base.setFamily(base.family());  // the design's letters, whatever a class of widget would get
  auto place = [&](const Place& row, int e) {
    const int index = row.repeat.first + e;
    const int x = row.x + (e % row.repeat.columns) * row.repeat.dx;
    const int y = row.y + (e / row.repeat.columns) * row.repeat.dy;
    QWidget* parent = row.inChooser ? static_cast<QWidget*>(made.chooser) : &window;
    const auto i = static_cast<std::size_t>(index);
    QWidget* widget = nullptr;
    int pixels = 0;
    if (const auto* of = std::get_if<ShapeOf>(&row.model)) {
      app::Shape& model = (*of)(form, i);
      auto* shape = new ShapeWidget(parent);
      made.shapes.emplace_back(&model, shape);
      made.widgetOf[&model] = widget = shape;
    } else if (const auto* of = std::get_if<LabelOf>(&row.model)) {
      app::Label& model = (*of)(form, i);
      const Lettering lettering = letteringOf(row.look);
      pixels = lettering.pixels;
      QFont font = base;
      font.setPixelSize(lettering.pixels);
      font.setUnderline(lettering.underline);
      if (row.onClick) {
        auto* button = new DesignButton(parent);
        button->setFont(font);
        button->setAlignment(lettering.align);
        if (lettering.fit) button->setShrinkToFit(lettering.pixels);
        const Click handler = row.onClick;
        QObject::connect(button, &DesignButton::clicked, &window,
                         [&form, run, handler, index] { run([&] { handler(form, index); }); });
        widget = button;
      } else {
        auto* text = new DesignLabel(parent);
        text->setFont(font);
        text->setAlignment(lettering.align);
        text->setWordWrap(lettering.wrap);
        if (lettering.fit) text->setShrinkToFit(lettering.pixels);
        text->setAttribute(Qt::WA_TranslucentBackground);
        widget = text;
      }
      made.texts.emplace_back(&model, widget);
      made.widgetOf[&model] = widget;
    } else if (const auto* of = std::get_if<PlantMarkOf>(&row.model)) {
      app::PlantMark& model = (*of)(form, i);
      auto* mark = new PlantMarkWidget(parent);
      made.plantMarks[i] = mark;
      made.widgetOf[&model] = widget = mark;
    } else if (const auto* of = std::get_if<PictureOf>(&row.model)) {
      app::Picture& model = (*of)(form, i);
      auto* slot = new PictureWidget(parent);
      made.pictures.emplace_back(&model, slot);
      made.widgetOf[&model] = widget = slot;
    } else {
      switch (std::get<Special>(row.model)) {
        case Special::Chooser:
          made.chooser = new QFrame(parent);
          made.chooser->setFrameShape(QFrame::Box);
          made.chooser->setAutoFillBackground(true);
          widget = made.chooser;
          break;
        case Special::CityList: {
          auto* list = new QListWidget(parent);
          // The selection is the city in focus; the design's stripes are painted, not selected.
          list->setSelectionMode(QAbstractItemView::SingleSelection);
          list->setItemDelegate(new StripedRows(list));
          QPalette listPal = list->palette();
          listPal.setColor(QPalette::Base, toQColor(app::colours::ListGround));
          listPal.setColor(QPalette::Highlight, toQColor(app::colours::ListHighlight));
          listPal.setColor(QPalette::HighlightedText, Qt::white);
          list->setPalette(listPal);
          widget = made.cityList = list;
          break;
        }
        case Special::CitySearch: {
          auto* search = new QLineEdit(parent);
          search->setPlaceholderText(QStringLiteral("Cerca un comune, o le coordinate"));
          search->setClearButtonEnabled(true);
          pixels = letteringOf(row.look).pixels;
          widget = made.citySearch = search;
          break;
        }
        case Special::Notes:
          widget = made.notes = new NotesView(parent);
          break;
        case Special::CueLegend:
          made.legend = new CueLegend(parent);
          made.legend->hide();
          pixels = letteringOf(row.look).pixels;
          widget = made.legend;
          break;
        case Special::Help:
          widget = made.help = new DesignButton(parent);
          break;
        case Special::ButtonGround: {
          auto* ground = new ShapeWidget(parent);
          ground->setFill(toQColor(app::colours::DarkGreen));
          widget = ground;
          break;
        }
      }
    }
    const bool array = row.repeat.count > 1 || row.repeat.first != 0;
    widget->setObjectName(array ? QStringLiteral("%1_%2").arg(QString::fromUtf8(row.name)).arg(index)
                                : QString::fromUtf8(row.name));
    made.placed.push_back({widget, x, y, row.w, row.h, pixels});
  };

  constexpr std::size_t rows = std::size(WindowDesign);
  for (std::size_t r = 0; r < rows;) {
    // Rows marked `together` are laid out element by element with the row above them.
    std::size_t end = r + 1;
    while (end < rows && WindowDesign[end].together) ++end;
    for (int e = 0; e < WindowDesign[r].repeat.count; ++e)
      for (std::size_t k = r; k < end; ++k) place(WindowDesign[k], e);
    r = end;
  }

  const auto button = [&](const app::Label& model) { return static_cast<DesignButton*>(made.widgetOf.at(&model)); };
  for (std::size_t k = 0; k < made.bars.size(); ++k)
    made.bars[k] = static_cast<ShapeWidget*>(made.widgetOf.at(&form.dayBars[k]));
  for (std::size_t k = 0; k < made.days.size(); ++k) made.days[k] = button(form.dayRows[k]);
  for (std::size_t k = 0; k < made.icons.size(); ++k)
    made.icons[k] = static_cast<PictureWidget*>(made.widgetOf.at(&form.moonIcons[k]));
  for (std::size_t k = 0; k < made.months.size(); ++k) made.months[k] = button(form.monthNumbers[k]);
  made.previousYear = button(form.previousYear);
  made.nextYear = button(form.nextYear);
  made.today = button(form.todayButton);
  made.city = button(form.city);
  made.ok = button(form.confirmCityButton);

  // The names a screen reader says for the controls, and what hovering tells.
  for (std::size_t i = 0; i < made.months.size(); ++i)
    made.months[i]->setAccessibleName(QStringLiteral("Mostra %1").arg(toQString(app::MonthWords[i])));
  made.previousYear->setAccessibleName(QStringLiteral("Anno precedente"));
  made.previousYear->setToolTip(QStringLiteral("Anno precedente"));
  made.nextYear->setAccessibleName(QStringLiteral("Anno successivo"));
  made.nextYear->setToolTip(QStringLiteral("Anno successivo"));
  made.today->setAccessibleName(QStringLiteral("Data odierna: torna a oggi"));
  made.ok->setAccessibleName(QStringLiteral("Conferma la città scelta"));
  made.city->setToolTip(QStringLiteral("Scegli la città"));
  made.cityList->setAccessibleName(QStringLiteral("Elenco delle città"));
  made.citySearch->setAccessibleName(QStringLiteral("Cerca una città o un comune"));
  made.citySearch->setAccessibleDescription(
      QStringLiteral("Il nome di un comune, anche in parte, o le coordinate di un campo: latitudine e longitudine, "
                     "per esempio 45.08, 6.70, o con un nome: Orto di casa;45.08,6.70"));
  made.citySearch->setToolTip(made.citySearch->accessibleDescription());
  made.notes->setAccessibleName(QStringLiteral("Note del mese per l'orto e il giardino"));
  made.help->setAccessibleName(QStringLiteral("Aiuto"));
  made.help->setToolTip(QStringLiteral("Aiuto: tasti, colori e convenzioni (F1)"));
  return made;
}

void layOutWindow(WindowWidgets& widgets, QWidget& window, double zoom, int designHeight) {
  const double z = zoom;
  // At design size the positions are the design's own pixels. At any other zoom a
  // widget spans from the rounded place of its first pixel to that of its last
  // (15 twips before its far edge), rounded alike for every widget, never its size
  // apart: the bars, which share their border's row in the design, share it at any
  // zoom, and a frame never cuts into what it frames.
  const auto at = [z](int twips) { return int(std::lround(twips * z / 15.0)); };
  const auto box = [&](int x, int y, int w, int h) {
    if (z == 1.0) return QRect(px(x), px(y), px(w), px(h));
    return QRect(QPoint(at(x), at(y)), QPoint(at(x + w - 15), at(y + h - 15)));
  };
  const auto letters = [z](int pixels) { return std::max(1, int(std::lround(pixels * z))); };
  // The drawing keeps the design's proportions, centred in the window.
  const int left = std::max(0, (window.width() - int(std::lround(DesignWidth * z))) / 2);
  const int top = std::max(0, (window.height() - int(std::lround(designHeight * z))) / 2);
  QFont base = window.font();
  base.setPixelSize(letters(11));
  window.setFont(base);
  for (const WindowWidgets::Placed& p : widgets.placed) {
    const bool inWindow = p.widget->parentWidget() == &window;
    p.widget->setGeometry(box(p.x, p.y, p.w, p.h).translated(inWindow ? left : 0, inWindow ? top : 0));
    if (auto* picture = qobject_cast<PictureWidget*>(p.widget)) picture->setNaturalScale(z);
    if (p.pixels == 0) continue;
    auto* label = qobject_cast<DesignLabel*>(p.widget);
    auto* button = qobject_cast<DesignButton*>(p.widget);
    if (label && label->shrinkToFit()) {
      label->setShrinkToFit(letters(p.pixels));
    } else if (button && button->shrinkToFit()) {
      button->setShrinkToFit(letters(p.pixels));
    } else if (p.widget->font().pixelSize() != letters(p.pixels)) {
      QFont f = p.widget->font();
      f.setPixelSize(letters(p.pixels));
      p.widget->setFont(f);
    }
  }
}

}  // namespace ortalba
