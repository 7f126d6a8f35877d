// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/notes_passages.h"

#include <algorithm>
#include <optional>
#include <string>

namespace app {

namespace {

// The paragraph's text, trimmed, in small letters, without a closing colon. The
// letters are lowered by ASCII, whatever the C library's locale: in a Turkish
// one, the capital I of "IN LUNA" would not become an i.
std::string plainHeading(const rtf::Paragraph& paragraph) {
  std::string text = paragraph.text();
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; };
  while (!text.empty() && blank(text.back())) text.pop_back();
  if (!text.empty() && text.back() == ':') text.pop_back();
  std::size_t start = 0;
  while (start < text.size() && blank(text[start])) ++start;
  text.erase(0, start);
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::optional<PhaseMark> subHeadingOf(const rtf::Paragraph& paragraph) {
  const std::string text = plainHeading(paragraph);
  if (text == "in luna crescente") return PhaseMark::Waxing;
  if (text == "in luna calante") return PhaseMark::Waning;
  return std::nullopt;
}

// A heading of a section or of the month: text set wholly in bold.
bool isHeading(const rtf::Paragraph& paragraph) {
  bool any = false;
  for (const rtf::Run& run : paragraph.runs) {
    if (run.text.find_first_not_of(" \t") == std::string::npos) continue;
    if (!run.format.bold) return false;
    any = true;
  }
  return any;
}

}  // namespace

std::vector<MoonPassage> moonPassages(const rtf::Document& document) {
  std::vector<MoonPassage> passages;
  const auto& paragraphs = document.paragraphs;
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    const auto mark = subHeadingOf(paragraphs[i]);
    if (!mark) continue;
    std::size_t last = i;
    while (last + 1 < paragraphs.size() && !subHeadingOf(paragraphs[last + 1]) && !isHeading(paragraphs[last + 1]))
      ++last;
    passages.push_back({*mark, i, last});
    i = last;
  }
  return passages;
}

std::string_view passageHeading(PhaseMark mark) {
  switch (mark) {
    case PhaseMark::Waxing: return "In Luna crescente";
    case PhaseMark::Waning: return "In Luna calante";
    case PhaseMark::Neutral: break;
  }
  return {};
}

}  // namespace app
