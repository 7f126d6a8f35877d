// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtf_document.h"

#include <gtest/gtest.h>

#include <QString>
#include <string>

namespace {
using namespace rtf;

// Qt replaces every ill-formed sequence (overlong, surrogate, cut) and so changes the bytes.
bool isValidUtf8(const std::string& s) { return QString::fromUtf8(s).toStdString() == s; }

void expectWellFormed(const ReadResult& r) {
  for (const Paragraph& p : r.document.paragraphs)
    for (const rtf::Run& run : p.runs) EXPECT_TRUE(!run.text.empty() && isValidUtf8(run.text)) << run.text;
}

TEST(RtfText, EscapesCodePagesUnicodeAndSkippedDestinations) {
  const std::pair<std::string, std::string> cases[] = {  // the RTF, the text read
      // Hex escapes in 1252, the document's code page (a double-byte one as 1252) or the font's charset; raw bytes.
      {"{\\rtf1\\ansi pi\\'f9 caff\\'E8 \\'80}", "pi\u00f9 caff\u00e8 \u20ac"}, {"{\\rtf1\\mac \\'8e}", "\u00e9"},
      {"{\\rtf1\\ansi\\ansicpg1250 \\'e8\\'9a\\'b3}", "\u010d\u0161\u0142"},
      {"{\\rtf1\\ansicpg28591 \\'e8\\'80}", "\u00e8\u0080"}, {"{\\rtf1\\ansicpg437 \\'80\\'e0}", "\u00c7\u03b1"},
      {"{\\rtf1\\ansicpg932 \\'80\\'e0}", "\u20ac\u00e0"}, {"{\\rtf1 caff\xe8}", "caff\u00e8"}, {"{\\rtf1 a\\'zzb\\'4}", "azzb"},
      {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset238 Arial CE;}}\\f1 \\'e8\\f0 \\'e8}", "\u010d\u00e8"},
      // Symbols, breaks, quotes and table cells; unknown words, the delimiter space and line ends are not text.
      {"{\\rtf1 a\\~b\\-c\\_d\\{\\}\\\\}", "a\u00a0b\u00adc\u2011d{}\\"}, {"{\\rtf1 a\\tab b\\line c\\par d}", "a\tb\u2028c\nd"},
      {"{\\rtf1 a\\\nb}", "a\nb"}, {"{\\rtf1 a\r\nb\nc}", "abc"}, {"{\\rtf1 \\b x\\b0  y}", "x y"},
      {"{\\rtf1 \\lquote x\\rquote\\emdash\\ldblquote y\\rdblquote\\endash\\bullet}", "\u2018x\u2019\u2014\u201cy\u201d\u2013\u2022"},
      {"{\\rtf1 a\\foo12 b\\zzz-3 c\\|d\\:e}", "abcde"}, {"{\\rtf1 a\\cell b\\cell\\row c}", "a\tb\t\nc"},
      // Unicode and its fallback: \ucN in its group, 16-bit values, surrogates, an escape or a word as fallback.
      {"{\\rtf1 caff\\u232?}", "caff\u00e8"}, {"{\\rtf1\\uc2 a\\u8364 XYb}", "a\u20acb"}, {"{\\rtf1\\uc0 \\u8364  X}", "\u20ac X"},
      {"{\\rtf1 \\u-3913 ?}", "\uf0b7"}, {"{\\rtf1 \\u-10179?\\u-8704?}", "\U0001F600"}, {"{\\rtf1 \\u-10179?x}", "\ufffdx"},
      {"{\\rtf1 \\u-8704?x}", "\ufffdx"}, {"{\\rtf1 \\u233\\'e9x}", "\u00e9x"}, {"{\\rtf1 \\u233\\bullet x}", "\u00e9x"},
      {"{\\rtf1\\uc3 \\u233 a{b}c}", "\u00e9bc"}, {"{\\rtf1 {\\uc2 \\u233 xy}\\u233 zw}", "\u00e9\u00e9w"},
      {"{\\rtf1 \\u70000 ?}", "\ufffd"}, {"{\\rtf1 \\u x}", "x"},
      // Destinations that are not text; a field shows its result; binary data may hold braces.
      {"{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}"
       "{\\info{\\title T}{\\author A}}{\\*\\generator G;}body}", "body"},
      {"{\\rtf1 a{\\pict\\wmetafile8 0a0b}{\\object{\\objdata 00}}{\\*\\shppict{\\pict 01}}b}", "ab"},
      {"{\\rtf1{\\header H}{\\headerl L}{\\footer F}{\\footerr R}text}", "text"},
      {"{\\rtf1 a{\\*\\unknownthing hidden {nested}}b}", "ab"},
      {"{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}", "link"},
      {"{\\rtf1 a{\\pict\\bin4 }}{{}b}", "ab"}, {"{\\rtf1 a\\bin3 x}yb}", "ab"},
  };
  for (const auto& [in, text] : cases) EXPECT_EQ(parseRtf(in).document.plainText(), text) << in;
}

