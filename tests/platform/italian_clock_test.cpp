// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/italian_clock.h"

#include <gtest/gtest.h>

namespace {

// The days Italian clocks are on ora legale, from the time-zone rules of the system.
TEST(ItalianClock, KnowsTheDaysOfOraLegale) {
  struct Case { calendar::Date date; bool legal; const char* why; } cases[] = {
      {{28, 3, 2026}, false, "the Saturday before the change"},
      {{29, 3, 2026}, true, "clocks go forward at two in the morning"},
      {{15, 7, 2026}, true, "summer"},
      {{24, 10, 2026}, true, "the last Saturday of it"},
      {{25, 10, 2026}, false, "clocks go back at three in the morning"},
      {{6, 12, 2026}, false, "winter"},
      {{1, 6, 1975}, true, "the summers of 1966 to 1979"},
      {{1, 7, 1955}, false, "no ora legale from 1949 to 1965"},
      {{1, 7, 1850}, false, "before the time zone, mean solar time"},
  };
  for (const auto& c : cases) EXPECT_EQ(ortalba::onOraLegale(c.date), c.legal) << c.why;
}

}  // namespace
