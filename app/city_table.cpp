// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/city_table.h"

#include <algorithm>

#include "almanac/patron_holidays.h"

namespace app {

namespace {

// The number written by the digits of a code from `position` on.
double codeField(std::string_view code, std::size_t position, std::size_t digits) {
  double value = 0;
  for (std::size_t i = position; i < position + digits; ++i) {
    const char c = i < code.size() ? code[i] : '0';
    value = value * 10 + (c >= '0' && c <= '9' ? c - '0' : 0);
  }
  return value;
}

}  // namespace

astro::GeoPosition positionOfCityCode(std::string_view code) {
  astro::GeoPosition position;
  position.longitude = codeField(code, 0, 2) + codeField(code, 2, 2) / 60;
  position.latitude = codeField(code, 4, 2) + codeField(code, 6, 2) / 60;
  position.altitudeMetres = codeField(code, 8, 4);
  return position;
}

std::optional<int> findCity(const std::vector<std::string>& names, std::string_view name) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int>(i);
  return std::nullopt;
}

namespace {

// The letters of a name in capitals without their accents, and its digits;
// nothing else (blanks, apostrophes, dots).
std::string folded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 'a' && c <= 'z') {
      out += static_cast<char>(c - 'a' + 'A');
    } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
      out += static_cast<char>(c);
    } else if (c == 0xC3 && i + 1 < text.size()) {
      // The accented vowels of Italian, capital or small (U+00C0..U+00FF).
      const auto latin = static_cast<unsigned char>((static_cast<unsigned char>(text[++i]) & 0x3F) | 0xC0);
      constexpr std::string_view vowels = "AAAAAAACEEEEIIII?NOOOOO?OUUUUY";
      const unsigned index = (latin & 0xDF) - 0xC0;
      if (index < vowels.size() && vowels[index] != '?') out += vowels[index];
    }
  }
  return out;
}

// How many letters must change to turn one name into the other.
std::size_t editDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

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

std::optional<int> findCityLoosely(std::string_view typed) {
  if (const auto exact = findCity(typed)) return exact;  // FORLI' is its own row, not FORLÌ's
  const std::string key = folded(typed);
  if (key.empty()) return std::nullopt;
  for (std::size_t i = 0; i < CityTable.size(); ++i)
    if (folded(CityTable[i].name) == key) return static_cast<int>(i);
  return std::nullopt;
}

std::vector<std::string_view> nearestCities(std::string_view typed, std::size_t count) {
  const std::string key = folded(typed);
  std::vector<std::pair<std::size_t, std::size_t>> ranked;  // distance, row
  for (std::size_t i = 0; i < CityTable.size(); ++i) ranked.emplace_back(editDistance(key, folded(CityTable[i].name)), i);
  std::stable_sort(ranked.begin(), ranked.end(), [](auto& a, auto& b) { return a.first < b.first; });
  std::vector<std::string_view> names;
  std::vector<std::string> seen;
  // A name is near when a third of its letters at most are wrong (one at least).
  const std::size_t near = std::max<std::size_t>(1, key.size() / 3);
  for (const auto& [distance, row] : ranked) {
    if (names.size() == count || distance > near) break;
    const std::string spelled = folded(CityTable[row].name);
    if (std::find(seen.begin(), seen.end(), spelled) != seen.end()) continue;  // FORLÌ and FORLI'
    seen.push_back(spelled);
    names.push_back(CityTable[row].name);
  }
  return names;
}

}  // namespace app
