// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/feast_names.h"

#include <string>

#include "almanac/feast_table.h"
#include "calendar/calendar.h"

namespace almanac {
namespace {

bool matchesMovable(const FeastEntry& e, int day, int month, const MovableFeastDays& feasts) {
  return day == dayOf(feasts, e.feast) && month == e.monthFor(marchCountOf(feasts, e.feast));
}

// Palm Sunday is found by stepping a week forward and landing on Easter Sunday.
bool isPalmSunday(const FeastEntry& e, int day, int month, const MovableFeastDays& feasts) {
  if (month != 3 && month != 4) return false;
  int t = day + 7;
  int m = month;
  const int length = calendar::MonthLengths[static_cast<std::size_t>(month - 1)];
  if (t > length) {
    t -= length;
    ++m;
  }
  return matchesMovable(e, t, m, feasts);
}

}  // namespace

FeastOfDay applyFeastTable(std::span<const FeastEntry> table, int day, int month, int year,
                           const MovableFeastDays& feasts, std::string_view saint) {
  FeastOfDay result{std::string(saint), false};
  if (month < 1 || month > 12) return result;
  const bool sunday = calendar::weekday(day, month, year) == 1;

  std::string_view feastText;
  bool found = false;
  for (const FeastEntry& e : table) {
    if (!e.appliesIn(year)) continue;
    bool match = false;
    switch (e.rule) {
      case FeastRule::FixedDate:
        match = day == e.firstDay && month == e.month;
        break;
      case FeastRule::SundayWithin:
        match = sunday && month == e.month && e.firstDay <= day && day <= e.lastDay;
        break;
      case FeastRule::Movable:
        match = matchesMovable(e, day, month, feasts);
        break;
      case FeastRule::PalmSundayNote:
        if (isPalmSunday(e, day, month, feasts)) result.text += e.text;
        break;
      case FeastRule::ShroveTuesdayNote:
        if (matchesMovable(e, day, month, feasts)) result.text += e.text;
        break;
    }
    if (match && !(e.onlyWhenNothingBefore && found)) {
      feastText = e.text;
      found = true;
    }
  }
  if (found) {
    // The feast's name replaces the saint together with any note.
    if (!feastText.empty()) result.text = std::string(feastText);
    result.boldRed = true;
  }
  return result;
}

FeastOfDay feastOfDay(int day, int month, int year, const MovableFeastDays& feasts, std::string_view saint) {
  return applyFeastTable(FeastTable, day, month, year, feasts, saint);
}

}  // namespace almanac
