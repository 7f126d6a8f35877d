// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 108 places of the almanac and their coordinate codes.
#include <array>
#include <optional>
#include <string_view>
#include <vector>
#include <string>

#include "astro/geo_position.h"

namespace app {

struct CityRow {
  std::string_view name;  // UTF-8, capitals with accents and apostrophes
  std::string_view code;  // 12 digits: lon dd mm, lat dd mm, altitude mmmm
};

// Name and code (longitude E dd mm, latitude N dd mm, altitude m) of each place, in list order.
inline constexpr std::array<CityRow, 108> CityTable{{
    {"ALESSANDRIA", "083744550095"},
    {"ASTI", "081244540123"},
    {"BIELLA", "080345340420"},
    {"CUNEO", "073344240534"},
    {"NOVARA", "083745270159"},
    {"TORINO", "074145040239"},
    {"VERBANIA", "083345560197"},
    {"VERCELLI", "082545200130"},
    {"AOSTA", "071945440583"},
    {"BERGAMO", "094045420249"},
    {"BRESCIA", "101345320149"},
    {"COMO", "090545480201"},
    {"CREMONA", "100145080045"},
    {"LECCO", "092445510214"},
    {"LODI", "093045190087"},
    {"MILANO", "091145280122"},
    {"MANTOVA", "104845090019"},
    {"PAVIA", "090945110077"},
    {"SONDRIO", "095246100307"},
    {"VARESE", "085045490382"},
    {"BOLZANO", "112146300262"},
    {"TRENTO", "110746040194"},
    {"BELLUNO", "121346080383"},
    {"PADOVA", "115245250012"},
    {"ROVIGO", "114845040007"},
    {"TREVISO", "121545400015"},
    {"VENEZIA", "122045260002"},
    {"VICENZA", "113345330039"},
    {"VERONA", "110045270059"},
    {"GORIZIA", "133745570084"},
    {"PORDENONE", "124045580024"},
    {"TRIESTE", "134645390002"},
    {"UDINE", "131446040113"},
    {"GENOVA", "085544240019"},
    {"IMPERIA", "080143530010"},
    {"LA SPEZIA", "094944070003"},
    {"SAVONA", "082944180004"},
    {"BOLOGNA", "112144300054"},
    {"FERRARA", "113744510009"},
    {"FORLÌ", "120244140034"},
    {"FORLI'", "120244140034"},
    {"MODENA", "105544390034"},
    {"PIACENZA", "094245030061"},
    {"PARMA", "102044480057"},
    {"RAVENNA", "121244250004"},
    {"REGGIO NELL'EMILIA", "103844420058"},
    {"REGGIO EMILIA", "103844420058"},
    {"RIMINI", "123444040005"},
    {"AREZZO", "115343280296"},
    {"FIRENZE", "111543460050"},
    {"GROSSETO", "110742460010"},
    {"LIVORNO", "101943330003"},
    {"LUCCA", "103043510019"},
    {"MASSA", "100944020065"},
    {"CARRARA", "100644050100"},
    {"PISA", "102443430004"},
    {"PRATO", "110643530061"},
    {"PISTOIA", "105543560067"},
    {"SIENA", "112043190322"},
    {"PERUGIA", "122343070493"},
    {"TERNI", "123942340130"},
    {"ANCONA", "133143370016"},
    {"ASCOLI PICENO", "133542510154"},
    {"MACERATA", "132743180315"},
    {"PESARO", "125543550011"},
    {"FROSINONE", "132141380291"},
    {"LATINA", "125441280021"},
    {"RIETI", "125242240405"},
    {"ROMA", "122741550020"},
    {"VITERBO", "120642250326"},
    {"L'AQUILA", "132442210714"},
    {"CHIETI", "141042210330"},
    {"PESCARA", "141342280004"},
    {"TERAMO", "134242400265"},
    {"CAMPOBASSO", "144041340701"},
    {"ISERNIA", "141441360423"},
    {"AVELLINO", "144840550348"},
    {"BENEVENTO", "144741080135"},
    {"CASERTA", "142041040068"},
    {"NAPOLI", "141540510017"},
    {"SALERNO", "144640410004"},
    {"BARI", "165241080005"},
    {"BRINDISI", "175740380015"},
    {"FOGGIA", "153341280076"},
    {"LECCE", "181040210049"},
    {"TARANTO", "171440280015"},
    {"MATERA", "163740400401"},
    {"POTENZA", "154840380819"},
    {"COSENZA", "161539180238"},
    {"CATANZARO", "163638540320"},
    {"CROTONE", "170839050008"},
    {"REGGIO DI CALABRIA", "153938070031"},
    {"REGGIO CALABRIA", "153938070031"},
    {"VIBO VALENTIA", "160638410476"},
    {"AGRIGENTO", "133537190230"},
    {"CALTANISETTA", "140437290568"},
    {"CATANIA", "150537300007"},
    {"ENNA", "141737340931"},
    {"MESSINA", "153338120003"},
    {"PALERMO", "132238070014"},
    {"RAGUSA", "144436560502"},
    {"SIRACUSA", "151837040017"},
    {"TRAPANI", "123138010003"},
    {"CAGLIARI", "090739130006"},
    {"NUORO", "092040190546"},
    {"ORISTANO", "083639540009"},
    {"SASSARI", "083440440225"},
    {"CESENA", "121544080044"},
}};

// First row whose name equals `name` exactly (case-sensitive), in a list of
// names or in CityTable itself.
std::optional<int> findCity(const std::vector<std::string>& names, std::string_view name);
constexpr std::optional<int> findCity(std::string_view name) {
  for (std::size_t i = 0; i < CityTable.size(); ++i)
    if (CityTable[i].name == name) return static_cast<int>(i);
  return std::nullopt;
}

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

// The place a 12-digit code names: longitude degrees and minutes, latitude
// degrees and minutes, altitude in metres; a missing or non-digit character
// counts as 0.
astro::GeoPosition positionOfCityCode(std::string_view code);

// A place as a gardener may type it: without regard to case, accents, apostrophes
// and blanks ("Milano", "forlì", "FORLI", "Reggio Emilia"); the first row that
// matches.
std::optional<int> findCityLoosely(std::string_view typed);

// The names of the table near what was typed (a third of its letters wrong at
// most), nearest first, at most `count`, each spelling once: the suggestions for
// a name that matches none.
std::vector<std::string_view> nearestCities(std::string_view typed, std::size_t count);

// Found by name when compiling: a table without ROMA does not build.
inline constexpr int DefaultCity = findCity("ROMA").value();

}  // namespace app
