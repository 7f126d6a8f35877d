// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/good_days.h"

#include <gtest/gtest.h>

#include "app/city_table.h"

namespace {
using namespace app;
using almanac::Job;

// Every good day of 2027 at Milan and Palermo keeps the rules: never a full or
// new moon, nor unfavourable hours; the notes' moon (waxing to transplant and
// graft, waning to prune, cut wood and rack wine); the motion where the tradition
// agrees; the day's part for sowing one; and every day the rules allow is good.
TEST(GoodDays, KeepTheRulesEveryDayOfTheYear) {
  for (const char* city : {"MILANO", "PALERMO"}) {
    const Place place = findPlace(city).value();
    int good = 0;
    for (int month = 1; month <= 12; ++month) {
      const MonthSheet sheet = sheetOf(2027, month, place);
      const MonthTradition& tradition = sheet.moon().tradition();
      for (const ChosenJob& job : choosableJobs()) {
        for (const DaySheet& day : sheet.days) {
          const auto k = static_cast<std::size_t>(day.day - 1);
          const bool ascending = sheet.moon().days()[k].ascending;
          const almanac::JobMoon moon = almanac::NotesJobs[static_cast<std::size_t>(job.job)].moon;
          bool allowed = day.mark != PhaseMark::Neutral && !tradition.unfavourable[k];
          allowed = allowed && !(moon == almanac::JobMoon::Waxing && day.mark != PhaseMark::Waxing);
          allowed = allowed && !(moon == almanac::JobMoon::Waning && day.mark != PhaseMark::Waning);
          if (job.job == Job::Trapiantare || job.job == Job::Potare || job.job == Job::Vangare) allowed = allowed && !ascending;
          if (job.job == Job::Innestare || job.job == Job::Raccogliere || job.job == Job::Vendemmiare)
            allowed = allowed && ascending;
          if (job.part) allowed = allowed && tradition.partAtNoon[k] == *job.part;
          const DayVerdict verdict = judgeDay(sheet, day.day, job);
          EXPECT_EQ(verdict.good, allowed) << city << " " << chosenJobName(job) << " " << month << "/" << day.day;
          EXPECT_FALSE(verdict.why.empty());
          good += verdict.good;
        }
      }
    }
    EXPECT_GT(good, 1000) << city;
  }
  for (const Job job : {Job::Trapiantare, Job::Innestare})
    EXPECT_EQ(almanac::NotesJobs[static_cast<std::size_t>(job)].moon, almanac::JobMoon::Waxing);
  for (const Job job : {Job::Potare, Job::TagliareLaLegna, Job::TravasareIlVino})
    EXPECT_EQ(almanac::NotesJobs[static_cast<std::size_t>(job)].moon, almanac::JobMoon::Waning);
}

// The reasons say the moon, the motion and the part; the names read back.
TEST(GoodDays, SayWhyAndReadTheirNames) {
  const MonthSheet march = sheetOf(2027, 3, findPlace("MILANO").value());
  EXPECT_EQ(judgeDay(march, 24, {Job::Potare, {}}).why, "calante e discendente");
  EXPECT_EQ(judgeDay(march, 22, {Job::Potare, {}}).why, "Luna piena o nuova: non si fa nulla");
  EXPECT_FALSE(judgeDay(march, 32, {Job::Potare, {}}).good);
  for (const ChosenJob& job : choosableJobs()) EXPECT_EQ(findChosenJob(chosenJobName(job)), job);
  EXPECT_EQ(findChosenJob("Seminare Radici"), (ChosenJob{Job::Seminare, almanac::PlantPart::Radice}));
  EXPECT_FALSE(findChosenJob("zappare"));
}

}  // namespace
