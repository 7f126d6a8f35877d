// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar.h"

#include <cctype>
#include <cmath>
#include <limits>

namespace calendar {

double Math_floor(double valore) { return std::floor(valore); }

double Math_ceil(double& valore) {
  const double f = Math_floor(valore);
  if (valore - f != 0) valore = f + 1;
  return valore;
}

bool isLeapYear(long long year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(int month, int year) {
  if (month < 1 || month > 12) return 0;
  int n = MonthLengths[static_cast<std::size_t>(month - 1)];
  if (month == 2 && isLeapYear(year)) ++n;
  return n;
}

double Val(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  double sign = 1;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') sign = -1;
    ++i;
  }
  double value = 0;
  bool any = false;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
    value = value * 10 + (text[i] - '0');
    any = true;
    ++i;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    double scale = 0.1;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
      value += (text[i] - '0') * scale;
      scale /= 10;
      any = true;
      ++i;
    }
  }
  return any ? sign * value : 0.0;
}

double wholeNumber(double value) { return std::nearbyint(value); }  // default mode: halves to even

double Mod(double dividend, double divisor) {
  const double a = wholeNumber(dividend);
  const double b = wholeNumber(divisor);
  if (b == 0) return std::numeric_limits<double>::quiet_NaN();
  return std::fmod(a, b);  // fmod keeps the sign of the dividend
}

int weekday(int day, int month, int year) {
  return static_cast<int>(std::chrono::weekday(dayOf({day, month, year})).c_encoding()) + 1;
}

std::chrono::sys_days dayOf(const Date& date) {
  using namespace std::chrono;
  return sys_days(year(date.year) / month(static_cast<unsigned>(date.month)) / 1) + days(date.day - 1);
}

Date dateOf(std::chrono::sys_days day) {
  const std::chrono::year_month_day ymd(day);
  return {static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(ymd.year())};
}

Date addDays(const Date& date, int days) { return dateOf(dayOf(date) + std::chrono::days(days)); }

int daysFrom(const Date& from, const Date& to) { return static_cast<int>((dayOf(to) - dayOf(from)).count()); }

std::string zeroPadded(long long value, int width) {
  std::string text = std::to_string(value < 0 ? 0 : value);
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
  return text;
}

bool isValidDate(const Date& date) {
  return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
         date.day <= daysInMonth(date.month, date.year);
}

std::string dateText(const Date& date) {
  return std::to_string(date.day) + "/" + std::to_string(date.month) + "/" + std::to_string(date.year);
}

}  // namespace calendar
