// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diary_search.h"

#include <algorithm>

#include "encoding/text_encoding.h"

namespace app {

namespace {

// The plain letters of U+00C0..U+00FF, lower case; "" for the two signs there (× ÷).
constexpr const char* Latin1Letters[64] = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",   // À..Ï
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",  // Ð..ß
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",   // à..ï
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",   // ð..ÿ
};

bool isVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

}  // namespace

std::string searchFolded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t start = i;
    const auto c = encoding::nextUtf8(text, i);
    if (!c) {
      out += text[i++];  // a byte that is not UTF-8 stays as it is
      continue;
    }
    if (*c >= 'A' && *c <= 'Z')
      out += static_cast<char>(*c - 'A' + 'a');
    else if (*c >= 0xC0 && *c <= 0xFF && Latin1Letters[*c - 0xC0][0] != '\0')
      out += Latin1Letters[*c - 0xC0];
    else if (*c == 0x2019 || *c == 0x2018)
      out += '\'';
    else
      out.append(text.substr(start, i - start));
  }
  return out;
}

DiaryQuery parseDiaryQuery(std::string_view typed) {
  DiaryQuery query;
  std::size_t i = 0;
  while (i < typed.size()) {
    const std::size_t start = typed.find_first_not_of(" \t\r\n,", i);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(typed.find_first_of(" \t\r\n,", start), typed.size());
    const std::string_view word = typed.substr(start, end - start);
    i = end;
    const bool fourDigits = word.size() == 4 && std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (fourDigits && !query.year && word != "0000") {
      query.year = std::stoi(std::string(word));
      continue;
    }
    std::string folded = searchFolded(word);
    if (folded.size() >= 4 && isVowel(folded.back())) folded.pop_back();
    if (std::find(query.words.begin(), query.words.end(), folded) == query.words.end()) query.words.push_back(folded);
  }
  return query;
}

std::string searchTextOf(const DiaryEntry& entry) {
  return searchFolded(entry.job + "\n" + entry.plants + "\n" + entry.where + "\n" + entry.quantity + "\n" + entry.note);
}

bool answers(const DiaryEntry& entry, const DiaryQuery& query) {
  if (query.empty() || (query.year && entry.day.year != *query.year)) return false;
  const std::string text = searchTextOf(entry);
  return std::all_of(query.words.begin(), query.words.end(),
                     [&](const std::string& word) { return text.find(word) != std::string::npos; });
}

}  // namespace app
