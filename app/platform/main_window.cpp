#include "app/platform/main_window.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <optional>

#include "app/platform/month_page.h"
#include "app/platform/printer.h"
#include "app/platform/rtf/rtf_text_document.h"

// The pictures live in a static library: make sure the linker keeps them.
static void initOrtalbaResources() { Q_INIT_RESOURCE(resources); }

namespace ortalba {

namespace {

QColor toQColor(app::Rgb c) { return QColor(c.r, c.g, c.b); }

QString resourcePath(int resource) {
  switch (resource) {
    case app::resources::FullMoon:
    case app::resources::LastQuarter:
    case app::resources::NewMoon:
    case app::resources::FirstQuarter:
      return QStringLiteral(":/moon/%1.svg").arg(resource);
    case app::resources::Gerbera:
    case app::resources::Sunflowers:
    case app::resources::QuestionMark:
      return QStringLiteral(":/pictures/%1.svg").arg(resource);
    default:
      return {};
  }
}

QSvgRenderer* rendererFor(int resource) {
  static std::map<int, QSvgRenderer*> cache;
  auto it = cache.find(resource);
  if (it == cache.end()) {
    const QString path = resourcePath(resource);
    it = cache.emplace(resource, path.isEmpty() ? nullptr : new QSvgRenderer(path, qApp)).first;
  }
  return it->second;
}

}  // namespace

void ShapeWidget::setFill(const QColor& colour) {
  if (colour == fill_) return;
  fill_ = colour;
  update();
}

void ShapeWidget::setFocusMark(bool on) {
  if (on == focusMark_) return;
  focusMark_ = on;
  update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), fill_);
  p.setPen(QColor(64, 64, 64));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  if (focusMark_) {
    QPen dashed(Qt::black, 2, Qt::DashLine);
    p.setPen(dashed);
    p.drawRect(rect().adjusted(2, 2, -3, -3));
  }
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QLabel::mousePressEvent(event);
}

void PictureWidget::setResource(int resource) {
  if (resource == resource_) return;
  resource_ = resource;
  update();
}

void PictureWidget::paintEvent(QPaintEvent*) {
  QSvgRenderer* renderer = rendererFor(resource_);
  if (!renderer || !renderer->isValid()) return;
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  // Keep the picture's proportions, centred in the slot.
  const QSizeF natural = renderer->defaultSize();
  QSizeF fitted = natural.scaled(QSizeF(width(), height()), Qt::KeepAspectRatio);
  if (natural.width() <= width() && natural.height() <= height()) fitted = natural;
  const QRectF target((width() - fitted.width()) / 2, (height() - fitted.height()) / 2, fitted.width(),
                      fitted.height());
  renderer->render(&p, target);
}

ClickLabel* MainWindow::makeLabel(QWidget* parent, const char* name, int x, int y, int w, int h, Qt::Alignment align) {
  auto* label = new ClickLabel(parent);
  label->setObjectName(QString::fromUtf8(name));
  label->setGeometry(px(x), px(y), px(w), px(h));
  label->setAlignment(align);
  label->setAttribute(Qt::WA_TranslucentBackground);
  return label;
}

ShapeWidget* MainWindow::makeShape(QWidget* parent, int x, int y, int w, int h, const QColor& fill) {
  auto* shape = new ShapeWidget(parent);
  shape->setGeometry(px(x), px(y), px(w), px(h));
  shape->setFill(fill);
  return shape;
}

QLabel* MainWindow::label(const QString& objectName) const { return findChild<QLabel*>(objectName); }

