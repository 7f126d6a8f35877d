// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The feasts of the Italian civil and religious calendar, in the order in which a
// day is tested against them, each with the years in which it is kept.
#include <array>
#include <limits>
#include <span>
#include <string>
#include <string_view>

#include "almanac/movable_feasts.h"

namespace almanac {

// What a day shows once its feasts are decided.
struct FeastOfDay {
  std::string text;      // the saint of the day, or the feast in its place or beside it
  bool boldRed = false;  // the day's row turns bold and red
};

enum class FeastRule {
  FixedDate,          // day `firstDay` of `month`
  SundayWithin,       // a Sunday among days `firstDay`..`lastDay` of `month`
  Movable,            // the day of `feast`, in the month that its March count selects
  PalmSundayNote,     // appends `text` on the Sunday before Easter; no feast
  ShroveTuesdayNote,  // appends `text` on the day of `feast`; no feast
};

// While the March count is at most `upTo`, the movable date falls in `month`.
struct MonthStep {
  int upTo = 0;
  int month = 0;
};

// Inclusive; the default range is empty.
struct YearRange {
  int first = 1;
  int last = 0;
};

inline constexpr int NoEnd = std::numeric_limits<int>::max();

struct FeastEntry {
  std::string_view text;  // the feast's name, or the note appended to the saint
  FeastRule rule = FeastRule::FixedDate;
  int month = 0;
  int firstDay = 0;
  int lastDay = 0;
  MovableFeast feast = MovableFeast::Easter;
  std::array<MonthStep, 3> months{};
  std::array<YearRange, 4> years{};
  bool onlyWhenNothingBefore = false;  // kept only if no earlier entry matched the day

  constexpr bool isNote() const { return rule == FeastRule::PalmSundayNote || rule == FeastRule::ShroveTuesdayNote; }

  constexpr bool appliesIn(int year) const {
    for (const YearRange& r : years)
      if (r.first <= year && year <= r.last) return true;
    return false;
  }

  // Month of the movable date for a March count; 0 when no step covers it.
  constexpr int monthFor(int marchCount) const {
    for (const MonthStep& s : months)
      if (s.month != 0 && marchCount <= s.upTo) return s.month;
    return 0;
  }
};

// The 37 feasts and the two notes, in the order of testing.
inline constexpr std::size_t FeastTableSize = 39;
extern const std::array<FeastEntry, FeastTableSize> FeastTable;

// The decision of feastOfDay over any table in the same form; a month outside
// 1..12 leaves the saint as it is.
FeastOfDay applyFeastTable(std::span<const FeastEntry> table, int day, int month, int year,
                           const MovableFeastDays& feasts, std::string_view saint);

}  // namespace almanac
