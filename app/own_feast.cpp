// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/own_feast.h"

#include <mutex>
#include <set>

#include "app/city_table.h"
#include "app/place_search.h"
#include "calendar/calendar.h"

namespace app {

namespace {

// A holiday's words are views, as the list's are of its table; the words of a
// gardener's festa are kept here for as long as the almanac runs (a few places'
// worth), so that every copy of the place may view them.
std::string_view lasting(std::string text) {
  static std::mutex guard;
  static std::set<std::string, std::less<>> kept;
  const std::scoped_lock lock(guard);
  return *kept.insert(std::move(text)).first;
}

// "Festa patronale di BARDONECCHIA": the place's name without its province; a
// field named only by its coordinates has none to give.
std::string festaWords(const Place& place) {
  std::string_view name = place.name;
  if (name.size() > 5 && name.ends_with(')') && name[name.size() - 4] == '(' && name[name.size() - 5] == ' ')
    name.remove_suffix(5);
  const auto coordinates = parseCoordinates(name);
  if (coordinates && coordinates->name.empty()) return "Festa patronale";
  return "Festa patronale di " + std::string(name);
}

int number(std::string_view digits) {
  if (digits.empty() || digits.size() > 2) return 0;
  int value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::optional<FeastDay> parseFeastDay(std::string_view text) {
  while (text.starts_with(' ')) text.remove_prefix(1);
  while (text.ends_with(' ')) text.remove_suffix(1);
  const auto mark = text.find_first_of("/-");
  if (mark == std::string_view::npos) return std::nullopt;
  const FeastDay day{number(text.substr(0, mark)), number(text.substr(mark + 1))};
  if (day.month < 1 || day.month > 12 || day.day < 1) return std::nullopt;
  if (day.day > calendar::MonthLengths[static_cast<std::size_t>(day.month - 1)]) return std::nullopt;
  return day;
}

std::string feastDayText(FeastDay day) {
  return calendar::zeroPadded(day.day, 2) + "/" + calendar::zeroPadded(day.month, 2);
}

bool takesOwnFeast(const Place& place) {
  const auto listed = findPlace(place.name);
  return !(listed && listed->position == place.position);
}

Place withOwnFeast(Place place, std::optional<FeastDay> day) {
  if (!takesOwnFeast(place)) return place;
  if (!day) {
    place.patron.reset();
    return place;
  }
  almanac::PatronHoliday holiday;
  holiday.patron = lasting(festaWords(place));
  holiday.title = almanac::PatronTitle::OwnFeast;
  holiday.when = {almanac::PatronRule::FixedDate, day->day, day->month, 0};
  place.patron = holiday;
  return place;
}

Place withOwnFeast(Place place, const std::map<std::string, FeastDay>& ownFeasts) {
  const auto kept = ownFeasts.find(rememberedLine(place));
  return withOwnFeast(std::move(place), kept == ownFeasts.end() ? std::nullopt : std::optional<FeastDay>(kept->second));
}

}  // namespace app
