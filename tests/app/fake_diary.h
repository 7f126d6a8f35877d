// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/diary_port.h"

// A diary in memory, kept in the order entries were written; writes can be made to fail.
class FakeDiary : public app::Diary {
 public:
  std::vector<app::DiaryEntry> kept;
  std::string failWrites;  // why every write fails; empty: they succeed
  std::int64_t lastId = 0;

  app::DiaryList entriesBetween(const calendar::Date& first, const calendar::Date& last) override {
    return sorted([&](const app::DiaryEntry& e) { return first <= e.day && e.day <= last; }, false);
  }
  app::DiaryList remindersBetween(const calendar::Date& first, const calendar::Date& last) override {
    return sorted([&](const app::DiaryEntry& e) {
      return e.reminder && !e.reminderDone && first <= *e.reminder && *e.reminder <= last;
    }, true);
  }
  std::bitset<32> markedDays(int year, int month) override {
    std::bitset<32> days;
    for (const auto& e : kept) {
      if (e.day.year == year && e.day.month == month) days.set(std::size_t(e.day.day));
      if (e.reminder && !e.reminderDone && e.reminder->year == year && e.reminder->month == month)
        days.set(std::size_t(e.reminder->day));
    }
    return days;
  }
  app::DiaryList search(const app::DiaryQuery& query) override {
    return sorted([&](const app::DiaryEntry& e) { return app::answers(e, query); }, false);
  }
  app::WriteOutcome add(app::DiaryEntry& entry) override {
    if (!failWrites.empty()) return app::WriteOutcome::failed(failWrites);
    entry.id = ++lastId;
    kept.push_back(entry);
    return app::WriteOutcome::done();
  }
  app::WriteOutcome change(const app::DiaryEntry& before, const app::DiaryEntry& after) override {
    if (!failWrites.empty()) return app::WriteOutcome::failed(failWrites);
    const auto found = std::find(kept.begin(), kept.end(), before);
    if (found == kept.end()) return app::WriteOutcome::failed("la voce è stata cambiata in un'altra finestra");
    *found = after;
    found->id = before.id;
    return app::WriteOutcome::done();
  }
  app::WriteOutcome remove(const app::DiaryEntry& entry) override {
    if (!failWrites.empty()) return app::WriteOutcome::failed(failWrites);
    const auto found = std::find(kept.begin(), kept.end(), entry);
    if (found == kept.end()) return app::WriteOutcome::failed("la voce è stata cambiata in un'altra finestra");
    kept.erase(found);
    return app::WriteOutcome::done();
  }

  app::WriteOutcome dismissAll(const std::vector<app::DiaryEntry>& reminders) override {
    if (!failWrites.empty()) return app::WriteOutcome::failed(failWrites);
    for (const auto& r : reminders)
      for (auto& e : kept)
        if (e.id == r.id && e.reminder == r.reminder) e.reminderDone = true;
    return app::WriteOutcome::done();
  }

 private:
  template <typename Keep>
  app::DiaryList sorted(Keep keep, bool byReminder) {
    app::DiaryList list;
    std::copy_if(kept.begin(), kept.end(), std::back_inserter(list.entries), keep);
    std::stable_sort(list.entries.begin(), list.entries.end(), [&](const auto& a, const auto& b) {
      return byReminder ? *a.reminder < *b.reminder : a.day < b.day;
    });
    return list;
  }
};

// A sowing of `plants` on `day`, with a reminder if one is given.
inline app::DiaryEntry sowing(calendar::Date day, std::string plants,
                              std::optional<calendar::Date> reminder = std::nullopt) {
  app::DiaryEntry e;
  e.day = day;
  e.job = "Semina";
  e.plants = std::move(plants);
  e.reminder = reminder;
  return e;
}
