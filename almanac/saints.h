// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Name-day texts of every day of the year: one list before 1970, one from 1970.
#include <cstddef>
#include <string_view>

#include "calendar/calendar.h"

namespace almanac {

// How many days of a month the saints are listed for: February always lists 29,
// leap year or not (the leap day's saint is shown only when the day exists).
constexpr int listedSaintDays(int month) {
  return month == 2 ? 29 : month >= 1 && month <= 12 ? calendar::MonthLengths[static_cast<std::size_t>(month - 1)] : 0;
}

// Saint of day 1..31 of month 1..12 in `year`.
// Days past the end of a month give an empty text.
std::string_view saintOfDay(int month, int day, int year);

}  // namespace almanac
