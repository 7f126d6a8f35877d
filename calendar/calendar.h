// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numeric and calendar helpers shared by every computation of the almanac.
#include <array>
#include <chrono>
#include <compare>
#include <string>
#include <string_view>

namespace calendar {

// Month lengths, index 0 = January; February is stored as 28 days.
inline constexpr std::array<int, 12> MonthLengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Gregorian leap-year rule, applied to every year (also before 1583).
bool isLeapYear(long long year);

// Days in a month of a year, February by the Gregorian rule.
int daysInMonth(int month, int year);

// Weekday of a Gregorian (proleptic) date: 1 = Sunday ... 7 = Saturday.
int weekday(int day, int month, int year);

struct Date {
  int day = 1;
  int month = 1;
  int year = 2000;
  friend bool operator==(const Date&, const Date&) = default;
  // In time order: the year first, the day last (not the order of the fields).
  friend constexpr std::strong_ordering operator<=>(const Date& a, const Date& b) {
    if (a.year != b.year) return a.year <=> b.year;
    if (a.month != b.month) return a.month <=> b.month;
    return a.day <=> b.day;
  }
};

// True for a real date of years 1..9999 in the proleptic Gregorian calendar.
bool isValidDate(const Date& date);

// The proleptic Gregorian day of a date, and back; the day count may run past a
// month's end (32 January is 1 February), as the weekday rule has always allowed.
std::chrono::sys_days dayOf(const Date& date);
Date dateOf(std::chrono::sys_days day);

// Whole-number division rounding toward minus infinity: the day of a minute
// before 1970, the century of a year.
constexpr long long floorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// The date `days` days later (earlier when negative).
Date addDays(const Date& date, int days);

// How many days from `from` to `to` (negative when `to` is earlier).
int daysFrom(const Date& from, const Date& to);

// A whole number in `width` digits, zeros in front: 7 -> "07"; a negative one as 0.
std::string zeroPadded(long long value, int width);

// Day, month and year joined by "/" without leading zeros: 7/3/2026.
std::string dateText(const Date& date);

}  // namespace calendar
