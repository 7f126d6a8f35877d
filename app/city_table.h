// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 108 places of the almanac and their coordinate codes.
#include <array>
#include <optional>
#include <string_view>
#include <vector>
#include <string>

namespace app {

struct CityRow {
  std::string_view name;  // UTF-8, capitals with accents and apostrophes
  std::string_view code;  // 12 digits: lon dd mm, lat dd mm, altitude mmmm
};

// Name and code (longitude E dd mm, latitude N dd mm, altitude m) of each place, in list order.
inline constexpr std::array<CityRow, 108> CityTable{{
    {"ALESSANDRIA", "083744550095"},  // 0
    {"ASTI", "081244540123"},  // 1
    {"BIELLA", "080345340420"},  // 2
    {"CUNEO", "073344240534"},  // 3
    {"NOVARA", "083745270159"},  // 4
    {"TORINO", "074145040239"},  // 5
    {"VERBANIA", "083345560197"},  // 6
    {"VERCELLI", "082545200130"},  // 7
    {"AOSTA", "071945440583"},  // 8
    {"BERGAMO", "094045420249"},  // 9
    {"BRESCIA", "101345320149"},  // 10
    {"COMO", "090545480201"},  // 11
    {"CREMONA", "100145080045"},  // 12
    {"LECCO", "092445510214"},  // 13
    {"LODI", "093045190087"},  // 14
    {"MILANO", "091145280122"},  // 15
    {"MANTOVA", "104845090019"},  // 16
    {"PAVIA", "090945110077"},  // 17
    {"SONDRIO", "095246100307"},  // 18
    {"VARESE", "085045490382"},  // 19
    {"BOLZANO", "112146300262"},  // 20
    {"TRENTO", "110746040194"},  // 21
    {"BELLUNO", "121346080383"},  // 22
    {"PADOVA", "115245250012"},  // 23
    {"ROVIGO", "114845040007"},  // 24
    {"TREVISO", "121545400015"},  // 25
    {"VENEZIA", "122045260002"},  // 26
    {"VICENZA", "113345330039"},  // 27
    {"VERONA", "110045270059"},  // 28
    {"GORIZIA", "133745570084"},  // 29
    {"PORDENONE", "124045580024"},  // 30
    {"TRIESTE", "134645390002"},  // 31
    {"UDINE", "131446040113"},  // 32
    {"GENOVA", "085544240019"},  // 33
    {"IMPERIA", "080143530010"},  // 34
    {"LA SPEZIA", "094944070003"},  // 35
    {"SAVONA", "082944180004"},  // 36
    {"BOLOGNA", "112144300054"},  // 37
    {"FERRARA", "113744510009"},  // 38
    {"FORLÌ", "120244140034"},  // 39
    {"FORLI'", "120244140034"},  // 40
    {"MODENA", "105544390034"},  // 41
    {"PIACENZA", "094245030061"},  // 42
    {"PARMA", "102044480057"},  // 43
    {"RAVENNA", "121244250004"},  // 44
    {"REGGIO NELL'EMILIA", "103844420058"},  // 45
    {"REGGIO EMILIA", "103844420058"},  // 46
    {"RIMINI", "123444040005"},  // 47
    {"AREZZO", "115343280296"},  // 48
    {"FIRENZE", "111543460050"},  // 49
    {"GROSSETO", "110742460010"},  // 50
    {"LIVORNO", "101943330003"},  // 51
    {"LUCCA", "103043510019"},  // 52
    {"MASSA", "100944020065"},  // 53
    {"CARRARA", "100644050100"},  // 54
    {"PISA", "102443430004"},  // 55
    {"PRATO", "110643530061"},  // 56
    {"PISTOIA", "105543560067"},  // 57
    {"SIENA", "112043190322"},  // 58
    {"PERUGIA", "122343070493"},  // 59
    {"TERNI", "123942340130"},  // 60
    {"ANCONA", "133143370016"},  // 61
    {"ASCOLI PICENO", "133542510154"},  // 62
    {"MACERATA", "132743180315"},  // 63
    {"PESARO", "125543550011"},  // 64
    {"FROSINONE", "132141380291"},  // 65
    {"LATINA", "125441280021"},  // 66
    {"RIETI", "125242240405"},  // 67
    {"ROMA", "122741550020"},  // 68
    {"VITERBO", "120642250326"},  // 69
    {"L'AQUILA", "132442210714"},  // 70
    {"CHIETI", "141042210330"},  // 71
    {"PESCARA", "141342280004"},  // 72
    {"TERAMO", "134242400265"},  // 73
    {"CAMPOBASSO", "144041340701"},  // 74
    {"ISERNIA", "141441360423"},  // 75
    {"AVELLINO", "144840550348"},  // 76
    {"BENEVENTO", "144741080135"},  // 77
    {"CASERTA", "142041040068"},  // 78
    {"NAPOLI", "141540510017"},  // 79
    {"SALERNO", "144640410004"},  // 80
    {"BARI", "165241080005"},  // 81
    {"BRINDISI", "175740380015"},  // 82
    {"FOGGIA", "153341280076"},  // 83
    {"LECCE", "181040210049"},  // 84
    {"TARANTO", "171440280015"},  // 85
    {"MATERA", "163740400401"},  // 86
    {"POTENZA", "154840380819"},  // 87
    {"COSENZA", "161539180238"},  // 88
    {"CATANZARO", "163638540320"},  // 89
    {"CROTONE", "170839050008"},  // 90
    {"REGGIO DI CALABRIA", "153938070031"},  // 91
    {"REGGIO CALABRIA", "153938070031"},  // 92
    {"VIBO VALENTIA", "160638410476"},  // 93
    {"AGRIGENTO", "133537190230"},  // 94
    {"CALTANISETTA", "140437290568"},  // 95
    {"CATANIA", "150537300007"},  // 96
    {"ENNA", "141737340931"},  // 97
    {"MESSINA", "153338120003"},  // 98
    {"PALERMO", "132238070014"},  // 99
    {"RAGUSA", "144436560502"},  // 100
    {"SIRACUSA", "151837040017"},  // 101
    {"TRAPANI", "123138010003"},  // 102
    {"CAGLIARI", "090739130006"},  // 103
    {"NUORO", "092040190546"},  // 104
    {"ORISTANO", "083639540009"},  // 105
    {"SASSARI", "083440440225"},  // 106
    {"CESENA", "121544080044"},  // 107
}};

// First row whose name equals `name` exactly (case-sensitive), in a list of
// names or in CityTable itself.
std::optional<int> findCity(const std::vector<std::string>& names, std::string_view name);
constexpr std::optional<int> findCity(std::string_view name) {
  for (std::size_t i = 0; i < CityTable.size(); ++i)
    if (CityTable[i].name == name) return static_cast<int>(i);
  return std::nullopt;
}

// Found by name when compiling: a table without ROMA does not build.
inline constexpr int DefaultCity = findCity("ROMA").value();

}  // namespace app