MainWindow::MainWindow(app::Form1& form, QWidget* parent) : QWidget(parent), form_(form) {
  initPictures();
  setWindowTitle(QStringLiteral("Ortalba"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/ortalba.svg")));
  setFixedSize(px(7815), px(8160));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(236, 233, 216));
  setPalette(pal);
  setAutoFillBackground(true);

  QFont base = font();
  base.setPixelSize(11);
  setFont(base);

  // ---- the day panel ----
  bars_[31] = makeShape(this, 120, 120, 1575, 1455, toQColor(app::colours::Neutral));
  makeShape(this, 120, 120, 1575, 495, QColor(40, 90, 40));  // Shape6, behind the month name
  auto* meseT = makeLabel(this, "meseT", 120, 240, 1575, 375);
  QFont monthFont = base;
  monthFont.setPixelSize(15);
  monthFont.setBold(true);
  meseT->setFont(monthFont);
  meseT->setStyleSheet(QStringLiteral("color: white"));
  auto* giorno = makeLabel(this, "giorno", 120, 600, 1575, 735);
  QFont bigFont = base;
  bigFont.setPixelSize(40);
  bigFont.setBold(true);
  giorno->setFont(bigFont);
  makeShape(this, 120, 1320, 1575, 255, QColor(255, 255, 255));  // Shape7
  auto* settimana = makeLabel(this, "settimana", 120, 1320, 1575, 255);
  QFont boldFont = base;
  boldFont.setBold(true);
  settimana->setFont(boldFont);
  makeLabel(this, "Label2", 120, 1680, 1575, 255)->setFont(boldFont);
  auto* santo = makeLabel(this, "santo", 240, 2040, 1335, 615);
  santo->setWordWrap(true);
  makeLabel(this, "Label5", 120, 2760, 1575, 255)->setFont(boldFont);
  zona_ = makeLabel(this, "zona", 120, 3000, 1575, 255);
  QFont linkFont = boldFont;
  linkFont.setUnderline(true);
  zona_->setFont(linkFont);
  zona_->setCursor(Qt::PointingHandCursor);
  zona_->setToolTip(QStringLiteral("Scegli la città"));
  QFont captionFont = base;
  captionFont.setPixelSize(10);
  makeLabel(this, "Label4", 165, 3240, 795, 255, Qt::AlignLeft | Qt::AlignVCenter)->setFont(captionFont);
  makeLabel(this, "sorge", 960, 3240, 615, 255, Qt::AlignLeft | Qt::AlignVCenter)->setFont(boldFont);
  makeLabel(this, "Label6", 165, 3480, 795, 255, Qt::AlignLeft | Qt::AlignVCenter)->setFont(captionFont);
  makeLabel(this, "tramonta", 960, 3480, 615, 255, Qt::AlignLeft | Qt::AlignVCenter)->setFont(boldFont);

  // ---- month picker and year ----
  makeShape(this, 195, 3960, 1425, 2385, QColor(250, 248, 240));  // Shape9
  makeShape(this, 240, 4005, 1335, 330, QColor(40, 90, 40));      // Shape8
  auto* mese = makeLabel(this, "Label3", 240, 4005, 1335, 330);
  mese->setFont(boldFont);
  mese->setStyleSheet(QStringLiteral("color: white"));
  static constexpr int columns[3] = {240, 720, 1200};
  static constexpr int rows[4] = {4440, 4920, 5400, 5880};
  QFont boxFont = boldFont;
  boxFont.setPixelSize(13);
  for (int i = 0; i < 12; ++i) {
    const int x = columns[i % 3], y = rows[i / 3];
    monthBoxes_[static_cast<std::size_t>(i)] = makeShape(this, x, y, 375, 375, Qt::blue);
    auto* number = makeLabel(this, "Label9", x, y, 375, 375);
    number->setObjectName(QStringLiteral("Label9_%1").arg(i));
    number->setFont(boxFont);
    number->setStyleSheet(QStringLiteral("color: white"));
    number->setCursor(Qt::PointingHandCursor);
    months_[static_cast<std::size_t>(i)] = number;
    connect(number, &ClickLabel::clicked, this, [this, i] {
      form_.Label9_Click(i);
      afterCommand();
    });
  }
  makeShape(this, 120, 6480, 1575, 375, QColor(255, 255, 255));  // Shape5
  makeShape(this, 120, 6480, 375, 375, QColor(40, 90, 40));      // meno
  makeShape(this, 1320, 6480, 375, 375, QColor(40, 90, 40));     // piu
  auto* anno = makeLabel(this, "AnnoC", 120, 6480, 1575, 375);
  anno->setFont(monthFont);
  QFont arrowFont = monthFont;
  arrowFont.setPixelSize(18);
  lmen_ = makeLabel(this, "lmen", 120, 6480, 375, 375);
  lpiu_ = makeLabel(this, "lpiu", 1320, 6480, 375, 375);
  for (auto* arrow : {lmen_, lpiu_}) {
    arrow->setFont(arrowFont);
    arrow->setStyleSheet(QStringLiteral("color: white"));
    arrow->setCursor(Qt::PointingHandCursor);
  }
  lmen_->setToolTip(QStringLiteral("Anno precedente"));
  lpiu_->setToolTip(QStringLiteral("Anno successivo"));
  connect(lmen_, &ClickLabel::clicked, this, [this] {
    form_.lmen_Click();
    afterCommand();
  });
  connect(lpiu_, &ClickLabel::clicked, this, [this] {
    form_.lpiu_Click();
    afterCommand();
  });
  makeShape(this, 240, 6960, 1335, 255, QColor(40, 90, 40));  // Shape10
  label11_ = makeLabel(this, "Label11", 240, 6960, 1335, 255);
  label11_->setFont(boldFont);
  label11_->setStyleSheet(QStringLiteral("color: white"));
  label11_->setCursor(Qt::PointingHandCursor);
  connect(label11_, &ClickLabel::clicked, this, [this] {
    form_.Label11_Click();
    afterCommand();
  });

  // ---- the grid ----
  QFont titleFont = base;
  titleFont.setPixelSize(17);
  titleFont.setBold(true);
  makeLabel(this, "Label1", 1800, 120, 5895, 375)->setFont(titleFont);
  QFont dayFont = base;
  dayFont.setPixelSize(12);
  for (int k = 0; k < 31; ++k) {
    const bool left = k < 16;
    const int top = 480 + 360 * (left ? k : k - 16);
    bars_[static_cast<std::size_t>(k)] = makeShape(this, left ? 1800 : 6360, top, 1335, 375, Qt::white);
    auto* day = makeLabel(this, "GGMM", left ? 1920 : 6480, top, 735, 375, Qt::AlignLeft | Qt::AlignVCenter);
    day->setObjectName(QStringLiteral("GGMM_%1").arg(k));
    day->setFont(dayFont);
    day->setCursor(Qt::PointingHandCursor);
    days_[static_cast<std::size_t>(k)] = day;
    connect(day, &ClickLabel::clicked, this, [this, k] {
      form_.GGMM_Click(k);
      afterCommand();
    });
    auto* icon = new PictureWidget(this);
    icon->setGeometry(px(left ? 2760 : 7320), px(top), px(375), px(375));
    icons_[static_cast<std::size_t>(k + 1)] = icon;
  }
  bars_[32] = makeShape(this, 6360, 5880, 1335, 375, Qt::white);
  icons_[32] = new PictureWidget(this);
  icons_[32]->setGeometry(px(7320), px(5880), px(375), px(375));

  // ---- notes, pictures, instructions ----
  vismese_ = new QTextBrowser(this);
  vismese_->setObjectName(QStringLiteral("VISMESE"));
  vismese_->setGeometry(px(3240), px(720), px(3015), px(6375));
  vismese_->setReadOnly(true);
  vismese_->setOpenLinks(false);
  // The keys belong to the almanac (Page Up/Down change the month); the notes scroll with the wheel.
  vismese_->setFocusPolicy(Qt::NoFocus);
  vismese_->setAccessibleName(QStringLiteral("Note del mese per l'orto e il giardino"));
  auto* notice = makeLabel(this, "avviso", 3240, 480, 3015, 240);
  notice->setFont(captionFont);
  notice->setToolTip(QStringLiteral("Il file luogo.txt non si può scrivere: la città scelta vale fino alla chiusura."));

  makeShape(this, 6435, 5955, 1185, 1185, QColor(40, 90, 40));  // Shape19
  image1_ = new PictureWidget(this);
  image1_->setGeometry(px(6480), px(6000), px(1095), px(1095));
  makeShape(this, 1875, 6315, 1185, 825, QColor(40, 90, 40));  // Shape16
  image2_ = new PictureWidget(this);
  image2_->setGeometry(px(1920), px(6360), px(1095), px(735));
  image3_ = new PictureWidget(this);
  image3_->setGeometry(px(165), px(7320), px(810), px(705));
  auto* instructions = makeLabel(this, "Label7", 1065, 7275, 6540, 765, Qt::AlignLeft | Qt::AlignVCenter);
  QFont smallFont = base;
  smallFont.setPixelSize(10);
  instructions->setFont(smallFont);
  instructions->setWordWrap(true);

  // ---- the city chooser, over the notes ----
  sceltac_ = new QFrame(this);
  sceltac_->setGeometry(px(3600), px(2280), px(2295), px(3375));
  sceltac_->setFrameShape(QFrame::Box);
  sceltac_->setAutoFillBackground(true);
  auto* header = makeLabel(sceltac_, "Label14", 0, 0, 2295, 255);
  header->setFont(boldFont);
  luogo2_ = new QListWidget(sceltac_);
  luogo2_->setObjectName(QStringLiteral("luogo2"));
  luogo2_->setGeometry(0, px(240), px(2295), px(2760));
  luogo2_->setSelectionMode(QAbstractItemView::MultiSelection);
  QPalette listPal = luogo2_->palette();
  listPal.setColor(QPalette::Base, toQColor(app::colours::ListGround));
  listPal.setColor(QPalette::Highlight, QColor(80, 80, 230));
  listPal.setColor(QPalette::HighlightedText, Qt::white);
  luogo2_->setPalette(listPal);
  // Moving through the list with the arrow keys picks a city as a click does.
  connect(luogo2_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0 || row == form_.luogo2.focusRow) return;
    form_.setCityListFocusRow(row);
    afterCommand();
  });
  connect(luogo2_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    form_.setCityListFocusRow(luogo2_->row(item));
    afterCommand();
  });
  auto* chosen = makeLabel(sceltac_, "Lsel", 0, 3070, 1455, 305);
  chosen->setFont(boldFont);
  makeShape(sceltac_, 1455, 3030, 825, 315, QColor(40, 90, 40));
  label15_ = makeLabel(sceltac_, "Label15", 1440, 3000, 855, 375);
  label15_->setFont(boldFont);
  label15_->setCursor(Qt::PointingHandCursor);
  label15_->setStyleSheet(QStringLiteral("color: white"));
  connect(label15_, &ClickLabel::clicked, this, [this] {
    form_.Label15_Click();
    afterCommand();
  });
  connect(zona_, &ClickLabel::clicked, this, [this] {
    form_.zona_Click();
    afterCommand();
  });

  // The view-model labels, by the names their widgets carry.
  const std::pair<const app::Label*, const char*> named[] = {
      {&form_.meseT, "meseT"},     {&form_.giorno, "giorno"},     {&form_.settimana, "settimana"},
      {&form_.Label2, "Label2"},   {&form_.santo, "santo"},       {&form_.Label5, "Label5"},
      {&form_.zona, "zona"},       {&form_.Label4, "Label4"},     {&form_.sorge, "sorge"},
      {&form_.Label6, "Label6"},   {&form_.tramonta, "tramonta"}, {&form_.Label3, "Label3"},
      {&form_.lmen, "lmen"},       {&form_.AnnoC, "AnnoC"},       {&form_.lpiu, "lpiu"},
      {&form_.Label11, "Label11"}, {&form_.Label1, "Label1"},     {&form_.Label14, "Label14"},
      {&form_.Lsel, "Lsel"},       {&form_.Label15, "Label15"},   {&form_.Label7, "Label7"},
      {&form_.avviso, "avviso"}};
  for (const auto& [model, name] : named) labels_[model] = label(QString::fromUtf8(name));

  // Names a screen reader says for the widgets that do something.
  for (int i = 0; i < 12; ++i)
    months_[static_cast<std::size_t>(i)]->setAccessibleName(
        QStringLiteral("Mostra %1").arg(QString::fromUtf8(app::MonthWords[static_cast<std::size_t>(i)])));
  lmen_->setAccessibleName(QStringLiteral("Anno precedente"));
  lpiu_->setAccessibleName(QStringLiteral("Anno successivo"));
  label11_->setAccessibleName(QStringLiteral("Data odierna: torna a oggi"));
  label15_->setAccessibleName(QStringLiteral("Conferma la città scelta"));
  luogo2_->setAccessibleName(QStringLiteral("Elenco delle città"));
  setFocusPolicy(Qt::StrongFocus);
  for (int i = 0; i < 12; ++i)
    labels_[&form_.Label9[static_cast<std::size_t>(i)]] = months_[static_cast<std::size_t>(i)];
  for (int k = 0; k < 31; ++k) labels_[&form_.GGMM[static_cast<std::size_t>(k)]] = days_[static_cast<std::size_t>(k)];

  form_.Form_Load();
  // The list rows are made once, after start-up has filled them.
  for (const auto& row : form_.luogo2.rows) luogo2_->addItem(QString::fromStdString(row));
  render();
}

