// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small reader for the RTF of the monthly notes: RTF bytes in, a plain
// document of paragraphs and formatted runs out. Standard library only, so the
// fuzzer and the tests use it without a display.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rtf {

enum class Alignment { Left, Center, Right, Justified };

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct CharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  std::optional<Rgb> color;  // none: the viewer's own text colour
  int halfPoints = 24;       // RTF counts font sizes in half-points; 24 is 12 pt
  int font = 0;              // index into the document's font table
  double pointSize() const { return halfPoints / 2.0; }
  friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

// A stretch of text (UTF-8) in one format; never empty.
struct Run {
  std::string text;
  CharFormat format;
};

struct Paragraph {
  Alignment alignment = Alignment::Left;
  int spaceBefore = 0;    // twips (1/20 pt), from \sb
  int spaceAfter = 0;     // twips, from \sa
  std::vector<Run> runs;  // empty for a blank line
  std::string text() const;
};

struct Font {
  int index = 0;
  std::string name;  // UTF-8, without the closing ';'
};

struct Document {
  std::vector<Paragraph> paragraphs;
  std::vector<Font> fonts;
  // All paragraph texts joined by '\n'.
  std::string plainText() const;
  // Name of font `index`, or nullptr when the font table does not list it.
  const std::string* fontName(int index) const;
};

enum class ReadStatus {
  Read,    // some visible text came out
  NoText,  // an RTF file, but nothing to show (empty, only pictures, cut short early)
  NotRtf,  // the bytes do not start with "{\rtf"
};

// Bounds that keep a hostile or broken file from eating memory or the viewer's
// time. A notes page is a few kilobytes, so these are far above any real one.
struct Limits {
  std::size_t maxTextBytes = 2u << 20;  // UTF-8 bytes of text kept
  std::size_t maxPieces = 100'000;      // paragraphs plus runs kept
  std::size_t maxDepth = 256;           // group nesting; deeper groups are skipped
};

struct ReadResult {
  ReadStatus status = ReadStatus::NotRtf;
  Document document;
  bool truncated = false;  // a limit was reached and the rest was dropped
  bool readable() const { return status == ReadStatus::Read; }
};

// Reads RTF from memory. Never throws on bad input and takes time linear in the
// input size; whatever could be read before a fault is kept.
ReadResult parseRtf(std::string_view bytes, const Limits& limits = {});

}  // namespace rtf
