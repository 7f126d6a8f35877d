// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/city_table.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

#include "almanac/italian_regions.h"
#include "app/search_key.h"

namespace app {

namespace {

using enum almanac::Region;

struct CityRow {
  std::string_view name;  // UTF-8, capitals with accents and apostrophes
  std::string_view code;  // 12 digits: longitude E dd mm, latitude N dd mm, altitude mmmm
  almanac::Region region;
  // A row without its region does not compile.
  constexpr CityRow(std::string_view name, std::string_view code, almanac::Region region)
      : name(name), code(code), region(region) {}
};

// Name, coordinate code and region of each place, in list order.
constexpr std::array<CityRow, 108> CityTable{{
    {"ALESSANDRIA", "083744550095", Piemonte},
    {"ASTI", "081244540123", Piemonte},
    {"BIELLA", "080345340420", Piemonte},
    {"CUNEO", "073344240534", Piemonte},
    {"NOVARA", "083745270159", Piemonte},
    {"TORINO", "074145040239", Piemonte},
    {"VERBANIA", "083345560197", Piemonte},
    {"VERCELLI", "082545200130", Piemonte},
    {"AOSTA", "071945440583", ValleDAosta},
    {"BERGAMO", "094045420249", Lombardia},
    {"BRESCIA", "101345320149", Lombardia},
    {"COMO", "090545480201", Lombardia},
    {"CREMONA", "100145080045", Lombardia},
    {"LECCO", "092445510214", Lombardia},
    {"LODI", "093045190087", Lombardia},
    {"MILANO", "091145280122", Lombardia},
    {"MANTOVA", "104845090019", Lombardia},
    {"PAVIA", "090945110077", Lombardia},
    {"SONDRIO", "095246100307", Lombardia},
    {"VARESE", "085045490382", Lombardia},
    {"BOLZANO", "112146300262", TrentinoAltoAdige},
    {"TRENTO", "110746040194", TrentinoAltoAdige},
    {"BELLUNO", "121346080383", Veneto},
    {"PADOVA", "115245250012", Veneto},
    {"ROVIGO", "114845040007", Veneto},
    {"TREVISO", "121545400015", Veneto},
    {"VENEZIA", "122045260002", Veneto},
    {"VICENZA", "113345330039", Veneto},
    {"VERONA", "110045270059", Veneto},
    {"GORIZIA", "133745570084", FriuliVeneziaGiulia},
    {"PORDENONE", "124045580024", FriuliVeneziaGiulia},
    {"TRIESTE", "134645390002", FriuliVeneziaGiulia},
    {"UDINE", "131446040113", FriuliVeneziaGiulia},
    {"GENOVA", "085544240019", Liguria},
    {"IMPERIA", "080143530010", Liguria},
    {"LA SPEZIA", "094944070003", Liguria},
    {"SAVONA", "082944180004", Liguria},
    {"BOLOGNA", "112144300054", EmiliaRomagna},
    {"FERRARA", "113744510009", EmiliaRomagna},
    {"FORLÌ", "120244140034", EmiliaRomagna},
    {"FORLI'", "120244140034", EmiliaRomagna},
    {"MODENA", "105544390034", EmiliaRomagna},
    {"PIACENZA", "094245030061", EmiliaRomagna},
    {"PARMA", "102044480057", EmiliaRomagna},
    {"RAVENNA", "121244250004", EmiliaRomagna},
    {"REGGIO NELL'EMILIA", "103844420058", EmiliaRomagna},
    {"REGGIO EMILIA", "103844420058", EmiliaRomagna},
    {"RIMINI", "123444040005", EmiliaRomagna},
    {"AREZZO", "115343280296", Toscana},
    {"FIRENZE", "111543460050", Toscana},
    {"GROSSETO", "110742460010", Toscana},
    {"LIVORNO", "101943330003", Toscana},
    {"LUCCA", "103043510019", Toscana},
    {"MASSA", "100944020065", Toscana},
    {"CARRARA", "100644050100", Toscana},
    {"PISA", "102443430004", Toscana},
    {"PRATO", "110643530061", Toscana},
    {"PISTOIA", "105543560067", Toscana},
    {"SIENA", "112043190322", Toscana},
    {"PERUGIA", "122343070493", Umbria},
    {"TERNI", "123942340130", Umbria},
    {"ANCONA", "133143370016", Marche},
    {"ASCOLI PICENO", "133542510154", Marche},
    {"MACERATA", "132743180315", Marche},
    {"PESARO", "125543550011", Marche},
    {"FROSINONE", "132141380291", Lazio},
    {"LATINA", "125441280021", Lazio},
    {"RIETI", "125242240405", Lazio},
    {"ROMA", "122741550020", Lazio},
    {"VITERBO", "120642250326", Lazio},
    {"L'AQUILA", "132442210714", Abruzzo},
    {"CHIETI", "141042210330", Abruzzo},
    {"PESCARA", "141342280004", Abruzzo},
    {"TERAMO", "134242400265", Abruzzo},
    {"CAMPOBASSO", "144041340701", Molise},
    {"ISERNIA", "141441360423", Molise},
    {"AVELLINO", "144840550348", Campania},
    {"BENEVENTO", "144741080135", Campania},
    {"CASERTA", "142041040068", Campania},
    {"NAPOLI", "141540510017", Campania},
    {"SALERNO", "144640410004", Campania},
    {"BARI", "165241080005", Puglia},
    {"BRINDISI", "175740380015", Puglia},
    {"FOGGIA", "153341280076", Puglia},
    {"LECCE", "181040210049", Puglia},
    {"TARANTO", "171440280015", Puglia},
    {"MATERA", "163740400401", Basilicata},
    {"POTENZA", "154840380819", Basilicata},
    {"COSENZA", "161539180238", Calabria},
    {"CATANZARO", "163638540320", Calabria},
    {"CROTONE", "170839050008", Calabria},
    {"REGGIO DI CALABRIA", "153938070031", Calabria},
    {"REGGIO CALABRIA", "153938070031", Calabria},
    {"VIBO VALENTIA", "160638410476", Calabria},
    {"AGRIGENTO", "133537190230", Sicilia},
    {"CALTANISETTA", "140437290568", Sicilia},
    {"CATANIA", "150537300007", Sicilia},
    {"ENNA", "141737340931", Sicilia},
    {"MESSINA", "153338120003", Sicilia},
    {"PALERMO", "132238070014", Sicilia},
    {"RAGUSA", "144436560502", Sicilia},
    {"SIRACUSA", "151837040017", Sicilia},
    {"TRAPANI", "123138010003", Sicilia},
    {"CAGLIARI", "090739130006", Sardegna},
    {"NUORO", "092040190546", Sardegna},
    {"ORISTANO", "083639540009", Sardegna},
    {"SASSARI", "083440440225", Sardegna},
    {"CESENA", "121544080044", EmiliaRomagna},
}};

// Every place has a name and a code of 12 digits whose minutes are minutes.
static_assert([] {
  for (const CityRow& row : CityTable) {
    if (row.name.empty() || row.code.size() != 12) return false;
    for (const char c : row.code)
      if (c < '0' || c > '9') return false;
    if (row.code[2] > '5' || row.code[6] > '5') return false;
  }
  return true;
}(), "a place without a name or with a code that is not 12 digits of coordinates");

constexpr bool listed(std::string_view name) {
  return std::any_of(CityTable.begin(), CityTable.end(), [&](const CityRow& row) { return row.name == name; });
}
static_assert(listed("ROMA"), "the almanac's own place");

// Every place keeps a holiday, found by its name, and a place listed under two
// spellings (the same coordinates) keeps one holiday.
constexpr bool patronHolidaysFollowTheCities() {
  const auto& holidays = almanac::PatronHolidays;
  if (holidays.size() != CityTable.size()) return false;
  for (std::size_t i = 0; i < CityTable.size(); ++i) {
    const auto* own = std::find_if(holidays.begin(), holidays.end(),
                                   [&](const almanac::PatronHoliday& h) { return h.city == CityTable[i].name; });
    if (own == holidays.end()) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (CityTable[j].code != CityTable[i].code) continue;
      const auto* other = std::find_if(holidays.begin(), holidays.end(),
                                       [&](const almanac::PatronHoliday& h) { return h.city == CityTable[j].name; });
      if (other->patron != own->patron || other->when != own->when) return false;
    }
  }
  return true;
}
static_assert(patronHolidaysFollowTheCities());

// The places are the capitals of the 103 provinces of 1995-2004, Forlì-Cesena's
// and Massa-Carrara's both, so many in each region; the list gives them region
// by region in ISTAT's order, all but CESENA, added after the islands. A place
// listed under two spellings (the same coordinates) is in one region.
constexpr std::array<std::size_t, 20> PlacesOfRegion{8, 1, 11, 2, 7, 4, 4, 10, 11, 2, 4, 5, 4, 2, 5, 5, 2, 5, 9, 4};
static_assert([] {
  if (CityTable.back().name != "CESENA") return false;
  for (std::size_t i = 1; i + 1 < CityTable.size(); ++i)
    if (CityTable[i].region < CityTable[i - 1].region) return false;
  std::array<std::size_t, 20> places{};
  for (std::size_t i = 0; i < CityTable.size(); ++i) {
    const auto same = std::find_if(CityTable.begin(), CityTable.begin() + static_cast<std::ptrdiff_t>(i),
                                   [&](const CityRow& row) { return row.code == CityTable[i].code; });
    if (same == CityTable.begin() + static_cast<std::ptrdiff_t>(i))
      ++places[static_cast<std::size_t>(CityTable[i].region)];
    else if (same->region != CityTable[i].region)
      return false;
  }
  return places == PlacesOfRegion;
}(), "a place in the wrong region");

double field(std::string_view code, std::size_t at, std::size_t digits) {
  double value = 0;
  for (std::size_t i = at; i < at + digits; ++i) value = value * 10 + (code[i] - '0');
  return value;
}

// Degrees and minutes of longitude east and latitude north, and metres of altitude.
astro::GeoPosition positionOfCode(std::string_view code) {
  return {field(code, 0, 2) + field(code, 2, 2) / 60, field(code, 4, 2) + field(code, 6, 2) / 60, field(code, 8, 4)};
}

// A place's right spelling where the design's table writes it otherwise: typed
// right, it is that row.
struct Spelling {
  std::string_view right, table;
};
constexpr Spelling RightSpellings[] = {{"CALTANISSETTA", "CALTANISETTA"}};
static_assert(std::all_of(std::begin(RightSpellings), std::end(RightSpellings),
                          [](const Spelling& s) { return listed(s.table) && !listed(s.right); }));

}  // namespace

