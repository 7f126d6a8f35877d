#include "app/platform/rtf/rtf_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using namespace rtf;

// True when `s` is well-formed UTF-8 without surrogates or overlong forms.
bool isValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (std::size_t k = 1; k < len; ++k) {
      const auto d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

void expectWellFormed(const ReadResult& r) {
  for (const Paragraph& p : r.document.paragraphs) {
    for (const rtf::Run& run : p.runs) {
      EXPECT_FALSE(run.text.empty());
      EXPECT_TRUE(isValidUtf8(run.text));
    }
  }
}

std::string textOf(std::string_view rtfBytes) { return parseRtf(rtfBytes).document.plainText(); }

TEST(RtfText, EscapesSymbolsAndCodePages) {
  struct Case {
    const char* name;
    std::string in;
    std::string text;
  } cases[] = {
      {"hex escapes in 1252 by default", "{\\rtf1\\ansi pi\\'f9 caff\\'e8 \\'80}", "pi\u00f9 caff\u00e8 \u20ac"},
      {"upper-case hex digits", "{\\rtf1 \\'C0\\'E9}", "\u00c0\u00e9"},
      {"code page 1250", "{\\rtf1\\ansi\\ansicpg1250 \\'e8\\'9a\\'b3}", "\u010d\u0161\u0142"},
      {"code page 28591 keeps 0x80 as a C1 control", "{\\rtf1\\ansicpg28591 \\'e8\\'80}", "\u00e8\u0080"},
      {"unknown code page reads as 1252", "{\\rtf1\\ansicpg437 \\'80\\'e0}", "\u20ac\u00e0"},
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
  };
  for (const Case& c : cases) EXPECT_EQ(textOf(c.in), c.text) << c.name;
}

TEST(RtfText, UnicodeWithFallback) {
  struct Case {
    const char* name;
    std::string in;
    std::string text;
  } cases[] = {
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
  };
  for (const Case& c : cases) EXPECT_EQ(textOf(c.in), c.text) << c.name;
}

TEST(RtfText, SkippedDestinations) {
  struct Case {
    const char* name;
    std::string in;
    std::string text;
  } cases[] = {
      {"tables and metadata",
       "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}"
       "{\\info{\\title T}{\\author A}}{\\*\\generator G;}body}",
       "body"},
      {"pictures and objects", "{\\rtf1 a{\\pict\\wmetafile8 0a0b}{\\object{\\objdata 00}}{\\*\\shppict{\\pict 01}}b}", "ab"},
      {"headers and footers", "{\\rtf1{\\header H}{\\headerl L}{\\footer F}{\\footerr R}text}", "text"},
      {"lists", "{\\rtf1{\\*\\listtable{\\list x}}{\\listoverridetable{\\listoverride y}}z}", "z"},
      {"any starred group", "{\\rtf1 a{\\*\\unknownthing hidden {nested}}b}", "ab"},
      {"fields show their result", "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}", "link"},
      {"binary data may hold braces", "{\\rtf1 a{\\pict\\bin4 }}{{}b}", "ab"},
      {"binary data outside a picture", "{\\rtf1 a\\bin3 x}yb}", "ab"},
      {"text after the skipped group keeps going", "{\\rtf1{\\info{\\title T}}{\\b bold}}", "bold"},
  };
  for (const Case& c : cases) EXPECT_EQ(textOf(c.in), c.text) << c.name;
}

TEST(RtfFormat, RunsCarryTheirFormatting) {
  const ReadResult r = parseRtf(
      "{\\rtf1\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\froman Times New Roman;}}"
      "{\\colortbl;\\red200\\green0\\blue0;\\red0\\green128\\blue0;}"
      "Plain{\\b Bold\\i Both\\b0 It}\\ul Under\\ulnone\\cf1 Red\\cf2\\ul0 Green\\cf0 Auto\\cf9 Nine"
      "\\fs36 Big\\f1 Times\\plain Reset\\i\\ul Again\\i0\\ul0 Off}");
  ASSERT_EQ(r.status, ReadStatus::Read);
  ASSERT_EQ(r.document.paragraphs.size(), 1u);
  struct Expected {
    const char* text;
    bool bold, italic, underline;
    std::optional<Rgb> color;
    int halfPoints, font;
  };
  const Rgb red{200, 0, 0}, green{0, 128, 0};
  const Expected expected[] = {
      {"Plain", false, false, false, {}, 24, 0}, {"Bold", true, false, false, {}, 24, 0},
      {"Both", true, true, false, {}, 24, 0},    {"It", false, true, false, {}, 24, 0},
      {"Under", false, false, true, {}, 24, 0},  {"Red", false, false, false, red, 24, 0},
      {"Green", false, false, false, green, 24, 0}, {"AutoNine", false, false, false, {}, 24, 0},
      {"Big", false, false, false, {}, 36, 0},   {"Times", false, false, false, {}, 36, 1},
      {"Reset", false, false, false, {}, 24, 0}, {"Again", false, true, true, {}, 24, 0},
      {"Off", false, false, false, {}, 24, 0},
  };
  const auto& runs = r.document.paragraphs[0].runs;
  ASSERT_EQ(runs.size(), std::size(expected));
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const Expected& e = expected[i];
    EXPECT_EQ(runs[i].text, e.text);
    EXPECT_EQ(runs[i].format.bold, e.bold) << e.text;
    EXPECT_EQ(runs[i].format.italic, e.italic) << e.text;
    EXPECT_EQ(runs[i].format.underline, e.underline) << e.text;
    EXPECT_EQ(runs[i].format.color, e.color) << e.text;
    EXPECT_EQ(runs[i].format.halfPoints, e.halfPoints) << e.text;
    EXPECT_EQ(runs[i].format.font, e.font) << e.text;
  }
  ASSERT_NE(r.document.fontName(1), nullptr);
  EXPECT_EQ(*r.document.fontName(1), "Times New Roman");
  EXPECT_EQ(r.document.fontName(7), nullptr);
}

