// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding the diary's entries as a gardener asks: "pomodoro 2026" is every entry
// of 2026 that speaks of tomatoes, whatever its letters' case and accents, and
// finds "pomodori" too.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/diary_entry.h"

namespace app {

struct DiaryQuery {
  std::vector<std::string> words;  // folded and shortened to their stem: each must be found
  std::optional<int> year;         // a word of four digits
  bool empty() const { return words.empty() && !year; }
  friend bool operator==(const DiaryQuery&, const DiaryQuery&) = default;
};

// The words and the year typed, split at blanks and commas. A word of four digits
// is the year (the first such; the others are words); every other word is folded
// (searchFolded), and a word of four letters or more loses its last vowel, so that
// the singular finds the plural and back ("pomodoro" finds "pomodori").
DiaryQuery parseDiaryQuery(std::string_view typed);

// Text as the search compares it: lower case, the accented letters of Latin
// alphabets without their accents ("Perché" -> "perche"), the typographic
// apostrophe as the plain one; anything else as it is.
std::string searchFolded(std::string_view text);

// The entry's texts (job, plants, where, quantity, note) folded, one a line: what a
// query's words are looked for in.
std::string searchTextOf(const DiaryEntry& entry);

// Whether the entry answers the query: of its year, and with every word in its texts.
bool answers(const DiaryEntry& entry, const DiaryQuery& query);

}  // namespace app
