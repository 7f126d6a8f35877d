#include "app/platform/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "../app/fake_platform.h"

namespace {
using namespace ortalba;

QString text(MainWindow& w, const char* name) { return w.label(QString::fromUtf8(name))->text(); }

// The window over a model whose today is Sunday 6 December 2026, with no luogo.txt.
struct Shown {
  FakePlatform platform;
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
  EXPECT_TRUE(w.notesViewer()->toPlainText().contains("Note del mese non disponibili"));

  QTest::mouseClick(w.nextYear(), Qt::LeftButton);
  EXPECT_EQ(text(w, "AnnoC"), "2027");
  QTest::mouseClick(w.monthLabel(2), Qt::LeftButton);
  EXPECT_EQ(text(w, "Label1"), "MARZO 2027");
  EXPECT_FALSE(w.dayLabel(30)->isHidden());
  QTest::mouseClick(w.monthLabel(1), Qt::LeftButton);
  EXPECT_TRUE(w.dayLabel(28)->isHidden()) << "February 2027 has 28 days";
  QTest::mouseClick(w.dayLabel(4), Qt::LeftButton);
  EXPECT_EQ(text(w, "settimana"), "Venerdì");

  QTest::mouseClick(w.todayLabel(), Qt::LeftButton);
  EXPECT_EQ(text(w, "AnnoC"), "2026");
  EXPECT_EQ(text(w, "giorno"), "6");
  // The bars carry the model's colours: the new moon of 9 December neutral, the days after it waxing.
  EXPECT_EQ(w.bar(8)->fill(), QColor(255, 255, 192));
  EXPECT_EQ(w.bar(10)->fill(), QColor(255, 192, 128));
  EXPECT_EQ(w.moonIcon(9)->resource(), app::resources::NewMoon);
  EXPECT_EQ(w.dayLabel(24)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_TRUE(w.dayLabel(24)->font().bold());

  QTest::mouseClick(w.cityLabel(), Qt::LeftButton);
  ASSERT_TRUE(w.chooser()->isVisible());
  EXPECT_EQ(text(w, "Lsel"), "ROMA");
  QListWidget* list = w.cityList();
  ASSERT_EQ(list->count(), 108);
  list->scrollToItem(list->item(15));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(15)).center());
  EXPECT_EQ(text(w, "Lsel"), "MILANO");
  EXPECT_TRUE(list->item(14)->isSelected());
  EXPECT_FALSE(list->item(15)->isSelected()) << "the striping stays as it was";
  QTest::mouseClick(w.okLabel(), Qt::LeftButton);
  EXPECT_FALSE(w.chooser()->isVisible());
  EXPECT_EQ(text(w, "zona"), "MILANO");
  EXPECT_EQ(platform.files["/orto/luogo.txt"], "MILANO\r\n");
  EXPECT_TRUE(w.label("avviso")->isHidden());

  // Not saved: the notice, and on hovering it why.
  platform.failWrites = true;
  QTest::mouseClick(w.cityLabel(), Qt::LeftButton);
  QTest::mouseClick(w.okLabel(), Qt::LeftButton);
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
  w.show();
  w.activateWindow();
  w.setFocus();

  EXPECT_TRUE(w.bar(5)->focusMark());
  EXPECT_EQ(w.dayLabel(23)->accessibleName(), "24 dicembre, giovedì, luna piena, calante");
  EXPECT_EQ(w.previousYear()->accessibleName(), "Anno precedente");
  EXPECT_FALSE(w.cityLabel()->accessibleName().isEmpty());

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

TEST(Window, PrintsTheShownMonthOnOnePage) {
  Shown s;
  MainWindow& w = s.w;
  QTest::mouseClick(w.monthLabel(2), Qt::LeftButton);
  QTest::mouseClick(w.dayLabel(9), Qt::LeftButton);
  QTemporaryDir dir;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("marzo.pdf"));
  ASSERT_TRUE(w.printShownMonth(printer));
  QFile pdf(dir.filePath("marzo.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF-"));
  EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);
  // Printing leaves the window as it was.
  EXPECT_EQ(w.label("Label1")->text(), "MARZO 2026");
  EXPECT_EQ(w.label("giorno")->text(), "10");
}

}  // namespace
