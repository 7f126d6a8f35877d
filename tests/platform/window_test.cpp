// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <algorithm>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <tuple>

#include "app/platform/accessibility.h"
#include "app/platform/arguments.h"
#include "app/platform/help_dialog.h"
#include "app/platform/month_page.h"
#include "app/platform/notes_view.h"
#include "app/platform/print_dialogs.h"
#include "app/platform/window_keys.h"
#include "app/year_calendar.h"

#include "../app/fake_platform.h"
#include "longest_texts.h"

namespace {
using namespace ortalba;

QString text(MainWindow& w, const char* name) { return w.caption(QString::fromUtf8(name)); }

// Shown and active, as a window the keys reach.
bool shownActive(QWidget& w) {
  w.show();
  w.activateWindow();
  return QTest::qWaitForWindowActive(&w);
}

// The window over a model whose today is Sunday 6 December 2026, with no luogo.txt.
struct Shown {
  FakePlatform platform;
  app::Form1 form{platform};
  MainWindow w{form};
};

// The same over December's notes, in a working folder of its own.
struct NotesFolder {
  QTemporaryDir dir;
  FakePlatform platform;
  NotesFolder() {
    QDir(dir.path()).mkpath("Doc");
    QFile::copy(ORTALBA_SOURCE_DIR "/Doc/Dic.rtf", dir.filePath("Doc/Dic.rtf"));
    platform.folder = dir.path().toStdString();
  }
};
struct ShownWithNotes : NotesFolder {
  app::Form1 form{platform};
  MainWindow w{form};
};

TEST(Window, ClicksReachTheAlmanac) {
  Shown s;
  auto& [platform, form, w] = s;
  w.show();

  EXPECT_EQ(text(w, "Label1"), "DICEMBRE 2026");
  EXPECT_EQ(text(w, "giorno"), "6");
  EXPECT_EQ(text(w, "zona"), "ROMA");
  EXPECT_FALSE(w.chooser()->isVisible());
  EXPECT_TRUE(w.notes()->toPlainText().contains("Note del mese non disponibili"));

  QTest::mouseClick(w.nextYear(), Qt::LeftButton);
  EXPECT_EQ(text(w, "AnnoC"), "2027");
  QTest::mouseClick(w.month(2), Qt::LeftButton);
  EXPECT_EQ(text(w, "Label1"), "MARZO 2027");
  EXPECT_FALSE(w.day(30)->isHidden());
  QTest::mouseClick(w.month(1), Qt::LeftButton);
  EXPECT_TRUE(w.day(28)->isHidden()) << "February 2027 has 28 days";
  QTest::mouseClick(w.day(4), Qt::LeftButton);
  EXPECT_EQ(text(w, "settimana"), "Venerdì");

  QTest::mouseClick(w.todayButton(), Qt::LeftButton);
  EXPECT_EQ(text(w, "AnnoC"), "2026");
  EXPECT_EQ(text(w, "giorno"), "6");
  // The bars carry the model's colours: the new moon of 9 December neutral, the days after it waxing.
  EXPECT_EQ(w.bar(8)->fill(), QColor(255, 255, 192));
  EXPECT_EQ(w.bar(10)->fill(), QColor(255, 192, 128));
  EXPECT_EQ(w.moonIcon(9)->resource(), app::resources::NewMoon);
  EXPECT_EQ(w.day(24)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_TRUE(w.day(24)->font().bold());

  QTest::mouseClick(w.cityButton(), Qt::LeftButton);
  ASSERT_TRUE(w.chooser()->isVisible());
  EXPECT_EQ(text(w, "Lsel"), "ROMA");
  QListWidget* list = w.cityList();
  ASSERT_EQ(list->count(), 108);
  list->scrollToItem(list->item(15));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(15)).center());
  EXPECT_EQ(text(w, "Lsel"), "MILANO");
  // The city clicked is the list's one selection; the design's stripes stay as they were, painted.
  EXPECT_EQ(list->selectedItems(), QList<QListWidgetItem*>{list->item(15)});
  EXPECT_EQ(list->item(14)->background().color(), QColor(80, 80, 230));
  EXPECT_EQ(list->item(15)->background().style(), Qt::NoBrush);
  QTest::mouseClick(w.okButton(), Qt::LeftButton);
  EXPECT_FALSE(w.chooser()->isVisible());
  EXPECT_EQ(text(w, "zona"), "MILANO");
  EXPECT_EQ(platform.files["/orto/luogo.txt"], "MILANO\r\n");
  EXPECT_TRUE(w.label("avviso")->isHidden());

