// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/good_days.h"

#include <algorithm>
#include <cctype>

namespace app {

namespace {

using almanac::Job;

// Where the tradition is widely shared: transplanting, pruning and working the soil
// with the descending moon; grafting and harvesting fruit with the ascending.
struct MotionRule {
  Job job;
  bool ascending;
};
constexpr MotionRule MotionRules[] = {
    {Job::Trapiantare, false}, {Job::Potare, false},      {Job::Vangare, false},
    {Job::Innestare, true},    {Job::Raccogliere, true},  {Job::Vendemmiare, true},
};

std::optional<bool> motionOf(Job job) {
  for (const MotionRule& rule : MotionRules)
    if (rule.job == job) return rule.ascending;
  return std::nullopt;
}

almanac::JobMoon moonOf(Job job) { return almanac::NotesJobs[static_cast<std::size_t>(job)].moon; }

// "radici", "foglie", "fiori", "frutti": what is sown for a part.
std::string_view sownFor(almanac::PlantPart part) {
  switch (part) {
    case almanac::PlantPart::Radice: return "radici";
    case almanac::PlantPart::Foglia: return "foglie";
    case almanac::PlantPart::Fiore: return "fiori";
    case almanac::PlantPart::Frutto: break;
  }
  return "frutti";
}

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

std::string chosenJobName(const ChosenJob& job) {
  std::string name(almanac::jobName(job.job));
  if (job.part) name += " " + std::string(sownFor(*job.part));
  return name;
}

const std::vector<ChosenJob>& choosableJobs() {
  static const std::vector<ChosenJob> jobs = [] {
    std::vector<ChosenJob> all;
    for (const almanac::NotesJob& job : almanac::NotesJobs) {
      all.push_back({job.job, std::nullopt});
      if (job.job == Job::Seminare)
        for (const auto part : {almanac::PlantPart::Radice, almanac::PlantPart::Foglia, almanac::PlantPart::Fiore,
                                almanac::PlantPart::Frutto})
          all.push_back({job.job, part});
    }
    return all;
  }();
  return jobs;
}

std::optional<ChosenJob> findChosenJob(std::string_view name) {
  const std::string wanted = lowered(name);
  for (const ChosenJob& job : choosableJobs())
    if (chosenJobName(job) == wanted) return job;
  return std::nullopt;
}

DayVerdict judgeDay(const MonthSheet& month, int day, const ChosenJob& job) {
  if (day < 1 || day > month.length()) return {false, {}};
  const auto k = static_cast<std::size_t>(day - 1);
  const PhaseMark mark = month.days[k].mark;
  if (mark == PhaseMark::Neutral) return {false, "Luna piena o nuova: non si fa nulla"};
  const MonthTradition& tradition = month.moon().tradition();
  if (tradition.unfavourable[k]) return {false, "ore sfavorevoli intorno a perigeo, apogeo o nodi"};
  // The moon the notes give the job.
  const almanac::JobMoon moon = moonOf(job.job);
  const bool waxing = mark == PhaseMark::Waxing;
  if ((moon == almanac::JobMoon::Waxing && !waxing) || (moon == almanac::JobMoon::Waning && waxing))
    return {false, std::string("Luna ") + markWord(mark) + ", le note lo danno in Luna " +
                       (waxing ? "calante" : "crescente")};
  std::string why = markWord(mark);
  // The motion, where the tradition agrees on it.
  if (const auto wanted = motionOf(job.job)) {
    const bool ascending = month.moon().days()[k].ascending;
    if (*wanted != ascending)
      return {false, std::string("Luna ") + risingWord(ascending) + ", si fa con la Luna " + risingWord(*wanted)};
    why += std::string(" e ") + risingWord(ascending);
  }
  // The part of the plant, for sowing one.
  const almanac::PlantPart part = tradition.partAtNoon[k];
  if (job.part) {
    if (*job.part != part)
      return {false, "giorno di " + std::string(almanac::plantPartName(part)) + ", non di " +
                         std::string(almanac::plantPartName(*job.part))};
    why += ", giorno di " + std::string(almanac::plantPartName(part));
  }
  return {true, why};
}

std::vector<std::string> goodDayRules() {
  return {
      "Prima la Luna che le note danno al lavoro: crescente per trapiantare e innestare, calante per potare, "
      "tagliare la legna e travasare il vino.",
      "Poi, dove la tradizione è d'accordo, il moto della Luna: discendente per trapiantare, potare e vangare, "
      "ascendente per innestare, raccogliere e vendemmiare.",
      "Per seminare radici, foglie, fiori o frutti, il giorno della parte della pianta che si semina.",
      "Mai un giorno di Luna piena o nuova, né un giorno con ore sfavorevoli intorno a perigeo, apogeo e nodi.",
  };
}

}  // namespace app
