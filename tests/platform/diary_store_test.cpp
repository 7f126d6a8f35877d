// SPDX-License-Identifier: GPL-3.0-or-later
// The diary in its SQLite file: what it keeps, against a plain diary in memory; a
// diary of the first version brought up to date; files that are not whole diaries
// set aside, never written over; two windows at once; a full or read-only disk.
#include "app/platform/diary/diary_store.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "../app/fake_diary.h"

namespace {
using namespace ortalba;

std::string native(const QString& path) { return QFile::encodeName(path).toStdString(); }

QByteArray contentOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void put(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

// Runs SQL on the file through a connection of its own, as another program would;
// the first column of the last statement's first row.
QVariant sql(const QString& file, const QStringList& statements) {
  QVariant last;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test"));
    db.setDatabaseName(file);
    EXPECT_TRUE(db.open());
    for (const QString& statement : statements) {
      QSqlQuery q(db);
      EXPECT_TRUE(q.exec(statement)) << statement.toStdString();
      last = q.next() ? q.value(0) : QVariant();
    }
  }
  QSqlDatabase::removeDatabase(QStringLiteral("test"));
  return last;
}

std::vector<app::DiaryEntry> withoutIds(std::vector<app::DiaryEntry> entries) {
  for (auto& e : entries) e.id = 0;
  return entries;
}

// The same changes on the file and on a plain diary in memory; every question asked of
// both gets the same answer.
TEST(DiaryStore, AnswersAsAPlainDiaryDoes) {
  QTemporaryDir dir;
  const std::string path = native(dir.filePath("dati/ortalba/diario.sqlite"));
  DiaryStore store(path);
  FakeDiary plain;
  EXPECT_TRUE(store.entriesBetween({1, 1, 1}, {31, 12, 9999}).entries.empty());
  EXPECT_FALSE(QFile::exists(dir.filePath("dati"))) << "reading makes nothing";

  std::mt19937 random(11);
  const auto pick = [&](int n) { return std::uniform_int_distribution(0, n - 1)(random); };
  const std::vector<std::string> plants{"Pomodori", "pomodoro", "basilico", "fave", "caffè", "Perché; \"sì\"", "l’aglio"};
  std::vector<std::pair<app::DiaryEntry, app::DiaryEntry>> both;  // each entry as the file and the plain diary have it
  for (int step = 0; step < 150; ++step) {
    const int what = both.empty() ? 0 : pick(6);
    if (what <= 2) {
      app::DiaryEntry e = sowing(calendar::addDays({1, 1, 2025}, pick(500)), plants[std::size_t(pick(7))] + " " + plants[std::size_t(pick(7))]);
      if (pick(3) == 0) e.reminder = calendar::addDays(e.day, pick(60));
      e.note = pick(2) ? "riga\nriga" : "";
      app::DiaryEntry inFile = e, inPlain = e;
      ASSERT_TRUE(store.add(inFile));
      ASSERT_TRUE(plain.add(inPlain));
      EXPECT_NE(inFile.id, 0);
      both.emplace_back(inFile, inPlain);
    } else {
      auto& [inFile, inPlain] = both[std::size_t(pick(int(both.size())))];
      if (what == 5) {
        ASSERT_TRUE(store.remove(inFile));
        ASSERT_TRUE(plain.remove(inPlain));
        std::swap(inFile, both.back().first);
        std::swap(inPlain, both.back().second);
        both.pop_back();
        continue;
      }
      app::DiaryEntry changed = inFile;
      changed.day = calendar::addDays(changed.day, pick(5));
      changed.reminderDone = what == 4;
      changed.quantity = std::to_string(step);
      ASSERT_TRUE(store.change(inFile, changed));
      app::DiaryEntry changedPlain = changed;
      changedPlain.id = inPlain.id;
      ASSERT_TRUE(plain.change(inPlain, changedPlain));
      inFile = changed;
      inPlain = changedPlain;
    }
  }
  for (int k = 0; k < 40; ++k) {
    const calendar::Date first = calendar::addDays({1, 1, 2025}, pick(550)), last = calendar::addDays(first, pick(90));
    EXPECT_EQ(withoutIds(store.entriesBetween(first, last).entries), withoutIds(plain.entriesBetween(first, last).entries));
    EXPECT_EQ(withoutIds(store.remindersBetween(first, last).entries), withoutIds(plain.remindersBetween(first, last).entries));
    EXPECT_EQ(store.markedDays(first.year, first.month), plain.markedDays(first.year, first.month)) << app::isoDate(first);
    const std::string typed = plants[std::size_t(pick(7))] + (pick(2) ? " 2025" : " 2026");
    const app::DiaryQuery query = app::parseDiaryQuery(typed);
    EXPECT_EQ(withoutIds(store.search(query).entries), withoutIds(plain.search(query).entries)) << typed;
  }
  // The reminders of a season dismissed in one change.
  const calendar::Date spring{1, 3, 2025}, summer{31, 8, 2025};
  ASSERT_TRUE(store.dismissAll(store.remindersBetween(spring, summer).entries));
  ASSERT_TRUE(plain.dismissAll(plain.remindersBetween(spring, summer).entries));
  EXPECT_TRUE(store.remindersBetween(spring, summer).entries.empty());
  EXPECT_EQ(withoutIds(store.remindersBetween({1, 1, 1}, {31, 12, 9999}).entries),
            withoutIds(plain.remindersBetween({1, 1, 1}, {31, 12, 9999}).entries));
  const QString file = QString::fromStdString(path);
  EXPECT_EQ(sql(file, {"PRAGMA user_version"}).toInt(), DiaryStore::SchemaVersion);
  EXPECT_EQ(sql(file, {"PRAGMA application_id"}).toInt(), DiaryStore::ApplicationId);
  EXPECT_EQ(QFile::permissions(dir.filePath("dati/ortalba")) & QFile::ReadOther, 0) << "a private folder";
}

// A diary written by the first version of the almanac, as it wrote them, is read
// and searched once opened; one of a newer almanac is read and left as it is.
TEST(DiaryStore, BringsADiaryOfTheFirstVersionUpToDateAndLeavesANewerOne) {
  QTemporaryDir dir;
  const QString file = dir.filePath("diario.sqlite");
  sql(file, {"CREATE TABLE entries (id INTEGER PRIMARY KEY,"
             " day TEXT NOT NULL CHECK (day GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]'),"
             " job TEXT NOT NULL DEFAULT '', plants TEXT NOT NULL DEFAULT '', place TEXT NOT NULL DEFAULT '',"
             " quantity TEXT NOT NULL DEFAULT '', note TEXT NOT NULL DEFAULT '',"
             " reminder TEXT CHECK (reminder IS NULL OR reminder GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]'),"
             " reminder_done INTEGER NOT NULL DEFAULT 0)",
             "CREATE INDEX entries_by_day ON entries (day)",
             "CREATE INDEX reminders_by_day ON entries (reminder) WHERE reminder IS NOT NULL AND reminder_done = 0",
             "INSERT INTO entries (day, job, plants, note, reminder) VALUES ('2026-03-12', 'Semina', 'Pomodòri', 'a\nb', '2026-04-28')",
             "INSERT INTO entries (day, plants) VALUES ('2026-03-13', 'basilico')",
             "PRAGMA application_id = 1332900961", "PRAGMA user_version = 1"});
  {
    DiaryStore store(native(file));
    EXPECT_EQ(store.problem(), "");
    const app::DiaryList found = store.search(app::parseDiaryQuery("pomodoro 2026"));
    ASSERT_EQ(found.entries.size(), 1u) << found.problem;
    EXPECT_EQ(found.entries[0].note, "a\nb");
    EXPECT_EQ(found.entries[0].reminder, (calendar::Date{28, 4, 2026}));
    EXPECT_EQ(store.entriesBetween({1, 3, 2026}, {31, 3, 2026}).entries.size(), 2u);
  }
  EXPECT_EQ(sql(file, {"PRAGMA user_version"}).toInt(), DiaryStore::SchemaVersion);

  sql(file, {QStringLiteral("PRAGMA user_version = %1").arg(DiaryStore::SchemaVersion + 1)});
  const QByteArray newer = contentOf(file);
  DiaryStore store(native(file));
  EXPECT_EQ(store.entriesBetween({1, 3, 2026}, {31, 3, 2026}).entries.size(), 2u);
  app::DiaryEntry more = sowing({14, 3, 2026}, "fave");
  EXPECT_EQ(store.add(more).reason, "il diario è di una versione più recente di Ortalba, che questa legge soltanto");
  EXPECT_EQ(contentOf(file), newer);
}

// A file that is not a whole diary is set aside as it is, with the day in its name
// (beside one set aside before) and what SQLite left beside it; the gardener is
// told, and a new diary works.
TEST(DiaryStore, SetsAsideWhatIsNotAWholeDiaryAndBeginsANewOne) {
  QTemporaryDir dir;
  const QString file = dir.filePath("diario.sqlite");
  // A real diary of 3000 entries, to be damaged in several ways.
  {
    DiaryStore store(native(file));
    std::vector<app::DiaryEntry> many;
    for (int i = 0; i < 3000; ++i) many.push_back(sowing(calendar::addDays({1, 1, 2020}, i), "pomodoro " + std::to_string(i)));
    ASSERT_TRUE(store.addAll(many).outcome);
  }
  const QByteArray diary = contentOf(file);
  ASSERT_GT(diary.size(), 100'000);
  std::mt19937 random(5);
  QByteArray noise(40'000, 0);
  for (char& c : noise) c = char(random());
  QByteArray pageHit = diary;  // the start of a page in the middle, overwritten
  const int page = sql(file, {"PRAGMA page_size"}).toInt();
  for (int i = 0; i < 512; ++i) pageHit[diary.size() / 2 / page * page + i] = char(random());
  QByteArray header = diary;  // the page count of the header, wrong
  header[28] = char(0x7F);
  const struct Case {
    const char* what;
    QByteArray bytes;
    const char* said;
  } cases[] = {
      {"random bytes", noise, "non era un diario di Ortalba"},
      {"a text file", "data;lavoro;piante\n2026-03-12;Semina;pomodoro\n", "non era un diario di Ortalba"},
      {"a diary cut in half", diary.left(diary.size() / 2), "era danneggiato"},
      {"a diary with a page overwritten", pageHit, "era danneggiato"},
      {"a diary whose header is wrong", header, "era danneggiato"},
  };
  const QString day = QDate::currentDate().toString(Qt::ISODate);
  int asideBefore = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    put(file, c.bytes);
    // Beside it, what SQLite may have left: SQLite reads them first, and they must not reach the new diary.
    put(file + "-journal", "a journal of the damaged file");
    put(file + "-wal", "a log of the damaged file");
    DiaryStore store(native(file));
    const QString aside = QStringLiteral("diario-danneggiato-%1%2.sqlite").arg(day, asideBefore ? QStringLiteral("-%1").arg(asideBefore + 1) : QString());
    ++asideBefore;
    EXPECT_EQ(contentOf(dir.filePath(aside)), c.bytes) << "set aside whole, as " << aside.toStdString();
    EXPECT_FALSE(QFile::exists(file + "-journal") || QFile::exists(file + "-wal")) << "nothing of it beside the new diary";
    EXPECT_NE(store.notice().find(c.said), std::string::npos) << store.notice();
    EXPECT_NE(store.notice().find(aside.toStdString()), std::string::npos) << store.notice();
    app::DiaryEntry fresh = sowing({12, 3, 2026}, "basilico");
    EXPECT_TRUE(store.add(fresh));
    EXPECT_EQ(store.entriesBetween({1, 1, 1}, {31, 12, 9999}).entries.size(), 1u) << "a new diary";
    EXPECT_EQ(sql(file, {"PRAGMA integrity_check"}).toString(), "ok");
  }
  // Another program's database is not ours to write in either.
  QFile::remove(file);
  sql(file, {"CREATE TABLE ricette (nome TEXT)", "INSERT INTO ricette VALUES ('pesto')"});
  DiaryStore store(native(file));
  EXPECT_NE(store.notice().find("non era un diario di Ortalba"), std::string::npos);
  EXPECT_EQ(sql(dir.filePath(QStringLiteral("diario-danneggiato-%1-6.sqlite").arg(day)), {"SELECT nome FROM ricette"}).toString(), "pesto");
  // Nor is a folder in the diary's place, which SQLite never opens: its journal goes with it.
  QFile::remove(file);
  ASSERT_TRUE(QDir(dir.path()).mkdir("diario.sqlite"));
  put(file + "-journal", "a journal SQLite never read");
  DiaryStore afterFolder(native(file));
  EXPECT_NE(afterFolder.notice().find("non è un file ordinario"), std::string::npos) << afterFolder.notice();
  EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("diario-danneggiato-%1-7.sqlite").arg(day))).isDir());
  EXPECT_EQ(contentOf(dir.filePath(QStringLiteral("diario-danneggiato-%1-7.sqlite-journal").arg(day))), "a journal SQLite never read");
  app::DiaryEntry fresh = sowing({12, 3, 2026}, "basilico");
  EXPECT_TRUE(afterFolder.add(fresh));
}

