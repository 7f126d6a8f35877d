#include "almanac/movable_feasts.h"

#include "calendar/calendar.h"

namespace almanac {
namespace {

// Floor division and non-negative remainder on 64 bits: the computus only ever
// meets non-negative operands from year 1 on, but a stray year must not overflow
// or push Easter out of its 22..56 range.
constexpr long long floorDiv(long long a, long long b) {
  long long q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

constexpr long long mod(long long a, long long b) { return a - floorDiv(a, b) * b; }

constexpr int julianEasterMarchDay(long long anno) {
  const long long a = mod(anno, 19);
  const long long d = mod(19 * a + 15, 30);
  const long long e = mod(anno + floorDiv(anno, 4) + d, 7);
  return static_cast<int>(d - e + 28);
}

// Oudin's algorithm as Tøndering gives it.
constexpr int gregorianEasterMarchDay(long long anno) {
  const long long G = mod(anno, 19);
  const long long C = floorDiv(anno, 100);
  const long long H = mod(C - floorDiv(C, 4) - floorDiv(8 * C + 13, 25) + 19 * G + 15, 30);
  const long long I = H - floorDiv(H, 28) * (1 - floorDiv(H, 28) * floorDiv(29, H + 1) * floorDiv(21 - G, 11));
  const long long J = mod(anno + floorDiv(anno, 4) + I + 2 - C + floorDiv(C, 4), 7);
  return static_cast<int>(I - J + 28);
}

// Day of the month of a March count (1 March = 1): zero and below fall in
// February, whose length depends on the year; March to July follow on.
constexpr int dayOfMarchCount(int count, bool leap) {
  if (count <= 0) return count + (leap ? 29 : 28);
  constexpr int lengths[] = {31, 30, 31, 30, 31};  // March .. July
  for (int length : lengths) {
    if (count <= length) return count;
    count -= length;
  }
  return count;  // not reached: no feast lies past July
}

}  // namespace

int daysFromEaster(MovableFeast feast) {
  switch (feast) {
    case MovableFeast::JulianEaster: return 0;
    case MovableFeast::Easter: return 0;
    case MovableFeast::LentSunday: return -42;
    case MovableFeast::ShroveTuesday: return -47;
    case MovableFeast::EasterMonday: return 1;
    case MovableFeast::Ascension: return 39;
    case MovableFeast::AscensionSunday: return 42;
    case MovableFeast::Pentecost: return 49;
    case MovableFeast::Trinity: return 56;
    case MovableFeast::CorpusDomini: return 60;
    case MovableFeast::CorpusDominiSunday: return 63;
    case MovableFeast::SacredHeart: return 68;
  }
  return 0;
}

int dayOf(const MovableFeastDays& f, MovableFeast feast) {
  switch (feast) {
    case MovableFeast::JulianEaster: return f.JulianEasterDay;
    case MovableFeast::Easter: return f.EasterDay;
    case MovableFeast::LentSunday: return f.LentSundayDay;
    case MovableFeast::ShroveTuesday: return f.ShroveTuesdayDay;
    case MovableFeast::EasterMonday: return f.EasterMondayDay;
    case MovableFeast::Ascension: return f.AscensionDay;
    case MovableFeast::AscensionSunday: return f.AscensionSundayDay;
    case MovableFeast::Pentecost: return f.PentecostDay;
    case MovableFeast::Trinity: return f.TrinityDay;
    case MovableFeast::CorpusDomini: return f.CorpusDominiDay;
    case MovableFeast::CorpusDominiSunday: return f.CorpusDominiSundayDay;
    case MovableFeast::SacredHeart: return f.SacredHeartDay;
  }
  return 0;
}

int marchCountOf(const MovableFeastDays& f, MovableFeast feast) {
  return feast == MovableFeast::JulianEaster ? f.JulianEasterMarchDay : f.EasterMarchDay;
}

MovableFeastDays movableFeasts(int year) {
  const bool leap = calendar::isLeapYear(year);
  MovableFeastDays f;
  f.JulianEasterMarchDay = julianEasterMarchDay(year);
  f.JulianEasterDay = dayOfMarchCount(f.JulianEasterMarchDay, leap);
  const int q = gregorianEasterMarchDay(year);
  f.EasterMarchDay = q;
  auto at = [&](MovableFeast feast) { return dayOfMarchCount(q + daysFromEaster(feast), leap); };
  f.EasterDay = at(MovableFeast::Easter);
  f.LentSundayDay = at(MovableFeast::LentSunday);
  f.ShroveTuesdayDay = at(MovableFeast::ShroveTuesday);
  f.EasterMondayDay = at(MovableFeast::EasterMonday);
  f.AscensionDay = at(MovableFeast::Ascension);
  f.AscensionSundayDay = at(MovableFeast::AscensionSunday);
  f.PentecostDay = at(MovableFeast::Pentecost);
  f.TrinityDay = at(MovableFeast::Trinity);
  f.CorpusDominiDay = at(MovableFeast::CorpusDomini);
  f.CorpusDominiSundayDay = at(MovableFeast::CorpusDominiSunday);
  f.SacredHeartDay = at(MovableFeast::SacredHeart);
  return f;
}

}  // namespace almanac
