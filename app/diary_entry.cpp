// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diary_entry.h"

#include <algorithm>

#include "app/city_table.h"
#include "encoding/text_encoding.h"

namespace app {

namespace {

bool blank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
}

// A control character other than those a note of several lines holds.
bool holdsControl(std::string_view text, bool lines) {
  return std::any_of(text.begin(), text.end(), [lines](char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u == '\t' || (lines && (u == '\n' || u == '\r'))) return false;
    return u < 0x20 || u == 0x7F;
  });
}

}  // namespace

std::string isoDate(const calendar::Date& date) {
  return calendar::zeroPadded(date.year, 4) + "-" + calendar::zeroPadded(date.month, 2) + "-" +
         calendar::zeroPadded(date.day, 2);
}

std::optional<calendar::Date> parseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto number = [&](std::size_t from, std::size_t length) {
    int value = 0;
    for (std::size_t i = from; i < from + length; ++i) {
      if (text[i] < '0' || text[i] > '9') return -1;
      value = value * 10 + (text[i] - '0');
    }
    return value;
  };
  const calendar::Date date{number(8, 2), number(5, 2), number(0, 4)};
  if (!calendar::isValidDate(date)) return std::nullopt;
  return date;
}

std::string entryProblem(const DiaryEntry& entry) {
  if (!calendar::isValidDate(entry.day)) return "il giorno non è una data valida";
  if (entry.reminder && !calendar::isValidDate(*entry.reminder)) return "il giorno del promemoria non è una data valida";
  if (blank(entry.job) && blank(entry.plants) && blank(entry.note)) return "la voce è vuota: serve un lavoro, una pianta o una nota";
  // Each field by the name the diary's file gives it.
  const std::pair<const std::string*, const char*> fields[] = {{&entry.job, "lavoro"},      {&entry.plants, "piante"},
                                                               {&entry.where, "dove"},       {&entry.quantity, "quantità"},
                                                               {&entry.note, "nota"}};
  for (const auto& [text, name] : fields) {
    const std::string field = std::string("il campo «") + name + "»";
    if (!encoding::isValidUtf8(*text)) return field + " non è testo UTF-8";
    if (holdsControl(*text, text == &entry.note))
      return field + (text == &entry.note ? " contiene caratteri di controllo" : " va scritto su una riga sola, senza caratteri di controllo");
    if (text->size() > LongestDiaryField)
      return field + " è troppo lungo (più di " + std::to_string(LongestDiaryField) + " byte)";
  }
  return {};
}

std::string dayWords(const calendar::Date& date) {
  if (date.month < 1 || date.month > 12) return isoDate(date);
  return std::to_string(date.day) + (date.day == 1 ? "° " : " ") + MonthWords[static_cast<std::size_t>(date.month - 1)] +
         " " + std::to_string(date.year);
}

std::string entrySummary(const DiaryEntry& entry) {
  std::string text = entry.job;
  if (!entry.plants.empty()) text += (text.empty() ? "" : ": ") + entry.plants;
  for (const std::string* part : {&entry.where, &entry.quantity})
    if (!part->empty()) text += (text.empty() ? "" : "; ") + *part;
  return text;
}

std::string DiaryMoons::wordsOf(const calendar::Date& day) {
  if (!calendar::isValidDate(day)) return {};
  auto found = months_.find({day.year, day.month});
  if (found == months_.end()) {
    // The marks and phases of a month are the same from every place.
    const MonthSheet sheet = sheetOf(day.year, day.month, defaultPlace(), reckoning_);
    MonthMarks month;
    std::copy_n(sheet.marks.begin(), month.marks.size(), month.marks.begin());
    month.icons = sheet.icons;
    found = months_.emplace(std::pair{day.year, day.month}, month).first;
  }
  const auto d = static_cast<std::size_t>(day.day);
  if (const auto phase = phaseOfIcon(found->second.icons[d])) return phaseName(*phase);
  return std::string("Luna ") + markWord(found->second.marks[d]);
}

}  // namespace app
