// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar.h"


namespace calendar {

bool isLeapYear(long long year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(int month, int year) {
  if (month < 1 || month > 12) return 0;
  int n = MonthLengths[static_cast<std::size_t>(month - 1)];
  if (month == 2 && isLeapYear(year)) ++n;
  return n;
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
