// SPDX-License-Identifier: GPL-3.0-or-later
// The diary in the window: the days' pencils, the reminders' notice, the day's dialog
// reached by Ctrl+D and worked with the keyboard, a save that fails keeping what was
// typed, the search and its way back to the day.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/platform/diary/diary_dialog.h"
#include "app/platform/window/main_window.h"

#include "../app/fake_diary.h"
#include "../app/fake_platform.h"

namespace {
using namespace ortalba;

// The window over a diary in memory; today is Sunday 6 December 2026.
struct WithDiary {
  FakePlatform platform;
  FakeDiary kept;
  app::WindowModel form{platform};
  MainWindow w{form};
  WithDiary() {
    for (app::DiaryEntry e : {sowing({3, 12, 2026}, "fave"), sowing({1, 11, 2026}, "aglio", calendar::Date{6, 12, 2026})})
      kept.add(e);
    w.show();
    w.attachDiary(&kept, {}, {});
  }
};

template <typename Widget>
Widget* shown(const QString& title) {
  for (QWidget* top : QApplication::topLevelWidgets())
    if (auto* widget = qobject_cast<Widget*>(top); widget && widget->isVisible() && widget->windowTitle() == title)
      return widget;
  return nullptr;
}

// The reminders' notice that comes once the window is up, put off for later.
void later() {
  QDialog* notice = nullptr;
  ASSERT_TRUE(QTest::qWaitFor([&] { return (notice = shown<QDialog>(QStringLiteral("Promemoria del diario"))); }));
  notice->reject();
}

TEST(DiaryWindow, PencilsTheDaysAndTellsTheRemindersThatAreDue) {
  WithDiary s;
  for (int k = 0; k < 31; ++k) EXPECT_EQ(s.w.bar(k)->diaryMark(), k == 2 || k == 5) << k + 1;
  const QImage marked = s.w.bar(2)->grab().toImage();
  s.form.diary.marks[2] = false;
  s.w.render();
  EXPECT_NE(s.w.bar(2)->grab().toImage(), marked) << "the pencil is drawn";
  EXPECT_TRUE(s.w.day(5)->accessibleName().endsWith(", con voci nel diario"));

  QDialog* notice = nullptr;
  EXPECT_TRUE(QTest::qWaitFor([&] { return (notice = shown<QDialog>(QStringLiteral("Promemoria del diario"))); }));
  ASSERT_TRUE(notice);
  auto* list = notice->findChild<QListWidget*>();
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(notice->findChild<QLabel*>()->text(), "Un promemoria del diario, di oggi o dei giorni scorsi:");
  EXPECT_TRUE(list->item(0)->text().startsWith("6 dicembre 2026 — Semina: aglio (dal diario del 1° novembre 2026)"))
      << list->item(0)->text().toStdString();
  for (QPushButton* button : notice->findChildren<QPushButton*>())
    if (button->text() == "&Fatto") QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(s.kept.kept[1].reminderDone) << "dismissed";
  EXPECT_FALSE(s.w.bar(5)->diaryMark());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !shown<QDialog>(QStringLiteral("Promemoria del diario")); }));

  // A diary set aside is told; without a diary the window works and its dialog says why.
  s.w.attachDiary(nullptr, "la cartella di casa non è nota", "Il file del diario era danneggiato: messo da parte");
  auto* told = shown<QMessageBox>(QStringLiteral("Diario dell'orto"));
  ASSERT_TRUE(told);
  EXPECT_EQ(told->text(), "Il file del diario era danneggiato: messo da parte");
  told->close();
  for (int k = 0; k < 31; ++k) EXPECT_FALSE(s.w.bar(k)->diaryMark()) << k + 1;
  s.w.openDiary();
  EXPECT_EQ(s.w.diary()->status()->text(), "Il diario non si può leggere: la cartella di casa non è nota.");
}

// Years of reminders imported at once: the most recent are listed, and all can be marked done at once.
TEST(DiaryWindow, YearsOfRemindersAreShownInPartAndDoneAtOnce) {
  FakePlatform platform;
  FakeDiary kept;
  app::WindowModel form{platform};
  MainWindow w{form};
  for (int i = 0; i < 150; ++i) {
    app::DiaryEntry e = sowing(calendar::addDays({1, 1, 2020}, i * 7), "fave", calendar::addDays({1, 2, 2020}, i * 7));
    kept.add(e);
  }
  w.show();
  w.attachDiary(&kept, {}, {});
  auto* notice = shown<QDialog>(QStringLiteral("Promemoria del diario"));
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->findChild<QListWidget*>()->count(), 100);
  EXPECT_EQ(notice->findChild<QListWidget*>()->item(99)->text().left(16), "10 dicembre 2022") << "the most recent last";
  EXPECT_TRUE(notice->findChild<QLabel*>()->text().endsWith("150 promemoria del diario, di oggi o dei giorni scorsi; qui i 100 più recenti:"));
  for (QPushButton* button : notice->findChildren<QPushButton*>())
    if (button->text() == QStringLiteral("&Tutti fatti…")) QTest::mouseClick(button, Qt::LeftButton);
  auto* question = shown<QMessageBox>(QStringLiteral("Tutti fatti"));
  ASSERT_TRUE(question);
  QTest::mouseClick(question->button(QMessageBox::Yes), Qt::LeftButton);
  EXPECT_TRUE(std::all_of(kept.kept.begin(), kept.kept.end(), [](const app::DiaryEntry& e) { return e.reminderDone; }));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !shown<QDialog>(QStringLiteral("Promemoria del diario")); }));
}

