// SPDX-License-Identifier: GPL-3.0-or-later
// The window as Qt shows it: what reaches the almanac from clicks and keys, and how
// the widgets show the view model; what the model holds is tried in tests/app.
#include "app/platform/window/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolTip>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>
#include <chrono>
#include <thread>
#include <tuple>

#include "app/platform/command_line/arguments.h"
#include "app/platform/window/help_dialog.h"
#include "app/platform/paper/month_page.h"
#include "app/platform/window/notes_view.h"
#include "app/platform/paper/print_dialogs.h"
#include "app/platform/qt/qt_colours.h"
#include "app/platform/window/window_keys.h"
#include "app/city_table.h"
#include "app/year_calendar.h"

#include "../app/fake_platform.h"
#include "longest_texts.h"

namespace {
using namespace ortalba;

QString text(MainWindow& w, const char* name) { return w.caption(QString::fromUtf8(name)); }
QWidget* focused() { return QApplication::focusWidget(); }

// Shown and active, as a window the keys reach.
bool shownActive(QWidget& w) {
  w.show();
  w.activateWindow();
  return QTest::qWaitForWindowActive(&w);
}

// The window over a model whose today is Sunday 6 December 2026, with no luogo.txt.
struct Shown {
  FakePlatform platform;
  app::WindowModel form{platform};
  MainWindow w{form};
};

// The same over December's notes, in a working folder of its own.
FakePlatform withNotes(const QTemporaryDir& dir) {
  QDir(dir.path()).mkpath("Doc");
  QFile::copy(ORTALBA_SOURCE_DIR "/Doc/Dic.rtf", dir.filePath("Doc/Dic.rtf"));
  FakePlatform platform;
  platform.folder = dir.path().toStdString();
  return platform;
}
struct ShownWithNotes {
  QTemporaryDir dir;
  FakePlatform platform = withNotes(dir);
  app::WindowModel form{platform};
  MainWindow w{form};
};

// Clicks reach the almanac, and every day's widgets show what its model holds.
TEST(Window, ClicksReachTheAlmanacAndItsModelIsShown) {
  Shown s;
  auto& [platform, form, w] = s;
  w.show();
  QTest::mouseClick(w.nextYear(), Qt::LeftButton);
  QTest::mouseClick(w.month(1), Qt::LeftButton);
  EXPECT_EQ(text(w, "year"), "2027");
  for (std::size_t k = 0; k < 31; ++k) {
    const app::Label& day = form.dayRows[k];
    DesignButton* widget = w.day(int(k));
    EXPECT_EQ(widget->isHidden(), !day.visible) << k;
    EXPECT_EQ(widget->text().toStdString(), day.caption);
    EXPECT_EQ(widget->palette().color(QPalette::WindowText), toQColor(day.foreColor)) << k;
    EXPECT_EQ(widget->font().bold(), day.bold) << k;
    EXPECT_EQ(w.bar(int(k))->fill(), toQColor(form.dayBars[k].fillColor)) << k;
    EXPECT_EQ(w.moonIcon(int(k))->resource(), form.moonIcons[k].resource) << k;
  }
  EXPECT_TRUE(w.day(28)->isHidden() && w.day(6)->font().bold()) << "February 2027: 28 days, Sunday the 7th";

  // The city clicked is the list's one selection; the design's stripes stay, painted.
  QTest::mouseClick(w.cityButton(), Qt::LeftButton);
  ASSERT_TRUE(w.chooser()->isVisible());
  QListWidget* list = w.cityList();
  QListWidgetItem* milano = list->findItems(QStringLiteral("MILANO"), Qt::MatchExactly).value(0);
  list->scrollToItem(milano);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(milano).center());
  EXPECT_EQ(text(w, "chosenCity"), "MILANO");
  EXPECT_EQ(list->selectedItems(), QList<QListWidgetItem*>{milano});
  for (int i = 0; i < list->count(); ++i)
    EXPECT_EQ(list->item(i)->background().style() != Qt::NoBrush, form.cityList.selected[std::size_t(i)]) << i;
  QTest::mouseClick(w.okButton(), Qt::LeftButton);
  EXPECT_FALSE(w.chooser()->isVisible());
  EXPECT_EQ(platform.files["/orto/luogo.txt"], "MILANO\r\n");
  EXPECT_TRUE(w.label("notSavedNotice")->isHidden());

