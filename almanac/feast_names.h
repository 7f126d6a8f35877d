// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The feast of a day of the Italian civil and religious calendar, with the years
// in which each feast applies, and the notes for Palm Sunday and Shrove Tuesday.
#include <string>
#include <string_view>

#include "almanac/movable_feasts.h"

namespace almanac {

struct FeastOfDay {
  std::string santo;     // what the saint label shows after the decision
  bool boldRed = false;  // the day's grid label turns bold and red
};

// `saint` is the text of the saint label before the decision; `feasts` must be
// movableFeasts(year).
FeastOfDay feastOfDay(int day, int month, int year, const MovableFeastDays& feasts, std::string_view saint);

}  // namespace almanac
