// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diary_csv.h"

#include <algorithm>
#include <array>

#include "encoding/text_encoding.h"

namespace app {

namespace {

constexpr std::size_t FieldCount = 7;
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::string csvField(std::string_view text) {
  if (text.find_first_of(";\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// What the gardener wrote, fit for a message: at most 40 characters, between « ».
std::string quotedValue(std::string_view text) {
  std::size_t end = 0;
  for (int characters = 0; end < text.size() && characters < 40; ++characters) {
    std::size_t next = end;
    if (!encoding::nextUtf8(text, next)) break;
    end = next;
  }
  std::string shown(text.substr(0, end));
  for (char& c : shown)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  return "«" + shown + (end < text.size() ? "…»" : "»");
}

// Records of the file one at a time, each with the line it begins on. A line ends
// in LF, CR LF or a lone CR, also inside quotes, as editors count them.
class CsvRecords {
 public:
  explicit CsvRecords(std::string_view bytes) : bytes_(bytes) {}

  // False at the end of the file, or at a fault (then fault() says it).
  bool next(std::vector<std::string>& fields, int& line) {
    if (pos_ >= bytes_.size() || !fault_.empty()) return false;
    line = line_;
    fields.assign(1, std::string());
    while (true) {
      std::string& field = fields.back();
      if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
        ++pos_;
        while (true) {
          if (pos_ >= bytes_.size()) return fail(line, "virgolette aperte e mai chiuse");
          const char c = bytes_[pos_];
          if (c == '"' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '"') {
            field += '"';
            pos_ += 2;
          } else if (c == '"') {
            ++pos_;
            break;
          } else {
            countLine();
            field += c;
            ++pos_;
          }
        }
        if (pos_ < bytes_.size() && bytes_[pos_] != ';' && bytes_[pos_] != '\r' && bytes_[pos_] != '\n')
          return fail(line_, "dopo le virgolette che chiudono un campo viene altro testo; le virgolette dentro un "
                             "campo si scrivono doppie");
      } else {
        const std::size_t end = std::min(bytes_.find_first_of(";\r\n", pos_), bytes_.size());
        const std::string_view text = bytes_.substr(pos_, end - pos_);
        if (text.find('"') != std::string_view::npos)
          return fail(line_, "virgolette in mezzo a un campo: un campo con virgolette va scritto tutto tra "
                             "virgolette, e quelle al suo interno doppie");
        field.append(text);
        pos_ = end;
      }
      if (pos_ >= bytes_.size()) return true;
      const char separator = bytes_[pos_++];
      if (separator == ';') {
        fields.emplace_back();
        continue;
      }
      if (separator == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
      ++line_;
      return true;
    }
  }

  int faultLine() const { return faultLine_; }
  const std::string& fault() const { return fault_; }

 private:
  // At a byte that ends a line: LF, or a CR that no LF follows.
  void countLine() {
    const char c = bytes_[pos_];
    if (c == '\n' || (c == '\r' && (pos_ + 1 >= bytes_.size() || bytes_[pos_ + 1] != '\n'))) ++line_;
  }
  bool fail(int line, std::string fault) {
    faultLine_ = line;
    fault_ = std::move(fault);
    return false;
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int faultLine_ = 0;
  std::string fault_;
};

// The header's names as the gardener's spreadsheet may have them: in any case, with
// blanks around, "quantita" without its accent.
bool isHeaderName(std::string_view typed, std::string_view name) {
  std::string folded(trimmed(typed));
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  if (folded == "quantita" || folded == "quantitÀ") folded = "quantità";
  return folded == name;
}

// Fields past the seventh are taken only when empty (a spreadsheet's unused columns).
std::string fieldCountProblem(const std::vector<std::string>& fields) {
  const bool extraEmpty = std::all_of(fields.begin() + static_cast<std::ptrdiff_t>(std::min(fields.size(), FieldCount)),
                                      fields.end(), [](const std::string& f) { return trimmed(f).empty(); });
  if (fields.size() >= FieldCount && extraEmpty) return {};
  return std::to_string(fields.size()) + (fields.size() == 1 ? " campo" : " campi") + " invece di " +
         std::to_string(FieldCount) + " (data;lavoro;piante;dove;quantità;nota;promemoria)";
}

// The line the first byte that is not UTF-8 stands on; 0 when all are.
int firstLineNotUtf8(std::string_view bytes) {
  int line = 1;
  for (std::size_t i = 0; i < bytes.size();) {
    if (bytes[i] == '\n') ++line;
    if (!encoding::nextUtf8(bytes, i)) return line;
  }
  return 0;
}

}  // namespace

std::string diaryCsv(const std::vector<DiaryEntry>& entries) {
  std::string out;
  out.reserve(64 + entries.size() * 96);
  out.append(DiaryCsvHeader).append("\r\n");
  for (const DiaryEntry& e : entries) {
    out.append(isoDate(e.day)).append(";");
    for (const std::string* text : {&e.job, &e.plants, &e.where, &e.quantity, &e.note}) out.append(csvField(*text)).append(";");
    if (e.reminder) out.append(isoDate(*e.reminder));
    out.append("\r\n");
  }
  return out;
}

DiaryCsvRead readDiaryCsv(std::string_view bytes) {
  DiaryCsvRead read;
  const auto fail = [&](int line, std::string fault) {
    read.entries.clear();
    read.faultLine = line;
    read.fault = std::move(fault);
    return read;
  };
  if (bytes.starts_with(ByteOrderMark)) bytes.remove_prefix(ByteOrderMark.size());
  if (const int line = firstLineNotUtf8(bytes))
    return fail(line, "il testo non è UTF-8 (nel foglio di calcolo si salva con la codifica «Unicode (UTF-8)»)");

  CsvRecords records(bytes);
  std::vector<std::string> fields;
  int line = 0;
  constexpr std::array<std::string_view, FieldCount> names{"data", "lavoro", "piante", "dove", "quantità", "nota", "promemoria"};
  if (!records.next(fields, line)) {
    if (!records.fault().empty()) return fail(records.faultLine(), records.fault());
    return fail(1, "il file è vuoto; la prima riga dev'essere " + std::string(DiaryCsvHeader));
  }
  bool header = fieldCountProblem(fields).empty();
  for (std::size_t i = 0; header && i < FieldCount; ++i) header = isHeaderName(fields[i], names[i]);
  if (!header) return fail(1, "la prima riga dev'essere " + std::string(DiaryCsvHeader));

  while (records.next(fields, line)) {
    if (std::all_of(fields.begin(), fields.end(), [](const std::string& f) { return f.empty(); })) continue;
    if (std::string problem = fieldCountProblem(fields); !problem.empty()) return fail(line, problem);
    DiaryEntry entry;
    const std::string_view day = trimmed(fields[0]);
    if (day.empty()) return fail(line, "manca la data (AAAA-MM-GG)");
    const auto date = parseIsoDate(day);
    if (!date) return fail(line, "data non valida " + quotedValue(day) + ": si scrive AAAA-MM-GG, per esempio 2026-03-12");
    entry.day = *date;
    entry.job = fields[1];
    entry.plants = fields[2];
    entry.where = fields[3];
    entry.quantity = fields[4];
    entry.note = fields[5];
    if (const std::string_view reminder = trimmed(fields[6]); !reminder.empty()) {
      entry.reminder = parseIsoDate(reminder);
      if (!entry.reminder)
        return fail(line, "promemoria non valido " + quotedValue(reminder) + ": si scrive AAAA-MM-GG, o si lascia vuoto");
    }
    if (std::string problem = entryProblem(entry); !problem.empty()) return fail(line, problem);
    read.entries.push_back(std::move(entry));
  }
  if (!records.fault().empty()) return fail(records.faultLine(), records.fault());
  return read;
}

}  // namespace app