  // Not saved: the notice, and on hovering or asking a screen reader why.
  platform.failWrites = true;
  QTest::mouseClick(w.cityButton(), Qt::LeftButton);
  QTest::mouseClick(w.okButton(), Qt::LeftButton);
  EXPECT_FALSE(w.label("notSavedNotice")->isHidden());
  EXPECT_EQ(w.label("notSavedNotice")->toolTip().toStdString(), form.notSavedNotice.toolTip);
  EXPECT_EQ(w.label("notSavedNotice")->accessibleDescription(), w.label("notSavedNotice")->toolTip());
}

// A PDF file chosen in the print dialog goes through the writer that never waits
// on a pipe, as --pdf does; a printer gets the pages itself.
TEST(Window, APdfFileChosenInThePrintDialogGoesThroughTheWriter) {
  QTemporaryDir dir;
  QPrinter printer;
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
  bool printed = false;
  const auto chosen = [&](const QString& file) {
    printer.setOutputFormat(file.isEmpty() ? QPrinter::NativeFormat : QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return printAsChosen(printer, [&](QPrinter&) { return printed = true; }, [&](const QString& name) {
      return writeMonthPdf(name, app::sheetOf(2027, 3, app::findPlace("MILANO").value()), "", false);
    });
  };
  EXPECT_EQ(chosen(dir.filePath("pipe")).reason, "nessun programma legge da quella pipe");
  EXPECT_FALSE(printed);
  EXPECT_TRUE(chosen(QString()).written);
  EXPECT_TRUE(printed);
}

// Should the window wait on a pipe, a reader comes after five seconds and drains it,
// so that the test fails instead of hanging.
class PipeWatchdog {
 public:
  explicit PipeWatchdog(const QString& pipe)
      : reader_([this, path = QFile::encodeName(pipe)] {
          for (int tick = 0; tick < 50 && !done_; ++tick) std::this_thread::sleep_for(std::chrono::milliseconds(100));
          if (done_) return;
          came_ = true;
          const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK);
          char buffer[4096];
          while (!done_)
            if (::read(fd, buffer, sizeof buffer) <= 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
          ::close(fd);
        }) {}
  ~PipeWatchdog() {
    done_ = true;
    reader_.join();
  }
  bool came() const { return came_; }

 private:
  std::atomic<bool> done_ = false, came_ = false;
  std::thread reader_;
};

// Ctrl+P, "Print to File (PDF)" in Qt's print dialog, a file name, Print: whatever
// the name is, the window answers at once. Qt asks before a file that is there is
// overwritten; anything else goes to the almanac's writer, which says why it cannot
// write, where Qt's own check would wait for good on a pipe nobody reads.
TEST(Window, WhateverFileThePrintDialogIsGivenTheWindowAnswersAtOnce) {
  QTemporaryDir dir;
  const QString pipe = dir.filePath("pipe");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  ASSERT_TRUE(QDir(dir.path()).mkdir("cartella"));
  ASSERT_TRUE(QFile::link(dir.filePath("altrove/aprile.pdf"), dir.filePath("collegamento.pdf")));
  QFile there(dir.filePath("marzo.pdf"));
  ASSERT_TRUE(there.open(QIODevice::WriteOnly) && there.write("old") == 3);
  there.close();
  const struct Case {
    QString file;
    std::string said;  // the warning, or empty for Qt's question before overwriting, answered yes
  } cases[] = {{pipe, "Impossibile stampare il mese: nessun programma legge da quella pipe."},
               {QStringLiteral("/dev/full"), "Impossibile stampare il mese: il disco è pieno."},
               {dir.filePath("cartella"), "Impossibile stampare il mese: è una cartella."},
               {dir.filePath("altrove/marzo.pdf"), "Impossibile stampare il mese: la cartella non esiste."},
               {dir.filePath("collegamento.pdf"), "Impossibile stampare il mese: il collegamento non porta a un file."},
               {there.fileName(), ""}};
  Shown s;
  ASSERT_TRUE(shownActive(s.w));
  PipeWatchdog watchdog(pipe);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.toStdString());
    // The person at the dialog: the file, then Print; then they read what is said and
    // close it. Each press comes after this look, as a person's would (and the timer
    // that looks again is not blocked by what the press opens).
    std::vector<std::string> said;
    bool chosen = false;
    QTimer person;
    const auto press = [](QAbstractButton* button) { QTimer::singleShot(0, button, &QAbstractButton::click); };
    QObject::connect(&person, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->isVisible()) {
        const bool question = box->button(QMessageBox::Yes) != nullptr;
        said.push_back(question ? std::string() : box->text().toStdString());
        press(box->button(question ? QMessageBox::Yes : QMessageBox::Ok));
        box->hide();
      } else if (auto* dialog = qobject_cast<QPrintDialog*>(modal); dialog && dialog->isVisible()) {
        if (chosen) return dialog->reject();  // it came back: Print did not print
        chosen = true;
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        printers->setCurrentIndex(printers->count() - 1);
        dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(c.file);
        press(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
      }
    });
    person.start(10);
    QTest::keyClick(&s.w, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(chosen) << "the print dialog came";
    EXPECT_EQ(said, std::vector<std::string>{c.said});
  }
  EXPECT_FALSE(watchdog.came()) << "the window waited on the pipe";
  QFile written(there.fileName());
  EXPECT_TRUE(written.open(QIODevice::ReadOnly) && written.read(5) == "%PDF-") << "the file that was there, printed over";
}

