// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/window/main_window.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QInputDialog>
#include <QMenu>
#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "app/platform/diary/diary_dialog.h"
#include "app/platform/window/accessibility.h"
#include "app/platform/window/day_descriptions.h"
#include "app/platform/window/help_dialog.h"
#include "app/platform/paper/month_page.h"
#include "app/platform/window/moon_cue.h"
#include "app/platform/notes/notes_lookup.h"
#include "app/platform/window/notes_view.h"
#include "app/platform/window/own_feast_dialog.h"
#include "app/platform/window/pictures.h"
#include "app/platform/paper/print_dialogs.h"
#include "app/platform/qt/qt_colours.h"
#include "app/platform/qt/qt_text.h"
#include "app/platform/qt/vector_state.h"
#include "app/platform/paper/year_booklet.h"
#include "app/italian_clock.h"

namespace ortalba {

namespace {

// The zooms the window allows, and the desktop font that the design size suits
// (9 points at 96 dots per inch). The smallest letters of the design are 10 pixels
// (the captions, the notice, the instructions): at three quarters of the design
// size (three Ctrl+- from it) they are 7.5, set at 8 pixels, about the least at
// which a small letter's eye stays open on a screen; smaller, the window would
// still fit but no longer be read.
constexpr double MinZoom = 0.75;
constexpr double MaxZoom = 4.0;
constexpr double DesignFontPixels = 12.0;
// The window manager's frame before the window is shown and it can be measured:
// a title bar and thin borders, as common desktops draw them.
constexpr QSize FrameAllowance(2 * 8, 40 + 8);

// The keys that move through the almanac, with and without Ctrl.
struct NavigationKey {
  int key;
  app::Key plain;
  app::Key withCtrl;
};
constexpr NavigationKey NavigationKeys[] = {
    {Qt::Key_PageUp, app::Key::PageUp, app::Key::CtrlPageUp},
    {Qt::Key_PageDown, app::Key::PageDown, app::Key::CtrlPageDown},
    {Qt::Key_Up, app::Key::Up, app::Key::Up},
    {Qt::Key_Down, app::Key::Down, app::Key::Down},
    {Qt::Key_Left, app::Key::Left, app::Key::Left},
    {Qt::Key_Right, app::Key::Right, app::Key::Right},
    {Qt::Key_Home, app::Key::Home, app::Key::Home},
    {Qt::Key_Return, app::Key::Enter, app::Key::Enter},
    {Qt::Key_Enter, app::Key::Enter, app::Key::Enter},
    {Qt::Key_Escape, app::Key::Escape, app::Key::Escape},
};

}  // namespace

MainWindow::MainWindow(app::WindowModel& form, QWidget* parent) : QWidget(parent), form_(form) {
  // Before any widget is made: a screen reader may ask for them at once.
  installAccessibility();
  initPictures();
  setWindowTitle(QStringLiteral("Ortalba"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/ortalba.svg")));
  // The design's ground and letters whatever the desktop's theme: a dark theme
  // would otherwise write light letters on it. The roles the design leaves alone
  // (buttons, scroll bars, selections) and the dialogs, which are windows of
  // their own, follow the desktop.
  QPalette pal = palette();
  pal.setColor(QPalette::Window, toQColor(app::colours::WindowGround));
  pal.setColor(QPalette::WindowText, toQColor(app::colours::Black));
  setPalette(pal);
  setAutoFillBackground(true);
  QFont base = font();
  base.setPixelSize(11);
  setFont(base);

  widgets_ = buildWindow(*this, form_, [this](const std::function<void()>& handler) { command(handler); });
  // Moving through the list with the arrow keys picks a city as a click does.
  QListWidget* list = widgets_.cityList;
  connect(list, &QListWidget::currentRowChanged, this, [this](int r) {
    if (r < 0 || r == form_.cityList.focusRow) return;
    command([&] { form_.pickCityRow(r); });
  });
  connect(widgets_.help, &DesignButton::clicked, this, &MainWindow::showHelp);
  // Typing in the search box filters the list (also text a screen reader sets);
  // a letter typed on the list starts a search.
  connect(widgets_.citySearch, &QLineEdit::textChanged, this,
          [this](const QString& text) { command([&] { form_.searchCities(text.toStdString()); }); });
  widgets_.citySearch->installEventFilter(this);
  list->installEventFilter(this);
  connect(list, &QListWidget::itemClicked, this, [this, list](QListWidgetItem* item) {
    command([&] { form_.pickCityRow(list->row(item)); });
  });
  // A screen reader picks a row by selecting it.
  connect(list, &QListWidget::itemSelectionChanged, this, [this, list] {
    const QList<QListWidgetItem*> chosen = list->selectedItems();
    if (chosen.size() != 1 || list->row(chosen.front()) == form_.cityList.focusRow) return;
    command([&] { form_.pickCityRow(list->row(chosen.front())); });
  });
  menu_ = new QMenu(this);
  addCommands();
  // The keys reach the window when no control has the focus; Tab goes through the controls only.
  setFocusPolicy(Qt::ClickFocus);
  setTabOrder();

  // The window starts as large as the desktop's letters ask, within the screen;
  // nothing of it is stored.
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QFont desktop = QApplication::font();
  const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
  const double desktopPixels = desktop.pixelSize() > 0 ? desktop.pixelSize() : desktop.pointSizeF() * dpi / 72.0;
  startZoom_ = std::clamp(std::min(desktopPixels / DesignFontPixels, mostZoom()), MinZoom, MaxZoom);
  setMinimumSize(int(std::ceil(DesignWidth * MinZoom)), int(std::ceil(designHeight() * MinZoom)));
  resetZoom();

  command([this] { form_.start(); });
  render();
  // The keys go to the almanac itself until Tab or a click picks a control.
  setFocus(Qt::OtherFocusReason);
}

void MainWindow::addCommands() {
  // Each command with its keys; those with a name are in the window's menu too
  // (the right button, or the menu key), checkable when they turn something on.
  struct Command {
    const char16_t* name;
    QList<QKeySequence> keys;
    std::function<void()> run;
    std::function<bool()> checked;
    std::function<bool()> enabled = nullptr;  // in the menu: greyed when it says false
  };
  const auto model = [this](void (app::WindowModel::*change)()) {
    return [this, change] { command([this, change] { (form_.*change)(); }); };
  };
  const Command commands[] = {
      {u"Stampa il mese…", {QKeySequence::Print}, [this] { printShownMonth(); }, {}},
      {u"Stampa il libretto dell'anno…", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)}, [this] { printShownYear(); }, {}},
      {u"Diario del giorno…", {QKeySequence(Qt::CTRL | Qt::Key_D)}, [this] { openDiary(); }, {}},
      {u"Scegli la città", {QKeySequence(Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_L)},
       [this] { command([this] { form_.keyDown(app::Key::OpenChooser); }); }, {}},
      {u"Festa patronale…", {QKeySequence(Qt::CTRL | Qt::Key_E)}, [this] { setOwnFeast(); }, {},
       [this] { return app::takesOwnFeast(form_.place); }},
      {u"Sempre in primo piano", {QKeySequence(Qt::CTRL | Qt::Key_T)}, model(&app::WindowModel::toggleAlwaysOnTop),
       [this] { return form_.preferences.alwaysOnTop; }},
      {u"Fasi nel giorno dell'ora italiana", {QKeySequence(Qt::CTRL | Qt::Key_G)},
       model(&app::WindowModel::togglePhaseDays),
       [this] { return form_.preferences.reckoning.phaseDays == app::PhaseDays::Italian; }},
      {u"Zodiaco in segni di 30°, non in costellazioni", {QKeySequence(Qt::CTRL | Qt::Key_Z)},
       model(&app::WindowModel::toggleZodiac),
       [this] { return form_.preferences.reckoning.zodiac == astro::ZodiacSystem::Signs; }},
      {u"Giorni buoni per un lavoro…", {QKeySequence(Qt::CTRL | Qt::Key_J)}, [this] { chooseJob(); }, {}},
      {u"Tratteggio per chi non distingue i colori", {QKeySequence(Qt::CTRL | Qt::Key_K)}, [this] { toggleCue(); },
       [this] { return cue_; }},
      {u"Aiuto", {QKeySequence(Qt::Key_F1)}, [this] { showHelp(); }, {}},
      {nullptr, {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, [this] { zoomBy(1.1); }, {}},
      {nullptr, {QKeySequence::ZoomOut}, [this] { zoomBy(1 / 1.1); }, {}},
      {nullptr, {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { resetZoom(); }, {}},
  };
  for (const Command& c : commands) {
    auto* action = new QAction(this);
    action->setShortcuts(c.keys);
    if (c.name) action->setText(QString::fromUtf16(c.name));
    if (c.checked) {
      action->setCheckable(true);
      checkedBy_.emplace_back(action, c.checked);
    }
    if (c.enabled) enabledBy_.emplace_back(action, c.enabled);
    connect(action, &QAction::triggered, this, c.run);
    addAction(action);
    if (c.name) menu_->addAction(action);
  }
}

void MainWindow::chooseJob() {
  // The notes' jobs in a short list; "nessuno" takes the marks away.
  QStringList names{QStringLiteral("nessuno")};
  int current = 0;
  for (const app::ChosenJob& job : app::choosableJobs()) {
    if (form_.preferences.job == job) current = int(names.size());
    names << toQString(app::chosenJobName(job));
  }
  bool chosen = false;
  const QString name = QInputDialog::getItem(this, QStringLiteral("Giorni buoni per un lavoro"),
                                             QStringLiteral("Il lavoro di cui segnare i giorni buoni:"), names, current,
                                             false, &chosen);
  if (!chosen) return;
  command([&] { form_.chooseJob(app::findChosenJob(name.toStdString())); });
}

void MainWindow::setOwnFeast() {
  // The list's places keep their own holiday.
  if (!app::takesOwnFeast(form_.place)) return;
  if (const auto answer = askOwnFeast(this, form_.place)) command([&] { form_.setOwnFeast(*answer); });
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
  for (const auto& [action, checked] : checkedBy_) action->setChecked(checked());
  for (const auto& [action, enabled] : enabledBy_) action->setEnabled(enabled());
  menu_->exec(event->globalPos());
}

void MainWindow::keepAbove() {
  const bool wanted = form_.preferences.alwaysOnTop;
  if (bool(windowFlags() & Qt::WindowStaysOnTopHint) == wanted) return;
  const bool shown = isVisible();
  const QPoint where = pos();
  setWindowFlag(Qt::WindowStaysOnTopHint, wanted);
  if (!shown) return;
  move(where);
  show();
}

void MainWindow::layOut() {
  layOutWindow(widgets_, *this, zoom_, designHeight());
  widgets_.notes->setZoom(zoom_);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  zoom_ = std::min(width() / double(DesignWidth), height() / double(designHeight()));
  layOut();
}

double MainWindow::mostZoom() const {
  const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!s) return MaxZoom;
  // The frame is known once the window is shown (none without a window manager).
  const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : FrameAllowance;
  const QSize room = s->availableGeometry().size() - frame;
  return std::min({MaxZoom, room.width() / double(DesignWidth), room.height() / double(designHeight())});
}

void MainWindow::zoomBy(double factor) { setZoom(std::clamp(zoom_ * factor, MinZoom, std::max(MinZoom, mostZoom()))); }

void MainWindow::resetZoom() { setZoom(startZoom_); }

void MainWindow::setZoom(double z) {
  // A hidden window hears of its new size only when shown: lay it out now.
  resize(int(std::lround(DesignWidth * z)), int(std::lround(designHeight() * z)));
  zoom_ = std::min(width() / double(DesignWidth), height() / double(designHeight()));
  layOut();
  // Grown near an edge, the window moves back onto its screen, frame and all.
  const QScreen* s = screen();
  if (!isVisible() || !s) return;
  const QRect room = s->availableGeometry();
  const QRect frame = frameGeometry();
  const int x = std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() + 1 - frame.width()));
  const int y = std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() + 1 - frame.height()));
  if (QPoint(x, y) != frame.topLeft()) move(x, y);
}

