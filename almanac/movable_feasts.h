// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Gregorian and Julian Easter of a year and the feasts that hang on Easter.
#include <array>
#include <cstddef>

namespace almanac {

// Day-of-month values; the month of each follows from easterMarchDay (see feast_names).
struct MovableFeastDays {
  int easterMarchDay = 0;        // Gregorian Easter counted from 1 March (22..56)
  int julianEasterMarchDay = 0;  // Julian-computus Easter counted from 1 March (22..56)
  int julianEasterDay = 0;
  int easterDay = 0;
  int lentSundayDay = 0;
  int shroveTuesdayDay = 0;
  int easterMondayDay = 0;
  int ascensionDay = 0;
  int ascensionSundayDay = 0;
  int pentecostDay = 0;
  int trinityDay = 0;
  int corpusDominiDay = 0;
  int corpusDominiSundayDay = 0;
  int sacredHeartDay = 0;
  friend bool operator==(const MovableFeastDays&, const MovableFeastDays&) = default;
};

// Every whole year gives Easter within 22..56 and the derived days within their
// months; years before 1 are counted with floor division, so no input misbehaves.
MovableFeastDays movableFeasts(int year);

// The movable feasts by name, for the feast table and for whoever needs to pick
// one field of MovableFeastDays.
enum class MovableFeast {
  JulianEaster,
  Easter,
  LentSunday,
  ShroveTuesday,
  EasterMonday,
  Ascension,
  AscensionSunday,
  Pentecost,
  Trinity,
  CorpusDomini,
  CorpusDominiSunday,
  SacredHeart,
};

// Each movable feast once: its distance from Easter Sunday (0 for both Easters;
// the Julian one is reckoned by its own computus) and its field of MovableFeastDays.
struct MovableFeastRow {
  MovableFeast feast;
  int daysFromEaster;
  int MovableFeastDays::*day;
};

inline constexpr std::array<MovableFeastRow, 12> MovableFeastTable{{
    {MovableFeast::JulianEaster, 0, &MovableFeastDays::julianEasterDay},
    {MovableFeast::Easter, 0, &MovableFeastDays::easterDay},
    {MovableFeast::LentSunday, -42, &MovableFeastDays::lentSundayDay},
    {MovableFeast::ShroveTuesday, -47, &MovableFeastDays::shroveTuesdayDay},
    {MovableFeast::EasterMonday, 1, &MovableFeastDays::easterMondayDay},
    {MovableFeast::Ascension, 39, &MovableFeastDays::ascensionDay},
    {MovableFeast::AscensionSunday, 42, &MovableFeastDays::ascensionSundayDay},
    {MovableFeast::Pentecost, 49, &MovableFeastDays::pentecostDay},
    {MovableFeast::Trinity, 56, &MovableFeastDays::trinityDay},
    {MovableFeast::CorpusDomini, 60, &MovableFeastDays::corpusDominiDay},
    {MovableFeast::CorpusDominiSunday, 63, &MovableFeastDays::corpusDominiSundayDay},
    {MovableFeast::SacredHeart, 68, &MovableFeastDays::sacredHeartDay},
}};

constexpr const MovableFeastRow& rowOf(MovableFeast feast) {
  return MovableFeastTable[static_cast<std::size_t>(feast)];
}

static_assert([] {
  for (std::size_t i = 0; i < MovableFeastTable.size(); ++i)
    if (static_cast<std::size_t>(MovableFeastTable[i].feast) != i) return false;
  return true;
}(), "the movable feasts are listed in the order of their names");

// Days between Gregorian Easter Sunday and the feast (0 for both Easters).
constexpr int daysFromEaster(MovableFeast feast) { return rowOf(feast).daysFromEaster; }

// The day of the month that `feasts` holds for `feast`.
constexpr int dayOf(const MovableFeastDays& feasts, MovableFeast feast) { return feasts.*rowOf(feast).day; }

// The March count on which the month rule of `feast` is decided: the Julian one
// for Julian Easter, the Gregorian one for everything else.
int marchCountOf(const MovableFeastDays& feasts, MovableFeast feast);

}  // namespace almanac
