// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/day_line.h"

#include "app/day_work.h"

namespace app {

std::string dayLineText(const MonthSheet& month, int day) {
  if (day < 1 || day > month.length()) return {};
  const auto k = static_cast<std::size_t>(day - 1);
  const DaySheet& sun = month.days[k];
  const MoonDay& moon = month.moon().days()[k];
  const bool legal = onOraLegale({day, month.month, month.year});

  std::string text = "Sole: " + riseAndSet(sun.sunrise, sun.sunset) + ", " + std::string(InOraSolare);
  if (legal) text += onTheWatch(sun.sunrise, sun.sunset);
  text += ".\nLuna: " + riseAndSet(moon.rise, moon.set);
  if (legal) text += onTheWatch(moon.rise, moon.set);
  // The day's mark, and a phase of the day at its hour; a full or new moon is the day's state.
  std::string state = sun.mark == PhaseMark::Neutral ? "" : markWord(sun.mark);
  for (const PhaseHour& hour : month.moon().phases()) {
    if (hour.gridDay != day) continue;
    std::string phase = phaseHourText(hour, month.reckoning.phaseDays);
    phase[0] = static_cast<char>(phase[0] - 'A' + 'a');  // every phase's name begins with a plain capital
    state += (state.empty() ? "" : ", ") + phase;
  }
  text += "; " + state + ", " + risingWord(moon.ascending) + ".\n";
  const MonthTradition& tradition = month.moon().tradition();
  std::string part = plantPartText(tradition, month.year, month.month, day);
  part[0] = static_cast<char>(part[0] - 'a' + 'A');  // "Giorno di radice ..."
  text += part + ".";
  if (const std::string events = moonEventsText(tradition, month.year, month.month, day); !events.empty())
    text += " " + std::string(1, static_cast<char>(events[0] - 'a' + 'A')) + events.substr(1) + ".";
  text += "\n" + std::string(adviceOf(sun.mark));
  if (sun.mark != PhaseMark::Neutral) text += std::string(" ") + motionAdvice(moon.ascending);
  if (const std::string work = workText(workOfDay(month, day), 2); !work.empty()) text += "\nDa fare, dalle note: " + work + ".";
  return text;
}

}  // namespace app
