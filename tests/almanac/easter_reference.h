// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reference dates independent of the almanac: other Easter algorithms, std::chrono date arithmetic.
#include <chrono>

namespace almanac_test {

// Gregorian Easter by the anonymous algorithm (Meeus/Jones/Butcher).
inline std::chrono::year_month_day anonymousGregorianEaster(int y) {
  const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
  const int f = (b + 8) / 25, g = (b - f + 1) / 3;
  const int h = (19 * a + b - d - g + 15) % 30;
  const int i = c / 4, k = c % 4;
  const int l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int m = (a + 11 * h + 22 * l) / 451;
  const int month = (h + l - 7 * m + 114) / 31;
  const int day = (h + l - 7 * m + 114) % 31 + 1;
  return std::chrono::year{y} / month / day;
}

// Julian-calendar Easter by Meeus's Julian algorithm, as a March count.
inline int meeusJulianEasterMarchCount(int y) {
  const int a = y % 4, b = y % 7, c = y % 19;
  const int d = (19 * c + 15) % 30;
  const int e = (2 * a + 4 * b - d + 34) % 7;
  const int month = (d + e + 114) / 31;
  const int day = (d + e + 114) % 31 + 1;
  return month == 3 ? day : day + 31;
}

// Gregorian Easter of `y` moved by `offset` days, by real date arithmetic.
inline std::chrono::year_month_day easterPlus(int y, int offset) {
  return std::chrono::year_month_day{std::chrono::sys_days{anonymousGregorianEaster(y)} + std::chrono::days{offset}};
}

inline int dayOf(const std::chrono::year_month_day& d) { return static_cast<int>(unsigned(d.day())); }
inline int monthOf(const std::chrono::year_month_day& d) { return static_cast<int>(unsigned(d.month())); }

}  // namespace almanac_test
