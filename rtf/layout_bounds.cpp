// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/layout_bounds.h"

#include <algorithm>
#include <string_view>

namespace rtf {

namespace {

constexpr std::string_view BreakOpportunity = "\u200B";

// The length of the UTF-8 sequence that starts with `lead` (the text is valid UTF-8).
std::size_t sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead >> 5) == 0x6) return 2;
  if ((lead >> 4) == 0xE) return 3;
  return 4;
}

// Characters after which a line may break: spaces, tabs, line breaks and
// invisible breaks. Anything else lengthens the word.
bool endsWord(std::string_view character) {
  return character == " " || character == "\t" || character == "\u2028" || character == BreakOpportunity;
}

class Bounder {
 public:
  explicit Bounder(const LayoutBounds& bounds) : bounds_(bounds) {}

  // False once the text is full.
  bool add(const Run& run, Paragraph& paragraph) {
    CharFormat format = run.format;
    format.halfPoints = std::min(format.halfPoints, bounds_.maxHalfPoints);
    Run* target = nullptr;
    if (!paragraph.runs.empty() && (runs_ >= bounds_.maxRuns || paragraph.runs.back().format == format)) {
      target = &paragraph.runs.back();
    } else {
      paragraph.runs.push_back(Run{std::string(), format});
      ++runs_;
      target = &paragraph.runs.back();
    }
    bool room = true;
    const std::string_view text = run.text;
    for (std::size_t i = 0; i < text.size();) {
      const std::size_t length = std::min(sequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
      const std::string_view character = text.substr(i, length);
      const bool breaks = endsWord(character);
      const bool addBreak = !breaks && word_ >= bounds_.maxWordLength;
      const std::size_t needed = length + (addBreak ? BreakOpportunity.size() : 0);
      if (needed > bounds_.maxTextBytes - bytes_) {
        room = false;
        break;
      }
      if (addBreak) {
        target->text += BreakOpportunity;
        word_ = 0;
      }
      target->text += character;
      bytes_ += needed;
      word_ = breaks ? 0 : word_ + 1;
      i += length;
    }
    if (target->text.empty()) {  // a run just begun, and no room for its first character
      paragraph.runs.pop_back();
      --runs_;
    }
    return room;
  }

  void startParagraph() { word_ = 0; }

 private:
  const LayoutBounds& bounds_;
  std::size_t bytes_ = 0;
  std::size_t runs_ = 0;
  std::size_t word_ = 0;  // characters since the last place to break
};

}  // namespace

Document boundedForLayout(const Document& document, const LayoutBounds& bounds) {
  Document out;
  out.fonts = document.fonts;
  Bounder bounder(bounds);
  for (const Paragraph& paragraph : document.paragraphs) {
    if (out.paragraphs.size() >= bounds.maxParagraphs) break;
    Paragraph& kept = out.paragraphs.emplace_back();
    kept.alignment = paragraph.alignment;
    kept.spaceBefore = paragraph.spaceBefore;
    kept.spaceAfter = paragraph.spaceAfter;
    bounder.startParagraph();
    bool room = true;
    for (const Run& run : paragraph.runs)
      if (!(room = bounder.add(run, kept))) break;
    if (!room) break;
  }
  return out;
}

}  // namespace rtf
