// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ics_text.h"

#include <algorithm>
#include <cstddef>

namespace app {

namespace {
constexpr std::size_t MaxLineOctets = 75;
}  // namespace

std::string icsEscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\\': out += "\\\\"; break;
      case ';': out += "\\;"; break;
      case ',': out += "\\,"; break;
      case '\r':
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += "\\n";
        break;
      case '\n': out += "\\n"; break;
      case '\t': out += c; break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) out += c;
        break;
    }
  }
  return out;
}

std::string icsFoldLine(std::string_view line) {
  std::string out;
  out.reserve(line.size() + line.size() / 64 * 3 + 2);
  std::size_t start = 0;
  bool first = true;
  do {
    // A continuation line spends one of its 75 octets on the leading space.
    const std::size_t room = first ? MaxLineOctets : MaxLineOctets - 1;
    std::size_t end = std::min(line.size(), start + room);
    if (end < line.size()) {
      // Step back to the first byte of a UTF-8 sequence; if the whole stretch is
      // continuation bytes (not UTF-8 at all) cut where the room ends.
      std::size_t cut = end;
      while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
      if (cut > start) end = cut;
    }
    if (!first) out += ' ';
    out.append(line.substr(start, end - start));
    out += "\r\n";
    start = end;
    first = false;
  } while (start < line.size());
  return out;
}

std::string icsDateValue(const calendar::Date& day) {
  return calendar::zeroPadded(day.year, 4) + calendar::zeroPadded(day.month, 2) + calendar::zeroPadded(day.day, 2);
}

std::vector<std::string> icsWholeDays(const calendar::Date& first, int days) {
  const calendar::Date end = calendar::addDays(first, days);
  return {"DTSTART;VALUE=DATE:" + icsDateValue(first),
          end.year <= 9999 ? "DTEND;VALUE=DATE:" + icsDateValue(end) : "DURATION:P" + std::to_string(days) + "D"};
}

void beginIcsEvent(std::string& out, const IcsEvent& event, std::string_view dtstampLine) {
  out += icsFoldLine("BEGIN:VEVENT");
  out += icsFoldLine("UID:" + event.uid + "@ortalba");
  out += icsFoldLine(dtstampLine);
  for (const std::string& line : event.when) out += icsFoldLine(line);
  out += icsFoldLine("SUMMARY:" + icsEscapeText(event.summary));
  if (!event.description.empty()) out += icsFoldLine("DESCRIPTION:" + icsEscapeText(event.description));
  out += icsFoldLine("CATEGORIES:" + icsEscapeText(event.category));
  out += icsFoldLine("TRANSP:TRANSPARENT");
}

}  // namespace app
