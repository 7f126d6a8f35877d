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
  struct Case { const char* name; std::string in; std::string text; } cases[] = {
      {"hex escapes in 1252 by default", "{\\rtf1\\ansi pi\\'f9 caff\\'e8 \\'80}", "pi\u00f9 caff\u00e8 \u20ac"},
      {"upper-case hex digits", "{\\rtf1 \\'C0\\'E9}", "\u00c0\u00e9"},
      {"code page 1250", "{\\rtf1\\ansi\\ansicpg1250 \\'e8\\'9a\\'b3}", "\u010d\u0161\u0142"},
      {"code page 28591 keeps 0x80 as a C1 control", "{\\rtf1\\ansicpg28591 \\'e8\\'80}", "\u00e8\u0080"},
      {"any single-byte code page the library knows", "{\\rtf1\\ansicpg437 \\'80\\'e0}", "\u00c7\u03b1"},
      {"a double-byte code page reads as 1252", "{\\rtf1\\ansicpg932 \\'80\\'e0}", "\u20ac\u00e0"},
      {"mac documents", "{\\rtf1\\mac \\'8e}", "\u00e9"},
      {"font charset overrides the document", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset238 Arial CE;}}\\f1 \\'e8\\f0 \\'e8}",
       "\u010d\u00e8"},
      {"raw 8-bit bytes decode too", "{\\rtf1 caff\xe8}", "caff\u00e8"},
      {"bad hex escape is dropped", "{\\rtf1 a\\'zzb\\'4}", "azzb"},
      {"literal and special symbols", "{\\rtf1 a\\~b\\-c\\_d\\{\\}\\\\}", "a\u00a0b\u00adc\u2011d{}\\"},
      {"tab, line and paragraph", "{\\rtf1 a\\tab b\\line c\\par d}", "a\tb\u2028c\nd"},
      {"backslash-newline is a paragraph", "{\\rtf1 a\\\nb}", "a\nb"},
      {"source line ends are not text", "{\\rtf1 a\r\nb\nc}", "abc"},
      {"quotes and dashes", "{\\rtf1 \\lquote x\\rquote\\emdash\\ldblquote y\\rdblquote\\endash\\bullet}",
       "\u2018x\u2019\u2014\u201cy\u201d\u2013\u2022"},
      {"unknown words and symbols are ignored", "{\\rtf1 a\\foo12 b\\zzz-3 c\\|d\\:e}", "abcde"},
      {"word delimiter space is not text", "{\\rtf1 \\b x\\b0  y}", "x y"},
      {"table cells and rows", "{\\rtf1 a\\cell b\\cell\\row c}", "a\tb\t\nc"},
      // Unicode with its fallback
      {"one fallback character by default", "{\\rtf1 caff\\u232?}", "caff\u00e8"},
      {"uc2 skips two", "{\\rtf1\\uc2 a\\u8364 XYb}", "a\u20acb"},
      {"uc0 skips none", "{\\rtf1\\uc0 \\u8364  X}", "\u20ac X"},
      {"negative value wraps to 16 bits", "{\\rtf1 \\u-3913 ?}", "\uf0b7"},
      {"surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?}", "\U0001F600"},
      {"lone high surrogate", "{\\rtf1 \\u-10179?x}", "\ufffdx"},
      {"lone low surrogate", "{\\rtf1 \\u-8704?x}", "\ufffdx"},
      {"hex escape as fallback", "{\\rtf1 \\u233\\'e9x}", "\u00e9x"},
      {"control word as fallback", "{\\rtf1 \\u233\\bullet x}", "\u00e9x"},
      {"fallback ends at a group boundary", "{\\rtf1\\uc3 \\u233 a{b}c}", "\u00e9bc"},
      {"uc is scoped to its group", "{\\rtf1 {\\uc2 \\u233 xy}\\u233 zw}", "\u00e9\u00e9w"},
      {"out-of-range value", "{\\rtf1 \\u70000 ?}", "\ufffd"},
      {"u without a number is an unknown word", "{\\rtf1 \\u x}", "x"},
      // Destinations that are not text
      {"tables and metadata",
       "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}"
       "{\\info{\\title T}{\\author A}}{\\*\\generator G;}body}",
       "body"},
      {"pictures and objects", "{\\rtf1 a{\\pict\\wmetafile8 0a0b}{\\object{\\objdata 00}}{\\*\\shppict{\\pict 01}}b}", "ab"},
      {"headers and footers", "{\\rtf1{\\header H}{\\headerl L}{\\footer F}{\\footerr R}text}", "text"},
      {"any starred group", "{\\rtf1 a{\\*\\unknownthing hidden {nested}}b}", "ab"},
      {"fields show their result", "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}", "link"},
      {"binary data may hold braces", "{\\rtf1 a{\\pict\\bin4 }}{{}b}", "ab"},
      {"binary data outside a picture", "{\\rtf1 a\\bin3 x}yb}", "ab"},
  };
  for (const Case& c : cases) EXPECT_EQ(parseRtf(c.in).document.plainText(), c.text) << c.name;
}

