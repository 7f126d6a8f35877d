// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/month_sheet.h"

#include <gtest/gtest.h>

#include "app/city_table.h"

namespace {
using namespace app;
using astro::PhaseKind;

// One character a day: + waxing, - waning, o a full or new moon day. The quarters
// colour nothing; the mark before the first phase comes from the month before.
TEST(MonthSheet, TheBarsFollowTheFullAndNewMoons) {
  struct Case { std::vector<astro::PhaseDay> phases; PhaseKind before; const char* marks; } cases[] = {
      {{{10, PhaseKind::NewMoon}, {17, PhaseKind::FirstQuarter}, {25, PhaseKind::FullMoon}}, PhaseKind::FullMoon,
       "---------o++++++++++++++o------"},
      {{{5, PhaseKind::FullMoon}, {12, PhaseKind::LastQuarter}, {20, PhaseKind::NewMoon}}, PhaseKind::NewMoon,
       "++++o--------------o+++++++++++"},
      {{{1, PhaseKind::FullMoon}, {16, PhaseKind::NewMoon}, {31, PhaseKind::FullMoon}}, PhaseKind::NewMoon,
       "o--------------o++++++++++++++o"},
      {{{14, PhaseKind::FullMoon}}, PhaseKind::NewMoon, "+++++++++++++o-----------------"},
  };
  for (const auto& c : cases) {
    std::string marks;
    for (int d = 1; d <= 31; ++d) {
      const PhaseMark mark = phaseMarkOf({c.phases, c.before}, d);
      marks += mark == PhaseMark::Waxing ? '+' : mark == PhaseMark::Waning ? '-' : 'o';
    }
    EXPECT_EQ(marks, c.marks);
  }
}

// The icon of each full moon, the 31st's too, and of the new moon.
TEST(MonthSheet, MarksItsFullAndNewMoons) {
  struct Case { int year, month, firstFull, lastFull, newMoon; } cases[] = {
      {2026, 1, 3, 3, 18}, {2023, 8, 1, 31, 16}, {2014, 2, 14, 14, 0}};
  for (auto c : cases) {
    const MonthSheet sheet = sheetOf(c.year, c.month, defaultPlace());
    for (int day : {c.firstFull, c.lastFull})
      EXPECT_EQ(sheet.days[static_cast<std::size_t>(day - 1)].icon, resources::FullMoon) << day;
    for (const DaySheet& day : sheet.days)
      EXPECT_EQ(day.icon == resources::NewMoon, day.day == c.newMoon) << c.year << "-" << c.month << "-" << day.day;
  }
}

// A month computed again for the same place keeps the moon already worked out;
// for another place or month it is its own.
TEST(MonthSheet, KeepsItsMoonOnlyForTheSameMonthAndPlace) {
  const Place milan = findPlace("MILANO").value();
  const MonthSheet first = sheetOf(2027, 2, milan);
  struct Case { MonthSheet again; bool kept; } cases[] = {
      {sheetOf(2027, 2, milan), true}, {sheetOf(2027, 2, defaultPlace()), false}, {sheetOf(2027, 3, milan), false},
      {sheetOf(2028, 2, milan), false}};
  for (auto& c : cases) {
    c.again.keepMoonOf(first);
    EXPECT_EQ(c.again.sharedMoon() == first.sharedMoon(), c.kept) << c.again.title << " " << c.again.place.name;
    EXPECT_EQ(c.again.moon().days().size(), c.again.days.size());
  }
}

TEST(ColourContrast, MeasuresAsTheAccessibilityGuidelinesDo) {
  EXPECT_NEAR(contrastRatio(colours::Black, colours::White), 21.0, 1e-9);
  EXPECT_NEAR(contrastRatio(colours::White, colours::White), 1.0, 1e-9);
  EXPECT_NEAR(contrastRatio(Rgb{0, 0, 255}, Rgb{0, 0, 0}), 2.44, 0.01) << "blue weighs least";
  EXPECT_DOUBLE_EQ(contrastRatio(colours::Red, colours::Waning), contrastRatio(colours::Waning, colours::Red));
}

// With the cue, Sundays and feasts read on every bar (at least 4.5 : 1).
TEST(ColourContrast, TheCuesRedReadsOnEveryBar) {
  for (PhaseMark mark : {PhaseMark::Waxing, PhaseMark::Waning, PhaseMark::Neutral}) {
    EXPECT_GE(contrastRatio(colours::CueRed, colourOf(mark)), 4.5) << markWord(mark);
    EXPECT_GE(contrastRatio(colours::Black, colourOf(mark)), 4.5) << markWord(mark);
  }
}

}  // namespace

