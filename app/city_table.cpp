// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/city_table.h"

#include "almanac/patron_holidays.h"

namespace app {

std::optional<int> findCity(const std::vector<std::string>& names, std::string_view name) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int>(i);
  return std::nullopt;
}

namespace {

// The almanac keeps the places' holidays by row and names them without seeing
// this table; here each row's number and name must agree with it, and a place
// listed under two spellings (the same coordinates) keeps one holiday.
constexpr bool patronHolidaysFollowTheCities() {
  const auto& holidays = almanac::PatronHolidays;
  if (holidays.size() != CityTable.size()) return false;
  for (std::size_t i = 0; i < CityTable.size(); ++i) {
    if (holidays[i].cityRow != static_cast<int>(i) || holidays[i].city != CityTable[i].name) return false;
    for (std::size_t j = 0; j < i; ++j)
      if (CityTable[j].code == CityTable[i].code &&
          (holidays[j].patron != holidays[i].patron || holidays[j].when != holidays[i].when))
        return false;
  }
  return true;
}
static_assert(patronHolidaysFollowTheCities());

}  // namespace

}  // namespace app