TEST(RtfFormat, RunsCarryTheirFormatting) {
  const ReadResult r = parseRtf(
      "{\\rtf1\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\froman Times New Roman;}}"
      "{\\colortbl;\\red200\\green0\\blue0;\\red0\\green128\\blue0;}"
      "Plain{\\b Bold\\i Both\\b0 It}\\ul Under\\ulnone\\cf1 Red\\cf2\\ul0 Green\\cf0 Auto\\cf9 Nine"
      "\\fs36 Big\\f1 Times\\plain Reset\\i\\ul Again\\i0\\ul0 Off}");
  ASSERT_EQ(r.status, ReadStatus::Read);
  ASSERT_EQ(r.document.paragraphs.size(), 1u);
  const auto f = [](bool bold, bool italic, bool underline, std::optional<Rgb> color = {}, int half = 24, int font = 0) {
    return CharFormat{bold, italic, underline, color, half, font};
  };
  const Rgb red{200, 0, 0}, green{0, 128, 0};
  const std::pair<const char*, CharFormat> expected[] = {
      {"Plain", f(0, 0, 0)}, {"Bold", f(1, 0, 0)}, {"Both", f(1, 1, 0)}, {"It", f(0, 1, 0)}, {"Under", f(0, 0, 1)},
      {"Red", f(0, 0, 0, red)}, {"Green", f(0, 0, 0, green)}, {"AutoNine", f(0, 0, 0)}, {"Big", f(0, 0, 0, {}, 36)},
      {"Times", f(0, 0, 0, {}, 36, 1)}, {"Reset", f(0, 0, 0)}, {"Again", f(0, 1, 1)}, {"Off", f(0, 0, 0)},
  };
  const auto& runs = r.document.paragraphs[0].runs;
  ASSERT_EQ(runs.size(), std::size(expected));
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].text, expected[i].first);
    EXPECT_TRUE(runs[i].format == expected[i].second) << expected[i].first;
  }
  EXPECT_EQ(r.document.fontName(1) ? *r.document.fontName(1) : "", "Times New Roman");
  EXPECT_EQ(r.document.fontName(7), nullptr);
  EXPECT_DOUBLE_EQ(f(0, 0, 0, {}, 15).pointSize(), 7.5);
}

TEST(RtfFormat, FontSizesAndColourTableEdges) {
  struct Case { const char* name; std::string in; int halfPoints; std::optional<Rgb> color; } cases[] = {
      {"odd half-points", "{\\rtf1\\fs15 x}", 15, {}},
      {"fs0 falls back to 12 pt", "{\\rtf1\\fs0 x}", 24, {}},
      {"huge size is clamped", "{\\rtf1\\fs999999 x}", 3276, {}},
      {"unterminated last colour", "{\\rtf1{\\colortbl;\\red1\\green2\\blue3}\\cf1 x}", 24, Rgb{1, 2, 3}},
      {"colour components are clamped", "{\\rtf1{\\colortbl\\red300\\green-4\\blue7;}\\cf0 x}", 24, Rgb{255, 0, 7}},
      {"cf before the table resolves later", "{\\rtf1{\\colortbl;\\red9\\green9\\blue9;}{\\cf1 x}}", 24, Rgb{9, 9, 9}},
      {"negative colour index", "{\\rtf1{\\colortbl;\\red9\\green9\\blue9;}\\cf-1 x}", 24, {}},
  };
  for (const Case& c : cases) {
    const ReadResult r = parseRtf(c.in);
    ASSERT_EQ(r.document.paragraphs.size(), 1u) << c.name;
    ASSERT_EQ(r.document.paragraphs[0].runs.size(), 1u) << c.name;
    EXPECT_EQ(r.document.paragraphs[0].runs[0].format.halfPoints, c.halfPoints) << c.name;
    EXPECT_EQ(r.document.paragraphs[0].runs[0].format.color, c.color) << c.name;
  }
}

