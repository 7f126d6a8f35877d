// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/place_search.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <tuple>

#include "app/city_table.h"
#include "app/comuni.h"
#include "encoding/text_encoding.h"

namespace app {

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A decimal number as a gardener writes degrees: an optional sign, digits, and a
// full stop with more digits if they like; `text` moves past it.
std::optional<std::pair<std::string, double>> degreesAt(std::string_view& text) {
  std::size_t end = 0;
  if (end < text.size() && (text[end] == '-' || text[end] == '+')) ++end;
  const std::size_t digits = end;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  if (end == digits) return std::nullopt;
  if (end < text.size() && text[end] == '.') {
    const std::size_t decimals = ++end;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    if (end == decimals) return std::nullopt;
  }
  std::string written(text.substr(0, end));
  double value = 0;
  const char* from = written.data() + (written[0] == '+' ? 1 : 0);
  if (std::from_chars(from, written.data() + written.size(), value).ec != std::errc()) return std::nullopt;
  text.remove_prefix(end);
  return std::pair{written, value};
}

// The shortest text that reads back as the same number.
std::string shortest(double value) {
  std::array<char, 32> buffer{};
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
  return std::string(buffer.data(), end);
}

// A name the search finds: a place of the list, or a comune that is none of them
// and whose seat is known.
struct Entry {
  std::string key;
  const Place* listed = nullptr;
  const ComuneRow* comune = nullptr;
  std::string title() const { return listed ? listed->name : comuneTitle(*comune); }
  Place place() const { return listed ? *listed : *placeOfComune(*comune); }
};

// Every name once, the list's places first in their order, then the comuni in
// the order of their keys. Made at the first search, not at start-up.
const std::vector<Entry>& entries() {
  static const std::vector<Entry> all = [] {
    std::vector<Entry> made;
    made.reserve(tablePlaces().size() + comuneRows().size());
    for (const Place& place : tablePlaces()) made.push_back({searchKey(place.name), &place, nullptr});
    for (const ComuneRow& row : comuneRows())
      if (row.located && !listedPlaceOf(row)) made.push_back({searchKey(row.name), nullptr, &row});
    return made;
  }();
  return all;
}

// The same name, a name it begins, a name it stands within; the list's places
// before the comuni.
constexpr std::size_t Ranks = 6;
std::size_t rankOf(const Entry& entry, std::size_t at, std::size_t length) {
  const std::size_t kind = entry.comune ? 3 : 0;
  return kind + (at != 0 ? 2 : entry.key.size() == length ? 0 : 1);
}

template <typename Found>
void eachMatch(std::string_view key, Found found) {
  for (const Entry& entry : entries())
    if (const std::size_t at = entry.key.find(key); at != std::string::npos) found(entry, rankOf(entry, at, key.size()));
}

// A comune's title as luogo.txt can hold it: a letter Windows-1252 lacks (the č
// of Soči) without its accent; the file is read back by the search key, which
// drops accents anyway.
std::string inWindows1252(std::string_view title) {
  std::string out;
  for (std::size_t i = 0; i < title.size();) {
    std::size_t length = 1;
    const auto lead = static_cast<unsigned char>(title[i]);
    if (lead >= 0xC0) length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    const std::string_view letter = title.substr(i, length);
    out += encoding::utf8ToWindows1252(letter) ? std::string(letter) : searchKey(letter);
    i += length;
  }
  return out;
}

}  // namespace

std::optional<Coordinates> parseCoordinates(std::string_view text) {
  Coordinates c;
  text = trimmed(text);
  if (const auto semicolon = text.rfind(';'); semicolon != std::string_view::npos) {
    c.name = std::string(trimmed(text.substr(0, semicolon)));
    text = trimmed(text.substr(semicolon + 1));
  }
  const auto latitude = degreesAt(text);
  if (!latitude) return std::nullopt;
  text = trimmed(text);
  if (text.starts_with(',')) text = trimmed(text.substr(1));
  const auto longitude = degreesAt(text);
  if (!longitude || !trimmed(text).empty()) return std::nullopt;
  std::tie(c.latitudeText, c.latitude) = *latitude;
  std::tie(c.longitudeText, c.longitude) = *longitude;
  return c;
}

bool withinItaly(const Coordinates& c) {
  return c.latitude >= SouthmostLatitude && c.latitude <= NorthmostLatitude && c.longitude >= WestmostLongitude &&
         c.longitude <= EastmostLongitude;
}

