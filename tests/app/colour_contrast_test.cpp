// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/month_sheet.h"
#include "app/view_model.h"

namespace {
using namespace app;

TEST(ColourContrast, MeasuresAsTheAccessibilityGuidelinesDo) {
  EXPECT_NEAR(contrastRatio(colours::Black, colours::White), 21.0, 1e-9);
  EXPECT_NEAR(contrastRatio(colours::White, colours::White), 1.0, 1e-9);
  EXPECT_DOUBLE_EQ(contrastRatio(colours::Red, colours::Waning), contrastRatio(colours::Waning, colours::Red));
  // The design's red on the bars, as the cue mends it.
  EXPECT_NEAR(contrastRatio(colours::Red, colours::Waning), 2.05, 0.01);
  EXPECT_NEAR(contrastRatio(colours::Red, colours::Waxing), 2.49, 0.01);
}

// With the cue, Sundays and feasts read on every bar (at least 4.5 : 1), and the
// waxing and waning bars no longer rely on telling their colours apart.
TEST(ColourContrast, TheCuesRedReadsOnEveryBar) {
  for (PhaseMark mark : {PhaseMark::Waxing, PhaseMark::Waning, PhaseMark::Neutral}) {
    EXPECT_GE(contrastRatio(colours::CueRed, colourOf(mark)), 4.5) << markWord(mark);
    EXPECT_GE(contrastRatio(colours::Black, colourOf(mark)), 4.5) << markWord(mark);
  }
}

}  // namespace