void MainWindow::setTabOrder() {
  // Reading order: the panel's city, the month boxes, the year's arrows, Data
  // Odierna, the day rows, the notes, the help, then the chooser's list and OK when
  // it is open.
  std::vector<QWidget*> order{widgets_.city};
  order.insert(order.end(), widgets_.months.begin(), widgets_.months.end());
  order.insert(order.end(), {widgets_.previousYear, widgets_.nextYear, widgets_.today});
  order.insert(order.end(), widgets_.days.begin(), widgets_.days.end());
  order.insert(order.end(), {widgets_.notes, widgets_.help, widgets_.citySearch, widgets_.cityList, widgets_.ok});
  for (std::size_t i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}

QString MainWindow::caption(const QString& objectName) const {
  const auto* widget = findChild<QWidget*>(objectName);
  if (const auto* text = qobject_cast<const QLabel*>(widget)) return text->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  return {};
}

QLabel* MainWindow::label(const QString& objectName) const { return findChild<QLabel*>(objectName); }

void MainWindow::renderText(QWidget* widget, const app::Label& model) {
  auto* label = qobject_cast<DesignLabel*>(widget);
  auto* button = qobject_cast<DesignButton*>(widget);
  const QString text = toQString(model.caption);
  bool changed = false;
  if ((label ? label->text() : button->text()) != text) {
    if (label)
      label->setText(text);
    else
      button->setText(text);
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
    const QString tip = toQString(model.toolTip);
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
  if (changed && label) label->refit();
  if (changed && button) button->refit();
}

void MainWindow::render() {
  for (const auto& [model, widget] : widgets_.texts) renderText(widget, *model);
  for (const auto& [model, widget] : widgets_.shapes) {
    widget->setFill(toQColor(model->fillColor));
    widget->setVisible(model->visible);
  }
  for (const auto& [model, widget] : widgets_.pictures) {
    widget->setResource(model->resource);
    widget->setVisible(model->visible);
  }
  for (std::size_t k = 0; k < widgets_.plantMarks.size(); ++k) {
    widgets_.plantMarks[k]->setMark(form_.plantMarks[k]);
    widgets_.plantMarks[k]->setVisible(form_.plantMarks[k].visible);
  }
  const int selected = form_.selectedDay;
  for (std::size_t k = 0; k < 31; ++k) {
    const int d = static_cast<int>(k) + 1;
    widgets_.bars[k]->setFocusMark(d == selected);
    widgets_.bars[k]->setGoodDay(form_.goodDays[k]);
    widgets_.bars[k]->setHatching(cue_ ? form_.phaseMarkOf(d) : app::PhaseMark::Neutral, 6 * zoom_);
    widgets_.bars[k]->setDiaryMark(form_.diary.marks[k]);
    widgets_.days[k]->setAccessibleName(toQString(form_.dayAccessibleName(d)));
  }

  QListWidget* list = widgets_.cityList;
  renderCityRows();
  QPalette listPal = list->palette();
  listPal.setColor(QPalette::Text, toQColor(form_.cityList.foreColor));
  list->setPalette(listPal);
  {
    const QSignalBlocker block(list);
    // The design's stripes are the rows' ground; the one selected row is the city in focus.
    const QBrush stripe(toQColor(app::colours::ListHighlight));
    for (int i = 0; i < list->count() && i < static_cast<int>(form_.cityList.selected.size()); ++i) {
      QListWidgetItem* item = list->item(i);
      const bool striped = form_.cityList.selected[static_cast<std::size_t>(i)];
      if ((item->background() == stripe) != striped) item->setBackground(striped ? stripe : QBrush());
    }
    if (form_.cityList.focusRow >= 0 && list->currentRow() != form_.cityList.focusRow) {
      list->setCurrentRow(form_.cityList.focusRow, QItemSelectionModel::ClearAndSelect);
      list->scrollToItem(list->currentItem());
    }
  }
  widgets_.city->setAccessibleName(QStringLiteral("Città del sole: %1. Cambia città").arg(toQString(form_.city.caption)));
  QFrame* chooser = widgets_.chooser;
  const bool opening = form_.cityChooser.visible && !chooser->isVisible();
  const bool closing = !form_.cityChooser.visible && chooser->isVisible();
  chooser->setVisible(form_.cityChooser.visible);
  if (form_.cityChooser.visible) chooser->raise();
  if (opening) list->setFocus();
  if (closing) setFocus();
  renderNotes();
  moonShown_ = describeDays(widgets_, form_, moonShown_);
  if (diary_ && diary_->isVisible()) diary_->showDay();
  keepAbove();
}

void MainWindow::renderCityRows() {
  QListWidget* list = widgets_.cityList;
  const auto& rows = form_.cityList.rows;
  bool same = list->count() == static_cast<int>(rows.size());
  for (int i = 0; same && i < list->count(); ++i) same = list->item(i)->text() == toQString(rows[std::size_t(i)]);
  if (!same) {
    const QSignalBlocker block(list);
    list->clear();
    for (const auto& row : rows) list->addItem(toQString(row));
  }
  const QString search = toQString(form_.citySearch);
  if (widgets_.citySearch->text() != search) {
    const QSignalBlocker block(widgets_.citySearch);
    widgets_.citySearch->setText(search);
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  QListWidget* list = widgets_.cityList;
  if (watched == widgets_.citySearch && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up)) {
    // From the search box the arrows walk the places it found.
    const int row = std::clamp(list->currentRow() + (key->key() == Qt::Key_Down ? 1 : -1), 0, list->count() - 1);
    if (row >= 0) command([&] { form_.pickCityRow(row); });
    return true;
  }
  const QString text = key->text();
  const bool typed = !text.isEmpty() && text.at(0).isPrint() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (watched == list && typed) {
    widgets_.citySearch->setFocus(Qt::OtherFocusReason);
    widgets_.citySearch->insert(text);  // its textChanged runs the search
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::openDiary() {
  if (!diary_)
    diary_ = new DiaryDialog(
        form_, [this] { diaryChanged(); },
        [this](calendar::Date day) {
          command([&] {
            form_.shownYear = day.year;
            form_.pickMonth(day.month - 1);
            form_.clickDay(day.day - 1);
          });
        },
        this);
  diary_->showDay();
  diary_->show();
  diary_->raise();
  diary_->activateWindow();
}

void MainWindow::diaryChanged() {
  command([this] { form_.showDay({form_.selectedDay, form_.shownMonth, form_.shownYear}); });
}

void MainWindow::attachDiary(app::Diary* diary, const std::string& whyNone, const std::string& notice) {
  command([&] {
    form_.diary.attach(diary, whyNone);
    form_.showDay({form_.selectedDay, form_.shownMonth, form_.shownYear});
  });
  if (!notice.empty()) {
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Diario dell'orto"), toQString(notice),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
  }
  if (diary) showDueReminders(form_, [this] { diaryChanged(); }, this);
}

void MainWindow::renderNotes() {
  // Every load request of the form reads the document again: it may have changed on disk.
  if (form_.notes.loadCount != notesLoaded_) {
    widgets_.notes->load(form_.notes.path, zoom_);
    notesLoaded_ = form_.notes.loadCount;
  }
  widgets_.notes->markFor(form_.phaseMarkOf(form_.selectedDay));
}

void MainWindow::showHelp() {
  if (!help_) help_ = new HelpDialog(this);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void MainWindow::toggleCue() {
  cue_ = !cue_;
  widgets_.legend->setVisible(cue_);
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

void MainWindow::printShownMonth() {
  printThroughDialog(
      this, toQString(form_.title.caption), QStringLiteral("il mese"),
      [this](QPrinter& printer) { return printShownMonth(printer); },
      [this](const QString& file) {
        clearUpperVectorState();
        return writeMonthPdf(file, form_.month(),
                             notesFile(form_.notes.path), cue_);
      });
}

bool MainWindow::printShownMonth(QPrinter& printer) {
  return printMonth(printer, form_.month(),
                    notesFile(form_.notes.path), cue_);
}

void MainWindow::printShownYear() {
  printThroughDialog(
      this, QStringLiteral("Ortalba %1").arg(form_.shownYear), QStringLiteral("l'anno"),
      [this](QPrinter& printer) { return printShownYear(printer); },
      [this](const QString& file) {
        clearUpperVectorState();
        return writeYearPdf(file, app::monthsOfYear(form_.shownYear, form_.place, form_.preferences.reckoning), notesOfMonth(), cue_);
      });
}

bool MainWindow::printShownYear(QPrinter& printer) {
  return printYear(printer, app::monthsOfYear(form_.shownYear, form_.place, form_.preferences.reckoning), notesOfMonth(), cue_);
}

std::function<std::string(int)> MainWindow::notesOfMonth() const {
  return [this](int month) { return notesFile(app::notesDocumentPath(form_.platform(), month)); };
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Qt tries the actions' keys only in the active window; with no window manager
  // a window may be given the keys without being made active, so they are tried here.
  if (!isActiveWindow()) {
    const QKeySequence pressed(event->keyCombination());
    for (QAction* action : actions())
      if (action->shortcuts().contains(pressed)) {
        action->trigger();
        event->accept();
        return;
      }
  }
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const auto* found = std::find_if(std::begin(NavigationKeys), std::end(NavigationKeys),
                                   [&](const NavigationKey& k) { return k.key == event->key(); });
  bool handled = false;
  if (found != std::end(NavigationKeys))
    command([&] { handled = form_.keyDown(ctrl ? found->withCtrl : found->plain); });
  if (!handled) {
    QWidget::keyPressEvent(event);
    return;
  }
  // The keyboard's place follows the day it chose.
  const int day = form_.selectedDay;
  const auto& days = widgets_.days;
  const bool onDay = std::find(days.begin(), days.end(), focusWidget()) != days.end();
  if (onDay && day >= 1 && day <= 31) days[static_cast<std::size_t>(day - 1)]->setFocus(Qt::OtherFocusReason);
  event->accept();
}

}  // namespace ortalba