Place placeOfCoordinates(const Coordinates& c) {
  const astro::GeoPosition position{c.longitude, c.latitude, 0};
  // The advice's zone follows the region of the comune nearest the field.
  const almanac::Zone zone = almanac::zoneOf(nearestComune(position).region);
  return Place{c.name.empty() ? c.latitudeText + ", " + c.longitudeText : c.name, position, std::nullopt, zone};
}

PlaceLookup lookUpPlace(std::string_view typed) {
  PlaceLookup found;
  if (auto listed = findPlaceLoosely(typed)) {
    found.place = std::move(listed);
    return found;
  }
  const std::vector<const ComuneRow*> named = comuniNamed(typed);
  if (named.size() == 1) {
    found.place = placeOfComune(*named.front());
    if (!found.place) found.withoutSeat = comuneTitle(*named.front());
  } else {
    for (const ComuneRow* comune : named) found.homonyms.push_back(comuneTitle(*comune));
  }
  return found;
}

std::vector<std::string> suggestedPlaces(std::string_view typed, std::size_t count) {
  std::vector<std::string> names;
  for (const std::string_view name : nearestCities(typed, count)) names.emplace_back(name);
  const std::string key = searchKey(typed);
  if (key.empty()) return names;
  std::vector<std::string> comuni;
  const auto add = [&](const ComuneRow& row) {
    std::string title = comuneTitle(row);
    if (!listedPlaceOf(row) && std::find(comuni.begin(), comuni.end(), title) == comuni.end())
      comuni.push_back(std::move(title));
  };
  if (key.size() >= 3)
    for (const ComuneRow& row : comuneRows())
      if (comuni.size() < count && searchKey(row.name).starts_with(key)) add(row);
  std::vector<std::pair<std::size_t, const ComuneRow*>> ranked;
  const std::size_t near = std::max<std::size_t>(1, key.size() / 3);
  for (const ComuneRow& row : comuneRows())
    if (const std::size_t distance = editDistance(key, searchKey(row.name)); distance <= near)
      ranked.emplace_back(distance, &row);
  std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [distance, row] : ranked)
    if (comuni.size() < 2 * count) add(*row);
  names.insert(names.end(), comuni.begin(), comuni.end());
  return names;
}

std::string rememberedLine(const Place& place) {
  if (const auto listed = findPlace(place.name); listed && listed->position == place.position) return place.name;
  if (const auto comune = placeOfComuneTitle(place.name); comune && comune->position == place.position)
    return inWindows1252(comune->name);
  // A field without a name of its own is named by its coordinates as they were written.
  const auto written = parseCoordinates(place.name);
  if (written && written->name.empty() && place.name == written->latitudeText + ", " + written->longitudeText &&
      written->latitude == place.position.latitude && written->longitude == place.position.longitude)
    return written->latitudeText + "," + written->longitudeText;
  return place.name + ";" + shortest(place.position.latitude) + "," + shortest(place.position.longitude);
}

std::optional<Place> placeOfComuneTitle(std::string_view title) {
  title = trimmed(title);
  if (title.size() < 5 || title.back() != ')' || title[title.size() - 4] != '(') return std::nullopt;
  const std::vector<const ComuneRow*> named = comuniNamed(title);
  if (named.size() != 1) return std::nullopt;
  return placeOfComune(*named.front());
}

std::vector<FoundPlace> searchPlaces(std::string_view typed, std::size_t limit) {
  std::vector<FoundPlace> found;
  if (const auto coordinates = parseCoordinates(typed); coordinates && withinItaly(*coordinates)) {
    const Place field = placeOfCoordinates(*coordinates);
    const std::string where = coordinates->latitudeText + ", " + coordinates->longitudeText;
    found.push_back({coordinates->name.empty() ? where : coordinates->name + " (" + where + ")", field});
    return found;
  }
  const std::string key = searchKey(typed);
  if (key.empty()) {
    for (const Place& place : tablePlaces())
      if (found.size() < limit) found.push_back({place.name, place});
    return found;
  }
  std::array<std::vector<const Entry*>, Ranks> ranked;
  eachMatch(key, [&](const Entry& entry, std::size_t rank) { ranked[rank].push_back(&entry); });
  for (const auto& rank : ranked)
    for (const Entry* entry : rank) {
      if (found.size() >= limit) return found;
      found.push_back({entry->title(), entry->place()});
    }
  return found;
}

std::size_t countFoundPlaces(std::string_view typed) {
  if (const auto coordinates = parseCoordinates(typed); coordinates && withinItaly(*coordinates)) return 1;
  const std::string key = searchKey(typed);
  if (key.empty()) return tablePlaces().size();
  std::size_t count = 0;
  eachMatch(key, [&](const Entry&, std::size_t) { ++count; });
  return count;
}

}  // namespace app