// Zoomed with the keys the window keeps its proportions, stays on its screen frame and all, keeps its
// letters legible; at any zoom the bars share their border and the month boxes keep inside their frame.
TEST(Window, ZoomKeepsProportionsTheScreenAndWholePixels) {
  Shown s;
  MainWindow& w = s.w;
  ASSERT_TRUE(shownActive(w));
  EXPECT_EQ(w.startZoom(), 1.0) << "the test desktop has the design's 9-point letters";
  const QRect dayAtDesign = w.day(20)->geometry();
  const int lettersAtDesign = w.label("tileDay")->font().pixelSize();
  for (int i = 0; i < 2; ++i) QTest::keyClick(&w, Qt::Key_Plus, Qt::ControlModifier);
  const double z = w.zoom();
  EXPECT_NEAR(z, 1.21, 0.01);
  EXPECT_NEAR(w.day(20)->geometry().left(), dayAtDesign.left() * z, 1.5);
  EXPECT_NEAR(w.day(20)->geometry().width(), dayAtDesign.width() * z, 1.5);
  EXPECT_EQ(w.label("tileDay")->font().pixelSize(), std::lround(lettersAtDesign * z));
  QTest::keyClick(&w, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(w.day(20)->geometry(), dayAtDesign);
  w.resize(DesignWidth * 2, DesignHeight);
  EXPECT_EQ(w.day(20)->geometry(), dayAtDesign.translated(DesignWidth / 2, 0)) << "wider, centred";

  const QRect room = w.screen()->availableGeometry();
  w.move(room.center());  // growing, it has to come back onto the screen
  for (int i = 0; i < 20; ++i) QTest::keyClick(&w, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_TRUE(room.contains(w.frameGeometry())) << "on a " << room.width() << "x" << room.height() << " screen";
  EXPECT_GT(w.frameGeometry().height() * 1.1, room.height()) << "as large as the screen allows";
  for (int i = 0; i < 20; ++i) QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_LT(w.zoom(), 1.0);
  for (const auto* widget : w.findChildren<QWidget*>()) {
    const bool lettered = qobject_cast<const DesignLabel*>(widget) || qobject_cast<const DesignButton*>(widget);
    EXPECT_TRUE(!lettered || widget->font().pixelSize() >= 7) << widget->objectName().toStdString();
  }
  for (double zoom : {0.8, 0.87, 1.3, 1.5, 2.2}) {
    w.resize(int(std::lround(DesignWidth * zoom)), int(std::lround(DesignHeight * zoom)));
    for (int k = 0; k < 30; ++k)  // the 16th closes the left column
      EXPECT_TRUE(k == 15 || w.bar(k + 1)->y() == w.bar(k)->geometry().bottom()) << k << " at " << zoom;
    const QRect frame = w.findChild<QWidget*>("pickerGround")->geometry().adjusted(1, 1, -1, -1);
    for (int m = 0; m < 12; ++m) EXPECT_TRUE(frame.contains(w.month(m)->geometry())) << m << " at " << zoom;
  }
}

// The panel's captions never cut a text: the saint's wraps, and both take smaller letters where the
// design's do not hold it. Tried on the longest texts the almanac shows and on every city, at two zooms.
TEST(Window, ThePanelHoldsTheLongestTexts) {
  std::vector<std::string> longest = longestDayTexts(12);
  longest.push_back("SS.7 fondatori Servi Maria - (Martedì Grasso)");
  std::vector<std::string> cities;
  for (const app::Place& place : app::tablePlaces()) cities.emplace_back(place.name);
  struct Caption {  // a caption of the panel, the texts it shows, how it lays them out, a short one
    const char* name; app::Label app::WindowModel::*model; const std::vector<std::string>& texts; int flags; const char* brief;
  } const captions[] = {{"saintOrFeast", &app::WindowModel::saintOrFeast, longest, Qt::AlignCenter | Qt::TextWordWrap, "S.Nicola"},
                        {"city", &app::WindowModel::city, cities, Qt::AlignCenter, "ROMA"}};
  Shown s;
  s.w.show();
  for (double zoom : {1.0, 1.6}) {
    s.w.resize(int(DesignWidth * zoom), int(DesignHeight * zoom));
    for (const Caption& c : captions) {
      auto* widget = s.w.findChild<QWidget*>(c.name);
      for (const std::string& text : c.texts) {
        (s.form.*c.model).caption = text;
        s.w.render();
        const QRect box = widget->contentsRect();
        const QRect needed = QFontMetrics(widget->font()).boundingRect(box, c.flags, s.w.caption(c.name));
        EXPECT_TRUE(box.contains(QRect(box.topLeft(), needed.size()))) << text << " at " << zoom;
        EXPECT_GE(widget->font().pixelSize(), int(7 * zoom)) << text << ": too small to read";
      }
      (s.form.*c.model).caption = c.brief;
      s.w.render();
      EXPECT_EQ(widget->font().pixelSize(), std::lround(11 * zoom)) << "a short text keeps the design's letters";
    }
  }
}

// The tooltips, which a screen reader says too: at most two lines, none wider than
// the window; the sun's times are ora solare, with the clocks' time on days of ora
// legale ("oggi" only for today); a day gives the moon's rise, set and motion, a
// phase its hour and, when the grid puts it on another day, Greenwich's.
TEST(Window, TheTooltipsAreShortAndTellTheirClock) {
  Shown s;
  MainWindow& w = s.w;
  const auto fits = [&](const QWidget* widget) {
    const QStringList lines = widget->toolTip().split(QLatin1Char('\n'));
    const QFontMetrics metrics(QToolTip::font());
    for (const QString& line : lines) EXPECT_LT(metrics.horizontalAdvance(line), w.width()) << line.toStdString();
    EXPECT_LE(lines.size(), 2) << widget->toolTip().toStdString();
  };
  QTest::mouseClick(w.month(6), Qt::LeftButton);  // July 2026
  QTest::mouseClick(w.day(14), Qt::LeftButton);
  const QString sunrise = w.label("sunrise")->toolTip();
  EXPECT_TRUE(sunrise.startsWith("Ora solare (UTC+1)")) << sunrise.toStdString();
  const QTime solar = QTime::fromString(text(w, "sunrise"), QStringLiteral("hh:mm"));
  EXPECT_TRUE(sunrise.endsWith(QStringLiteral("il 15 luglio gli orologi, in ora legale, segnano ") +
                               solar.addSecs(3600).toString(QStringLiteral("hh:mm")))) << sunrise.toStdString();
  for (int k = 0; k < 31; ++k) fits(w.day(k));
  QTest::mouseClick(w.month(0), Qt::LeftButton);
  EXPECT_FALSE(w.label("sunset")->toolTip().contains("ora legale")) << "January";

  QTest::mouseClick(w.nextYear(), Qt::LeftButton);
  QTest::mouseClick(w.month(1), Qt::LeftButton);
  const QString fullMoon = w.day(19)->toolTip();
  EXPECT_EQ(fullMoon.section(QLatin1Char('\n'), 0, 0), "Luna piena alle 00:23 del 21 febbraio (Greenwich: 23:23 del 20)");
  EXPECT_EQ(w.moonIcon(19)->toolTip(), fullMoon.section(QLatin1Char('\n'), 0, 0));
  EXPECT_EQ(w.day(19)->accessibleDescription(), fullMoon);
  for (int k = 0; k < 28; ++k) fits(w.day(k));
  QTest::mouseClick(w.day(9), Qt::LeftButton);
  const QString panel = w.label("tileDay")->toolTip();
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^Luna: (sorge \\d\\d:\\d\\d|non sorge), .*, (a|di)scendente$"))
                  .match(panel).hasMatch()) << panel.toStdString();
  EXPECT_TRUE(w.day(9)->toolTip().startsWith(panel.section(QStringLiteral(" ("), 0, 0).section(QStringLiteral(", "), 0, 1)))
      << w.day(9)->toolTip().toStdString();
}

// The navigation keys and the commands' keys reach the almanac; Tab walks the
// controls in reading order, and Space and Enter press them as a click does.
TEST(Window, TheKeyboardReachesTheAlmanacAndEveryControl) {
  Shown s;
  auto& [platform, form, w] = s;
  ASSERT_TRUE(shownActive(w));
  w.setFocus();
  EXPECT_TRUE(w.bar(5)->focusMark());
  QTest::keyClick(&w, Qt::Key_PageDown);
  EXPECT_EQ(text(w, "title"), "GENNAIO 2027");
  QTest::keyClick(&w, Qt::Key_Down);
  EXPECT_TRUE(w.bar(1)->focusMark());
  EXPECT_FALSE(w.bar(0)->focusMark());
  QTest::keyClick(&w, Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(text(w, "title"), "GENNAIO 2026");
  QTest::keyClick(&w, Qt::Key_F4);
  QTest::keyClick(w.cityList(), Qt::Key_Home);  // the list's first row is a city too
  QTest::keyClick(w.cityList(), Qt::Key_Return);
  EXPECT_FALSE(w.chooser()->isVisible());
  EXPECT_EQ(form.city.caption, app::tablePlaces()[0].name);
  EXPECT_EQ(platform.files["/orto/luogo.txt"], form.city.caption + "\r\n");

  std::vector<QWidget*> expected{w.cityButton()};
  for (int i = 0; i < 12; ++i) expected.push_back(w.month(i));
  expected.insert(expected.end(), {w.previousYear(), w.nextYear(), w.todayButton()});
  for (int k = 0; k < 31; ++k) expected.push_back(w.day(k));
  expected.insert(expected.end(), {w.notes(), w.helpButton()});
  w.setFocus();
  for (QWidget* widget : expected) {
    QTest::keyClick(focused() ? focused() : &w, Qt::Key_Tab);
    EXPECT_EQ(focused(), widget) << widget->objectName().toStdString();
  }
  QTest::keyClick(focused(), Qt::Key_Backtab);
  EXPECT_EQ(focused(), w.notes());
  const QImage unfocused = w.nextYear()->grab().toImage();
  w.nextYear()->setFocus();
  EXPECT_NE(w.nextYear()->grab().toImage(), unfocused) << "the focus mark";
  QTest::keyClick(w.nextYear(), Qt::Key_Space);
  EXPECT_EQ(text(w, "year"), "2027");
  QTest::keyClick(w.month(2), Qt::Key_Return);
  EXPECT_EQ(text(w, "title"), "MARZO 2027");
  w.day(9)->setFocus();
  QTest::keyClick(w.day(9), Qt::Key_Space);
  EXPECT_EQ(text(w, "tileDay"), "10");
  QTest::keyClick(w.day(9), Qt::Key_Down);  // the arrows still choose the day, and the keyboard's place follows
  EXPECT_EQ(focused(), w.day(10));
  w.cityButton()->setFocus();
  QTest::keyClick(w.cityButton(), Qt::Key_Return);
  EXPECT_EQ(focused(), w.cityList());
  QTest::keyClick(w.cityList(), Qt::Key_Tab);
  EXPECT_EQ(focused(), w.okButton());
}

// In the chooser a letter typed on the list starts a search; the arrows walk what
// it found, Enter takes it, and the chooser opens again on the list's places.
TEST(Window, TheChooserSearchesTheComuni) {
  Shown s;
  MainWindow& w = s.w;
  ASSERT_TRUE(shownActive(w));
  QTest::keyClick(&w, Qt::Key_F4);
  ASSERT_EQ(focused(), w.cityList());
  QTest::keyClicks(w.cityList(), QStringLiteral("bard"));
  EXPECT_EQ(focused(), w.citySearch());
  EXPECT_EQ(w.citySearch()->text(), QStringLiteral("bard"));
  ASSERT_GT(w.cityList()->count(), 3);
  EXPECT_EQ(w.cityList()->item(0)->text(), QStringLiteral("BARD (AO)"));
  EXPECT_EQ(w.cityList()->currentRow(), 0);
  QTest::keyClicks(w.citySearch(), QStringLiteral("on"));
  EXPECT_EQ(w.cityList()->item(0)->text(), QStringLiteral("BARDONECCHIA (TO)"));
  QTest::keyClick(w.citySearch(), Qt::Key_Down);
  QTest::keyClick(w.citySearch(), Qt::Key_Up);
  EXPECT_EQ(text(w, "chosenCity"), "BARDONECCHIA (TO)");
  QTest::keyClick(w.citySearch(), Qt::Key_Return);
  EXPECT_FALSE(w.chooser()->isVisible());
  EXPECT_EQ(text(w, "city"), "BARDONECCHIA (TO)");
  EXPECT_EQ(s.platform.files["/orto/luogo.txt"], "BARDONECCHIA (TO)\r\n");
  QTest::keyClick(&w, Qt::Key_F4);
  EXPECT_TRUE(w.citySearch()->text().isEmpty());
  EXPECT_EQ(w.cityList()->count(), int(app::tablePlaces().size()));
  QTest::keyClick(&w, Qt::Key_Escape);
}

// Ctrl+K: hatching on the waxing and waning bars, a darker red, a legend; and back.
TEST(Window, TheMoonCueComesAndGoesWithCtrlK) {
  Shown s;
  MainWindow& w = s.w;
  ASSERT_TRUE(shownActive(w));
  const QImage plain = w.grab().toImage();
  QTest::keyClick(&w, Qt::Key_K, Qt::ControlModifier);
  ASSERT_TRUE(w.cueShown());
  EXPECT_EQ(w.height(), CueDesignHeight) << "the legend's strip under the instructions";
  EXPECT_TRUE(w.findChild<CueLegend*>()->isVisible());
  for (int k = 0; k < 31; ++k) EXPECT_EQ(w.bar(k)->hatching(), s.form.phaseMarkOf(k + 1)) << k;
  EXPECT_EQ(w.bar(10)->hatching(), app::PhaseMark::Waxing) << "10 December 2026";
  EXPECT_EQ(w.day(24)->palette().color(QPalette::WindowText), toQColor(app::colours::CueRed)) << "Christmas";
  QTest::keyClick(&w, Qt::Key_K, Qt::ControlModifier);
  EXPECT_FALSE(w.cueShown());
  EXPECT_EQ(w.grab().toImage(), plain) << "the design comes back as it was";
}

// Which blocks of the notes carry a ground, '#', and which not, '.'; on its ground
// the notes' black text reads at 4.5 : 1 at least.
std::string markedBlocks(QTextDocument* notes) {
  std::string out;
  for (QTextBlock b = notes->begin(); b.isValid(); b = b.next()) {
    const bool marked = b.blockFormat().hasProperty(QTextFormat::BackgroundBrush);
    const QColor c = b.blockFormat().background().color();
    const app::Rgb ground{uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue())};
    EXPECT_TRUE(!marked || app::contrastRatio(app::colours::Black, ground) >= 4.5) << b.text().toStdString();
    out += marked ? '#' : '.';
  }
  return out;
}

// The notes that fit the day: "In Luna crescente" on a waxing day, "In Luna calante"
// on a waning one, neither on a full or new moon; the text and the reader's place stay.
TEST(Window, TheNotesMarkThePassagesThatFitTheDay) {
  ShownWithNotes s;  // today is Sunday 6 December 2026, waning
  MainWindow& w = s.w;
  w.show();
  QTextDocument* notes = w.notes()->document();
  const QString original = notes->toPlainText();
  // Dicembre, Orto e Frutteto, crescente and advice, calante and advice, Giardino e Terrazzo, the same again.
  EXPECT_EQ(markedBlocks(notes), "....##...##");
  EXPECT_TRUE(w.notes()->accessibleDescription().contains("In Luna calante"));
  QScrollBar* bar = w.notes()->verticalScrollBar();
  bar->setValue(bar->maximum() / 2);
  const int place = bar->value();
  QTest::mouseClick(w.day(9), Qt::LeftButton);  // the 10th, waxing
  EXPECT_EQ(markedBlocks(notes), "..##...##..");
  EXPECT_TRUE(w.notes()->accessibleDescription().contains("In Luna crescente"));
  EXPECT_EQ(bar->value(), place);
  // Page Down scrolls the notes when they have the keyboard; elsewhere it is the next month.
  w.notes()->setFocus(Qt::TabFocusReason);
  QTest::keyClick(w.notes(), Qt::Key_PageDown);
  EXPECT_GT(bar->value(), place);
  EXPECT_EQ(text(w, "title"), "DICEMBRE 2026");
  QTest::mouseClick(w.day(23), Qt::LeftButton);  // the 24th, full moon
  EXPECT_EQ(markedBlocks(notes), "...........");
  EXPECT_EQ(notes->toPlainText(), original);

  // A paragraph separator or a noncharacter in the text moves no mark away from
  // what the screen reader is told; a document without the sub-headings is shown as it is.
  const auto rewrite = [&](const char* rtf) {
    QFile file(s.dir.filePath("Doc/Dic.rtf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(rtf);
    file.close();
    QTest::mouseClick(w.day(9), Qt::LeftButton);
  };
  rewrite("{\\rtf1 {\\b Dicembre}\\par In Luna crescente\\u8233? seminare\\u-560?\\par In Luna calante\\par\\u-559? potare\\par}");
  EXPECT_EQ(markedBlocks(notes), ".##..");
  EXPECT_TRUE(w.notes()->accessibleDescription().contains("In Luna crescente"));
  rewrite("{\\rtf1 {\\b Dicembre}\\par Vangare e concimare.\\par}");
  EXPECT_EQ(markedBlocks(notes), "..");
  EXPECT_EQ(w.notes()->accessibleDescription(), "Note del mese");
}

// Started on a dark desktop theme, the window, its chooser and the cue's legend look as on a light one,
// the notes and the list on their own paper; only their frames and scroll bars follow the desktop.
TEST(Window, ADarkThemeLeavesTheDesignAndTheNotesPaper) {
  const auto looks = [](MainWindow& w) {
    w.show();
    w.toggleCue();
    QTest::mouseClick(w.cityButton(), Qt::LeftButton);
    QImage window = w.grab().toImage();
    for (QWidget* area : std::initializer_list<QWidget*>{w.notes(), w.cityList()})
      QPainter(&window).fillRect(QRect(area->mapTo(&w, QPoint()), area->size()), Qt::black);
    return std::tuple{window, w.notes()->viewport()->grab().toImage(), w.cityList()->viewport()->grab().toImage()};
  };
  ShownWithNotes light;
  const auto onLight = looks(light.w);
  const QPalette desktop = QApplication::palette();
  QApplication::setPalette(QPalette(QColor(60, 60, 60), QColor(50, 50, 50)));  // light letters on black
  ShownWithNotes s;
  EXPECT_TRUE(looks(s.w) == onLight) << "the window looks as on a light desktop";
  QApplication::setPalette(desktop);
}

// F1 opens the help (the "?" is pressed by the screen-reader test): the keys, the version, the licence.
TEST(Window, F1OpensTheHelp) {
  Shown s;
  ASSERT_TRUE(shownActive(s.w));
  QTest::keyClick(&s.w, Qt::Key_F1);
  ASSERT_TRUE(s.w.help() && s.w.help()->isVisible());
  const QString help = s.w.help()->text();
  for (const WindowKey& key : WindowKeys) EXPECT_TRUE(help.contains(QString::fromUtf16(key.keys)));
  EXPECT_TRUE(help.contains(versionText()) && help.contains("GNU General Public License, versione 3 o (a scelta)"));
  s.w.help()->close();
}

// The chosen city stands out of the list: its ground at least 3 : 1 against the
// stripes' and the list's, its whole name on the chooser.
TEST(Window, TheChosenCityStandsOutOfTheList) {
  Shown s;
  s.w.show();
  QTest::mouseClick(s.w.cityButton(), Qt::LeftButton);
  QListWidget* list = s.w.cityList();
  QListWidgetItem* chosen = list->findItems(QStringLiteral("REGGIO NELL'EMILIA"), Qt::MatchExactly).value(0);
  ASSERT_TRUE(chosen);
  list->scrollToItem(chosen, QAbstractItemView::PositionAtCenter);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(chosen).center());
  const QImage rows = list->viewport()->grab().toImage();
  const auto ground = [&](const QListWidgetItem* item) {
    const QColor c = rows.pixelColor(list->visualItemRect(item).topLeft() + QPoint(2, 2));
    return app::Rgb{std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())};
  };
  const int row = list->row(chosen);
  for (int other : {row - 1, row + 1}) {
    ASSERT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(other)))) << other;
    EXPECT_GE(app::contrastRatio(ground(chosen), ground(list->item(other))), 3.0) << other;
  }
  EXPECT_EQ(text(s.w, "chosenCity"), "REGGIO NELL'EMILIA");
}

}  // namespace