  // Not saved: the notice, and on hovering it why.
  platform.failWrites = true;
  QTest::mouseClick(w.cityButton(), Qt::LeftButton);
  QTest::mouseClick(w.okButton(), Qt::LeftButton);
  EXPECT_EQ(text(w, "avviso"), "Città non salvata in luogo.txt");
  EXPECT_FALSE(w.label("avviso")->isHidden());
  EXPECT_TRUE(w.label("avviso")->toolTip().contains("(il disco è pieno)")) << w.label("avviso")->toolTip().toStdString();
  EXPECT_EQ(w.label("avviso")->accessibleDescription(), w.label("avviso")->toolTip());

  if (const char* dir = std::getenv("ORTALBA_SCREENSHOT_DIR"))
    w.grab().save(QString::fromUtf8(dir) + "/window.png");
}

TEST(Window, KeysAndScreenReaderNames) {
  Shown s;
  auto& [platform, form, w] = s;
  ASSERT_TRUE(shownActive(w)) << "the keys reach the active window";
  w.setFocus();

  EXPECT_TRUE(w.bar(5)->focusMark());
  EXPECT_EQ(w.day(23)->accessibleName(), "24 dicembre, giovedì, luna piena, calante");
  EXPECT_EQ(w.previousYear()->accessibleName(), "Anno precedente");
  EXPECT_FALSE(w.cityButton()->accessibleName().isEmpty());

  QTest::keyClick(&w, Qt::Key_PageDown);
  EXPECT_EQ(text(w, "Label1"), "GENNAIO 2027");
  QTest::keyClick(&w, Qt::Key_Down);
  EXPECT_EQ(text(w, "giorno"), "2");
  EXPECT_TRUE(w.bar(1)->focusMark());
  EXPECT_FALSE(w.bar(0)->focusMark());
  // The mark leaves the moon colours alone.
  const app::Rgb model = form.Shape3[1].fillColor;
  EXPECT_EQ(w.bar(1)->fill(), QColor(model.r, model.g, model.b));
  QTest::keyClick(&w, Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(text(w, "Label1"), "GENNAIO 2026");
  QTest::keyClick(&w, Qt::Key_Home);
  EXPECT_EQ(text(w, "Label1"), "DICEMBRE 2026");

  QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier);
  ASSERT_TRUE(w.chooser()->isVisible());
  EXPECT_EQ(text(w, "Lsel"), "ROMA");
  QTest::keyClick(w.cityList(), Qt::Key_Down);
  EXPECT_EQ(text(w, "Lsel"), "VITERBO") << "the row after ROMA";
  QTest::keyClick(w.cityList(), Qt::Key_Escape);
  EXPECT_FALSE(w.chooser()->isVisible());
  EXPECT_EQ(text(w, "zona"), "ROMA");
  EXPECT_TRUE(platform.files.empty());

  QTest::keyClick(&w, Qt::Key_F4);
  QTest::keyClick(w.cityList(), Qt::Key_Up);
  QTest::keyClick(w.cityList(), Qt::Key_Return);
  EXPECT_FALSE(w.chooser()->isVisible());
  EXPECT_EQ(text(w, "zona"), "RIETI");
  EXPECT_EQ(platform.files["/orto/luogo.txt"], "RIETI\r\n");
}

// What `print` puts on a PDF printer: its pages, or -1 when it is no PDF.
int printedPages(const QString& file, const std::function<bool(QPrinter&)>& print) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  if (!print(printer)) return -1;
  QFile pdf(file);
  if (!pdf.open(QIODevice::ReadOnly)) return -1;
  const QByteArray bytes = pdf.readAll();
  if (!bytes.startsWith("%PDF-")) return -1;
  return int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "));
}

