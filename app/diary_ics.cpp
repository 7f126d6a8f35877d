// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diary_ics.h"

#include "app/year_calendar.h"

namespace app {

namespace {

std::string dateValue(const calendar::Date& d) {
  return calendar::zeroPadded(d.year, 4) + calendar::zeroPadded(d.month, 2) + calendar::zeroPadded(d.day, 2);
}

// An all-day event: its lines from BEGIN to its end, without END:VEVENT, so that an alarm may follow.
void beginDayEvent(std::string& out, const calendar::Date& day, const std::string& uid, std::string_view dtstampLine,
                   const std::string& summary, const std::string& description, const char* category) {
  out += icsFoldLine("BEGIN:VEVENT");
  out += icsFoldLine("UID:" + uid + "@ortalba");
  out += icsFoldLine(dtstampLine);
  out += icsFoldLine("DTSTART;VALUE=DATE:" + dateValue(day));
  // The day after 31 December 9999 has no four-digit year.
  out += icsFoldLine(day.year < 9999 || day.month < 12 || day.day < 31
                         ? "DTEND;VALUE=DATE:" + dateValue(calendar::addDays(day, 1))
                         : std::string("DURATION:P1D"));
  out += icsFoldLine("SUMMARY:" + icsEscapeText(summary));
  if (!description.empty()) out += icsFoldLine("DESCRIPTION:" + icsEscapeText(description));
  out += icsFoldLine(std::string("CATEGORIES:") + category);
  out += icsFoldLine("TRANSP:TRANSPARENT");
}

}  // namespace

std::string diaryIcsEvents(const DiaryOfYear& diary, std::string_view dtstampLine, const Reckoning& reckoning) {
  std::string out;
  DiaryMoons moons(reckoning);
  for (const DiaryEntry& entry : diary.entries) {
    std::string description = entry.note;
    description += (description.empty() ? "" : "\n") + moons.wordsOf(entry.day) + ".";
    if (entry.reminder) description += "\nPromemoria il " + dayWords(*entry.reminder) + ".";
    beginDayEvent(out, entry.day, dateValue(entry.day) + "-diario-" + std::to_string(entry.id), dtstampLine,
                  "Diario: " + entrySummary(entry), description, "Diario");
    out += icsFoldLine("END:VEVENT");
  }
  for (const DiaryEntry& entry : diary.reminders) {
    if (!entry.reminder) continue;
    const std::string summary = "Promemoria: " + entrySummary(entry);
    std::string description = "Dal diario del " + dayWords(entry.day) + ".";
    if (!entry.note.empty()) description += "\n" + entry.note;
    beginDayEvent(out, *entry.reminder, dateValue(*entry.reminder) + "-promemoria-" + std::to_string(entry.id),
                  dtstampLine, summary, description, "Promemoria");
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