TEST(RtfFormat, FontSizesAndColourTableEdges) {
  struct Case {
    const char* name;
    std::string in;
    int halfPoints;
    std::optional<Rgb> color;
  } cases[] = {
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
  CharFormat odd;
  odd.halfPoints = 15;
  EXPECT_DOUBLE_EQ(odd.pointSize(), 7.5);
}

TEST(RtfFormat, ParagraphProperties) {
  const ReadResult r = parseRtf(
      "{\\rtf1\\qc\\sb240\\sa60 a\\par\\pard b\\par\\qr\\sa-5 c\\par\\qj\\sb99999 d\\par{\\ql e\\par}f\\par\\qd g}");
  struct Expected {
    Alignment alignment;
    int before, after;
  } expected[] = {{Alignment::Center, 240, 60}, {Alignment::Left, 0, 0},          {Alignment::Right, 0, 0},
                  {Alignment::Justified, 31'680, 0}, {Alignment::Left, 31'680, 0}, {Alignment::Justified, 31'680, 0},
                  {Alignment::Justified, 31'680, 0}};
  ASSERT_EQ(r.document.paragraphs.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const Paragraph& p = r.document.paragraphs[i];
    EXPECT_EQ(p.alignment, expected[i].alignment) << p.text();
    EXPECT_EQ(p.spaceBefore, expected[i].before) << p.text();
    EXPECT_EQ(p.spaceAfter, expected[i].after) << p.text();
  }
}

TEST(RtfFormat, BlankParagraphsAreKept) {
  const ReadResult r = parseRtf("{\\rtf1 a\\par\\par b\\par}");
  ASSERT_EQ(r.document.paragraphs.size(), 3u);
  EXPECT_TRUE(r.document.paragraphs[1].runs.empty());
  EXPECT_EQ(r.document.plainText(), "a\n\nb");
}

TEST(RtfBroken, NeverFailsAndKeepsWhatItCan) {
  struct Case {
    const char* name;
    std::string in;
    ReadStatus status;
    std::string text;
  } cases[] = {
      {"empty file", "", ReadStatus::NotRtf, ""},
      {"plain text", "Seminare le fave", ReadStatus::NotRtf, ""},
      {"html", "<html><body>{\\rtf1 x}</body></html>", ReadStatus::NotRtf, ""},
      {"only the header", "{\\rtf1", ReadStatus::NoText, ""},
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
  for (int round = 0; round < 64; ++round) {
    for (int b = 0; b < 256; ++b) junk.push_back(static_cast<char>((b * 37 + round * 11) & 0xFF));
  }
  const ReadResult r = parseRtf(junk);
  EXPECT_EQ(r.status, ReadStatus::Read);
  expectWellFormed(r);
}

TEST(RtfBroken, DeepNestingIsSkippedPastTheLimit) {
  struct Case {
    std::size_t depth;
    std::string text;
    bool tailBold;
  } cases[] = {
      {10, "xy", false},       // within the limit everything is read and restored
      {254, "xy", false},      // the document group plus 254 fits in 256
      {300, "y", false},       // too deep: the inner text is dropped, formatting still restored
      {200'000, "y", false},
  };
  for (const Case& c : cases) {
    std::string in = "{\\rtf1 ";
    for (std::size_t i = 0; i < c.depth; ++i) in += "{\\b ";
    in += "x";
    in.append(c.depth, '}');
    in += "y}";
    const ReadResult r = parseRtf(in);
    EXPECT_EQ(r.document.plainText(), c.text) << c.depth;
    ASSERT_FALSE(r.document.paragraphs.empty());
    EXPECT_EQ(r.document.paragraphs.back().runs.back().format.bold, c.tailBold) << c.depth;
  }
}

TEST(RtfBroken, LimitsBoundTheModel) {
  Limits small;
  small.maxTextBytes = 1000;
  small.maxPieces = 50;
  struct Case {
    const char* name;
    std::string unit;
  } cases[] = {
      {"many paragraphs", "ab\\par "},
      {"many runs", "{\\b a}{\\i b}"},
      {"long text", "abcdefghij\\'e8"},
  };
  for (const Case& c : cases) {
    std::string in = "{\\rtf1 ";
    for (int i = 0; i < 10'000; ++i) in += c.unit;
    const ReadResult r = parseRtf(in, small);
    EXPECT_TRUE(r.truncated) << c.name;
    EXPECT_EQ(r.status, ReadStatus::Read) << c.name;
    std::size_t pieces = r.document.paragraphs.size(), bytes = 0;
    for (const Paragraph& p : r.document.paragraphs) {
      pieces += p.runs.size();
      for (const rtf::Run& run : p.runs) bytes += run.text.size();
    }
    EXPECT_LE(pieces, small.maxPieces + 1) << c.name;  // the open paragraph is not counted
    EXPECT_LE(bytes, small.maxTextBytes) << c.name;
    expectWellFormed(r);
  }
  EXPECT_FALSE(parseRtf("{\\rtf1 short}", small).truncated);

  // One endless stretch of text keeps its beginning, cut between two characters.
  const std::string accented = "\\'e8";
  std::string in = "{\\rtf1 x";
  for (int i = 0; i < 5'000; ++i) in += accented;
  const ReadResult r = parseRtf(in, small);
  EXPECT_TRUE(r.truncated);
  EXPECT_EQ(r.status, ReadStatus::Read);
  const std::string text = r.document.plainText();
  EXPECT_EQ(text.size(), small.maxTextBytes - 1);  // "x" and 499 two-byte letters
  EXPECT_TRUE(isValidUtf8(text));
}

TEST(RtfBroken, FiftyMegabytesIsReadWithinTheDefaultLimits) {
  std::string in = "{\\rtf1 ";
  const std::string unit = "Seminare {\\b lattuga}\\par \\'e8{\\pict 0a0b0c}";
  while (in.size() < 50u << 20) in += unit;
  const ReadResult r = parseRtf(in);
  EXPECT_EQ(r.status, ReadStatus::Read);
  EXPECT_TRUE(r.truncated);
  const Limits defaults;
  EXPECT_LE(r.document.paragraphs.size(), defaults.maxPieces);
}

}  // namespace
