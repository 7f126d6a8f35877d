// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The feast of a day of the Italian civil and religious calendar, with the years
// in which each feast applies, and the notes for Palm Sunday and Shrove Tuesday.
#include <string>
#include <string_view>

#include "almanac/feast_table.h"
#include "almanac/movable_feasts.h"

namespace almanac {

// `saint` is the text of the saint label before the decision; `feasts` must be
// movableFeasts(year).
FeastOfDay feastOfDay(int day, int month, int year, const MovableFeastDays& feasts, std::string_view saint);

}  // namespace almanac