TEST(RtfFormat, RunsCarryTheirFormatting) {
  const ReadResult r = parseRtf(
      "{\\rtf1\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\froman Times New Roman;}}"
      "{\\colortbl;\\red200\\green0\\blue0;\\red0\\green128\\blue0;}"
      "Plain{\\b Bold\\i Both\\b0 It}\\ul Under\\ulnone\\cf1 Red\\cf2\\ul0 Green\\cf0 Auto\\cf9 Nine"
      "\\fs36 Big\\f1 Times\\plain Reset\\i\\ul Again\\i0\\ul0 Off}");
  ASSERT_TRUE(r.readable() && r.document.paragraphs.size() == 1);
  const auto f = [](bool bold, bool italic, bool underline, std::optional<Rgb> color = {}, int half = 24, int font = 0) {
    return CharFormat{bold, italic, underline, color, half, font};
  };
  const std::pair<const char*, CharFormat> expected[] = {
      {"Plain", f(0, 0, 0)}, {"Bold", f(1, 0, 0)}, {"Both", f(1, 1, 0)}, {"It", f(0, 1, 0)}, {"Under", f(0, 0, 1)},
      {"Red", f(0, 0, 0, Rgb{200, 0, 0})}, {"Green", f(0, 0, 0, Rgb{0, 128, 0})}, {"AutoNine", f(0, 0, 0)}, {"Big", f(0, 0, 0, {}, 36)},
      {"Times", f(0, 0, 0, {}, 36, 1)}, {"Reset", f(0, 0, 0)}, {"Again", f(0, 1, 1)}, {"Off", f(0, 0, 0)},
  };
  const auto& runs = r.document.paragraphs[0].runs;
  ASSERT_EQ(runs.size(), std::size(expected));
  for (std::size_t i = 0; i < runs.size(); ++i)
    EXPECT_TRUE(runs[i].text == expected[i].first && runs[i].format == expected[i].second) << expected[i].first;
  EXPECT_EQ(r.document.fontName(1) ? *r.document.fontName(1) : "", "Times New Roman");
  EXPECT_EQ(r.document.fontName(7), nullptr);
  EXPECT_DOUBLE_EQ(f(0, 0, 0, {}, 15).pointSize(), 7.5);
}

// Odd half-points, \fs0 as 12 pt, huge sizes and colour components clamped, colours before their table.
TEST(RtfFormat, FontSizesAndColourTableEdges) {
  struct Case { std::string in; int halfPoints; std::optional<Rgb> color; } cases[] = {
      {"{\\rtf1\\fs15 x}", 15, {}}, {"{\\rtf1\\fs0 x}", 24, {}}, {"{\\rtf1\\fs999999 x}", 3276, {}},
      {"{\\rtf1{\\colortbl;\\red1\\green2\\blue3}\\cf1 x}", 24, Rgb{1, 2, 3}},
      {"{\\rtf1{\\colortbl\\red300\\green-4\\blue7;}\\cf0 x}", 24, Rgb{255, 0, 7}},
      {"{\\rtf1{\\colortbl;\\red9\\green9\\blue9;}{\\cf1 x}}", 24, Rgb{9, 9, 9}},
      {"{\\rtf1{\\colortbl;\\red9\\green9\\blue9;}\\cf-1 x}", 24, {}},
      {"{\\rtf1{\\colortbl;\\red9\\green9\\blue9;}\\cf5 x}", 24, {}},
  };
  for (const Case& c : cases) {
    const ReadResult r = parseRtf(c.in);
    ASSERT_TRUE(r.document.paragraphs.size() == 1 && r.document.paragraphs[0].runs.size() == 1) << c.in;
    const CharFormat& got = r.document.paragraphs[0].runs[0].format;
    EXPECT_TRUE(got.halfPoints == c.halfPoints && got.color == c.color) << c.in;
  }
  // A font name is kept to its first 256 bytes, in letters or in escapes.
  for (const std::string letter : {"a", "\\u233?"}) {
    std::string in = "{\\rtf1{\\fonttbl{\\f2 ";
    for (int i = 0; i < 300; ++i) in += letter;
    const ReadResult r = parseRtf(in + ";}}x}");
    const std::string* name = r.document.fontName(2);
    ASSERT_NE(name, nullptr) << letter;
    EXPECT_EQ(name->size(), 256u) << letter;
  }
}