// Two windows on one diary: a change waits for the other's to end; a change to an
// entry the other changed or deleted meanwhile is refused, and nothing is lost.
TEST(DiaryStore, TwoWindowsAtOnceLoseNothing) {
  QTemporaryDir dir;
  const std::string path = native(dir.filePath("diario.sqlite"));
  DiaryStore first(path), second(path);
  app::DiaryEntry beans = sowing({12, 3, 2026}, "fave");
  ASSERT_TRUE(first.add(beans));

  // The other window holds the diary for a change of its own for half a second.
  std::atomic<bool> holding = false;
  std::thread other([&] {
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
      db.setDatabaseName(QString::fromStdString(path));
      ASSERT_TRUE(db.open());
      QSqlQuery q(db);
      ASSERT_TRUE(q.exec("BEGIN IMMEDIATE"));
      ASSERT_TRUE(q.exec("INSERT INTO entries (day, plants, search) VALUES ('2026-03-12', 'piselli', 'piselli')"));
      holding = true;
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      EXPECT_TRUE(q.exec("COMMIT"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
  });
  while (!holding) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  app::DiaryEntry garlic = sowing({12, 3, 2026}, "aglio");
  EXPECT_TRUE(second.add(garlic)) << "waits, then saves";
  other.join();
  EXPECT_EQ(first.entriesBetween({12, 3, 2026}, {12, 3, 2026}).entries.size(), 3u);

  app::DiaryEntry mine = beans, theirs = beans;
  mine.quantity = "2 file";
  theirs.quantity = "3 file";
  ASSERT_TRUE(second.change(beans, theirs));
  const app::WriteOutcome late = first.change(beans, mine);
  EXPECT_EQ(late.reason, "la voce è stata cambiata in un'altra finestra; ora si vede com'è stata salvata");
  EXPECT_FALSE(first.remove(beans));
  ASSERT_TRUE(second.remove(theirs));
  EXPECT_EQ(first.change(theirs, mine).reason, "la voce non c'è più: è stata eliminata in un'altra finestra");
  const auto left = first.entriesBetween({12, 3, 2026}, {12, 3, 2026}).entries;
  ASSERT_EQ(left.size(), 2u);
  EXPECT_EQ(left[0].plants, "piselli");
  EXPECT_EQ(left[1].plants, "aglio");
}

// On a full disk, or one that turned read-only, a change is refused with its reason
// and the diary stays as it was, whole. (A small disk needs root to be mounted.)
TEST(DiaryStore, AFullOrReadOnlyDiskRefusesTheChangeAndKeepsTheDiary) {
  QTemporaryDir temporary;
  const std::string disk = native(temporary.path());
  if (::geteuid() != 0 || ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k") != 0)
    GTEST_SKIP() << "a small disk cannot be mounted here (needs root)";
  const struct Unmount {
    const std::string& disk;
    ~Unmount() { ::umount2(disk.c_str(), MNT_DETACH); }
  } unmount{disk};
  const QString file = temporary.filePath("diario.sqlite");
  std::vector<app::DiaryEntry> kept;
  {
    DiaryStore store(native(file));
    for (int i = 0; i < 20; ++i) kept.push_back(sowing(calendar::addDays({1, 3, 2026}, i), "fave"));
    ASSERT_TRUE(store.addAll(kept).outcome);
  }
  const int filler = ::open((disk + "/filler").c_str(), O_WRONLY | O_CREAT, 0644);
  while (::write(filler, "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", 64) > 0) {
  }
  ::close(filler);
  {
    DiaryStore store(native(file));
    std::vector<app::DiaryEntry> more(500, sowing({1, 4, 2026}, std::string(300, 'p')));
    EXPECT_EQ(store.addAll(more).outcome.reason, "il disco è pieno");
    EXPECT_EQ(store.entriesBetween({1, 1, 1}, {31, 12, 9999}).entries.size(), 20u);
  }
  ::unlink((disk + "/filler").c_str());
  ASSERT_EQ(::mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  DiaryStore store(native(file));
  app::DiaryEntry one = sowing({1, 4, 2026}, "aglio");
  EXPECT_EQ(store.add(one).reason, "la cartella " + disk + " non si può scrivere (il disco è in sola lettura)");
  EXPECT_EQ(store.entriesBetween({1, 1, 1}, {31, 12, 9999}).entries.size(), 20u);
  EXPECT_EQ(sql(file, {"PRAGMA integrity_check"}).toString(), "ok");
}

}  // namespace
