#pragma once
// The almanac's year as an iCalendar file (RFC 5545) of all-day events: the
// principal moon phases, the feasts, and the Palm Sunday and Shrove Tuesday notes,
// on the days the month grid shows them, so a gardener can carry them in a phone.
#include <string>
#include <string_view>

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

// The calendar of `year` (1..9999) for the place of row `cityIndex` of CityTable
// (ROMA when the index is outside the table). Lines end in CRLF and are folded at
// 75 octets. A year outside 1..9999 gives an empty text: its dates cannot be written.
std::string yearCalendarIcs(int year, int cityIndex, const IcsStamp& stamp);

// The same for any place, by its name and 12-digit coordinate code.
std::string yearCalendarIcs(int year, std::string_view cityName, std::string_view cityCode, const IcsStamp& stamp);

// A TEXT value: backslash, semicolon and comma escaped, every line break written
// as \n, other control characters dropped.
std::string icsEscapeText(std::string_view text);

// One content line (without its line end) as physical lines of at most 75 octets,
// each ending in CRLF, continuations starting with one space; a UTF-8 sequence is
// never split across two physical lines.
std::string icsFoldLine(std::string_view line);

}  // namespace app