TEST(Window, PrintsTheShownMonthOnOnePage) {
  Shown s;
  MainWindow& w = s.w;
  QTest::mouseClick(w.month(2), Qt::LeftButton);
  QTest::mouseClick(w.day(9), Qt::LeftButton);
  QTemporaryDir dir;
  EXPECT_EQ(printedPages(dir.filePath("marzo.pdf"), [&](QPrinter& p) { return w.printShownMonth(p); }), 1);
  // Printing leaves the window as it was.
  EXPECT_EQ(w.label("Label1")->text(), "MARZO 2026");
  EXPECT_EQ(w.label("giorno")->text(), "10");

  // Ctrl+Shift+P's booklet: the year's page and the twelve months.
  EXPECT_EQ(printedPages(dir.filePath("anno.pdf"), [&](QPrinter& p) { return w.printShownYear(p); }), 13);
  EXPECT_EQ(w.label("giorno")->text(), "10");
}

// A PDF file chosen in the print dialog is written as --pdf writes one: whole or
// not at all, never waiting on a pipe; a printer gets the pages itself.
TEST(Window, APdfFileChosenInTheDialogIsWrittenWholeOrNotAtAll) {
  QTemporaryDir dir;
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
  const app::MonthSheet sheet = app::sheetOf(2027, 3, 15);
  QPrinter printer;
  bool printed = false;
  const auto chosen = [&](const QString& file) {
    printer.setOutputFormat(file.isEmpty() ? QPrinter::NativeFormat : QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return printAsChosen(printer, [&](QPrinter&) { return printed = true; },
                         [&](const QString& name) { return writeMonthPdf(name, sheet, "", false); });
  };
  EXPECT_EQ(chosen(dir.filePath("pipe")).reason, "nessun programma legge da quella pipe");
  EXPECT_EQ(chosen(dir.filePath("nowhere/marzo.pdf")).reason, "la cartella non esiste");
  EXPECT_FALSE(printed);
  EXPECT_TRUE(chosen(dir.filePath("marzo.pdf")).written);
  QFile pdf(dir.filePath("marzo.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.readAll().startsWith("%PDF-"));
  EXPECT_TRUE(chosen(QString()).written);
  EXPECT_TRUE(printed);
}

}  // namespace

namespace {
using namespace ortalba;

// The window grows and shrinks with the keys and keeps the design's proportions.
TEST(Window, ZoomsWithTheKeysAndKeepsItsProportions) {
  Shown s;
  MainWindow& w = s.w;
  ASSERT_TRUE(shownActive(w));
  EXPECT_EQ(w.startZoom(), 1.0) << "the test desktop has the design's 9-point letters";
  EXPECT_EQ(w.size(), QSize(DesignWidth, DesignHeight));
  const QRect dayAtDesign = w.day(20)->geometry();
  const int lettersAtDesign = w.label("giorno")->font().pixelSize();

  for (int i = 0; i < 3; ++i) QTest::keyClick(&w, Qt::Key_Plus, Qt::ControlModifier);
  const double z = w.zoom();
  EXPECT_NEAR(z, 1.331, 0.01);
  EXPECT_NEAR(w.width() / double(w.height()), DesignWidth / double(DesignHeight), 0.005);
  EXPECT_NEAR(w.day(20)->geometry().left(), dayAtDesign.left() * z, 1.5);
  EXPECT_NEAR(w.day(20)->geometry().width(), dayAtDesign.width() * z, 1.5);
  EXPECT_EQ(w.label("giorno")->font().pixelSize(), std::lround(lettersAtDesign * z));

  QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_NEAR(w.zoom(), 1.21, 0.01);
  QTest::keyClick(&w, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(w.zoom(), 1.0);
  EXPECT_EQ(w.day(20)->geometry(), dayAtDesign);

  // A window made wider than the design keeps its proportions, centred.
  w.resize(DesignWidth * 2, DesignHeight);
  EXPECT_EQ(w.zoom(), 1.0);
  EXPECT_EQ(w.day(20)->geometry(), dayAtDesign.translated(DesignWidth / 2, 0));
}

}  // namespace


namespace {
using namespace ortalba;

// The panel's captions never cut a text: the saint's wraps, and it and the city's
// take smaller letters where the design's do not hold the text. Tried on the
// longest saints, feasts and patron holidays the almanac shows and on every city,
// at two zooms.
TEST(Window, ThePanelHoldsTheLongestTexts) {
  std::vector<std::string> longest = longestDayTexts(12);
  longest.push_back("SS.7 fondatori Servi Maria - (Martedì Grasso)");
  std::vector<std::string> cities;
  for (const app::CityRow& row : app::CityTable) cities.emplace_back(row.name);

  struct Caption {  // a caption of the panel, the texts it shows, how it lays them out, a short one
    const char* name;
    app::Label app::Form1::*model;
    const std::vector<std::string>& texts;
    int flags;
    const char* shortText;
  };
  const Caption captions[] = {
      {"santo", &app::Form1::santo, longest, Qt::AlignCenter | Qt::TextWordWrap, "S.Nicola"},
      {"zona", &app::Form1::zona, cities, Qt::AlignCenter, "ROMA"},
  };
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
        EXPECT_LE(needed.height(), box.height()) << text << " at " << zoom;
        EXPECT_LE(needed.width(), box.width()) << text << " at " << zoom;
        EXPECT_GE(widget->font().pixelSize(), int(7 * zoom)) << text << ": too small to read";
      }
      (s.form.*c.model).caption = c.shortText;
      s.w.render();
      EXPECT_EQ(widget->font().pixelSize(), std::lround(11 * zoom)) << "a short text keeps the design's letters";
    }
  }
}

// The sun times say they are ora solare, and what the clocks show in summer.
TEST(Window, SunTimesTellTheyAreOraSolare) {
  Shown s;
  QTest::mouseClick(s.w.month(6), Qt::LeftButton);  // July 2026
  QTest::mouseClick(s.w.day(14), Qt::LeftButton);
  const QString sunrise = s.w.label("sorge")->text();
  EXPECT_TRUE(s.w.label("sorge")->toolTip().startsWith("In ora solare (UTC+1)"));
  EXPECT_TRUE(s.w.label("sorge")->accessibleDescription().contains(
      QString::fromStdString(app::oneHourLater(sunrise.toStdString()))));
  QTest::mouseClick(s.w.month(0), Qt::LeftButton);  // January: the clocks are on ora solare too
  EXPECT_FALSE(s.w.label("tramonta")->toolTip().contains("ora legale"));
}

// The moon to the minute where a gardener looks: a day row and the panel say the
// moon's rise and set and whether it ascends; a phase says its hour in Italy and,
// when that is another day, where the grid puts it.
TEST(Window, TheMoonsHoursAreInTheTooltips) {
  Shown s;
  s.form.AnnoC.caption = "2027";
  QTest::mouseClick(s.w.month(1), Qt::LeftButton);
  const QString fullMoon = s.w.day(19)->toolTip();
  EXPECT_TRUE(fullMoon.startsWith("Luna piena alle 00:23 del 21 febbraio, ora italiana; 23:23 del 20 a Greenwich"))
      << fullMoon.toStdString();
  EXPECT_EQ(s.w.moonIcon(20)->toolTip(), fullMoon.section(QStringLiteral(". "), 0, 0));
  EXPECT_EQ(s.w.day(19)->accessibleDescription(), fullMoon);
  QTest::mouseClick(s.w.day(9), Qt::LeftButton);
  const QString panel = s.w.label("giorno")->toolTip();
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^Luna: (sorge \\d\\d:\\d\\d|non sorge), .*, (a|di)scendente$"))
                  .match(panel).hasMatch()) << panel.toStdString();
  EXPECT_EQ(s.w.day(9)->toolTip(), panel);
}

}  // namespace


