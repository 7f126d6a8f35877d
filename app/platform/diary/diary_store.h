// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The gardener's diary in an SQLite file, through Qt SQL's SQLite driver. Every
// change is one transaction, so that a program killed at any moment leaves the
// file with the change in or out, whole. A file that is not a diary, or fails
// SQLite's integrity check, is never written over: it is set aside, with the day
// in its name, and a new diary begins. Two windows may keep the same diary: each
// waits for the other's change, and a change to an entry the other changed
// meanwhile is refused and the entry read again.
#include <QString>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/diary_port.h"

class QSqlDatabase;

namespace ortalba {

// diario.sqlite in the almanac's folder among the user's data; empty, with
// `problem` saying why, when there is no such folder.
struct DiaryPath {
  std::string path;
  std::string problem;
};
DiaryPath userDiaryPath();

class DiaryStore final : public app::Diary {
 public:
  // The diary of the file at `path` (the file system's own bytes), opened and
  // checked when there is a file; a new one is made at the first change.
  explicit DiaryStore(std::string path);
  ~DiaryStore() override;
  DiaryStore(const DiaryStore&) = delete;
  DiaryStore& operator=(const DiaryStore&) = delete;

  const std::string& path() const { return path_; }
  // What the gardener must be told once: the file found was set aside, and where.
  const std::string& notice() const { return notice_; }
  // Why the diary cannot be read now, in a few Italian words; empty when it can
  // (also when there is no diary yet).
  const std::string& problem() const { return problem_; }

  app::DiaryList entriesBetween(const calendar::Date& first, const calendar::Date& last) override;
  app::DiaryList remindersBetween(const calendar::Date& first, const calendar::Date& last) override;
  std::bitset<32> markedDays(int year, int month) override;
  app::DiaryList search(const app::DiaryQuery& query) override;
  app::WriteOutcome add(app::DiaryEntry& entry) override;
  app::WriteOutcome change(const app::DiaryEntry& before, const app::DiaryEntry& after) override;
  app::WriteOutcome remove(const app::DiaryEntry& entry) override;
  app::WriteOutcome dismissAll(const std::vector<app::DiaryEntry>& reminders) override;

  // Many entries as one change: all of them kept, or none. An entry the diary
  // already holds as it is (the same day and the same words) is not kept twice, so
  // that a file imported again adds nothing.
  struct Imported {
    app::WriteOutcome outcome;
    std::size_t added = 0;
    std::size_t alreadyKept = 0;
  };
  Imported addAll(const std::vector<app::DiaryEntry>& entries);

  // The version of the diary's layout this almanac writes (PRAGMA user_version);
  // an older file is brought up to it when opened, a newer one is only read.
  static constexpr int SchemaVersion = 2;
  // What every diary's header says it is (PRAGMA application_id): "Orta".
  static constexpr int ApplicationId = 0x4F727461;

 private:
  enum class Opening { Read, Write };
  // Opens the file, setting aside one that is not a diary; with Opening::Write a
  // missing diary is made. False, with problem_ set, when there is none to use.
  bool open(Opening opening);
  void close();
  QSqlDatabase database() const;
  // `run` inside one transaction that holds the diary for writing from its start.
  app::WriteOutcome transaction(const std::function<app::WriteOutcome(QSqlDatabase&)>& run);
  app::DiaryList select(const QString& where, const std::vector<QString>& values, const QString& order);

  std::string path_;
  QString connection_;
  bool open_ = false;
  std::string readOnly_;  // why the diary is only read (a newer almanac's, one that could not be brought up to date)
  std::string notice_;
  std::string problem_;
};

}  // namespace ortalba
