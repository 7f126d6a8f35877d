// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/day_work.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/city_table.h"

namespace {
using namespace app;

// Every job and plant of a day stands in a row of its month's notes, under the
// day's moon, whose zone holds at the place; nothing on a full or new moon;
// nothing the notes limit to the South for Milan.
TEST(DayWork, IsWhatTheNotesGiveTheDayAndThePlace) {
  for (const char* city : {"MILANO", "PALERMO"}) {
    const Place place = findPlace(city).value();
    int jobs = 0;
    for (int month = 1; month <= 12; ++month) {
      const MonthSheet sheet = sheetOf(2027, month, place);
      for (const DaySheet& day : sheet.days) {
        const std::vector<JobOfDay> work = workOfDay(sheet, day.day);
        EXPECT_EQ(work.empty(), day.mark == PhaseMark::Neutral) << city << " " << month << "/" << day.day;
        const auto moon = day.mark == PhaseMark::Waxing ? almanac::MoonHalf::Waxing : almanac::MoonHalf::Waning;
        for (const JobOfDay& job : work) {
          ++jobs;
          const auto standsIn = [&](const almanac::NotesAdvice& row, const almanac::Plant* plant) {
            return row.moon == moon && row.job == job.job && almanac::adviceHolds(row.zone, place.zone) &&
                   (!plant || std::find(row.plants.begin(), row.plants.end(), *plant) != row.plants.end());
          };
          const auto rows = almanac::notesAdviceOf(month);
          EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&](auto& row) { return standsIn(row, nullptr); }));
          for (const almanac::Plant& plant : job.plants)
            EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&](auto& row) { return standsIn(row, &plant); }))
                << city << " " << month << ": " << plant.name;
        }
      }
    }
    EXPECT_GT(jobs, 1000) << city;
  }
  // Lettuce, spinach and rocket under tunnels are for the Centre and the South in January.
  const auto sown = [](const char* city) {
    const MonthSheet january = sheetOf(2027, 1, findPlace(city).value());
    return workText(workOfDay(january, 20));  // a waxing day
  };
  EXPECT_EQ(sown("MILANO").find("rucola"), std::string::npos) << sown("MILANO");
  EXPECT_NE(sown("PALERMO").find("rucola"), std::string::npos) << sown("PALERMO");
}

// On a day of a plant part the sowing of plants of that part comes first, the rest
// of the day's work after, nothing lost; where nothing of that part is sown the
// day's work stays as the notes order it.
TEST(DayWork, TheDaysPlantPartIsSownFirst) {
  const Place rome = findPlace("ROMA").value();
  int moved = 0;
  for (int month = 1; month <= 12; ++month) {
    const MonthSheet sheet = sheetOf(2027, month, rome);
    for (const int day : {1, 15}) {
      for (const auto part : {almanac::PlantPart::Radice, almanac::PlantPart::Foglia, almanac::PlantPart::Fiore,
                              almanac::PlantPart::Frutto}) {
        const auto plain = workOfDay(sheet, day), first = workOfDay(sheet, day, part);
        ASSERT_EQ(plain.size(), first.size());
        const auto sowing = std::find_if(plain.begin(), plain.end(), [](auto& j) { return j.job == almanac::Job::Seminare; });
        const bool sown = sowing != plain.end() &&
                          std::any_of(sowing->plants.begin(), sowing->plants.end(), [&](auto& p) { return p.part == part; });
        if (!sown) {
          EXPECT_EQ(workText(first), workText(plain));
          continue;
        }
        EXPECT_EQ(first.front().job, almanac::Job::Seminare);
        EXPECT_EQ(first.front().plants.front().part, part) << month << "/" << day;
        EXPECT_EQ(first.front().plants.size(), sowing->plants.size());
        moved += workText(first) != workText(plain);
      }
    }
  }
  EXPECT_GT(moved, 5) << "days whose order the plant part changes";
  const MonthSheet march = sheetOf(2027, 3, rome);
  EXPECT_NE(workText(workOfDay(march, 1), 1).find("…"), std::string::npos) << "more plants than shown are said to be more";
}

}  // namespace
