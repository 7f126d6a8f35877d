// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The local holiday of each of the 108 places: the day of the city's patron, on
// which schools and offices close, or for BOLZANO the province's Whit Monday.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "almanac/movable_feasts.h"

namespace almanac {

// The word a sentence about the holiday uses for whom it honours.
enum class PatronTitle {
  Patrono,    // one saint: "S.Ambrogio, patrono di Milano"
  Patrona,    // one woman saint or the Virgin: "S.Rosalia, patrona di Palermo"
  Patroni,    // several saints: "SS.Pietro e Paolo, patroni di Roma"
  Provincia,  // a day the province keeps in place of the patron's
  OwnFeast,   // the day a gardener keeps for a place the list does not hold: `patron` says it all
};

enum class PatronRule {
  FixedDate,     // `day` of `month`
  FirstWeekday,  // the first `weekday` (1 = Sunday ... 7 = Saturday) of `month`
  AfterEaster,   // `day` days after Easter Sunday
};

struct PatronDay {
  PatronRule rule = PatronRule::FixedDate;
  int day = 0;
  int month = 0;
  int weekday = 0;
  friend constexpr bool operator==(const PatronDay&, const PatronDay&) = default;
};

struct PatronHoliday {
  std::string_view city;    // the place's name as the almanac's list of places spells it
  std::string_view patron;  // as the saint list writes it: "S.Ambrogio"
  PatronTitle title = PatronTitle::Patrono;
  std::string_view ofCity;  // the place as a sentence names it: "di Milano", "dell'Aquila"
  PatronDay when;
  friend constexpr bool operator==(const PatronHoliday&, const PatronHoliday&) = default;
};

namespace patron_rows {

using enum PatronTitle;
inline constexpr int Sunday = 1;
inline constexpr int Tuesday = 3;

constexpr PatronDay on(int day, int month) { return {PatronRule::FixedDate, day, month, 0}; }
constexpr PatronDay firstWeekday(int weekday, int month) { return {PatronRule::FirstWeekday, 0, month, weekday}; }
constexpr PatronDay afterEaster(int days) { return {PatronRule::AfterEaster, days, 0, 0}; }

// In the order of the almanac's list of places; the places it lists under two spellings keep
// one holiday. BOLZANO keeps Whit Monday (Easter + 50 days) for the whole province.
// A patron the saint list names on the same day is written as the list writes it
// (S.Nicola, not S.Nicolò; S.Giacomo, not S.Jacopo), so the day names it once; the
// sentences spell the places as Italian does ("di Caltanissetta").
inline constexpr std::array<PatronHoliday, 108> Rows{{
    {"ALESSANDRIA", "S.Baudolino", Patrono, "di Alessandria", on(10, 11)},
    {"ASTI", "S.Secondo", Patrono, "di Asti", firstWeekday(Tuesday, 5)},
    {"BIELLA", "S.Stefano", Patrono, "di Biella", on(26, 12)},
    {"CUNEO", "S.Michele Arcangelo", Patrono, "di Cuneo", on(29, 9)},
    {"NOVARA", "S.Gaudenzio", Patrono, "di Novara", on(22, 1)},
    {"TORINO", "S.Giovanni Battista", Patrono, "di Torino", on(24, 6)},
    {"VERBANIA", "S.Vittore", Patrono, "di Verbania", on(8, 5)},
    {"VERCELLI", "S.Eusebio", Patrono, "di Vercelli", on(1, 8)},
    {"AOSTA", "S.Grato", Patrono, "di Aosta", on(7, 9)},
    {"BERGAMO", "S.Alessandro", Patrono, "di Bergamo", on(26, 8)},
    {"BRESCIA", "SS.Faustino e Giovita", Patroni, "di Brescia", on(15, 2)},
    {"COMO", "S.Abbondio", Patrono, "di Como", on(31, 8)},
    {"CREMONA", "S.Omobono", Patrono, "di Cremona", on(13, 11)},
    {"LECCO", "S.Nicola", Patrono, "di Lecco", on(6, 12)},
    {"LODI", "S.Bassiano", Patrono, "di Lodi", on(19, 1)},
    {"MILANO", "S.Ambrogio", Patrono, "di Milano", on(7, 12)},
    {"MANTOVA", "S.Anselmo", Patrono, "di Mantova", on(18, 3)},
    {"PAVIA", "S.Siro", Patrono, "di Pavia", on(9, 12)},
    {"SONDRIO", "SS.Gervasio e Protasio", Patroni, "di Sondrio", on(19, 6)},
    {"VARESE", "S.Vittore", Patrono, "di Varese", on(8, 5)},
    {"BOLZANO", "Lunedì di Pentecoste", Provincia, "di Bolzano", afterEaster(50)},
    {"TRENTO", "S.Vigilio", Patrono, "di Trento", on(26, 6)},
    {"BELLUNO", "S.Martino", Patrono, "di Belluno", on(11, 11)},
    {"PADOVA", "S.Antonio da Padova", Patrono, "di Padova", on(13, 6)},
    {"ROVIGO", "S.Bellino", Patrono, "di Rovigo", on(26, 11)},
    {"TREVISO", "S.Liberale", Patrono, "di Treviso", on(27, 4)},
    {"VENEZIA", "S.Marco", Patrono, "di Venezia", on(25, 4)},
    {"VICENZA", "Madonna di Monte Berico", Patrona, "di Vicenza", on(8, 9)},
    {"VERONA", "S.Zeno", Patrono, "di Verona", on(21, 5)},
    {"GORIZIA", "SS.Ilario e Taziano", Patroni, "di Gorizia", on(16, 3)},
    {"PORDENONE", "Madonna delle Grazie", Patrona, "di Pordenone", on(8, 9)},
    {"TRIESTE", "S.Giusto", Patrono, "di Trieste", on(3, 11)},
    {"UDINE", "SS.Ermacora e Fortunato", Patroni, "di Udine", on(12, 7)},
    {"GENOVA", "S.Giovanni Battista", Patrono, "di Genova", on(24, 6)},
    {"IMPERIA", "S.Leonardo da Porto Maurizio", Patrono, "di Imperia", on(26, 11)},
    {"LA SPEZIA", "S.Giuseppe", Patrono, "della Spezia", on(19, 3)},
    {"SAVONA", "N.S. della Misericordia", Patrona, "di Savona", on(18, 3)},
    {"BOLOGNA", "S.Petronio", Patrono, "di Bologna", on(4, 10)},
    {"FERRARA", "S.Giorgio", Patrono, "di Ferrara", on(23, 4)},
    {"FORLÌ", "Madonna del Fuoco", Patrona, "di Forlì", on(4, 2)},
    {"FORLI'", "Madonna del Fuoco", Patrona, "di Forlì", on(4, 2)},
    {"MODENA", "S.Geminiano", Patrono, "di Modena", on(31, 1)},
    {"PIACENZA", "S.Antonino", Patrono, "di Piacenza", on(4, 7)},
    {"PARMA", "S.Ilario", Patrono, "di Parma", on(13, 1)},
    {"RAVENNA", "S.Apollinare", Patrono, "di Ravenna", on(23, 7)},
    {"REGGIO NELL'EMILIA", "S.Prospero", Patrono, "di Reggio nell'Emilia", on(24, 11)},
    {"REGGIO EMILIA", "S.Prospero", Patrono, "di Reggio Emilia", on(24, 11)},
    {"RIMINI", "S.Gaudenzo", Patrono, "di Rimini", on(14, 10)},
    {"AREZZO", "S.Donato", Patrono, "di Arezzo", on(7, 8)},
    {"FIRENZE", "S.Giovanni Battista", Patrono, "di Firenze", on(24, 6)},
    {"GROSSETO", "S.Lorenzo", Patrono, "di Grosseto", on(10, 8)},
    {"LIVORNO", "S.Giulia", Patrona, "di Livorno", on(22, 5)},
    {"LUCCA", "S.Paolino", Patrono, "di Lucca", on(12, 7)},
    {"MASSA", "S.Francesco d'Assisi", Patrono, "di Massa", on(4, 10)},
    {"CARRARA", "S.Ceccardo", Patrono, "di Carrara", on(16, 6)},
    {"PISA", "S.Ranieri", Patrono, "di Pisa", on(17, 6)},
    {"PRATO", "S.Stefano", Patrono, "di Prato", on(26, 12)},
    {"PISTOIA", "S.Giacomo", Patrono, "di Pistoia", on(25, 7)},
    {"SIENA", "S.Ansano", Patrono, "di Siena", on(1, 12)},
    {"PERUGIA", "S.Costanzo", Patrono, "di Perugia", on(29, 1)},
    {"TERNI", "S.Valentino", Patrono, "di Terni", on(14, 2)},
    {"ANCONA", "S.Ciriaco", Patrono, "di Ancona", on(4, 5)},
    {"ASCOLI PICENO", "S.Emidio", Patrono, "di Ascoli Piceno", on(5, 8)},
    {"MACERATA", "S.Giuliano l'Ospitaliere", Patrono, "di Macerata", on(31, 8)},
    {"PESARO", "S.Terenzio", Patrono, "di Pesaro", on(24, 9)},
    {"FROSINONE", "SS.Silverio e Ormisda", Patroni, "di Frosinone", on(20, 6)},
    {"LATINA", "S.Maria Goretti", Patrona, "di Latina", on(6, 7)},
    {"RIETI", "S.Barbara", Patrona, "di Rieti", on(4, 12)},
    {"ROMA", "SS.Pietro e Paolo", Patroni, "di Roma", on(29, 6)},
    {"VITERBO", "S.Rosa", Patrona, "di Viterbo", on(4, 9)},
    {"L'AQUILA", "S.Massimo d'Aveia", Patrono, "dell'Aquila", on(10, 6)},
    {"CHIETI", "S.Giustino", Patrono, "di Chieti", on(11, 5)},
    {"PESCARA", "S.Cetteo", Patrono, "di Pescara", on(10, 10)},
    {"TERAMO", "S.Berardo", Patrono, "di Teramo", on(19, 12)},
    {"CAMPOBASSO", "S.Giorgio", Patrono, "di Campobasso", on(23, 4)},
    {"ISERNIA", "S.Pietro Celestino", Patrono, "di Isernia", on(19, 5)},
    {"AVELLINO", "S.Modestino", Patrono, "di Avellino", on(14, 2)},
    {"BENEVENTO", "S.Bartolomeo", Patrono, "di Benevento", on(24, 8)},
    {"CASERTA", "S.Sebastiano", Patrono, "di Caserta", on(20, 1)},
    {"NAPOLI", "S.Gennaro", Patrono, "di Napoli", on(19, 9)},
    {"SALERNO", "S.Matteo", Patrono, "di Salerno", on(21, 9)},
    {"BARI", "S.Nicola", Patrono, "di Bari", on(6, 12)},
    {"BRINDISI", "SS.Teodoro e Lorenzo", Patroni, "di Brindisi", firstWeekday(Sunday, 9)},
    {"FOGGIA", "Madonna dei Sette Veli", Patrona, "di Foggia", on(22, 3)},
    {"LECCE", "S.Oronzo", Patrono, "di Lecce", on(26, 8)},
    {"TARANTO", "S.Cataldo", Patrono, "di Taranto", on(10, 5)},
    {"MATERA", "Madonna della Bruna", Patrona, "di Matera", on(2, 7)},
    {"POTENZA", "S.Gerardo", Patrono, "di Potenza", on(30, 5)},
    {"COSENZA", "Madonna del Pilerio", Patrona, "di Cosenza", on(12, 2)},
    {"CATANZARO", "S.Vitaliano", Patrono, "di Catanzaro", on(16, 7)},
    {"CROTONE", "S.Dionigi", Patrono, "di Crotone", on(9, 10)},
    {"REGGIO DI CALABRIA", "S.Giorgio", Patrono, "di Reggio di Calabria", on(23, 4)},
    {"REGGIO CALABRIA", "S.Giorgio", Patrono, "di Reggio Calabria", on(23, 4)},
    {"VIBO VALENTIA", "S.Leoluca", Patrono, "di Vibo Valentia", on(1, 3)},
    {"AGRIGENTO", "S.Gerlando", Patrono, "di Agrigento", on(25, 2)},
    {"CALTANISETTA", "S.Michele Arcangelo", Patrono, "di Caltanissetta", on(29, 9)},
    {"CATANIA", "S.Agata", Patrona, "di Catania", on(5, 2)},
    {"ENNA", "Madonna della Visitazione", Patrona, "di Enna", on(2, 7)},
    {"MESSINA", "Madonna della Lettera", Patrona, "di Messina", on(3, 6)},
    {"PALERMO", "S.Rosalia", Patrona, "di Palermo", on(15, 7)},
    {"RAGUSA", "S.Giovanni Battista", Patrono, "di Ragusa", on(29, 8)},
    {"SIRACUSA", "S.Lucia", Patrona, "di Siracusa", on(13, 12)},
    {"TRAPANI", "S.Alberto degli Abati", Patrono, "di Trapani", on(7, 8)},
    {"CAGLIARI", "S.Saturnino", Patrono, "di Cagliari", on(30, 10)},
    {"NUORO", "N.S. della Neve", Patrona, "di Nuoro", on(5, 8)},
    {"ORISTANO", "S.Archelao", Patrono, "di Oristano", on(13, 2)},
    {"SASSARI", "S.Nicola", Patrono, "di Sassari", on(6, 12)},
    {"CESENA", "S.Giovanni Battista", Patrono, "di Cesena", on(24, 6)},
}};

}  // namespace patron_rows

inline constexpr const std::array<PatronHoliday, 108>& PatronHolidays = patron_rows::Rows;

// The holiday as the day shows it.
struct PatronHolidayOfDay {
  std::string_view patron;  // "S.Ambrogio"; "Lunedì di Pentecoste" for BOLZANO
  PatronTitle title = PatronTitle::Patrono;
  std::string text;  // "patrono di Milano"; "festa della provincia di Bolzano"
};

// The holiday the place of that name keeps; none for a name the table does not list.
std::optional<PatronHoliday> patronHolidayOf(std::string_view city);

// The holiday falling on the day, within 1900..9999; `feasts` must be movableFeasts(year).
std::optional<PatronHolidayOfDay> patronHolidayOn(const PatronHoliday& holiday, int day, int month, int year,
                                                  const MovableFeastDays& feasts);

// The saint label of a local holiday: `dayText` (the saint or the national feast
// that feastOfDay decided, notes included) is kept, then the patron unless the
// day's text already names it, then the title:
//   "S.Ambrogio, patrono di Milano", "Liberazione - S.Marco, patrono di Venezia".
// Without a holiday, `dayText` as it is.
std::string patronHolidayText(std::string_view dayText, const std::optional<PatronHolidayOfDay>& holiday);

}  // namespace almanac
