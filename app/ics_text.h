// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pieces of an iCalendar file (RFC 5545) that every calendar the almanac
// writes shares: its text values, its folded lines, its dates and its events.
#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar.h"

namespace app {

// A TEXT value: backslash, semicolon and comma escaped, every line break written
// as \n, other control characters dropped.
std::string icsEscapeText(std::string_view text);

// One content line (without its line end) as physical lines of at most 75 octets,
// each ending in CRLF, continuations starting with one space; a UTF-8 sequence is
// never split across two physical lines.
std::string icsFoldLine(std::string_view line);

// A DATE value: "20270321".
std::string icsDateValue(const calendar::Date& day);

// The DTSTART and DTEND of an event of `days` whole days from `first`; where the
// day after its last has no four-digit year, its length instead of its end.
std::vector<std::string> icsWholeDays(const calendar::Date& first, int days);

// An event's lines from BEGIN:VEVENT to TRANSP, without END:VEVENT so that an
// alarm may follow: its UID (without "@ortalba"), the stamp line, `when` (its
// DTSTART and end), SUMMARY, DESCRIPTION unless empty, and CATEGORIES.
struct IcsEvent {
  std::string uid;
  std::vector<std::string> when;
  std::string summary;
  std::string description;
  std::string category;
};
void beginIcsEvent(std::string& out, const IcsEvent& event, std::string_view dtstampLine);

}  // namespace app
