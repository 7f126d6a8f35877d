// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The selected day in a few lines, as the panel shows it and a screen reader says
// it: the sun and the moon with their clocks, the moon's phase and motion, and
// what a gardener does under them.
#include <string>

#include "app/month_sheet.h"

namespace app {

// The lines of day `day` of `month` (1..length), joined by "\n"; empty for a day
// the month does not have.
std::string dayLineText(const MonthSheet& month, int day);

}  // namespace app
