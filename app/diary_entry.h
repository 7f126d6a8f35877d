// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One line of the gardener's diary: what was done, to which plants, where, how
// much, a note, and the day it is to be remembered again; the day written as
// AAAA-MM-GG, and the moon the work was done under.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/italian_words.h"
#include "app/month_sheet.h"
#include "calendar/calendar.h"

namespace app {

struct DiaryEntry {
  std::int64_t id = 0;  // the diary's own number for it; 0 until it is kept
  calendar::Date day;   // the day the work was done
  std::string job;      // "Semina", or the gardener's own words
  std::string plants;   // "pomodoro San Marzano, basilico"
  std::string where;    // "aiuola 2", "vaso sul balcone"
  std::string quantity; // "30 semi", "2 file"
  std::string note;     // free text, of several lines if need be
  std::optional<calendar::Date> reminder;  // the day to be reminded of it
  bool reminderDone = false;               // the reminder was dismissed
  friend bool operator==(const DiaryEntry&, const DiaryEntry&) = default;
};

// The longest text a field may hold, in bytes: a diary line, not a book.
inline constexpr std::size_t LongestDiaryField = 10'000;

// "2026-03-12": four digits of year, two of month, two of day.
std::string isoDate(const calendar::Date& date);

// A real date of years 1..9999 written exactly as AAAA-MM-GG; nothing for anything else.
std::optional<calendar::Date> parseIsoDate(std::string_view text);

// Why the entry cannot be kept, in a few Italian words; empty when it can. An
// entry needs a real day and something written (a job, plants or a note); its
// texts are UTF-8 without control characters but for the note's line breaks and tabs.
std::string entryProblem(const DiaryEntry& entry);

// The day as a gardener says it: "12 marzo 2026".
std::string dayWords(const calendar::Date& date);

// The entry in one line, its parts as written: "Semina: pomodoro, basilico; aiuola 2; 30 semi".
std::string entrySummary(const DiaryEntry& entry);

// The moon a day's work was done under, as the month's sheet marks that day: the
// phase on a day of a principal phase ("Luna piena", "Primo quarto"), else "Luna
// crescente" or "Luna calante". Each month is worked out once.
class DiaryMoons {
 public:
  explicit DiaryMoons(const Reckoning& reckoning = {}) : reckoning_(reckoning) {}
  std::string wordsOf(const calendar::Date& day);

 private:
  struct MonthMarks {
    std::array<PhaseMark, 32> marks{};
    std::array<int, 32> icons{};
  };
  Reckoning reckoning_;
  std::map<std::pair<int, int>, MonthMarks> months_;
};

}  // namespace app
