// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/movable_feasts.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

#include "almanac/feast_table.h"
#include "easter_reference.h"

namespace {
using namespace almanac;
using almanac_test::anonymousGregorianEaster;
using almanac_test::easterPlus;
using F = MovableFeast;

constexpr F DerivedFeasts[] = {F::Easter,          F::LentSunday,  F::ShroveTuesday, F::EasterMonday,
                               F::Ascension,       F::AscensionSunday, F::Pentecost, F::Trinity,
                               F::CorpusDomini,    F::CorpusDominiSunday, F::SacredHeart};

TEST(MovableFeasts, KnownYears) {
  struct Case { int year, q; std::vector<std::pair<F, int>> days; } cases[] = {
      {2026, 36, {{F::Easter, 5}, {F::LentSunday, 22}, {F::ShroveTuesday, 17}, {F::EasterMonday, 6},
                  {F::Ascension, 14}, {F::AscensionSunday, 17}, {F::Pentecost, 24}, {F::Trinity, 31},
                  {F::CorpusDomini, 4}, {F::CorpusDominiSunday, 7}, {F::SacredHeart, 12}, {F::JulianEaster, 30}}},
      {2285, 22, {{F::Easter, 22}, {F::LentSunday, 8}, {F::EasterMonday, 23}, {F::Ascension, 30},
                  {F::AscensionSunday, 3}, {F::Pentecost, 10}, {F::Trinity, 17}, {F::CorpusDomini, 21},
                  {F::CorpusDominiSunday, 24}, {F::SacredHeart, 29}}},
      {1943, 56, {{F::Easter, 25}, {F::LentSunday, 14}, {F::ShroveTuesday, 9}, {F::Ascension, 3}, {F::SacredHeart, 2}}},
      {2038, 56, {{F::Easter, 25}, {F::LentSunday, 14}, {F::ShroveTuesday, 9}, {F::Ascension, 3}, {F::SacredHeart, 2}}},
      {2024, 31, {{F::Easter, 31}, {F::LentSunday, 18}, {F::ShroveTuesday, 13}, {F::EasterMonday, 1},
                  {F::CorpusDomini, 30}, {F::CorpusDominiSunday, 2}}},
      {2020, 43, {{F::Easter, 12}, {F::LentSunday, 1}, {F::ShroveTuesday, 25}}},
      {1900, 46, {{F::Easter, 15}, {F::LentSunday, 4}, {F::ShroveTuesday, 27}}},
      {2000, 54, {{F::Easter, 23}, {F::Ascension, 1}}},
      {2011, 55, {{F::Easter, 24}, {F::EasterMonday, 25}}},
  };
  for (const Case& c : cases) {
    const MovableFeastDays f = movableFeasts(c.year);
    EXPECT_EQ(f.EasterMarchDay, c.q) << c.year;
    for (auto [feast, day] : c.days) EXPECT_EQ(dayOf(f, feast), day) << c.year << " feast " << int(feast);
  }
}

TEST(MovableFeasts, GregorianEasterAgreesWithTheAnonymousAlgorithm) {
  for (int y = 1583; y <= 4099; ++y) {
    const auto easter = anonymousGregorianEaster(y);
    const int marchCount = almanac_test::monthOf(easter) == 3 ? almanac_test::dayOf(easter) : almanac_test::dayOf(easter) + 31;
    ASSERT_EQ(movableFeasts(y).EasterMarchDay, marchCount) << y;
  }
}

TEST(MovableFeasts, JulianEasterAgreesWithMeeus) {
  for (int y = 1; y <= 9999; ++y) {
    const MovableFeastDays f = movableFeasts(y);
    ASSERT_EQ(f.JulianEasterMarchDay, almanac_test::meeusJulianEasterMarchCount(y)) << y;
    ASSERT_EQ(f.JulianEasterDay, f.JulianEasterMarchDay <= 31 ? f.JulianEasterMarchDay : f.JulianEasterMarchDay - 31) << y;
  }
}

// Day and month (as the feast table's rule picks it) of every movable date, against Easter plus its offset.
TEST(MovableFeasts, DerivedDaysAndMonthsMatchDateArithmetic) {
  for (int y = 1583; y <= 9999; ++y) {
    const MovableFeastDays f = movableFeasts(y);
    for (F feast : DerivedFeasts) {
      const auto expected = easterPlus(y, daysFromEaster(feast));
      ASSERT_EQ(dayOf(f, feast), almanac_test::dayOf(expected)) << y << " feast " << int(feast);
      int rules = 0;
      for (const FeastEntry& e : FeastTable) {
        if (e.rule == FeastRule::FixedDate || e.rule == FeastRule::SundayWithin || e.feast != feast) continue;
        ++rules;
        ASSERT_EQ(e.monthFor(f.EasterMarchDay), almanac_test::monthOf(expected)) << y << " " << e.text;
      }
      ASSERT_GE(rules, 1) << "no month rule for feast " << int(feast);
    }
  }
}

TEST(MovableFeasts, AnyYearStaysInRange) {
  const int years[] = {1, 2, 99, 100, 325, 1582, 1583, 9999, 10000, 0, -1, -400, INT_MIN, INT_MAX};
  for (int y : years) {
    const MovableFeastDays f = movableFeasts(y);
    EXPECT_TRUE(f.EasterMarchDay >= 22 && f.EasterMarchDay <= 56 && f.JulianEasterMarchDay >= 22 && f.JulianEasterMarchDay <= 56) << y;
    for (F feast : DerivedFeasts) EXPECT_TRUE(dayOf(f, feast) >= 1 && dayOf(f, feast) <= 31) << y << " feast " << int(feast);
  }
}

}  // namespace