void MainWindow::renderLabel(QLabel* widget, const app::Label& model) {
  const QString text = QString::fromStdString(model.caption);
  if (widget->text() != text) widget->setText(text);
  widget->setVisible(model.visible);
  QPalette pal = widget->palette();
  if (widget->styleSheet().isEmpty() && pal.color(QPalette::WindowText) != toQColor(model.foreColor)) {
    pal.setColor(QPalette::WindowText, toQColor(model.foreColor));
    widget->setPalette(pal);
  }
}

void MainWindow::render() {
  for (const auto& [model, widget] : labels_) renderLabel(widget, *model);
  const int selected = form_.panelDay();
  for (std::size_t k = 0; k < 31; ++k) {
    bars_[k]->setFocusMark(static_cast<int>(k) + 1 == selected);
    days_[k]->setAccessibleName(QString::fromStdString(form_.dayAccessibleName(static_cast<int>(k) + 1)));
    // Day labels turn bold and back.
    QFont f = days_[k]->font();
    if (f.bold() != form_.GGMM[k].bold) {
      f.setBold(form_.GGMM[k].bold);
      days_[k]->setFont(f);
    }
  }
  for (std::size_t k = 0; k < 33; ++k) {
    bars_[k]->setFill(toQColor(form_.Shape3[k].fillColor));
    bars_[k]->setVisible(form_.Shape3[k].visible);
  }
  for (std::size_t slot = 1; slot < 33; ++slot) {
    icons_[slot]->setResource(form_.LunaIMG[slot].resource);
    icons_[slot]->setVisible(form_.LunaIMG[slot].visible);
  }
  for (std::size_t i = 0; i < 12; ++i) monthBoxes_[i]->setFill(toQColor(form_.MeseTXT[i].fillColor));
  image1_->setResource(form_.Image1.resource);
  image2_->setResource(form_.Image2.resource);
  image3_->setResource(form_.Image3.resource);

  QPalette listPal = luogo2_->palette();
  listPal.setColor(QPalette::Text, toQColor(form_.luogo2.foreColor));
  luogo2_->setPalette(listPal);
  {
    const QSignalBlocker block(luogo2_);
    for (int i = 0; i < luogo2_->count() && i < static_cast<int>(form_.luogo2.selected.size()); ++i)
      luogo2_->item(i)->setSelected(form_.luogo2.selected[static_cast<std::size_t>(i)]);
    if (form_.luogo2.focusRow >= 0 && luogo2_->currentRow() != form_.luogo2.focusRow) {
      luogo2_->setCurrentRow(form_.luogo2.focusRow, QItemSelectionModel::NoUpdate);
      luogo2_->scrollToItem(luogo2_->currentItem());
    }
  }
  zona_->setAccessibleName(
      QStringLiteral("Città del sole: %1. Cambia città").arg(QString::fromStdString(form_.zona.caption)));
  const bool opening = form_.sceltac.visible && !sceltac_->isVisible();
  const bool closing = !form_.sceltac.visible && sceltac_->isVisible();
  sceltac_->setVisible(form_.sceltac.visible);
  if (form_.sceltac.visible) sceltac_->raise();
  if (opening) luogo2_->setFocus();
  if (closing) setFocus();

  if (form_.VISMESE.loadCount != notesLoaded_) loadNotes();
}