TEST(DiaryWindow, CtrlDOpensTheDayAndTheKeyboardAddsAnEntry) {
  WithDiary s;
  later();
  s.w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&s.w));
  QTest::keyClick(&s.w, Qt::Key_D, Qt::ControlModifier);
  DiaryDialog* diary = s.w.diary();
  ASSERT_TRUE(diary && diary->isVisible());
  EXPECT_FALSE(diary->deleteButton()->isEnabled()) << "nothing of the 6th to delete but a reminder";

  diary->addButton()->setFocus();
  QTest::keyClick(diary->addButton(), Qt::Key_Space);
  DiaryEntryEditor* editor = diary->editor();
  ASSERT_TRUE(editor && editor->isVisible());
  EXPECT_EQ(editor->focusWidget(), editor->job()) << "a new entry begins with its job";
  QTest::keyClicks(editor->job()->lineEdit(), "Trapianto");
  QTest::keyClicks(editor->plants(), "basilico");
  QTest::keyClick(editor->plants(), Qt::Key_Return);
  ASSERT_EQ(s.kept.kept.size(), 3u);
  EXPECT_EQ(s.kept.kept[2].day, (calendar::Date{6, 12, 2026}));
  EXPECT_EQ(s.kept.kept[2].job, "Trapianto");
  EXPECT_TRUE(QTest::qWaitFor([&] { return !diary->editor(); })) << "saved, the editor goes";
  EXPECT_TRUE(s.w.bar(5)->diaryMark());
  EXPECT_TRUE(s.w.caption("dayLine").endsWith("Diario: una voce, un promemoria (Ctrl+D).")) << s.w.caption("dayLine").toStdString();
  EXPECT_EQ(diary->entries()->count(), 2);
  EXPECT_EQ(diary->status()->text(), "Voce aggiunta.");

  // The disk is full: the editor stays, with what was typed, and says why.
  s.kept.failWrites = "il disco è pieno";
  QTest::mouseClick(diary->addButton(), Qt::LeftButton);
  editor = diary->editor();
  QTest::keyClicks(editor->plants(), "zucchine");
  QTest::keyClicks(editor->note(), "prima riga");
  QTest::keyClick(editor->note(), Qt::Key_Return);
  QTest::keyClicks(editor->note(), "seconda riga");
  QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
  ASSERT_EQ(diary->editor(), editor);
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->problem(), "Non salvato: il disco è pieno. Quello che si è scritto resta qui.");
  EXPECT_EQ(editor->plants()->text(), "zucchine");
  EXPECT_EQ(editor->note()->toPlainText(), "prima riga\nseconda riga");
  s.kept.failWrites.clear();
  QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
  EXPECT_EQ(s.kept.kept.back().note, "prima riga\nseconda riga") << "and saved once the disk has room";
}

TEST(DiaryWindow, SearchesTheWholeDiaryAndGoesToTheDayFound) {
  WithDiary s;
  later();
  s.w.openDiary();
  DiaryDialog* diary = s.w.diary();
  QTest::keyClicks(diary->search(), "Fave 2026");
  ASSERT_EQ(diary->found()->count(), 1);
  EXPECT_EQ(diary->found()->item(0)->text(), "3/12/2026 · Luna calante · Semina: fave");
  QTest::mouseClick(s.w.month(10), Qt::LeftButton);  // November
  diary->search()->setText("aglio");
  ASSERT_EQ(diary->found()->count(), 1);
  diary->found()->setCurrentRow(0);
  QTest::keyClick(diary->found(), Qt::Key_Return);
  EXPECT_EQ(s.w.caption("title"), "NOVEMBRE 2026");
  EXPECT_EQ(s.form.selectedDay, 1);
  EXPECT_EQ(diary->entries()->item(0)->text(), "Semina: aglio · promemoria il 6 dicembre 2026") << "the dialog follows the day";

  // Deleted after the gardener says yes.
  diary->entries()->setCurrentRow(0);
  QTest::mouseClick(diary->deleteButton(), Qt::LeftButton);
  auto* box = shown<QMessageBox>(QStringLiteral("Elimina la voce"));
  ASSERT_TRUE(box);
  QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
  ASSERT_EQ(s.kept.kept.size(), 1u);
  EXPECT_EQ(s.kept.kept[0].plants, "fave");
  EXPECT_EQ(diary->status()->text(), "Voce eliminata.");
  EXPECT_FALSE(s.w.bar(0)->diaryMark());
}

}  // namespace