namespace {
using namespace ortalba;

QWidget* focused() { return QApplication::focusWidget(); }

// Tab walks the controls in reading order; Space and Enter press them as a click does.
TEST(Window, TheKeyboardReachesEveryControl) {
  Shown s;
  MainWindow& w = s.w;
  ASSERT_TRUE(shownActive(w));
  w.setFocus();

  std::vector<QWidget*> expected{w.cityButton()};
  for (int i = 0; i < 12; ++i) expected.push_back(w.month(i));
  expected.insert(expected.end(), {w.previousYear(), w.nextYear(), w.todayButton()});
  for (int k = 0; k < 31; ++k) expected.push_back(w.day(k));
  expected.insert(expected.end(), {w.notes(), w.helpButton()});
  for (QWidget* widget : expected) {
    QTest::keyClick(focused() ? focused() : &w, Qt::Key_Tab);
    EXPECT_EQ(focused(), widget) << widget->objectName().toStdString() << " got "
                                 << (focused() ? focused()->objectName().toStdString() : "nothing");
  }
  QTest::keyClick(focused(), Qt::Key_Backtab);
  EXPECT_EQ(focused(), w.notes());

  // The focus mark leaves the design's colours alone and shows on the focused control only.
  const QImage unfocused = w.nextYear()->grab().toImage();
  w.nextYear()->setFocus();
  EXPECT_NE(w.nextYear()->grab().toImage(), unfocused);
  QTest::keyClick(&w, Qt::Key_K, Qt::ControlModifier);
  if (const char* dir = std::getenv("ORTALBA_SCREENSHOT_DIR")) w.grab().save(QString::fromUtf8(dir) + "/focus-cue.png");
  QTest::keyClick(&w, Qt::Key_K, Qt::ControlModifier);
  QTest::keyClick(w.nextYear(), Qt::Key_Space);
  EXPECT_EQ(text(w, "AnnoC"), "2027");
  QTest::keyClick(w.month(2), Qt::Key_Return);
  EXPECT_EQ(text(w, "Label1"), "MARZO 2027");
  w.day(9)->setFocus();
  QTest::keyClick(w.day(9), Qt::Key_Space);
  EXPECT_EQ(text(w, "giorno"), "10");
  // The arrow keys still choose the day, and the keyboard's place follows it.
  QTest::keyClick(w.day(9), Qt::Key_Down);
  EXPECT_EQ(text(w, "giorno"), "11");
  EXPECT_EQ(focused(), w.day(10));
  w.cityButton()->setFocus();
  QTest::keyClick(w.cityButton(), Qt::Key_Return);
  ASSERT_TRUE(w.chooser()->isVisible());
  EXPECT_EQ(focused(), w.cityList());
  QTest::keyClick(w.cityList(), Qt::Key_Tab);
  EXPECT_EQ(focused(), w.okButton());
  QTest::keyClick(w.okButton(), Qt::Key_Space);
  EXPECT_FALSE(w.chooser()->isVisible());
  EXPECT_EQ(s.platform.files["/orto/luogo.txt"], "ROMA\r\n");
}

// Page Down scrolls the notes when they have the keyboard; anywhere else it is the next month.
TEST(Window, PageDownScrollsTheNotesOnlyWhenTheyHaveTheKeyboard) {
  ShownWithNotes s;
  MainWindow& w = s.w;
  ASSERT_TRUE(shownActive(w));
  QScrollBar* bar = w.notes()->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0) << "December's notes are longer than the viewer";

