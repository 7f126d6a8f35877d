#include "app/platform/main_window.h"

#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <optional>
#include <type_traits>
#include <variant>

#include "app/platform/accessibility.h"
#include "app/platform/italian_clock.h"
#include "app/platform/month_page.h"
#include "app/platform/moon_cue.h"
#include "app/platform/notes_lookup.h"
#include "app/platform/pictures.h"
#include "app/platform/qt_colours.h"
#include "app/platform/rtf_text_document.h"
#include "app/platform/vector_state.h"
#include "app/platform/year_booklet.h"
#include "app/year_calendar.h"

namespace ortalba {

namespace {

using app::Form1;

QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// ---- the window as its design lists it ---------------------------------------

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
enum class Special { Chooser, CityList, Notes, ButtonGround, CueLegend };
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
  bool wrap = false;  // several lines, and smaller letters where even they do not hold the text
  bool underline = false;
  bool hand = false;
};

Lettering letteringOf(Look look) {
  constexpr Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
  switch (look) {
    case Look::Plain: return {};
    case Look::Wrapped: return {11, Qt::AlignCenter, true};
    case Look::Caption: return {10, left};
    case Look::Time: return {11, left};
    case Look::MonthName: return {15};
    case Look::DayNumber: return {40};
    case Look::Link: return {11, Qt::AlignCenter, false, true, true};
    case Look::BoxNumber: return {13, Qt::AlignCenter, false, false, true};
    case Look::Arrow: return {18, Qt::AlignCenter, false, false, true};
    case Look::Button: return {11, Qt::AlignCenter, false, false, true};
    case Look::Title: return {17};
    case Look::DayRow: return {12, left, false, false, true};
    case Look::Notice: return {10};
    case Look::Instructions: return {10, left, true};
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

// The zooms the window allows, and the desktop font that the design size suits
// (9 points at 96 dots per inch).
constexpr double MinZoom = 0.5;
constexpr double MaxZoom = 4.0;
constexpr double DesignFontPixels = 12.0;

}  // namespace

void loadNotesInto(QTextBrowser* viewer, const std::string& path, double zoom, rtf::Document* parsed) {
  // The documents are written for a page; the viewer is a narrow column, so the
  // text is set a little smaller there, as the document is built.
  rtf::loadNotesFile(notesFile(path), *viewer->document(), 0.82 * zoom, parsed);
}

void markPassages(QTextDocument& notes, const std::vector<app::MoonPassage>& passages, app::PhaseMark mark) {
  // The bar's colour, mostly white: a ground the text reads well on.
  const QColor bar = toQColor(app::colourOf(mark));
  const QColor soft((bar.red() + 2 * 255) / 3, (bar.green() + 2 * 255) / 3, (bar.blue() + 2 * 255) / 3);
  QTextCursor cursor(&notes);
  cursor.beginEditBlock();
  for (const app::MoonPassage& passage : passages) {
    const bool marked = mark != app::PhaseMark::Neutral && passage.mark == mark;
    for (std::size_t i = passage.first; i <= passage.last; ++i) {
      const QTextBlock block = notes.findBlockByNumber(static_cast<int>(i));
      if (!block.isValid()) break;
      QTextBlockFormat format = block.blockFormat();
      if (format.hasProperty(QTextFormat::BackgroundBrush) == marked &&
          (!marked || format.background().color() == soft))
        continue;
      if (marked)
        format.setBackground(soft);
      else
        format.clearBackground();
      cursor.setPosition(block.position());
      cursor.setBlockFormat(format);
    }
  }
  cursor.endEditBlock();
}

MainWindow::MainWindow(app::Form1& form, QWidget* parent) : QWidget(parent), form_(form) {
  // Before any widget is made: a screen reader may ask for them at once.
  installAccessibility();
  initPictures();
  setWindowTitle(QStringLiteral("Ortalba"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/ortalba.svg")));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, toQColor(app::colours::WindowGround));
  setPalette(pal);
  setAutoFillBackground(true);
  QFont base = font();
  base.setPixelSize(11);
  setFont(base);

  build();

  // Names a screen reader says for the widgets that do something.
  for (int i = 0; i < 12; ++i)
    months_[static_cast<std::size_t>(i)]->setAccessibleName(
        QStringLiteral("Mostra %1").arg(QString::fromUtf8(app::MonthWords[static_cast<std::size_t>(i)])));
  previousYear()->setAccessibleName(QStringLiteral("Anno precedente"));
  previousYear()->setToolTip(QStringLiteral("Anno precedente"));
  nextYear()->setAccessibleName(QStringLiteral("Anno successivo"));
  nextYear()->setToolTip(QStringLiteral("Anno successivo"));
  todayLabel()->setAccessibleName(QStringLiteral("Data odierna: torna a oggi"));
  okLabel()->setAccessibleName(QStringLiteral("Conferma la città scelta"));
  cityLabel()->setToolTip(QStringLiteral("Scegli la città"));
  luogo2_->setAccessibleName(QStringLiteral("Elenco delle città"));
  vismese_->setAccessibleName(QStringLiteral("Note del mese per l'orto e il giardino"));
  // The keys reach the window when no control has the focus; Tab goes through the controls only.
  setFocusPolicy(Qt::ClickFocus);
  setTabOrder();

  // The window starts as large as the desktop's letters ask, within the screen;
  // nothing of it is stored.
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QFont desktop = QApplication::font();
  const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
  const double desktopPixels = desktop.pixelSize() > 0 ? desktop.pixelSize() : desktop.pointSizeF() * dpi / 72.0;
  double fit = MaxZoom;
  if (screen) {
    const QSize room = screen->availableGeometry().size() * 0.92;
    fit = std::min(room.width() / double(DesignWidth), room.height() / double(designHeight()));
  }
  startZoom_ = std::clamp(std::min(desktopPixels / DesignFontPixels, fit), MinZoom, MaxZoom);
  setMinimumSize(int(std::ceil(DesignWidth * MinZoom)), int(std::ceil(designHeight() * MinZoom)));
  resetZoom();

  command([this] { form_.Form_Load(); });
  // The list rows are made once, after start-up has filled them.
  for (const auto& row : form_.luogo2.rows) luogo2_->addItem(QString::fromStdString(row));
  render();
  // The keys go to the almanac itself until Tab or a click picks a control.
  setFocus(Qt::OtherFocusReason);
}

void MainWindow::build() {
  const QFont base = font();
  auto place = [&](const Place& row, int e) {
    const int index = row.repeat.first + e;
    const int x = row.x + (e % row.repeat.columns) * row.repeat.dx;
    const int y = row.y + (e / row.repeat.columns) * row.repeat.dy;
    QWidget* parent = row.inChooser ? static_cast<QWidget*>(sceltac_) : this;
    const auto i = static_cast<std::size_t>(index);
    QWidget* widget = nullptr;
    int pixels = 0;
    if (const auto* of = std::get_if<ShapeOf>(&row.model)) {
      app::Shape& model = (*of)(form_, i);
      auto* shape = new ShapeWidget(parent);
      shapes_.emplace_back(&model, shape);
      widgetOf_[&model] = widget = shape;
    } else if (const auto* of = std::get_if<LabelOf>(&row.model)) {
      app::Label& model = (*of)(form_, i);
      auto* text = new ClickLabel(parent);
      const Lettering lettering = letteringOf(row.look);
      pixels = lettering.pixels;
      QFont font = base;
      font.setPixelSize(lettering.pixels);
      font.setUnderline(lettering.underline);
      text->setFont(font);
      if (lettering.wrap) text->setShrinkToFit(lettering.pixels);
      text->setAlignment(lettering.align);
      text->setWordWrap(lettering.wrap);
      text->setAttribute(Qt::WA_TranslucentBackground);
      if (lettering.hand) text->setCursor(Qt::PointingHandCursor);
      text->setClickable(row.onClick != nullptr);
      if (row.onClick) {
        const Click handler = row.onClick;
        connect(text, &ClickLabel::clicked, this, [this, handler, index] { command([&] { handler(form_, index); }); });
      }
      labels_.emplace_back(&model, text);
      widgetOf_[&model] = widget = text;
    } else if (const auto* of = std::get_if<PictureOf>(&row.model)) {
      app::Picture& model = (*of)(form_, i);
      auto* slot = new PictureWidget(parent);
      pictures_.emplace_back(&model, slot);
      widgetOf_[&model] = widget = slot;
    } else {
      switch (std::get<Special>(row.model)) {
        case Special::Chooser:
          sceltac_ = new QFrame(parent);
          sceltac_->setFrameShape(QFrame::Box);
          sceltac_->setAutoFillBackground(true);
          widget = sceltac_;
          break;
        case Special::CityList: {
          luogo2_ = new QListWidget(parent);
          // The selection is the city in focus; the design's stripes are painted, not selected.
          luogo2_->setSelectionMode(QAbstractItemView::SingleSelection);
          luogo2_->setItemDelegate(new StripedRows(luogo2_));
          QPalette listPal = luogo2_->palette();
          listPal.setColor(QPalette::Base, toQColor(app::colours::ListGround));
          listPal.setColor(QPalette::Highlight, toQColor(app::colours::ListHighlight));
          listPal.setColor(QPalette::HighlightedText, Qt::white);
          luogo2_->setPalette(listPal);
          // Moving through the list with the arrow keys picks a city as a click does.
          connect(luogo2_, &QListWidget::currentRowChanged, this, [this](int r) {
            if (r < 0 || r == form_.luogo2.focusRow) return;
            command([&] { form_.setCityListFocusRow(r); });
          });
          connect(luogo2_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            command([&] { form_.setCityListFocusRow(luogo2_->row(item)); });
          });
          widget = luogo2_;
          break;
        }
        case Special::Notes:
          vismese_ = new NotesViewer(parent);
          vismese_->setReadOnly(true);
          vismese_->setOpenLinks(false);
          // The notes take the keys only when reached with Tab: a click leaves Page Up and
          // Page Down with the almanac, which change the month.
          vismese_->setFocusPolicy(Qt::TabFocus);
          widget = vismese_;
          break;
        case Special::CueLegend:
          legend_ = new CueLegend(parent);
          legend_->hide();
          pixels = letteringOf(row.look).pixels;
          widget = legend_;
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
    placed_.push_back({widget, x, y, row.w, row.h, pixels});
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

  for (std::size_t k = 0; k < bars_.size(); ++k) bars_[k] = static_cast<ShapeWidget*>(widgetOf_.at(&form_.Shape3[k]));
  for (std::size_t k = 0; k < days_.size(); ++k) days_[k] = static_cast<ClickLabel*>(widgetOf_.at(&form_.GGMM[k]));
  for (std::size_t k = 1; k < icons_.size(); ++k)
    icons_[k] = static_cast<PictureWidget*>(widgetOf_.at(&form_.LunaIMG[k]));
  for (std::size_t k = 0; k < months_.size(); ++k)
    months_[k] = static_cast<ClickLabel*>(widgetOf_.at(&form_.Label9[k]));
  layOut();
}

void MainWindow::layOut() {
  const double z = zoom_;
  // At design size the positions are the design's own pixels.
  const auto at = [z](int twips) { return z == 1.0 ? px(twips) : int(std::lround(twips * z / 15.0)); };
  const auto letters = [z](int pixels) { return std::max(1, int(std::lround(pixels * z))); };
  // The drawing keeps the design's proportions, centred in the window.
  const int left = std::max(0, (width() - int(std::lround(DesignWidth * z))) / 2);
  const int top = std::max(0, (height() - int(std::lround(designHeight() * z))) / 2);
  QFont base = font();
  base.setPixelSize(letters(11));
  setFont(base);
  for (const Placed& p : placed_) {
    const bool inWindow = p.widget->parentWidget() == this;
    p.widget->setGeometry((inWindow ? left : 0) + at(p.x), (inWindow ? top : 0) + at(p.y), at(p.w), at(p.h));
    if (auto* picture = qobject_cast<PictureWidget*>(p.widget)) picture->setNaturalScale(z);
    if (p.pixels == 0) continue;
    auto* text = qobject_cast<ClickLabel*>(p.widget);
    if (!text) {
      QFont f = p.widget->font();
      f.setPixelSize(letters(p.pixels));
      p.widget->setFont(f);
    } else if (text->shrinkToFit())
      text->setShrinkToFit(letters(p.pixels));
    else if (text->font().pixelSize() != letters(p.pixels)) {
      QFont f = text->font();
      f.setPixelSize(letters(p.pixels));
      text->setFont(f);
    }
  }
  if (notesLoaded_ != 0 && notesZoom_ != zoom_) loadNotes();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  zoom_ = std::min(width() / double(DesignWidth), height() / double(designHeight()));
  layOut();
}

void MainWindow::zoomBy(double factor) {
  double most = MaxZoom;
  if (const QScreen* s = screen()) {
    const QSize room = s->availableGeometry().size();
    most = std::min(most, std::min(room.width() / double(DesignWidth), room.height() / double(designHeight())));
  }
  setZoom(std::clamp(zoom_ * factor, MinZoom, std::max(MinZoom, most)));
}

void MainWindow::resetZoom() { setZoom(startZoom_); }

void MainWindow::setZoom(double z) {
  // A hidden window hears of its new size only when shown: lay it out now.
  resize(int(std::lround(DesignWidth * z)), int(std::lround(designHeight() * z)));
  zoom_ = std::min(width() / double(DesignWidth), height() / double(designHeight()));
  layOut();
}

void MainWindow::setTabOrder() {
  // Reading order: the panel's city, the month boxes, the year's arrows, Data
  // Odierna, the day rows, the notes, then the chooser's list and OK when it is open.
  std::vector<QWidget*> order{cityLabel()};
  for (auto* month : months_) order.push_back(month);
  order.insert(order.end(), {previousYear(), nextYear(), todayLabel()});
  for (auto* day : days_) order.push_back(day);
  order.insert(order.end(), {vismese_, luogo2_, okLabel()});
  for (std::size_t i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}

ClickLabel* MainWindow::clickable(const app::Label& model) const {
  return static_cast<ClickLabel*>(widgetOf_.at(&model));
}

QLabel* MainWindow::label(const QString& objectName) const { return findChild<QLabel*>(objectName); }

void MainWindow::renderLabel(QLabel* widget, const app::Label& model) {
  const QString text = QString::fromStdString(model.caption);
  bool changed = false;
  if (widget->text() != text) {
    widget->setText(text);
    changed = true;
  }
  widget->setVisible(model.visible);
  // With the cue the red of Sundays and feasts is darker, to be read on every bar.
  const QColor colour = model.foreColor == app::colours::Red ? feastRed(cue_) : toQColor(model.foreColor);
  QPalette pal = widget->palette();
  if (pal.color(QPalette::WindowText) != colour) {
    pal.setColor(QPalette::WindowText, colour);
    widget->setPalette(pal);
  }
  if (!model.toolTip.empty()) {
    const QString tip = QString::fromStdString(model.toolTip);
    if (widget->toolTip() != tip) {
      widget->setToolTip(tip);
      widget->setAccessibleDescription(tip);
    }
  }
  if (widget->font().bold() != model.bold) {
    QFont f = widget->font();
    f.setBold(model.bold);
    widget->setFont(f);
    changed = true;
  }
  if (changed) static_cast<ClickLabel*>(widget)->refit();
}

void MainWindow::render() {
  for (const auto& [model, widget] : labels_) renderLabel(widget, *model);
  for (const auto& [model, widget] : shapes_) {
    widget->setFill(toQColor(model->fillColor));
    widget->setVisible(model->visible);
  }
  for (const auto& [model, widget] : pictures_) {
    widget->setResource(model->resource);
    widget->setVisible(model->visible);
  }
  const int selected = form_.panelDay();
  for (std::size_t k = 0; k < 31; ++k) {
    bars_[k]->setFocusMark(static_cast<int>(k) + 1 == selected);
    bars_[k]->setHatching(cue_ ? form_.phaseMarkOf(static_cast<int>(k) + 1) : app::PhaseMark::Neutral, 6 * zoom_);
    days_[k]->setAccessibleName(QString::fromStdString(form_.dayAccessibleName(static_cast<int>(k) + 1)));
  }

  QPalette listPal = luogo2_->palette();
  listPal.setColor(QPalette::Text, toQColor(form_.luogo2.foreColor));
  luogo2_->setPalette(listPal);
  {
    const QSignalBlocker block(luogo2_);
    // The design's stripes are the rows' ground; the one selected row is the city in focus.
    const QBrush stripe(toQColor(app::colours::ListHighlight));
    for (int i = 0; i < luogo2_->count() && i < static_cast<int>(form_.luogo2.selected.size()); ++i) {
      QListWidgetItem* item = luogo2_->item(i);
      const bool striped = form_.luogo2.selected[static_cast<std::size_t>(i)];
      if ((item->background() == stripe) != striped) item->setBackground(striped ? stripe : QBrush());
    }
    if (form_.luogo2.focusRow >= 0 && luogo2_->currentRow() != form_.luogo2.focusRow) {
      luogo2_->setCurrentRow(form_.luogo2.focusRow, QItemSelectionModel::ClearAndSelect);
      luogo2_->scrollToItem(luogo2_->currentItem());
    }
  }
  // The sun times are ora solare all year; the clocks may say otherwise.
  const int year = static_cast<int>(calendar::Val(form_.AnnoC.caption));
  const calendar::Date shown{form_.panelDay(), form_.ShownMonth, year};
  for (const app::Label* time : {&form_.sorge, &form_.tramonta}) {
    QString note = QStringLiteral("In ora solare (UTC+1), come tutto l'almanacco");
    if (calendar::isValidDate(shown) && onOraLegale(shown))
      note += QStringLiteral("; oggi gli orologi sono in ora legale e segnano %1")
                  .arg(QString::fromStdString(app::oneHourLater(time->caption)));
    QWidget* widget = widgetOf_.at(time);
    if (widget->toolTip() != note) {
      widget->setToolTip(note);
      widget->setAccessibleDescription(note);
    }
  }
  cityLabel()->setAccessibleName(
      QStringLiteral("Città del sole: %1. Cambia città").arg(QString::fromStdString(form_.zona.caption)));
  const bool opening = form_.sceltac.visible && !sceltac_->isVisible();
  const bool closing = !form_.sceltac.visible && sceltac_->isVisible();
  sceltac_->setVisible(form_.sceltac.visible);
  if (form_.sceltac.visible) sceltac_->raise();
  if (opening) luogo2_->setFocus();
  if (closing) setFocus();

  if (form_.VISMESE.loadCount != notesLoaded_)
    loadNotes();
  else
    markNotes();
}

void MainWindow::markNotes() {
  const app::PhaseMark mark = form_.phaseMarkOf(form_.panelDay());
  if (notesMark_ == mark) return;
  QScrollBar* bar = vismese_->verticalScrollBar();
  const int place = bar->value();
  markPassages(*vismese_->document(), passages_, mark);
  bar->setValue(place);
  notesMark_ = mark;
  QString description;
  if (passages_.empty())
    description = QStringLiteral("Note del mese");
  else if (mark == app::PhaseMark::Neutral)
    description = QStringLiteral("Luna piena o nuova: nessun consiglio evidenziato, nell'orto non si fa nulla");
  else
    description = QStringLiteral("Evidenziati i consigli \"%1\", per la Luna del giorno scelto")
                      .arg(q(app::passageHeading(mark)));
  vismese_->setAccessibleDescription(description);
}

void MainWindow::loadNotes() {
  // Reloaded on every request, as the notes may change on disk; a reload of the
  // same document keeps the reader's place.
  const bool same = form_.VISMESE.path == notesPath_;
  QScrollBar* bar = vismese_->verticalScrollBar();
  const double place = bar->maximum() > 0 ? double(bar->value()) / bar->maximum() : 0.0;
  const int scroll = bar->value();
  const bool rezoomed = notesZoom_ != zoom_;
  rtf::Document parsed;
  loadNotesInto(vismese_, form_.VISMESE.path, zoom_, &parsed);
  passages_ = app::moonPassages(parsed);
  notesMark_.reset();
  markNotes();
  vismese_->moveCursor(QTextCursor::Start);
  // The same place of the same document; after a zoom, the same share of it.
  bar->setValue(!same ? 0 : rezoomed ? int(std::lround(place * bar->maximum())) : scroll);
  notesPath_ = form_.VISMESE.path;
  notesLoaded_ = form_.VISMESE.loadCount;
  notesZoom_ = zoom_;
}

void MainWindow::toggleCue() {
  cue_ = !cue_;
  legend_->setVisible(cue_);
  setMinimumSize(int(std::ceil(DesignWidth * MinZoom)), int(std::ceil(designHeight() * MinZoom)));
  setZoom(zoom_);  // the same zoom, with or without the legend's strip
  render();
}

void MainWindow::command(const std::function<void()>& handler) {
  // Qt may have left the vector registers in the state that slows our arithmetic.
  clearUpperVectorState();
  handler();
  render();
}

void MainWindow::printThroughDialog(const QString& docName, const QString& what,
                                    const std::function<bool(QPrinter&)>& print) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setDocName(docName);
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(QStringLiteral("Stampa %1").arg(what));
  if (dialog.exec() != QDialog::Accepted) return;
  if (!print(printer))
    QMessageBox::warning(this, QStringLiteral("Ortalba"), QStringLiteral("Impossibile stampare %1.").arg(what));
}

void MainWindow::printShownMonth() {
  printThroughDialog(QString::fromStdString(form_.Label1.caption), QStringLiteral("il mese"),
                     [this](QPrinter& printer) { return printShownMonth(printer); });
}

bool MainWindow::printShownMonth(QPrinter& printer) {
  clearUpperVectorState();
  const int year = static_cast<int>(calendar::Val(form_.AnnoC.caption));
  const app::MonthSheet sheet = app::sheetOf(year, form_.ShownMonth, form_.CityIndex);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  paintMonthPage(painter, page.translated(-page.topLeft()), sheet, notesFile(form_.VISMESE.path), cue_);
  return painter.end();
}

void MainWindow::printShownYear() {
  printThroughDialog(QStringLiteral("Ortalba %1").arg(QString::fromStdString(form_.AnnoC.caption)),
                     QStringLiteral("l'anno"), [this](QPrinter& printer) { return printShownYear(printer); });
}

bool MainWindow::printShownYear(QPrinter& printer) {
  clearUpperVectorState();
  const int year = static_cast<int>(calendar::Val(form_.AnnoC.caption));
  const auto months = monthsOfYear(year, form_.CityIndex);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const auto page = [&printer] {
    const QRectF area = printer.pageRect(QPrinter::DevicePixel);
    return area.translated(-area.topLeft());
  };
  const auto notesOf = [this](int month) { return notesFile(app::notesDocumentPath(form_.platform(), month)); };
  const bool drawn = paintYearBooklet(painter, printer, page, months, notesOf, cue_);
  return painter.end() && drawn;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  if (ctrl && (event->modifiers() & Qt::ShiftModifier) && event->key() == Qt::Key_P) {
    printShownYear();
    event->accept();
    return;
  }
  if (ctrl && event->key() == Qt::Key_P) {
    printShownMonth();
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::ZoomIn) || (ctrl && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal))) {
    zoomBy(1.1);
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::ZoomOut) || (ctrl && event->key() == Qt::Key_Minus)) {
    zoomBy(1 / 1.1);
    event->accept();
    return;
  }
  if (ctrl && event->key() == Qt::Key_0) {
    resetZoom();
    event->accept();
    return;
  }
  if (ctrl && event->key() == Qt::Key_K) {
    toggleCue();
    event->accept();
    return;
  }
  std::optional<app::Key> key;
  switch (event->key()) {
    case Qt::Key_PageUp:
      key = ctrl ? app::Key::CtrlPageUp : app::Key::PageUp;
      break;
    case Qt::Key_PageDown:
      key = ctrl ? app::Key::CtrlPageDown : app::Key::PageDown;
      break;
    case Qt::Key_Up:
      key = app::Key::Up;
      break;
    case Qt::Key_Down:
      key = app::Key::Down;
      break;
    case Qt::Key_Left:
      key = app::Key::Left;
      break;
    case Qt::Key_Right:
      key = app::Key::Right;
      break;
    case Qt::Key_Home:
      key = app::Key::Home;
      break;
    case Qt::Key_F4:
      key = app::Key::OpenChooser;
      break;
    case Qt::Key_L:
      if (ctrl) key = app::Key::OpenChooser;
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      key = app::Key::Enter;
      break;
    case Qt::Key_Escape:
      key = app::Key::Escape;
      break;
    default:
      break;
  }
  bool handled = false;
  if (key) command([&] { handled = form_.Form_KeyDown(*key); });
  if (handled) {
    // The keyboard's place follows the day it chose.
    const int day = form_.panelDay();
    const bool onDay = std::find(days_.begin(), days_.end(), focusWidget()) != days_.end();
    if (onDay && day >= 1 && day <= 31) days_[static_cast<std::size_t>(day - 1)]->setFocus(Qt::OtherFocusReason);
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace ortalba
