#pragma once
// Gregorian and Julian Easter of a year and the feasts that hang on Easter.
namespace almanac {

// Day-of-month values; the month of each follows from EasterMarchDay (see feast_names).
struct MovableFeastDays {
  int EasterMarchDay = 0;        // Gregorian Easter counted from 1 March (22..56)
  int JulianEasterMarchDay = 0;  // Julian-computus Easter counted from 1 March (22..56)
  int JulianEasterDay = 0;
  int EasterDay = 0;
  int LentSundayDay = 0;
  int ShroveTuesdayDay = 0;
  int EasterMondayDay = 0;
  int AscensionDay = 0;
  int AscensionSundayDay = 0;
  int PentecostDay = 0;
  int TrinityDay = 0;
  int CorpusDominiDay = 0;
  int CorpusDominiSundayDay = 0;
  int SacredHeartDay = 0;
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

// Days between Gregorian Easter Sunday and the feast (0 for both Easters).
int daysFromEaster(MovableFeast feast);

// The day of the month that `feasts` holds for `feast`.
int dayOf(const MovableFeastDays& feasts, MovableFeast feast);

// The March count on which the month rule of `feast` is decided: the Julian one
// for Julian Easter, the Gregorian one for everything else.
int marchCountOf(const MovableFeastDays& feasts, MovableFeast feast);

}  // namespace almanac
