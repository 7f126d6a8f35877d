// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The gardener's diary as the almanac's logic sees it, wherever it is kept.
#include <bitset>
#include <string>
#include <vector>

#include "app/diary_entry.h"
#include "app/diary_search.h"
#include "app/platform_port.h"

namespace app {

// Entries read, or why they could not be (a few Italian words; then none are given).
struct DiaryList {
  std::vector<DiaryEntry> entries;
  std::string problem;
  explicit operator bool() const { return problem.empty(); }
};

class Diary {
 public:
  virtual ~Diary() = default;
  // The entries done from `first` to `last` (both included), by day and, within
  // a day, in the order they were written.
  virtual DiaryList entriesBetween(const calendar::Date& first, const calendar::Date& last) = 0;
  // The entries with a reminder not yet dismissed from `first` to `last`, by the
  // reminder's day.
  virtual DiaryList remindersBetween(const calendar::Date& first, const calendar::Date& last) = 0;
  // The days of a month (bit d for day d) with an entry, or a reminder not yet
  // dismissed; none when the diary cannot be read.
  virtual std::bitset<32> markedDays(int year, int month) = 0;
  // The entries that answer the query, by day.
  virtual DiaryList search(const DiaryQuery& query) = 0;

  // Each change is whole or not at all; when it fails the outcome says why and
  // the diary is as it was.
  // A new entry; its id is set once it is kept.
  virtual WriteOutcome add(DiaryEntry& entry) = 0;
  // `before` as it was read becomes `after`; refused when the diary no longer
  // holds `before` as it was (another window changed or deleted it meanwhile).
  virtual WriteOutcome change(const DiaryEntry& before, const DiaryEntry& after) = 0;
  // Deleted, on the same terms as a change.
  virtual WriteOutcome remove(const DiaryEntry& entry) = 0;
  // Reminders dismissed, all in one change (a diary imported with years of them);
  // one whose day was changed meanwhile is left as it is.
  virtual WriteOutcome dismissAll(const std::vector<DiaryEntry>& reminders) = 0;
};

}  // namespace app
