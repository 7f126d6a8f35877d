// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The good days for a job, by the tradition's rules written once: the moon the
// notes give the job, the ascending or descending moon where the tradition is
// widely shared, the plant part of the day for sowing; never a full or new moon
// day, nor a day with unfavourable hours.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "almanac/notes_advice.h"
#include "app/month_sheet.h"

namespace app {

// A job a gardener picks: one of the notes' jobs, sowing also for one part of the plant.
struct ChosenJob {
  almanac::Job job = almanac::Job::Seminare;
  std::optional<almanac::PlantPart> part;  // with sowing: the roots, the leaves, the flowers or the fruits
  friend bool operator==(const ChosenJob&, const ChosenJob&) = default;
};

// "potare", "seminare radici".
std::string chosenJobName(const ChosenJob& job);

// Every job a gardener can pick, in the notes' order, sowing by part after sowing.
const std::vector<ChosenJob>& choosableJobs();

// The job of that name, as chosenJobName writes it, in small or capital letters.
std::optional<ChosenJob> findChosenJob(std::string_view name);

// Whether day d of the month suits the job, and why: "calante, discendente,
// giorno di radice"; or why not: "Luna piena: non si fa nulla".
struct DayVerdict {
  bool good = false;
  std::string why;
};
DayVerdict judgeDay(const MonthSheet& month, int day, const ChosenJob& job);

// The rules, one sentence each, for the help: which moon, which motion, which part.
std::vector<std::string> goodDayRules();

}  // namespace app
