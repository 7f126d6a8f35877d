// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/window_design.h"

#include <QFrame>
#include <QListWidget>
#include <type_traits>
#include <variant>

#include "app/platform/notes_view.h"
#include "app/platform/qt_colours.h"
#include "app/platform/qt_text.h"

namespace ortalba {

namespace {

using app::Form1;

// Element `i` of a widget of the view model: the widget itself, or the i-th of an array.
template <auto Member>
auto& element(Form1& form, std::size_t i) {
  auto& member = form.*Member;
  using Widget = std::remove_reference_t<decltype(member)>;
  if constexpr (std::is_class_v<Widget> && requires { member[i]; }) {
    return member[i];
  } else {
    (void)i;
    return member;
  }
}

using ShapeOf = app::Shape& (*)(Form1&, std::size_t);
using LabelOf = app::Label& (*)(Form1&, std::size_t);
using PictureOf = app::Picture& (*)(Form1&, std::size_t);
// The widgets that are not plain view-model objects.
enum class Special { Chooser, CityList, Notes, ButtonGround, CueLegend, Help };
using Model = std::variant<ShapeOf, LabelOf, PictureOf, Special>;

template <auto M> constexpr Model shape = ShapeOf{&element<M>};
template <auto M> constexpr Model label = LabelOf{&element<M>};
template <auto M> constexpr Model picture = PictureOf{&element<M>};

// The handler a click on the widget (element i of an array) runs.
using Click = void (*)(Form1&, int);
template <auto Handler>
void call(Form1& form, int i) {
  if constexpr (std::is_invocable_v<decltype(Handler), Form1&, int>)
    (form.*Handler)(i);
  else
    (form.*Handler)();
}
template <auto H> constexpr Click click = &call<H>;

// How a label is lettered: pixel size at design size, alignment, and the rest.
enum class Look { Plain, Wrapped, Caption, Time, MonthName, DayNumber, Link, BoxNumber, Arrow, Button, Title, DayRow,
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
const Place kWindow[] = {
    // the day panel
    {"Shape3", shape<&Form1::Shape3>, 120, 120, 1575, 1455, Look::Plain, {31}},
    {"Shape6", shape<&Form1::Shape6>, 120, 120, 1575, 495},
    {"meseT", label<&Form1::meseT>, 120, 240, 1575, 375, Look::MonthName},
    {"giorno", label<&Form1::giorno>, 120, 600, 1575, 735, Look::DayNumber},
    {"Shape7", shape<&Form1::Shape7>, 120, 1320, 1575, 255},
    {"settimana", label<&Form1::settimana>, 120, 1320, 1575, 255},
    {"Label2", label<&Form1::Label2>, 120, 1680, 1575, 255},
    {"santo", label<&Form1::santo>, 240, 2040, 1335, 615, Look::Wrapped},
    {"Label5", label<&Form1::Label5>, 120, 2760, 1575, 255},
    {"zona", label<&Form1::zona>, 120, 3000, 1575, 255, Look::Link, {}, click<&Form1::zona_Click>},
    {"Label4", label<&Form1::Label4>, 165, 3240, 795, 255, Look::Caption},
    {"sorge", label<&Form1::sorge>, 960, 3240, 615, 255, Look::Time},
    {"Label6", label<&Form1::Label6>, 165, 3480, 795, 255, Look::Caption},
    {"tramonta", label<&Form1::tramonta>, 960, 3480, 615, 255, Look::Time},
    // the month picker and the year
    {"Shape9", shape<&Form1::Shape9>, 195, 3960, 1425, 2385},
    {"Shape8", shape<&Form1::Shape8>, 240, 4005, 1335, 330},
    {"Label3", label<&Form1::Label3>, 240, 4005, 1335, 330},
    {"MeseTXT", shape<&Form1::MeseTXT>, 240, 4440, 375, 375, Look::Plain, {0, 12, 3, 480, 480}},
    {"Label9", label<&Form1::Label9>, 240, 4440, 375, 375, Look::BoxNumber, {0, 12, 3, 480, 480},
     click<&Form1::Label9_Click>, false, true},
    {"Shape5", shape<&Form1::Shape5>, 120, 6480, 1575, 375},
    {"meno", shape<&Form1::meno>, 120, 6480, 375, 375},
    {"piu", shape<&Form1::piu>, 1320, 6480, 375, 375},
    {"AnnoC", label<&Form1::AnnoC>, 120, 6480, 1575, 375, Look::MonthName},
    {"lmen", label<&Form1::lmen>, 120, 6480, 375, 375, Look::Arrow, {}, click<&Form1::lmen_Click>},
    {"lpiu", label<&Form1::lpiu>, 1320, 6480, 375, 375, Look::Arrow, {}, click<&Form1::lpiu_Click>},
    {"Shape10", shape<&Form1::Shape10>, 240, 6960, 1335, 255},
    {"Label11", label<&Form1::Label11>, 240, 6960, 1335, 255, Look::Button, {}, click<&Form1::Label11_Click>},
    // the month's days: 1 to 16 on the left, 17 to 31 on the right
    {"Label1", label<&Form1::Label1>, 1800, 120, 5895, 375, Look::Title},
    {"Shape3", shape<&Form1::Shape3>, 1800, 480, 1335, 375, Look::Plain, {0, 16, 1, 0, 360}},
    {"GGMM", label<&Form1::GGMM>, 1920, 480, 735, 375, Look::DayRow, {0, 16, 1, 0, 360}, click<&Form1::GGMM_Click>,
     false, true},
    {"LunaIMG", picture<&Form1::LunaIMG>, 2760, 480, 375, 375, Look::Plain, {1, 16, 1, 0, 360}, nullptr, false, true},
    {"Shape3", shape<&Form1::Shape3>, 6360, 480, 1335, 375, Look::Plain, {16, 15, 1, 0, 360}},
    {"GGMM", label<&Form1::GGMM>, 6480, 480, 735, 375, Look::DayRow, {16, 15, 1, 0, 360}, click<&Form1::GGMM_Click>,
     false, true},
    {"LunaIMG", picture<&Form1::LunaIMG>, 7320, 480, 375, 375, Look::Plain, {17, 15, 1, 0, 360}, nullptr, false, true},
    {"Shape3", shape<&Form1::Shape3>, 6360, 5880, 1335, 375, Look::Plain, {32}},
    {"LunaIMG", picture<&Form1::LunaIMG>, 7320, 5880, 375, 375, Look::Plain, {32}},
    // the notes, the pictures and the instructions
    {"VISMESE", Special::Notes, 3240, 720, 3015, 6375},
    {"avviso", label<&Form1::avviso>, 3240, 480, 3015, 240, Look::Notice},
    {"Shape19", shape<&Form1::Shape19>, 6435, 5955, 1185, 1185},
    {"Image1", picture<&Form1::Image1>, 6480, 6000, 1095, 1095},
    {"Shape16", shape<&Form1::Shape16>, 1875, 6315, 1185, 825},
    {"Image2", picture<&Form1::Image2>, 1920, 6360, 1095, 735},
    {"Image3", picture<&Form1::Image3>, 165, 7320, 810, 705},
    {"aiuto", Special::Help, 165, 7320, 810, 705},  // the "?" as a button, drawing nothing over it
    {"Label7", label<&Form1::Label7>, 1065, 7275, 6540, 765, Look::Instructions},
    // the moon cue's legend, under the instructions while the cue is on
    {"legenda", Special::CueLegend, 165, 8055, 7530, 255, Look::Caption},
    // the city chooser, over the notes
    {"sceltac", Special::Chooser, 3600, 2280, 2295, 3375},
    {"Label14", label<&Form1::Label14>, 0, 0, 2295, 255, Look::Plain, {}, nullptr, true},
    {"luogo2", Special::CityList, 0, 240, 2295, 2760, Look::Plain, {}, nullptr, true},
    {"Lsel", label<&Form1::Lsel>, 0, 3070, 1455, 305, Look::Plain, {}, nullptr, true},
    {"Label15_ground", Special::ButtonGround, 1455, 3030, 825, 315, Look::Plain, {}, nullptr, true},
    {"Label15", label<&Form1::Label15>, 1440, 3000, 855, 375, Look::Button, {}, click<&Form1::Label15_Click>, true},
};

}  // namespace

WindowWidgets buildWindow(QWidget& window, Form1& form, const RunCommand& run) {
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

  constexpr std::size_t rows = std::size(kWindow);
  for (std::size_t r = 0; r < rows;) {
    // Rows marked `together` are laid out element by element with the row above them.
    std::size_t end = r + 1;
    while (end < rows && kWindow[end].together) ++end;
    for (int e = 0; e < kWindow[r].repeat.count; ++e)
      for (std::size_t k = r; k < end; ++k) place(kWindow[k], e);
    r = end;
  }

  const auto button = [&](const app::Label& model) { return static_cast<DesignButton*>(made.widgetOf.at(&model)); };
  for (std::size_t k = 0; k < made.bars.size(); ++k)
    made.bars[k] = static_cast<ShapeWidget*>(made.widgetOf.at(&form.Shape3[k]));
  for (std::size_t k = 0; k < made.days.size(); ++k) made.days[k] = button(form.GGMM[k]);
  for (std::size_t k = 1; k < made.icons.size(); ++k)
    made.icons[k] = static_cast<PictureWidget*>(made.widgetOf.at(&form.LunaIMG[k]));
  for (std::size_t k = 0; k < made.months.size(); ++k) made.months[k] = button(form.Label9[k]);
  made.previousYear = button(form.lmen);
  made.nextYear = button(form.lpiu);
  made.today = button(form.Label11);
  made.city = button(form.zona);
  made.ok = button(form.Label15);

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
  made.notes->setAccessibleName(QStringLiteral("Note del mese per l'orto e il giardino"));
  made.help->setAccessibleName(QStringLiteral("Aiuto"));
  made.help->setToolTip(QStringLiteral("Aiuto: tasti, colori e convenzioni (F1)"));
  return made;
}

}  // namespace ortalba
