// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The diary as a spreadsheet file: UTF-8, fields separated by ";", a field that
// holds a ";", a quote or a line break between quotes with its quotes doubled, a
// line a record ending in CR LF; the header names the fields, the dates are
// AAAA-MM-GG. So a spreadsheet opens it, and what it saves back is read again.
#include <string>
#include <string_view>
#include <vector>

#include "app/diary_entry.h"

namespace app {

inline constexpr std::string_view DiaryCsvHeader = "data;lavoro;piante;dove;quantità;nota;promemoria";

// The entries as a whole file, header first, in the order given. A reminder's
// dismissal is not written: the file holds what the gardener wrote.
std::string diaryCsv(const std::vector<DiaryEntry>& entries);

// A file read whole, or not at all: the entries (with no id), or the line where
// the first fault begins and what it is, in Italian. A byte-order mark before the
// header, LF or CR LF line ends, blank lines and trailing empty fields are taken
// as spreadsheets write them.
struct DiaryCsvRead {
  std::vector<DiaryEntry> entries;
  int faultLine = 0;  // 1 for the header; 0 when the whole file was read
  std::string fault;  // "data non valida «2026-02-30»: si scrive AAAA-MM-GG"
  explicit operator bool() const { return fault.empty(); }
};
DiaryCsvRead readDiaryCsv(std::string_view bytes);

}  // namespace app
