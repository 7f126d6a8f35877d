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
};

MovableFeastDays movableFeasts(int year);

}  // namespace almanac
