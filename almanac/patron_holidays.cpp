// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/patron_holidays.h"

#include "calendar/calendar.h"

namespace almanac {
namespace {

// The table is complete, in row order, and every rule names a day that exists in
// every year (no 29 February), so no place silently loses its holiday.
constexpr bool rowsAreWellFormed() {
  for (std::size_t i = 0; i < PatronHolidays.size(); ++i) {
    const PatronHoliday& h = PatronHolidays[i];
    if (h.city.empty() || h.patron.empty()) return false;
    for (std::size_t j = 0; j < i; ++j)
      if (PatronHolidays[j].city == h.city) return false;  // one holiday a name
    if (!h.ofCity.starts_with("di ") && !h.ofCity.starts_with("del")) return false;
    if (h.patron.starts_with("SS.") != (h.title == PatronTitle::Patroni)) return false;
    const PatronDay& w = h.when;
    switch (w.rule) {
      case PatronRule::FixedDate:
        if (w.month < 1 || w.month > 12) return false;
        if (w.day < 1 || w.day > calendar::MonthLengths[static_cast<std::size_t>(w.month - 1)]) return false;
        break;
      case PatronRule::FirstWeekday:
        if (w.month < 1 || w.month > 12 || w.weekday < 1 || w.weekday > 7) return false;
        break;
      case PatronRule::AfterEaster:
        if (w.day < 0 || w.day > 180) return false;
        break;
    }
  }
  return true;
}
static_assert(rowsAreWellFormed());

constexpr int FirstYear = 1900;  // as the civil feasts
constexpr int LastYear = 9999;

// The day `days` after Easter Sunday, which is day easterMarchDay counted from 1 March.
calendar::Date afterEaster(int days, int year, const MovableFeastDays& feasts) {
  return calendar::addDays({1, 3, year}, feasts.easterMarchDay - 1 + days);
}

bool falls(const PatronDay& w, int day, int month, int year, const MovableFeastDays& feasts) {
  switch (w.rule) {
    case PatronRule::FixedDate:
      return day == w.day && month == w.month;
    case PatronRule::FirstWeekday:
      return month == w.month && day >= 1 && day <= 7 && calendar::weekday(day, month, year) == w.weekday;
    case PatronRule::AfterEaster:
      return afterEaster(w.day, year, feasts) == calendar::Date{day, month, year};
  }
  return false;
}

const char* wordOf(PatronTitle title) {
  switch (title) {
    case PatronTitle::Patrono: return "patrono";
    case PatronTitle::Patrona: return "patrona";
    case PatronTitle::Patroni: return "patroni";
    case PatronTitle::Provincia: return "festa della provincia";
    case PatronTitle::OwnFeast: return "";
  }
  return "";
}

// The name without the saint's mark: "SS.Pietro e Paolo" -> "Pietro e Paolo".
std::string_view withoutMark(std::string_view name) {
  if (name.starts_with("SS.")) name.remove_prefix(3);
  else if (name.starts_with("S.")) name.remove_prefix(2);
  while (name.starts_with(' ')) name.remove_prefix(1);
  return name;
}

// The next word, without a comma after it; a shortened word ends at its full
// stop ("Giov.Battista").
std::string_view nextWord(std::string_view& text) {
  std::size_t end = text.find_first_of(" .,");
  if (end != std::string_view::npos && text[end] == '.') ++end;
  const std::string_view word = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end);
  while (text.starts_with(' ') || text.starts_with(',')) text.remove_prefix(1);
  return word;
}

// Equal words, or a shortened word ("Giov.", "C.") and a word it begins.
bool sameWord(std::string_view a, std::string_view b) {
  if (a == b) return true;
  if (a.size() > b.size()) std::swap(a, b);
  return a.size() > 1 && a.ends_with('.') && b.starts_with(a.substr(0, a.size() - 1));
}

// The day's text already names the patron when, leaving the "S."/"SS." aside,
// one begins with the other word by word ("S.Martino di Tours" and "S.Martino",
// "S.Pietro e Paolo" and "SS.Pietro e Paolo", "S.Massimo" and "S.Massimo d'Aveia").
// A day that names fewer words never stands for several patrons ("S.Silverio").
// The saint list also gives a saint's popular name: "(San Valentino)".
bool namesPatronFrom(std::string_view dayText, std::string_view patron, PatronTitle title) {
  std::string_view day = withoutMark(dayText);
  std::string_view saint = withoutMark(patron);
  while (!day.empty() && !saint.empty())
    if (!sameWord(nextWord(day), nextWord(saint))) return false;
  return !(day.empty() && !saint.empty() && title == PatronTitle::Patroni);
}

// Also where the feast of the saint names it after a word of its own:
// "Natività S.Giov. Battista", "Martirio S.Giov.Battista".
bool namesPatron(std::string_view dayText, std::string_view patron, PatronTitle title) {
  if (dayText.find("(San " + std::string(withoutMark(patron)) + ")") != std::string_view::npos) return true;
  if (namesPatronFrom(dayText, patron, title)) return true;
  const std::size_t saint = dayText.find(" S.");
  return saint != std::string_view::npos && dayText.find(" - ") == std::string_view::npos &&
         namesPatronFrom(dayText.substr(saint + 1), patron, title);
}

}  // namespace

std::optional<PatronHoliday> patronHolidayOf(std::string_view city) {
  for (const PatronHoliday& h : PatronHolidays)
    if (h.city == city) return h;
  return std::nullopt;
}

std::optional<PatronHolidayOfDay> patronHolidayOn(const PatronHoliday& h, int day, int month, int year,
                                                  const MovableFeastDays& feasts) {
  if (year < FirstYear || year > LastYear || month < 1 || month > 12) return std::nullopt;
  if (!falls(h.when, day, month, year, feasts)) return std::nullopt;
  const std::string text = h.title == PatronTitle::OwnFeast ? "" : std::string(wordOf(h.title)) + " " + std::string(h.ofCity);
  return PatronHolidayOfDay{h.patron, h.title, text};
}

std::string patronHolidayText(std::string_view dayText, const std::optional<PatronHolidayOfDay>& holiday) {
  std::string text(dayText);
  if (!holiday) return text;
  if (text.empty() || !namesPatron(dayText, holiday->patron, holiday->title)) {
    if (!text.empty()) text += " - ";
    text += holiday->patron;
  } else if (const std::string word = std::string(wordOf(holiday->title)) + " ";
             text.ends_with(", " + word + "d'Italia") && holiday->text.starts_with(word)) {
    // The patron of Italy who is the place's too: "patrono d'Italia e di Massa".
    return text + " e " + holiday->text.substr(word.size());
  }
  return holiday->text.empty() ? text : text + ", " + holiday->text;
}

}  // namespace almanac
