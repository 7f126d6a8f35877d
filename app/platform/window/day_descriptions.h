// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What hovering tells, and a screen reader says, of the days: the moon's rise, set
// and motion on each row, the hour of a phase on its row and icon, the clocks of
// the sun's times in the panel.
#include <memory>

#include "app/platform/window/window_design.h"

namespace ortalba {

// Describes the shown month's days on `widgets`. The rows' and icons' texts are
// written again only when the month's moon is not `written` (the one they were
// last written from); returns the one they are written from now.
std::shared_ptr<const app::MonthMoon> describeDays(WindowWidgets& widgets, const app::WindowModel& form,
                                                   std::shared_ptr<const app::MonthMoon> written);

}  // namespace ortalba