  w.notes()->setFocus(Qt::TabFocusReason);
  QTest::keyClick(w.notes(), Qt::Key_PageDown);
  EXPECT_GT(bar->value(), 0);
  EXPECT_EQ(text(w, "Label1"), "DICEMBRE 2026");

  w.day(3)->setFocus();
  QTest::keyClick(w.day(3), Qt::Key_PageDown);
  EXPECT_EQ(text(w, "Label1"), "GENNAIO 2027");
}

// Ctrl+K: hatching on the waxing and waning bars, a darker red, a legend; and back.
TEST(Window, TheMoonCueComesAndGoesWithCtrlK) {
  Shown s;
  MainWindow& w = s.w;
  ASSERT_TRUE(shownActive(w));
  const QImage plain = w.grab().toImage();
  EXPECT_FALSE(w.cueShown());
  std::vector<QColor> fills;
  for (int k = 0; k < 31; ++k) {
    EXPECT_EQ(w.bar(k)->hatching(), app::PhaseMark::Neutral);
    fills.push_back(w.bar(k)->fill());
  }

  QTest::keyClick(&w, Qt::Key_K, Qt::ControlModifier);
  ASSERT_TRUE(w.cueShown());
  EXPECT_EQ(w.height(), CueDesignHeight) << "the legend's strip under the instructions";
  EXPECT_TRUE(w.findChild<CueLegend*>()->isVisible());
  for (int k = 0; k < 31; ++k) {
    const app::PhaseMark mark = s.form.phaseMarkOf(k + 1);
    EXPECT_EQ(w.bar(k)->hatching(), mark) << k;
    EXPECT_EQ(w.bar(k)->fill(), fills[static_cast<std::size_t>(k)]) << "the cue adds to the colours, it keeps them";
  }
  EXPECT_EQ(w.bar(10)->hatching(), app::PhaseMark::Waxing) << "10 December 2026 is waxing";
  EXPECT_EQ(w.bar(25)->hatching(), app::PhaseMark::Waning) << "26 December 2026 is waning";
  EXPECT_EQ(w.bar(8)->hatching(), app::PhaseMark::Neutral) << "the new moon of the 9th";
  EXPECT_EQ(w.day(24)->palette().color(QPalette::WindowText), QColor(140, 0, 0)) << "Christmas";

  QTest::keyClick(&w, Qt::Key_K, Qt::ControlModifier);
  EXPECT_FALSE(w.cueShown());
  EXPECT_EQ(w.size(), QSize(DesignWidth, DesignHeight));
  EXPECT_EQ(w.grab().toImage(), plain) << "the design comes back as it was";
}

}  // namespace

