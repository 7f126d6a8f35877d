// SPDX-License-Identifier: GPL-3.0-or-later
// The almanac in a real window on a real X server, clicked with real input events.
// Runs under xvfb-run; xdotool moves the pointer and presses the button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "app/form1.h"
#include "app/platform/desktop_session.h"
#include "app/platform/main_window.h"
#include "app/platform/qt_platform.h"

namespace {
using namespace ortalba;

// Presses the left button over `point` of `widget`, as a person would.
void click(QWidget* widget, QPoint point) {
  const QPoint global = widget->mapToGlobal(point);
  const int rc = QProcess::execute(QStringLiteral("xdotool"),
                                   {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(global.x()),
                                    QString::number(global.y()), QStringLiteral("click"), QStringLiteral("1")});
  ASSERT_EQ(rc, 0) << "xdotool failed";
}
void click(QWidget* widget) { click(widget, widget->rect().center()); }

// Lets the events arrive until `done` holds, for two seconds at most.
bool waitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 200 && !done(); ++i) QTest::qWait(10);
  return done();
}

void screenshot(const char* name) {
  if (const char* dir = std::getenv("ORTALBA_SCREENSHOT_DIR"))
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                 QString::fromUtf8(dir) + QLatin1Char('/') + QString::fromUtf8(name)});
}

TEST(LiveWindow, AGardenerClicksThrough) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  ASSERT_TRUE(QDir::setCurrent(folder.path()));
  QtPlatform platform;
  app::Form1 form(platform);
  MainWindow window(form);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  const QDate today = QDate::currentDate();
  const auto text = [&](const char* name) { return window.caption(QString::fromUtf8(name)); };
  EXPECT_EQ(text("AnnoC"), QString::number(today.year()));
  EXPECT_EQ(text("giorno"), QString::number(today.day()));
  EXPECT_EQ(text("zona"), "ROMA");
  EXPECT_EQ(window.month(today.month() - 1)->text(), QString::number(today.month()));

  click(window.nextYear());
  EXPECT_TRUE(waitFor([&] { return text("AnnoC") == QString::number(today.year() + 1); })) << text("AnnoC").toStdString();
  EXPECT_EQ(text("giorno"), "1");

  click(window.month(5));  // June
  EXPECT_TRUE(waitFor([&] { return text("Label1") == QStringLiteral("GIUGNO %1").arg(today.year() + 1); }));
  EXPECT_TRUE(window.day(29)->isVisible());
  EXPECT_FALSE(window.day(30)->isVisible()) << "June has 30 days";
  // Every visible bar is waxing, waning or neutral.
  for (int k = 0; k < 30; ++k) {
    const QColor c = window.bar(k)->fill();
    EXPECT_TRUE(c == QColor(255, 192, 128) || c == QColor(192, 192, 0) || c == QColor(255, 255, 192)) << k;
  }

  click(window.day(4));
  EXPECT_TRUE(waitFor([&] { return text("giorno") == "5"; }));
  screenshot("live-june.png");

  click(window.todayButton());
  EXPECT_TRUE(waitFor([&] { return text("AnnoC") == QString::number(today.year()); }));
  EXPECT_EQ(text("giorno"), QString::number(today.day()));

  click(window.cityButton());
  ASSERT_TRUE(waitFor([&] { return window.chooser()->isVisible(); }));
  EXPECT_EQ(text("Lsel"), "ROMA");
  QListWidget* list = window.cityList();
  list->scrollToItem(list->item(15), QAbstractItemView::PositionAtCenter);
  QTest::qWait(50);
  click(list->viewport(), list->visualItemRect(list->item(15)).center());
  EXPECT_TRUE(waitFor([&] { return text("Lsel") == "MILANO"; })) << text("Lsel").toStdString();
  screenshot("live-chooser.png");
  click(window.okButton());
  EXPECT_TRUE(waitFor([&] { return !window.chooser()->isVisible(); }));
  EXPECT_EQ(text("zona"), "MILANO");

  QFile remembered(folder.filePath(QStringLiteral("luogo.txt")));
  ASSERT_TRUE(remembered.open(QIODevice::ReadOnly));
  EXPECT_EQ(remembered.readAll(), QByteArray("MILANO\r\n"));
}

// Qt's own dialogs speak Italian, whatever the locale the almanac runs in.
TEST(LiveWindow, StandardDialogsSpeakItalian) {
  QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Annulla");
  QPrinter printer;
  QPrintDialog dialog(&printer);
  dialog.show();
  QStringList texts;
  for (const QPushButton* button : dialog.findChildren<QPushButton*>()) texts << button->text().remove('&');
  EXPECT_TRUE(texts.contains("Stampa")) << texts.join(", ").toStdString();
  EXPECT_TRUE(texts.contains("Annulla")) << texts.join(", ").toStdString();
  dialog.close();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("LANG", "en_US.UTF-8");  // the almanac is Italian in any locale
  QApplication application(argc, argv);
  // The window's own start-up: Qt's texts in Italian.
  if (!ortalba::speakItalian(application)) std::fprintf(stderr, "Qt's Italian translation is not installed\n");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
