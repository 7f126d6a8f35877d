// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac's year as an iCalendar file (RFC 5545) of all-day events: the
// principal moon phases, the feasts, and the Palm Sunday and Shrove Tuesday notes,
// on the days the month grid shows them, so a gardener can carry them in a phone.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/italian_words.h"
#include "calendar/calendar.h"

namespace app {

// The moment the file is written, in UTC; it becomes the DTSTAMP of every event.
// Fields outside their ranges are clamped, so the stamp is always well formed.
struct IcsStamp {
  int year = 1970;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Whether Italian clocks are on ora legale (UTC+2) on a day. The almanac's sun
// times are in ora solare (UTC+1) all year; on such days the calendar also gives
// them as the clocks show them. Empty: nothing is known of ora legale.
using SummerTime = std::function<bool(const calendar::Date&)>;

// What the calendar holds besides the phases, feasts and notes.
struct IcsOptions {
  SummerTime summer;       // the sun times in ora legale too, on the days it names
  bool moonSpans = false;  // each waxing and waning span as one event of several days
};

// The calendar of `year` (1..9999) for the place of row `cityIndex` of CityTable
// (ROMA when the index is outside the table). Lines end in CRLF and are folded at
// 75 octets. A year outside 1..9999 gives an empty text: its dates cannot be written.
// Every UID names the date, the event and the place, so that the calendars of two
// places can live side by side in one phone.
std::string yearCalendarIcs(int year, int cityIndex, const IcsStamp& stamp, const IcsOptions& options = {});

// The same for any place, by its name and 12-digit coordinate code.
std::string yearCalendarIcs(int year, std::string_view cityName, std::string_view cityCode, const IcsStamp& stamp,
                            const IcsOptions& options = {});

// The waxing and waning spans of a year as the day bars colour them: maximal runs
// of days with the same mark, the full-moon and new-moon days outside them; a span
// that crosses the year's first or last day is cut there.
struct MoonSpan {
  PhaseMark mark = PhaseMark::Waxing;
  calendar::Date first, last;
};
std::vector<MoonSpan> moonSpansOfYear(int year);

// A clock time "hh:mm" one hour later, as ora legale shows an ora solare time;
// a time that is not "hh:mm" ("--:--") is given back as it is.
std::string oneHourLater(std::string_view time);

// A TEXT value: backslash, semicolon and comma escaped, every line break written
// as \n, other control characters dropped.
std::string icsEscapeText(std::string_view text);

// One content line (without its line end) as physical lines of at most 75 octets,
// each ending in CRLF, continuations starting with one space; a UTF-8 sequence is
// never split across two physical lines.
std::string icsFoldLine(std::string_view line);

}  // namespace app