TEST(RtfFormat, ParagraphProperties) {
  const ReadResult r = parseRtf(
      "{\\rtf1\\qc\\sb240\\sa60 a\\par\\pard b\\par\\qr\\sa-5 c\\par\\qj\\sb99999 d\\par{\\ql e\\par}f\\par\\qd g}");
  struct Expected { Alignment alignment; int before, after; } expected[] = {
      {Alignment::Center, 240, 60},      {Alignment::Left, 0, 0},           {Alignment::Right, 0, 0},
      {Alignment::Justified, 31'680, 0}, {Alignment::Left, 31'680, 0},      {Alignment::Justified, 31'680, 0},
      {Alignment::Justified, 31'680, 0}};
  ASSERT_EQ(r.document.paragraphs.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const Paragraph& p = r.document.paragraphs[i];
    EXPECT_EQ(p.alignment, expected[i].alignment) << p.text();
    EXPECT_EQ(p.spaceBefore, expected[i].before) << p.text();
    EXPECT_EQ(p.spaceAfter, expected[i].after) << p.text();
  }
}

TEST(RtfBroken, NeverFailsAndKeepsWhatItCan) {
  struct Case { const char* name; std::string in; ReadStatus status; std::string text; } cases[] = {
      {"empty file", "", ReadStatus::NotRtf, ""},
      {"plain text", "Seminare le fave", ReadStatus::NotRtf, ""},
      {"html", "<html><body>{\\rtf1 x}</body></html>", ReadStatus::NotRtf, ""},
      {"only the header", "{\\rtf1", ReadStatus::NoText, ""},
      {"blank paragraphs are kept", "{\\rtf1 a\\par\\par b\\par}", ReadStatus::Read, "a\n\nb"},
      {"nothing but paragraphs", "{\\rtf1 \\par\\par}", ReadStatus::NoText, "\n"},
      {"only blanks", "{\\rtf1 \\tab \\~ \\line}", ReadStatus::NoText, "\t\u00a0 \u2028"},
      {"only a picture", "{\\rtf1{\\pict 0102}}", ReadStatus::NoText, ""},
      {"unclosed groups", "{\\rtf1 abc{\\b def", ReadStatus::Read, "abcdef"},
      {"cut inside a hex escape", "{\\rtf1 a\\'e", ReadStatus::Read, "a"},
      {"cut after a backslash", "{\\rtf1 a\\", ReadStatus::Read, "a"},
      {"cut inside a control word", "{\\rtf1 a\\pa", ReadStatus::Read, "a"},
      {"cut inside binary data", "{\\rtf1 a\\bin99999 xyz", ReadStatus::Read, "a"},
      {"cut inside the font table", "{\\rtf1{\\fonttbl{\\f0 Ari", ReadStatus::NoText, ""},
      {"stray closing braces", "{\\rtf1 a}}} b}", ReadStatus::Read, "a b"},
      {"negative binary length", "{\\rtf1 a\\bin-5 b}", ReadStatus::Read, "ab"},
      {"byte order mark and blanks first", "\xEF\xBB\xBF \r\n{\\rtf1 x}", ReadStatus::Read, "x"},
      {"nul bytes", std::string("{\\rtf1 a\0b\0", 11), ReadStatus::Read, "ab"},
      {"enormous parameter", "{\\rtf1\\fs99999999999999999999 a\\u99999999999999999999 b}", ReadStatus::Read,
       "a\ufffd"},
  };
  for (const Case& c : cases) {
    const ReadResult r = parseRtf(c.in);
    EXPECT_EQ(r.status, c.status) << c.name;
    EXPECT_EQ(r.document.plainText(), c.text) << c.name;
    EXPECT_EQ(r.readable(), c.status == ReadStatus::Read) << c.name;
    expectWellFormed(r);
  }
}

TEST(RtfBroken, BinaryJunkGivesValidText) {
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
    ASSERT_FALSE(r.document.paragraphs.empty());
    EXPECT_FALSE(r.document.paragraphs.back().runs.back().format.bold) << depth;
  }
}

TEST(RtfBroken, LimitsBoundTheModel) {
  Limits small;
  small.maxTextBytes = 1000;
  small.maxPieces = 50;
  // The last unit is one endless stretch of text: it keeps its beginning, cut between two characters.
  for (const char* unit : {"ab\\par ", "{\\b a}{\\i b}", "abcdefghij\\'e8", "\\'e8"}) {
    std::string in = "{\\rtf1 x";
    for (int i = 0; i < 10'000; ++i) in += unit;
    const ReadResult r = parseRtf(in, small);
    EXPECT_TRUE(r.truncated) << unit;
    EXPECT_EQ(r.status, ReadStatus::Read) << unit;
    std::size_t pieces = r.document.paragraphs.size(), bytes = 0;
    for (const Paragraph& p : r.document.paragraphs) {
      pieces += p.runs.size();
      for (const rtf::Run& run : p.runs) bytes += run.text.size();
    }
    EXPECT_LE(pieces, small.maxPieces + 1) << unit;  // the open paragraph is not counted
    EXPECT_LE(bytes, small.maxTextBytes) << unit;
    expectWellFormed(r);
    const std::size_t size = r.document.plainText().size();
    EXPECT_TRUE(unit != std::string("\\'e8") || size == small.maxTextBytes - 1) << size;  // "x" and 499 letters
  }
  EXPECT_FALSE(parseRtf("{\\rtf1 short}", small).truncated);
}

TEST(RtfBroken, FiftyMegabytesIsReadWithinTheDefaultLimits) {
  std::string in = "{\\rtf1 ";
  const std::string unit = "Seminare {\\b lattuga}\\par \\'e8{\\pict 0a0b0c}";
  while (in.size() < 50u << 20) in += unit;
  const ReadResult r = parseRtf(in);
  EXPECT_EQ(r.status, ReadStatus::Read);
  EXPECT_TRUE(r.truncated);
  EXPECT_LE(r.document.paragraphs.size(), Limits{}.maxPieces);
}

}  // namespace
