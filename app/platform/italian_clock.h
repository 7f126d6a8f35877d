// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Italian clocks: ora solare (UTC+1) in winter, ora legale (UTC+2) when the
// rules of the Europe/Rome time zone say so.
#include "calendar/calendar.h"

namespace ortalba {

// Whether Italian clocks showed or will show ora legale at noon of that day.
// False when the system knows no rules for Italy.
bool onOraLegale(const calendar::Date& date);

}  // namespace ortalba