namespace {
using namespace ortalba;

// Which blocks of the notes carry a ground: "c" for the waxing passages' blocks, "l" for the waning ones.
std::string markedBlocks(QTextDocument* notes) {
  std::string out;
  for (QTextBlock b = notes->begin(); b.isValid(); b = b.next())
    out += b.blockFormat().hasProperty(QTextFormat::BackgroundBrush) ? '#' : '.';
  return out;
}

// The notes that fit the day: "In Luna crescente" on a waxing day, "In Luna calante"
// on a waning one, neither on a full or new moon; the text and the reader's place stay.
TEST(Window, TheNotesMarkThePassagesThatFitTheDay) {
  ShownWithNotes s;  // today is Sunday 6 December 2026, waning
  MainWindow& w = s.w;
  w.show();
  QTextDocument* notes = w.notes()->document();
  const QString text = notes->toPlainText();
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
  EXPECT_EQ(notes->toPlainText(), text);

  QTest::mouseClick(w.day(8), Qt::LeftButton);  // the 9th, new moon
  EXPECT_EQ(markedBlocks(notes), "...........");
  QTest::mouseClick(w.day(23), Qt::LeftButton);  // the 24th, full moon
  EXPECT_EQ(markedBlocks(notes), "...........");
  EXPECT_EQ(notes->toPlainText(), text);

  // A document without the sub-headings is shown as it is.
  QFile plain(s.dir.filePath("Doc/Dic.rtf"));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly | QIODevice::Truncate));
  plain.write("{\\rtf1 {\\b Dicembre}\\par Vangare e concimare.\\par}");
  plain.close();
  QTest::mouseClick(w.day(9), Qt::LeftButton);
  EXPECT_EQ(markedBlocks(notes), "..");
  EXPECT_EQ(w.notes()->accessibleDescription(), "Note del mese");

  // A paragraph separator or a noncharacter in the text moves no mark away from
  // what the screen reader is told.
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly | QIODevice::Truncate));
  plain.write("{\\rtf1 {\\b Dicembre}\\par In Luna crescente\\u8233? seminare\\u-560?\\par In Luna calante\\par\\u-559? potare\\par}");
  plain.close();
  QTest::mouseClick(w.day(9), Qt::LeftButton);
  EXPECT_EQ(markedBlocks(notes), ".##..");
  EXPECT_TRUE(w.notes()->accessibleDescription().contains("In Luna crescente"));
}

}  // namespace

