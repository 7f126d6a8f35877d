// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/day_work.h"

#include <algorithm>

namespace app {

std::vector<JobOfDay> workOfMonth(int month, almanac::MoonHalf moon, std::optional<almanac::Zone> zone,
                                  const std::vector<almanac::Job>& only) {
  std::vector<JobOfDay> work;
  for (const almanac::NotesAdvice& row : almanac::adviceFor(month, moon, zone)) {
    if (!only.empty() && std::find(only.begin(), only.end(), row.job) == only.end()) continue;
    auto same = std::find_if(work.begin(), work.end(), [&](const JobOfDay& j) { return j.job == row.job; });
    if (same == work.end()) same = work.insert(work.end(), JobOfDay{row.job, {}});
    for (const almanac::Plant& plant : row.plants)
      if (std::find(same->plants.begin(), same->plants.end(), plant) == same->plants.end()) same->plants.push_back(plant);
  }
  return work;
}

std::vector<JobOfDay> workOfDay(const MonthSheet& month, int day, std::optional<almanac::PlantPart> dayPart) {
  if (day < 1 || day > month.length()) return {};
  const PhaseMark mark = month.days[static_cast<std::size_t>(day - 1)].mark;
  if (mark == PhaseMark::Neutral) return {};
  const auto moon = mark == PhaseMark::Waxing ? almanac::MoonHalf::Waxing : almanac::MoonHalf::Waning;
  std::vector<JobOfDay> work = workOfMonth(month.month, moon, month.place.zone);
  if (!dayPart) return work;
  const auto sowing = std::find_if(work.begin(), work.end(), [](const JobOfDay& j) { return j.job == almanac::Job::Seminare; });
  const auto ofThePart = [&](const almanac::Plant& plant) { return plant.part == *dayPart; };
  if (sowing == work.end() || std::none_of(sowing->plants.begin(), sowing->plants.end(), ofThePart)) return work;
  std::stable_partition(sowing->plants.begin(), sowing->plants.end(), ofThePart);
  std::rotate(work.begin(), sowing, sowing + 1);
  return work;
}

std::string workText(const std::vector<JobOfDay>& work, std::size_t mostPlants) {
  std::string text;
  for (const JobOfDay& job : work) {
    if (!text.empty()) text += "; ";
    text += almanac::jobName(job.job);
    const std::size_t shown = std::min(mostPlants, job.plants.size());
    const bool more = shown < job.plants.size();
    for (std::size_t i = 0; i < shown; ++i)
      text += std::string(i == 0 ? " " : i + 1 == shown && !more ? " e " : ", ") + std::string(job.plants[i].name);
    if (more) text += "…";
  }
  return text;
}

}  // namespace app
