// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The longest texts a day of the almanac shows: saints with their notes, feasts,
// and each city's patron holiday over the years the holidays are kept.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "almanac/feast_names.h"
#include "almanac/patron_holidays.h"
#include "almanac/saints.h"
#include "app/city_table.h"
#include "app/month_sheet.h"

inline std::vector<std::string> longestDayTexts(std::size_t count) {
  std::set<std::string> texts;
  for (int year = 1583; year <= 2100; ++year)
    for (int month = 1; month <= 12; ++month)
      for (const auto& day : app::sheetOf(year, month, app::defaultPlace()).days) texts.insert(day.saintOrFeast);
  // Every place's holiday, with whatever the day's own saint or feast is that year.
  for (const almanac::PatronHoliday& place : almanac::PatronHolidays)
    for (int year = 1900; year <= 2100; ++year) {
      const auto feasts = almanac::movableFeasts(year);
      for (int month = 1; month <= 12; ++month) {
        if (place.when.month != 0 && place.when.month != month) continue;
        for (int day = 1; day <= 31; ++day)
          if (const auto holiday = almanac::patronHolidayOn(place, day, month, year, feasts))
            texts.insert(almanac::patronHolidayText(
                almanac::feastOfDay(day, month, year, feasts, almanac::saintOfDay(month, day, year)).text, holiday));
      }
    }
  std::vector<std::string> longest(texts.begin(), texts.end());
  std::stable_sort(longest.begin(), longest.end(), [](auto& a, auto& b) { return a.size() > b.size(); });
  longest.resize(std::min(count, longest.size()));
  return longest;
}
