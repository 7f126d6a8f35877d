// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/comuni.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/city_table.h"

namespace app {

namespace {

// The name before a slash: the Italian one of a bilingual comune ("Bolzano/Bozen").
std::string_view italianName(std::string_view name) { return name.substr(0, name.find('/')); }

// Degrees apart, the longitude's shrunk by the latitude: enough to rank places in Italy.
double separation(const astro::GeoPosition& a, double latitude, double longitude) {
  const double dLat = a.latitude - latitude;
  const double dLon = (a.longitude - longitude) * std::cos(latitude * 3.14159265358979 / 180);
  return std::hypot(dLat, dLon);
}

// Where the list spells a place otherwise than ISTAT does.
struct ListSpelling {
  std::string_view listed, istat;
};
constexpr ListSpelling ListSpellings[] = {
    {"REGGIO EMILIA", "Reggio nell'Emilia"},
    {"REGGIO CALABRIA", "Reggio di Calabria"},
    {"CALTANISETTA", "Caltanissetta"},
};

// For each comune, the place of the list it is; a place of the list is the
// comune of its name (or its spelling's) nearest its coordinates.
const std::vector<const Place*>& listedPlaces() {
  static const std::vector<const Place*> listed = [] {
    const auto rows = comuneRows();
    std::vector<const Place*> of(rows.size(), nullptr);
    std::vector<std::string> keys;
    keys.reserve(rows.size());
    for (const ComuneRow& row : rows) keys.push_back(searchKey(italianName(row.name)));
    for (const Place& place : tablePlaces()) {
      std::string_view name = place.name;
      for (const ListSpelling& s : ListSpellings)
        if (s.listed == name) name = s.istat;
      const std::string key = searchKey(name);
      std::size_t best = rows.size();
      double nearest = 0.5;  // degrees: a comune farther off is another place of that name
      for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].located || keys[i] != key) continue;
        const double apart = separation(place.position, rows[i].latitude, rows[i].longitude);
        if (apart < nearest) nearest = apart, best = i;
      }
      if (best < rows.size() && !of[best]) of[best] = &place;  // FORLÌ, not its second spelling FORLI'
    }
    return of;
  }();
  return listed;
}

std::size_t indexOf(const ComuneRow& comune) { return static_cast<std::size_t>(&comune - comuneRows().data()); }

// "Castro (LE)": the name and the province's letters; the name alone otherwise.
std::pair<std::string_view, std::string> nameAndProvince(std::string_view typed) {
  while (!typed.empty() && typed.back() == ' ') typed.remove_suffix(1);
  if (typed.size() >= 4 && typed.back() == ')' && typed[typed.size() - 4] == '(') {
    std::string sigla(typed.substr(typed.size() - 3, 2));
    for (char& c : sigla) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return {typed.substr(0, typed.size() - 4), sigla};
  }
  return {typed, {}};
}

}  // namespace

std::string comuneTitle(const ComuneRow& comune) {
  std::string title;
  const std::string_view name = comune.name;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c >= 'a' && c <= 'z') {
      title += static_cast<char>(c - 'a' + 'A');
    } else if (c == 0xC3 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) == 0x9F) {
      title += "SS";  // ß
      ++i;
    } else if (c == 0xC3 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) >= 0xA0) {
      // à..þ to À..Þ: the small Latin-1 letter is 0x20 past its capital.
      title += static_cast<char>(c);
      title += static_cast<char>(static_cast<unsigned char>(name[++i]) - 0x20);
    } else if ((c == 0xC4 || c == 0xC5) && i + 1 < name.size() && (static_cast<unsigned char>(name[i + 1]) & 1)) {
      // č, š, ž: in Latin Extended-A the capital comes just before its small letter.
      title += static_cast<char>(c);
      title += static_cast<char>(static_cast<unsigned char>(name[++i]) - 1);
    } else {
      title += static_cast<char>(c);
    }
  }
  return title + " (" + std::string(comune.province) + ")";
}

const Place* listedPlaceOf(const ComuneRow& comune) { return listedPlaces()[indexOf(comune)]; }

std::optional<Place> placeOfComune(const ComuneRow& comune) {
  if (const Place* listed = listedPlaceOf(comune)) return *listed;
  if (!comune.located) return std::nullopt;
  return Place{comuneTitle(comune), {comune.longitude, comune.latitude, 0}, std::nullopt, almanac::zoneOf(comune.region)};
}

std::vector<const ComuneRow*> comuniNamed(std::string_view typed) {
  const auto [name, sigla] = nameAndProvince(typed);
  const std::string key = searchKey(name);
  std::vector<const ComuneRow*> found;
  if (key.empty()) return found;
  const auto rows = comuneRows();
  // The rows are sorted by key: the comuni of one name lie together.
  const auto first = std::partition_point(rows.begin(), rows.end(), [&](const ComuneRow& row) {
    return compareKeys(row.name, key) < 0;
  });
  for (auto it = first; it != rows.end() && compareKeys(it->name, key) == 0; ++it)
    if (sigla.empty() || it->province == sigla) found.push_back(&*it);
  // A bilingual comune is also found by either of its names ("Bozen", "Bolzano").
  if (found.empty())
    for (const ComuneRow& row : rows) {
      const auto slash = row.name.find('/');
      if (slash == std::string_view::npos || (!sigla.empty() && row.province != sigla)) continue;
      if (searchKey(row.name.substr(0, slash)) == key || searchKey(row.name.substr(slash + 1)) == key)
        found.push_back(&row);
    }
  return found;
}

std::vector<const ComuneRow*> comuniOfProvince(std::string_view sigla) {
  std::vector<const ComuneRow*> found;
  if (sigla.size() != 2) return found;
  std::string upper(sigla);
  for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  for (const ComuneRow& row : comuneRows())
    if (row.province == upper) found.push_back(&row);
  return found;
}

const ComuneRow& nearestComune(const astro::GeoPosition& position) {
  const auto rows = comuneRows();
  const ComuneRow* best = &rows.front();
  double nearest = std::numeric_limits<double>::infinity();
  for (const ComuneRow& row : rows) {
    if (!row.located) continue;
    const double apart = separation(position, row.latitude, row.longitude);
    if (apart < nearest) nearest = apart, best = &row;
  }
  return *best;
}

}  // namespace app
