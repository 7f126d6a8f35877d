// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/feast_table.h"

#include "calendar/calendar.h"

namespace almanac {
namespace {

using enum MovableFeast;

constexpr std::array<YearRange, 4> years(YearRange a, YearRange b = {}, YearRange c = {}, YearRange d = {}) {
  return {a, b, c, d};
}

constexpr std::array<MonthStep, 3> months(MonthStep a, MonthStep b, MonthStep c = {}) { return {a, b, c}; }

constexpr FeastEntry fixedDate(std::string_view text, int day, int month, std::array<YearRange, 4> in) {
  FeastEntry e;
  e.text = text;
  e.rule = FeastRule::FixedDate;
  e.month = month;
  e.firstDay = e.lastDay = day;
  e.years = in;
  return e;
}

constexpr FeastEntry sundayWithin(std::string_view text, int firstDay, int lastDay, int month,
                                  std::array<YearRange, 4> in) {
  FeastEntry e = fixedDate(text, firstDay, month, in);
  e.rule = FeastRule::SundayWithin;
  e.lastDay = lastDay;
  return e;
}

constexpr FeastEntry movable(std::string_view text, MovableFeast feast, std::array<MonthStep, 3> by,
                             std::array<YearRange, 4> in) {
  FeastEntry e;
  e.text = text;
  e.rule = FeastRule::Movable;
  e.feast = feast;
  e.months = by;
  e.years = in;
  return e;
}

constexpr FeastEntry note(FeastRule rule, std::string_view text, MovableFeast feast, std::array<MonthStep, 3> by,
                          std::array<YearRange, 4> in) {
  FeastEntry e = movable(text, feast, by, in);
  e.rule = rule;
  return e;
}

constexpr FeastEntry onlyWhenNothingBefore(FeastEntry e) {
  e.onlyWhenNothingBefore = true;
  return e;
}

constexpr int AnyYear = std::numeric_limits<int>::min();

}  // namespace

// Easter Sunday, the first Sunday of Lent, Easter Monday, New Year and the
// Epiphany are kept only within 1900..4099, on top of their own years; so is the
// Palm Sunday note, which points at Easter Sunday seven days on.
constexpr std::array<FeastEntry, FeastTableSize> FeastTable{
    movable("Pasqua", JulianEaster, months({31, 3}, {56, 4}), years({326, 1582})),
    movable("Pasqua", Easter, months({31, 3}, {56, 4}), years({1900, 4099})),
    note(FeastRule::PalmSundayNote, " (Domenica Delle Palme)", Easter, months({31, 3}, {56, 4}), years({1900, 4099})),
    movable("I di Quaresima", LentSunday, months({42, 2}, {56, 3}), years({1900, 4099})),
    movable("Lunedì dell'Angelo", EasterMonday, months({30, 3}, {56, 4}), years({1949, 4099})),
    fixedDate("Capodanno", 1, 1, years({1900, 4099})),
    fixedDate("Epifania", 6, 1, years({1900, 1976}, {1986, 4099})),
    // Ascension on 30 April (Easter on 22 March) never falls within these years.
    movable("Ascensione", Ascension, months({22, 4}, {53, 5}, {56, 6}), years({1900, 1976})),
    movable("Ascensione", AscensionSunday, months({50, 5}, {56, 6}), years({1977, NoEnd})),
    movable("Pentecoste", Pentecost, months({43, 5}, {56, 6}), years({1900, NoEnd})),
    movable("SS.Trinità", Trinity, months({36, 5}, {56, 6}), years({1900, NoEnd})),
    movable("Corpus Domini", CorpusDomini, months({32, 5}, {56, 6}), years({1900, 1913}, {1924, 1976})),
    movable("Corpus Domini", CorpusDominiSunday, months({29, 5}, {56, 6}), years({1977, NoEnd})),
    movable("S.Cuore di Gesù", SacredHeart, months({24, 5}, {54, 6}, {56, 7}), years({1900, NoEnd})),
    fixedDate("Purificazione M.V", 2, 2, years({1900, 1913})),
    fixedDate("Festa del Lavoro", 1, 5, years({1946, NoEnd})),
    fixedDate("Festa della Repubblica", 2, 6, years({1947, 1947}, {1949, 1976}, {1986, 1986}, {2001, NoEnd})),
    sundayWithin("Festa della Repubblica", 1, 7, 6, years({1977, 1985}, {1987, 2000})),
    sundayWithin("Festa dello Statuto", 1, 7, 6, years({1900, 1943})),
    fixedDate("Tutti i Santi", 1, 11, years({1900, NoEnd})),
    fixedDate("Battaglia V.Veneto", 4, 11, years({1922, 1930})),
    fixedDate("Ann.Vittoria", 4, 11, years({1931, 1976})),
    fixedDate("S.Giuseppe", 19, 3, years({1929, 1976})),
    fixedDate("Natali Roma", 21, 4, years({1923, 1943})),
    fixedDate("Liberazione", 25, 4, years({1946, NoEnd})),
    fixedDate("Vittoria in Europa", 8, 5, years({1946, 1948})),
    fixedDate("S.Pietro e Paolo", 29, 6, years({1900, 1913}, {1924, 1976})),
    fixedDate("Assunzione M.Vergine (Ferragosto)", 15, 8, years({1900, NoEnd})),
    fixedDate("Natività M.V.", 8, 9, years({1900, 1913})),
    fixedDate("Ann.Porta Pia", 20, 9, years({1900, 1930})),
    // Law 151 of 8 October 2025 makes the feast a national holiday again from 2026.
    fixedDate("S.Francesco d'Assisi, patrono d'Italia", 4, 10, years({2026, NoEnd})),
    fixedDate("Ann.Marcia su Roma", 28, 10, years({1931, 1942})),
    sundayWithin("Festa Forze Armate", 2, 7, 11, years({1977, 2000})),
    sundayWithin("Festa Unità Nazionale", 2, 7, 11, years({2001, NoEnd})),
    fixedDate("Immacolata Concezione", 8, 12, years({1900, 1913}, {1924, NoEnd})),
    fixedDate("Natale", 25, 12, years({1900, NoEnd})),
    fixedDate("S.Stefano", 26, 12, years({1949, NoEnd})),
    onlyWhenNothingBefore(sundayWithin("Battesimo di Gesù", 7, 13, 1, years({1970, NoEnd}))),
    note(FeastRule::ShroveTuesdayNote, " - (Martedì Grasso)", ShroveTuesday, months({47, 2}, {56, 3}),
         years({AnyYear, NoEnd})),
};

namespace {

// A table longer than its rows would end in empty entries that match nothing,
// and a day past its month's end would never be kept: both are refused here.
constexpr bool everyEntryIsWritten() {
  for (const FeastEntry& e : FeastTable) {
    if (e.text.empty()) return false;
    if (e.rule != FeastRule::FixedDate && e.rule != FeastRule::SundayWithin) continue;
    if (e.month < 1 || e.month > 12) return false;
    const int length = e.month == 2 ? 29 : calendar::MonthLengths[static_cast<std::size_t>(e.month - 1)];
    if (e.firstDay < 1 || e.firstDay > e.lastDay || e.lastDay > length) return false;
  }
  return true;
}
static_assert(everyEntryIsWritten());

}  // namespace

}  // namespace almanac