const std::vector<Place>& tablePlaces() {
  static const std::vector<Place> places = [] {
    std::vector<Place> all;
    all.reserve(CityTable.size());
    for (const CityRow& row : CityTable)
      all.push_back({std::string(row.name), positionOfCode(row.code), almanac::patronHolidayOf(row.name),
                     almanac::zoneOf(row.region)});
    return all;
  }();
  return places;
}

std::optional<Place> findPlace(std::string_view name) {
  for (const Place& place : tablePlaces())
    if (place.name == name) return place;
  return std::nullopt;
}

std::optional<Place> findPlaceLoosely(std::string_view typed) {
  if (auto exact = findPlace(typed)) return exact;  // FORLI' is its own row, not FORLÌ's
  const std::string key = searchKey(typed);
  if (key.empty()) return std::nullopt;
  for (const Place& place : tablePlaces())
    if (searchKey(place.name) == key) return place;
  for (const Spelling& spelling : RightSpellings)
    if (searchKey(spelling.right) == key) return findPlace(spelling.table);
  return std::nullopt;
}

const Place& defaultPlace() {
  static const Place rome = findPlace("ROMA").value();
  return rome;
}

std::vector<std::string_view> nearestCities(std::string_view typed, std::size_t count) {
  const std::string key = searchKey(typed);
  std::vector<std::string_view> names;
  std::vector<std::string> seen;
  const auto suggest = [&](std::string_view name) {
    const std::string spelled = searchKey(name);
    if (std::find(seen.begin(), seen.end(), spelled) != seen.end()) return;  // FORLÌ and FORLI'
    seen.push_back(spelled);
    names.push_back(name);
  };
  // Every place a beginning of three letters or more names ("reggio": all four)...
  if (key.size() >= 3)
    for (const CityRow& row : CityTable)
      if (searchKey(row.name).starts_with(key)) suggest(row.name);
  // ...then the names a third of whose letters at most are wrong (one at least).
  std::vector<std::pair<std::size_t, std::size_t>> ranked;  // distance, row
  for (std::size_t i = 0; i < CityTable.size(); ++i) ranked.emplace_back(editDistance(key, searchKey(CityTable[i].name)), i);
  std::stable_sort(ranked.begin(), ranked.end(), [](auto& a, auto& b) { return a.first < b.first; });
  const std::size_t near = std::max<std::size_t>(1, key.size() / 3);
  const std::size_t prefixed = names.size();
  for (const auto& [distance, row] : ranked) {
    if (names.size() >= prefixed + count || distance > near) break;
    suggest(CityTable[row].name);
  }
  return names;
}

}  // namespace app