namespace {
using namespace app;

// Fire gives the fruit, earth the root, air the flower, water the leaf.
TEST(Tradition, TheElementsGiveThePlantParts) {
  using astro::ZodiacSign;
  using almanac::PlantPart;
  const std::pair<ZodiacSign, PlantPart> cases[] = {
      {ZodiacSign::Aries, PlantPart::Frutto},     {ZodiacSign::Leo, PlantPart::Frutto},
      {ZodiacSign::Sagittarius, PlantPart::Frutto}, {ZodiacSign::Taurus, PlantPart::Radice},
      {ZodiacSign::Virgo, PlantPart::Radice},     {ZodiacSign::Capricornus, PlantPart::Radice},
      {ZodiacSign::Gemini, PlantPart::Fiore},     {ZodiacSign::Libra, PlantPart::Fiore},
      {ZodiacSign::Aquarius, PlantPart::Fiore},   {ZodiacSign::Cancer, PlantPart::Foglia},
      {ZodiacSign::Scorpius, PlantPart::Foglia},  {ZodiacSign::Pisces, PlantPart::Foglia}};
  for (const auto& [sign, part] : cases) EXPECT_EQ(plantPartOf(sign), part) << zodiacName(sign);
}

// Each day's part is the one of the Moon's place at its noon (12:00 UT); the
// entries fall within the month; a day holds unfavourable hours exactly when an
// event's hours reach into it; the two systems differ on many days.
TEST(Tradition, TheMonthsPartsEntriesAndUnfavourableHours) {
  const Place milan = findPlace("MILANO").value();
  int differing = 0;
  for (int month = 1; month <= 12; ++month) {
    const MonthSheet constellations = sheetOf(2027, month, milan);
    const MonthSheet signs = sheetOf(2027, month, milan, {PhaseDays::Greenwich, astro::ZodiacSystem::Signs});
    const MonthTradition& t = constellations.moon().tradition();
    ASSERT_EQ(t.partAtNoon.size(), constellations.days.size());
    const double from = dayStart({1, month, 2027}), to = from + constellations.length();
    for (const ZodiacEntryHour& e : t.entries) EXPECT_TRUE(e.jdUT >= from && e.jdUT < to);
    for (const MoonEvent& e : t.events) EXPECT_TRUE(e.jdUT >= from && e.jdUT < to);
    for (int d = 1; d <= constellations.length(); ++d) {
      const auto k = static_cast<std::size_t>(d - 1);
      const double noon = astro::julianDay({d, month, 2027}) + 0.5;
      EXPECT_EQ(t.partAtNoon[k], plantPartOf(astro::zodiacAt(noon, astro::ZodiacSystem::Constellations))) << month << "/" << d;
      const double start = from + d - 1;
      bool reached = false;
      for (const MoonEvent& e : t.events) {
        const double width = unfavourableHours(e.kind) / 24;
        reached = reached || (e.jdUT - width < start + 1 && e.jdUT + width > start);
      }
      EXPECT_TRUE(!reached || t.unfavourable[k]) << month << "/" << d;
      differing += t.partAtNoon[k] != signs.moon().tradition().partAtNoon[k];
    }
    EXPECT_GE(t.entries.size(), 9u);
    EXPECT_GE(t.events.size(), 3u) << "two apsides and two nodes a month, give or take one";
  }
  EXPECT_GT(differing, 100) << "the constellations and the signs part ways on most of the year";
}

}  // namespace
