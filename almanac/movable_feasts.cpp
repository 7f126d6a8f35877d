// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/movable_feasts.h"

#include "calendar/calendar.h"

namespace almanac {
namespace {

// Floor division and non-negative remainder on 64 bits: the computus only ever
// meets non-negative operands from year 1 on, but a stray year must not overflow
// or push Easter out of its 22..56 range.
using calendar::floorDiv;

constexpr long long mod(long long a, long long b) { return a - floorDiv(a, b) * b; }

constexpr int julianEasterMarchDay(long long year) {
  const long long a = mod(year, 19);
  const long long d = mod(19 * a + 15, 30);
  const long long e = mod(year + floorDiv(year, 4) + d, 7);
  return static_cast<int>(d - e + 28);
}

// Oudin's algorithm as Tøndering gives it.
constexpr int gregorianEasterMarchDay(long long year) {
  const long long G = mod(year, 19);
  const long long C = floorDiv(year, 100);
  const long long H = mod(C - floorDiv(C, 4) - floorDiv(8 * C + 13, 25) + 19 * G + 15, 30);
  const long long I = H - floorDiv(H, 28) * (1 - floorDiv(H, 28) * floorDiv(29, H + 1) * floorDiv(21 - G, 11));
  const long long J = mod(year + floorDiv(year, 4) + I + 2 - C + floorDiv(C, 4), 7);
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

int marchCountOf(const MovableFeastDays& f, MovableFeast feast) {
  return feast == MovableFeast::JulianEaster ? f.julianEasterMarchDay : f.easterMarchDay;
}

MovableFeastDays movableFeasts(int year) {
  const bool leap = calendar::isLeapYear(year);
  MovableFeastDays f;
  f.julianEasterMarchDay = julianEasterMarchDay(year);
  f.julianEasterDay = dayOfMarchCount(f.julianEasterMarchDay, leap);
  const int q = gregorianEasterMarchDay(year);
  f.easterMarchDay = q;
  for (const MovableFeastRow& row : MovableFeastTable)
    if (row.feast != MovableFeast::JulianEaster) f.*row.day = dayOfMarchCount(q + row.daysFromEaster, leap);
  return f;
}

}  // namespace almanac