namespace {
using namespace ortalba;

// Started on a dark desktop theme, the window looks as on a light one, its notes on
// their paper: their own text reads on its ground, marked or not, at 4.5 : 1 at least.
TEST(Window, ADarkThemeLeavesTheDesignAndTheNotesPaper) {
  // With the chooser and the cue's legend shown; the frames and scroll bars of the
  // notes and the list follow the desktop, their pages do not.
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
  QTest::keyClick(s.w.cityList(), Qt::Key_Escape);

  const auto rgb = [](const QColor& c) { return app::Rgb{uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue())}; };
  const QPalette page = s.w.notes()->palette();
  for (int day : {6, 10}) {  // waning, then waxing: each marks its passage
    QTest::mouseClick(s.w.day(day - 1), Qt::LeftButton);
    int marked = 0;
    for (QTextBlock b = s.w.notes()->document()->begin(); b.isValid(); b = b.next()) {
      const bool onMark = b.blockFormat().hasProperty(QTextFormat::BackgroundBrush);
      const QColor ground = onMark ? b.blockFormat().background().color() : page.color(QPalette::Base);
      for (auto f = b.begin(); !f.atEnd(); ++f) {
        if (f.fragment().charFormat().hasProperty(QTextFormat::ForegroundBrush)) continue;  // the document's colour
        marked += onMark;
        EXPECT_GE(app::contrastRatio(rgb(page.color(QPalette::Text)), rgb(ground)), 4.5) << b.text().toStdString();
      }
    }
    EXPECT_GT(marked, 0) << "the day's passage is marked";
  }
  QApplication::setPalette(desktop);
}

// Zoomed in, the window stays on its screen, frame and all; zoomed out, its letters
// stay legible; at any zoom the bars share their border and the month boxes keep
// inside their frame.
TEST(Window, ZoomStaysOnTheScreenLegibleAndInWholePixels) {
  Shown s;
  MainWindow& w = s.w;
  ASSERT_TRUE(shownActive(w));
  const QRect room = w.screen()->availableGeometry();
  w.move(room.center());  // growing, it has to come back onto the screen
  for (int i = 0; i < 20; ++i) QTest::keyClick(&w, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_TRUE(room.contains(w.frameGeometry())) << "on a " << room.width() << "x" << room.height() << " screen";
  EXPECT_GT(w.frameGeometry().height() * 1.1, room.height()) << "as large as the screen allows";
  for (int i = 0; i < 20; ++i) QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_LT(w.zoom(), 1.0);
  for (const auto* text : w.findChildren<QWidget*>()) {
    if (!qobject_cast<const DesignLabel*>(text) && !qobject_cast<const DesignButton*>(text)) continue;
    EXPECT_GE(text->font().pixelSize(), 7) << text->objectName().toStdString() << " at " << w.zoom();
  }

  for (double zoom : {0.8, 0.87, 1.3, 1.5, 2.2}) {
    w.resize(int(std::lround(DesignWidth * zoom)), int(std::lround(DesignHeight * zoom)));
    for (int k = 0; k < 30; ++k) {
      if (k == 15) continue;  // the 16th closes the left column
      EXPECT_EQ(w.bar(k + 1)->y(), w.bar(k)->geometry().bottom()) << k << " at " << zoom;
    }
    const QRect frame = w.findChild<QWidget*>("Shape9")->geometry().adjusted(1, 1, -1, -1);
    for (int m = 0; m < 12; ++m)
      EXPECT_TRUE(frame.contains(w.month(m)->geometry())) << m << " at " << zoom;
  }
}

// The "?" and F1 open the help: the keys, the version, the licence; Escape closes it.
TEST(Window, TheQuestionMarkAndF1OpenTheHelp) {
  Shown s;
  MainWindow& w = s.w;
  ASSERT_TRUE(shownActive(w));
  QTest::mouseClick(w.helpButton(), Qt::LeftButton);
  ASSERT_TRUE(w.help() && w.help()->isVisible());
  const QString help = w.help()->text();
  for (const WindowKey& key : kWindowKeys) EXPECT_TRUE(help.contains(QString::fromUtf16(key.keys)));
  EXPECT_TRUE(help.contains(versionText()));
  EXPECT_TRUE(help.contains("GNU General Public License, versione 3 o (a scelta) successiva"));
  QTest::keyClick(w.help(), Qt::Key_Escape);
  EXPECT_FALSE(w.help()->isVisible());
  ASSERT_TRUE(shownActive(w));
  QTest::keyClick(&w, Qt::Key_F1);
  EXPECT_TRUE(w.help()->isVisible());
  w.help()->close();
}

}  // namespace
