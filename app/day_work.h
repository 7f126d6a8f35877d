// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The day's work: what the month's notes ask for under the day's moon, in the
// place's part of Italy.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "almanac/notes_advice.h"
#include "app/month_sheet.h"

namespace app {

struct JobOfDay {
  almanac::Job job = almanac::Job::Seminare;
  std::vector<almanac::Plant> plants;  // in the notes' order; none for a job that names none
};

// The jobs and plants the notes give day `day` of `month` (its month, its moon, its
// place's zone), each job once, in the notes' order; none on a full or new moon
// day, when nothing is done, nor for a day the month does not have. When the day's
// plant part is known, the sowing of plants of that part comes first.
std::vector<JobOfDay> workOfDay(const MonthSheet& month, int day,
                                std::optional<almanac::PlantPart> dayPart = std::nullopt);

// What the notes give a month under one moon at a place of `zone`, each job once
// with its plants, in the notes' order; with `only`, just those jobs.
std::vector<JobOfDay> workOfMonth(int month, almanac::MoonHalf moon, std::optional<almanac::Zone> zone,
                                  const std::vector<almanac::Job>& only = {});

// "seminare pomodori, peperoni; potare meli e peri; vangare"; with `mostPlants`,
// at most that many plants a job, "…" after them when there are more.
std::string workText(const std::vector<JobOfDay>& work, std::size_t mostPlants = SIZE_MAX);

}  // namespace app
