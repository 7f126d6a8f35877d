// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The diary as the window shows it: a mark on each day of the month that has
// entries or a reminder, the selected day's entries and reminders, a line about
// them under the instructions, the search, and the reminders whose day has come.
// Every change goes to the diary and is read back from it, so that a window shows
// what another one saved meanwhile.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/diary_port.h"

namespace app {

// An entry found, with the moon it was done under ("Luna crescente").
struct DiaryFound {
  DiaryEntry entry;
  std::string moon;
};

class DiaryPanel {
 public:
  // The diary the window keeps; without one (`whyNone` says why, in a few Italian
  // words) the window works as ever and the diary's dialog says why it is missing.
  void attach(Diary* diary, std::string whyNone = {});
  bool attached() const { return diary_ != nullptr; }

  // The marks of a month's days, and the entries of the day the panel shows.
  void showMonth(int year, int month);
  void showDay(const calendar::Date& day);

  // What the day's line adds after its last sentence for the selected day: " Diario: 2 voci (Ctrl+D).";
  // empty without entries. On a line of its own it would take the line's letters below what reads well.
  std::string dayLine() const;
  // What a screen reader adds to day d's name: ", con voci nel diario".
  std::string accessibleWords(int day) const;

  std::array<bool, 31> marks{};         // days 1..31 of the month shown
  calendar::Date day;                   // the day shown
  std::vector<DiaryEntry> dayEntries;   // done on that day
  std::vector<DiaryEntry> dayReminders; // to be remembered on that day, not yet dismissed
  std::string problem;                  // why the diary could not be read or kept, when it could not

  // The commands: each is one change of the diary; the panel then shows the diary
  // as it now is. A failed one changes nothing and says why.
  WriteOutcome add(DiaryEntry entry);
  WriteOutcome change(const DiaryEntry& before, const DiaryEntry& after);
  WriteOutcome remove(const DiaryEntry& entry);
  // The reminder is not shown again.
  WriteOutcome dismiss(const DiaryEntry& entry);
  WriteOutcome dismissAll(const std::vector<DiaryEntry>& reminders);

  // What the gardener typed ("pomodoro 2026"), every entry that answers it with its moon.
  std::vector<DiaryFound> search(std::string_view typed, const Reckoning& reckoning);
  // The reminders whose day has come by `today`, not yet dismissed.
  std::vector<DiaryEntry> dueReminders(const calendar::Date& today);

 private:
  void refresh();
  WriteOutcome refused(WriteOutcome outcome);

  Diary* diary_ = nullptr;
  std::string whyNone_ = "il diario non è aperto";
  int year_ = 0, month_ = 0;
};

}  // namespace app