TEST(RtfFormat, ParagraphProperties) {
  const ReadResult r = parseRtf(
      "{\\rtf1\\qc\\sb240\\sa60 a\\par\\pard b\\par\\qr\\sa-5 c\\par\\qj\\sb99999 d\\par{\\ql e\\par}f\\par\\qd g}");
  using enum Alignment;
  // \pard resets; spaces are kept within 0 and 22 inches; \qd is no alignment.
  struct Expected { Alignment alignment; int before, after; } expected[] = {
      {Center, 240, 60}, {Left, 0, 0}, {Right, 0, 0}, {Justified, 31'680, 0}, {Left, 31'680, 0}, {Justified, 31'680, 0},
      {Justified, 31'680, 0}};
  ASSERT_EQ(r.document.paragraphs.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const Paragraph& p = r.document.paragraphs[i];
    EXPECT_TRUE(p.alignment == expected[i].alignment && p.spaceBefore == expected[i].before &&
                p.spaceAfter == expected[i].after) << p.text();
  }
}

TEST(RtfBroken, NeverFailsAndKeepsWhatItCan) {
  struct Case { std::string in; ReadStatus status; std::string text; } cases[] = {
      {"", ReadStatus::NotRtf, ""}, {"Seminare le fave", ReadStatus::NotRtf, ""},
      {"<html><body>{\\rtf1 x}</body></html>", ReadStatus::NotRtf, ""}, {"{\\rtf1", ReadStatus::NoText, ""},
      // Blank paragraphs are kept, yet blanks alone or a picture alone are no text.
      {"{\\rtf1 a\\par\\par b\\par}", ReadStatus::Read, "a\n\nb"}, {"{\\rtf1 \\par\\par}", ReadStatus::NoText, "\n"},
      {"{\\rtf1 \\tab \\~ \\line}", ReadStatus::NoText, "\t\u00a0 \u2028"}, {"{\\rtf1{\\pict 0102}}", ReadStatus::NoText, ""},
      // Cut anywhere: unclosed groups, inside an escape, a word, binary data or the font table.
      {"{\\rtf1 abc{\\b def", ReadStatus::Read, "abcdef"}, {"{\\rtf1 a\\'e", ReadStatus::Read, "a"},
      {"{\\rtf1 a\\", ReadStatus::Read, "a"}, {"{\\rtf1 a\\pa", ReadStatus::Read, "a"},
      {"{\\rtf1 a\\bin99999 xyz", ReadStatus::Read, "a"}, {"{\\rtf1{\\fonttbl{\\f0 Ari", ReadStatus::NoText, ""},
      {"{\\rtf1 a}}} b}", ReadStatus::Read, "a b"}, {"{\\rtf1 a\\bin-5 b}", ReadStatus::Read, "ab"},
      {"\xEF\xBB\xBF \r\n{\\rtf1 x}", ReadStatus::Read, "x"}, {std::string("{\\rtf1 a\0b\0", 11), ReadStatus::Read, "ab"},
      {"{\\rtf1\\fs99999999999999999999 a\\u99999999999999999999 b}", ReadStatus::Read, "a\ufffd"},
  };
  for (const Case& c : cases) {
    const ReadResult r = parseRtf(c.in);
    EXPECT_TRUE(r.status == c.status && r.readable() == (c.status == ReadStatus::Read)) << c.in;
    EXPECT_EQ(r.document.plainText(), c.text) << c.in;
    expectWellFormed(r);
  }
  std::string junk = "{\\rtf1 ";
  for (int i = 0; i < 64 * 256; ++i) junk.push_back(static_cast<char>((i * 37 + i / 256 * 11) & 0xFF));
  const ReadResult r = parseRtf(junk);
  EXPECT_EQ(r.status, ReadStatus::Read);
  expectWellFormed(r);
}

// The document group plus 255 fit in the limit of 256; deeper text is dropped, the formatting still restored.
TEST(RtfBroken, DeepNestingIsSkippedPastTheLimit) {
  for (const auto& [depth, text] : {std::pair<std::size_t, std::string>{255, "xy"}, {256, "y"}, {200'000, "y"}}) {
    std::string in = "{\\rtf1 ";
    for (std::size_t i = 0; i < depth; ++i) in += "{\\b ";
    const ReadResult r = parseRtf(in + "x" + std::string(depth, '}') + "y}");
    EXPECT_EQ(r.document.plainText(), text) << depth;
    EXPECT_FALSE(r.document.paragraphs.at(0).runs.back().format.bold) << depth;
  }
}

TEST(RtfBroken, LimitsBoundTheModel) {
  const Limits small{.maxTextBytes = 1000, .maxPieces = 50};
  // The last unit is one endless stretch of text: it keeps its beginning, cut between two characters.
  for (const char* unit : {"ab\\par ", "{\\b a}{\\i b}", "abcdefghij\\'e8", "\\'e8"}) {
    std::string in = "{\\rtf1 x";
    for (int i = 0; i < 10'000; ++i) in += unit;
    const ReadResult r = parseRtf(in, small);
    EXPECT_TRUE(r.truncated && r.readable()) << unit;
    std::size_t pieces = r.document.paragraphs.size(), bytes = 0;
    for (const Paragraph& p : r.document.paragraphs) {
      pieces += p.runs.size();
      for (const rtf::Run& run : p.runs) bytes += run.text.size();
    }
    EXPECT_LE(pieces, small.maxPieces + 1) << unit;  // the open paragraph is not counted
    EXPECT_TRUE(unit == std::string("\\'e8") ? bytes == small.maxTextBytes - 1 : bytes <= small.maxTextBytes) << bytes;
    expectWellFormed(r);
  }
  EXPECT_FALSE(parseRtf("{\\rtf1 short}", small).truncated);
}

}  // namespace