void MainWindow::loadNotes() {
  // Reloaded on every request, as the notes may change on disk; a reload of the
  // same document keeps the reader's place.
  const bool same = form_.VISMESE.path == notesPath_;
  const int scroll = vismese_->verticalScrollBar()->value();
  loadNotesInto(vismese_, form_.VISMESE.path);
  vismese_->moveCursor(QTextCursor::Start);
  vismese_->verticalScrollBar()->setValue(same ? scroll : 0);
  notesPath_ = form_.VISMESE.path;
  notesLoaded_ = form_.VISMESE.loadCount;
}

void MainWindow::afterCommand() { render(); }

void MainWindow::printShownMonth() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setDocName(QString::fromStdString(form_.Label1.caption));
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(QStringLiteral("Stampa il mese"));
  if (dialog.exec() != QDialog::Accepted) return;
  if (!printShownMonth(printer))
    QMessageBox::warning(this, QStringLiteral("Ortalba"), QStringLiteral("Impossibile stampare il mese."));
}

bool MainWindow::printShownMonth(QPrinter& printer) {
  // A second almanac draws the page, so the window keeps its selected day.
  app::Form1 page(form_.platform());
  const int year = static_cast<int>(calendar::Val(form_.AnnoC.caption));
  const MonthReport report = reportMonth(page, year, form_.ShownMonth, form_.CityIndex);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  paintMonthPage(painter,
                 printer.pageRect(QPrinter::DevicePixel).translated(-printer.pageRect(QPrinter::DevicePixel).topLeft()),
                 report, notesFile(form_.VISMESE.path));
  return painter.end();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  if (ctrl && event->key() == Qt::Key_P) {
    printShownMonth();
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
  if (key && form_.Form_KeyDown(*key)) {
    afterCommand();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void initPictures() {
  static const bool registered = (initOrtalbaResources(), true);
  (void)registered;
}

QString notesFile(const std::string& path) {
  // The working folder's own Doc/ comes first; an installed almanac started from
  // elsewhere falls back to the notes installed beside the program.
  const QString local = QString::fromStdString(path);
  if (local.isEmpty() || QFileInfo::exists(local)) return local;
  const QString name = QFileInfo(local).fileName();
  const QString beside =
      QCoreApplication::applicationDirPath() + QStringLiteral("/../" ORTALBA_DATA_SUBDIR "/Doc/") + name;
  if (QFileInfo::exists(beside)) return beside;
  const QString installed = QStringLiteral(ORTALBA_DATA_DIR "/Doc/") + name;
  if (QFileInfo::exists(installed)) return installed;
  return local;
}

void loadNotesInto(QTextBrowser* viewer, const std::string& path) {
  QTextDocument* document = viewer->document();
  rtf::loadNotesDocument(notesFile(path), *document);
  // The documents are written for a page; the viewer is a narrow column, so the
  // text is set a little smaller there.
  constexpr double factor = 0.82;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      QTextCharFormat format = fragment.charFormat();
      const double size = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                         : document->defaultFont().pointSizeF();
      if (size <= 0) continue;
      format.setFontPointSize(size * factor);
      QTextCursor cursor(document);
      cursor.setPosition(fragment.position());
      cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
      cursor.setCharFormat(format);
    }
  }
}

}  // namespace ortalba
