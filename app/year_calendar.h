// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac's year as an iCalendar file (RFC 5545) of all-day events: the
// principal moon phases, the feasts, and the Palm Sunday and Shrove Tuesday notes,
// on the days the month grid shows them, so a gardener can carry them in a phone.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/diary_ics.h"
#include "app/ics_text.h"
#include "app/italian_words.h"
#include "app/good_days.h"
#include "app/month_sheet.h"
#include "app/place.h"
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

// What the calendar holds besides the phases, feasts and notes.
struct IcsOptions {
  bool moonSpans = false;  // each waxing and waning span as one event of several days
  Reckoning reckoning;     // the days the phases fall on, as the window shows them
  bool plantParts = false; // each change of the plant part, perigee, apogee and nodes as timed events
  std::optional<ChosenJob> job;  // each run of good days for it as one event
  const DiaryOfYear* diary = nullptr;  // the gardener's entries and reminders of the year, as events
};

// The calendar of `year` (1..9999) at `place`. Lines end in CRLF and are folded
// at 75 octets. A year outside 1..9999 gives an empty text: its dates cannot be
// written. Every UID names the date, the event and the place, so that the
// calendars of two places can live side by side in one phone. The sun times are
// in ora solare, and on the days of ora legale as the clocks show them too.
std::string yearCalendarIcs(int year, const Place& place, const IcsStamp& stamp, const IcsOptions& options = {});

// The waxing and waning spans of a year as a phone shows them: maximal runs of
// days with the same mark between the days Italian clocks show the full and new
// moons on (the days of the timed phase events), those days outside them; a span
// that crosses the year's first or last day is cut there.
struct MoonSpan {
  PhaseMark mark = PhaseMark::Waxing;
  calendar::Date first, last;
};
std::vector<MoonSpan> moonSpansOfYear(int year);

}  // namespace app
