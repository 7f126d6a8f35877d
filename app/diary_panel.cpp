// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diary_panel.h"

namespace app {

namespace {

std::string counted(std::size_t n, const char* one, const char* many) {
  return n == 1 ? std::string(one) : std::to_string(n) + " " + many;
}

}  // namespace

void DiaryPanel::attach(Diary* diary, std::string whyNone) {
  diary_ = diary;
  whyNone_ = std::move(whyNone);
  problem = diary_ ? std::string() : whyNone_;
  refresh();
}

void DiaryPanel::showMonth(int year, int month) {
  year_ = year;
  month_ = month;
  marks.fill(false);
  if (!diary_ || month < 1 || month > 12) return;
  const std::bitset<32> marked = diary_->markedDays(year, month);
  for (std::size_t d = 1; d <= marks.size(); ++d) marks[d - 1] = marked[d];
}

void DiaryPanel::showDay(const calendar::Date& shown) {
  day = shown;
  dayEntries.clear();
  dayReminders.clear();
  if (!diary_) return;
  DiaryList done = diary_->entriesBetween(shown, shown);
  DiaryList remembered = diary_->remindersBetween(shown, shown);
  problem = !done ? done.problem : remembered.problem;
  dayEntries = std::move(done.entries);
  dayReminders = std::move(remembered.entries);
}

void DiaryPanel::refresh() {
  showMonth(year_, month_);
  if (calendar::isValidDate(day)) showDay(day);
}

std::string DiaryPanel::dayLine() const {
  if (dayEntries.empty() && dayReminders.empty()) return {};
  std::string text = " Diario: ";
  if (!dayEntries.empty()) text += counted(dayEntries.size(), "una voce", "voci");
  if (!dayEntries.empty() && !dayReminders.empty()) text += ", ";
  if (!dayReminders.empty()) text += counted(dayReminders.size(), "un promemoria", "promemoria");
  return text + " (Ctrl+D).";
}

std::string DiaryPanel::accessibleWords(int d) const {
  return d >= 1 && d <= static_cast<int>(marks.size()) && marks[static_cast<std::size_t>(d - 1)] ? ", con voci nel diario"
                                                                                                  : "";
}

WriteOutcome DiaryPanel::refused(WriteOutcome outcome) {
  // Whatever happened, the window shows the diary as it now is.
  refresh();
  if (!outcome) problem = outcome.reason;
  return outcome;
}

WriteOutcome DiaryPanel::add(DiaryEntry entry) {
  if (!diary_) return WriteOutcome::failed(whyNone_);
  if (std::string why = entryProblem(entry); !why.empty()) return WriteOutcome::failed(why);
  return refused(diary_->add(entry));
}

WriteOutcome DiaryPanel::change(const DiaryEntry& before, const DiaryEntry& after) {
  if (!diary_) return WriteOutcome::failed(whyNone_);
  if (std::string why = entryProblem(after); !why.empty()) return WriteOutcome::failed(why);
  return refused(diary_->change(before, after));
}

WriteOutcome DiaryPanel::remove(const DiaryEntry& entry) {
  if (!diary_) return WriteOutcome::failed(whyNone_);
  return refused(diary_->remove(entry));
}

WriteOutcome DiaryPanel::dismiss(const DiaryEntry& entry) {
  DiaryEntry done = entry;
  done.reminderDone = true;
  return change(entry, done);
}

WriteOutcome DiaryPanel::dismissAll(const std::vector<DiaryEntry>& reminders) {
  if (!diary_) return WriteOutcome::failed(whyNone_);
  return refused(diary_->dismissAll(reminders));
}

std::vector<DiaryFound> DiaryPanel::search(std::string_view typed, const Reckoning& reckoning) {
  std::vector<DiaryFound> found;
  const DiaryQuery query = parseDiaryQuery(typed);
  if (!diary_ || query.empty()) return found;
  DiaryList list = diary_->search(query);
  problem = list.problem;
  DiaryMoons moons(reckoning);
  found.reserve(list.entries.size());
  for (DiaryEntry& entry : list.entries) {
    std::string moon = moons.wordsOf(entry.day);
    found.push_back({std::move(entry), std::move(moon)});
  }
  return found;
}

std::vector<DiaryEntry> DiaryPanel::dueReminders(const calendar::Date& today) {
  if (!diary_) return {};
  DiaryList due = diary_->remindersBetween({1, 1, 1}, today);
  if (!due) problem = due.problem;
  return std::move(due.entries);
}

}  // namespace app
