// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diary_ics.h"

#include "app/ics_text.h"

namespace app {

std::string diaryIcsEvents(const DiaryOfYear& diary, std::string_view dtstampLine, const Reckoning& reckoning) {
  std::string out;
  DiaryMoons moons(reckoning);
  for (const DiaryEntry& entry : diary.entries) {
    std::string description = entry.note;
    description += (description.empty() ? "" : "\n") + moons.wordsOf(entry.day) + ".";
    if (entry.reminder) description += "\nPromemoria il " + dayWords(*entry.reminder) + ".";
    beginIcsEvent(out,
                  {icsDateValue(entry.day) + "-diario-" + std::to_string(entry.id), icsWholeDays(entry.day, 1),
                   "Diario: " + entrySummary(entry), description, "Diario"},
                  dtstampLine);
    out += icsFoldLine("END:VEVENT");
  }
  for (const DiaryEntry& entry : diary.reminders) {
    if (!entry.reminder) continue;
    const std::string summary = "Promemoria: " + entrySummary(entry);
    std::string description = "Dal diario del " + dayWords(entry.day) + ".";
    if (!entry.note.empty()) description += "\n" + entry.note;
    beginIcsEvent(out,
                  {icsDateValue(*entry.reminder) + "-promemoria-" + std::to_string(entry.id),
                   icsWholeDays(*entry.reminder, 1), summary, description, "Promemoria"},
                  dtstampLine);
    out += icsFoldLine("BEGIN:VALARM");
    out += icsFoldLine("ACTION:DISPLAY");
    out += icsFoldLine("DESCRIPTION:" + icsEscapeText(summary));
    out += icsFoldLine("TRIGGER;RELATED=START:PT8H");
    out += icsFoldLine("END:VALARM");
    out += icsFoldLine("END:VEVENT");
  }
  return out;
}

}  // namespace app
