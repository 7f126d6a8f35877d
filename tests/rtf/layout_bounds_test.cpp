// SPDX-License-Identifier: GPL-3.0-or-later
// The bounds that keep a notes document quick to lay out: the twelve monthly notes shipped in Doc/ pass them
// untouched (and read cleanly, with the formatting the viewer shows); hostile documents are cut.
#include "rtf/layout_bounds.h"

#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <fstream>
#include <string>

namespace {
using namespace rtf;

std::string repeated(const std::string& unit, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += unit;
  return out;
}

std::string withoutBreaks(std::string text) {
  for (auto at = text.find("\u200B"); at != std::string::npos; at = text.find("\u200B", at)) text.erase(at, 3);
  return text;
}

// The longest stretch of characters (not bytes) with no space, tab, line break or invisible break.
std::size_t longestWord(const std::string& text) {
  const QString s = QString::fromUtf8(text);
  std::size_t longest = 0, word = 0;
  for (QChar c : s) {
    const bool ends = c == u' ' || c == u'\t' || c == QChar(0x2028) || c == QChar(0x200B);
    word = ends ? 0 : word + (c.isLowSurrogate() ? 0 : 1);
    longest = std::max(longest, word);
  }
  return longest;
}

TEST(LayoutBounds, TheTwelveNotesDocumentsReadAndPassUntouched) {
  for (const char* month : {"Gen", "Feb", "Mar", "Apr", "Mag", "Giu", "Lug", "Ago", "Sep", "Ott", "Nov", "Dic"}) {
    SCOPED_TRACE(month);
    std::ifstream in(std::string(ORTALBA_SOURCE_DIR "/Doc/") + month + ".rtf", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(bytes.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        << "accents must be escaped";
    const ReadResult r = parseRtf(bytes);
    ASSERT_TRUE(r.readable() && !r.truncated);
    const auto& ps = r.document.paragraphs;
    ASSERT_EQ(ps.size(), 11u);
    EXPECT_EQ(ps[0].alignment, Alignment::Center);
    // Headings in colour and bold; justified advice in the text's own colour, whose bold runs are single verbs.
    for (const std::size_t heading : {1u, 2u, 4u, 6u, 7u, 9u})
      for (const rtf::Run& run : ps[heading].runs) EXPECT_TRUE(run.format.bold && run.format.color) << run.text;
    for (const std::size_t advice : {3u, 5u, 8u, 10u}) {
      const Paragraph& p = ps[advice];
      EXPECT_TRUE(p.alignment == Alignment::Justified && p.text().size() > 150 && p.text().find('\\') == p.text().npos);
      EXPECT_TRUE(std::any_of(p.runs.begin(), p.runs.end(), [](const rtf::Run& run) { return run.format.bold; }));
      for (const rtf::Run& run : p.runs)
        EXPECT_TRUE(!run.format.color && (!run.format.bold || run.text.find(' ') == std::string::npos)) << run.text;
    }
    const Document bounded = boundedForLayout(r.document);
    ASSERT_EQ(bounded.paragraphs.size(), ps.size());
    for (std::size_t p = 0; p < ps.size(); ++p) {
      const Paragraph &a = ps[p], &b = bounded.paragraphs[p];
      EXPECT_TRUE(b.alignment == a.alignment && b.spaceBefore == a.spaceBefore && b.spaceAfter == a.spaceAfter) << p;
      ASSERT_EQ(b.runs.size(), a.runs.size()) << p;
      for (std::size_t i = 0; i < a.runs.size(); ++i)
        EXPECT_TRUE(b.runs[i].text == a.runs[i].text && b.runs[i].format == a.runs[i].format) << p << " " << i;
    }
  }
}

TEST(LayoutBounds, HostileDocumentsAreCutToWhatTheLayoutTakes) {
  const LayoutBounds bounds;
  struct Case { const char* name; std::string rtf; bool keepsAllText; } cases[] = {  // all text: only formats change
      {"the largest size", "{\\rtf1\\fs3276 " + repeated("W ", 4000) + "}", true},
      {"a format change every letter", "{\\rtf1 " + repeated("{\\b a}{\\i b}", 20'000) + "}", true},
      {"one endless word", "{\\rtf1 " + std::string(400'000, 'a') + "}", false},
      {"an endless word across runs", "{\\rtf1 " + repeated("ab{\\i cd}", 2'000) + "}", true},
      {"endless paragraphs", "{\\rtf1 " + repeated("x\\par ", 50'000) + "}", false},
      {"text up to the reader's limit", "{\\rtf1 " + repeated("seminare le fave ", 130'000) + "}", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Document doc = parseRtf(c.rtf).document;
    const Document bounded = boundedForLayout(doc);
    std::size_t runs = 0, bytes = 0;
    for (const Paragraph& p : bounded.paragraphs) {
      runs += p.runs.size();
      for (const rtf::Run& run : p.runs) {
        EXPECT_TRUE(!run.text.empty() && run.format.halfPoints <= bounds.maxHalfPoints) << run.format.halfPoints;
        EXPECT_EQ(QString::fromUtf8(run.text).toStdString(), run.text) << "cut inside a character";
        bytes += run.text.size();
      }
      EXPECT_LE(longestWord(p.text()), bounds.maxWordLength);
    }
    EXPECT_TRUE(bounded.paragraphs.size() <= bounds.maxParagraphs && runs <= bounds.maxRuns + bounded.paragraphs.size())
        << bounded.paragraphs.size() << " paragraphs, " << runs << " runs";
    EXPECT_TRUE(bytes > 0 && bytes <= bounds.maxTextBytes) << bytes;
    // What is kept is the document's own beginning, with nothing but invisible breaks added.
    const std::string kept = withoutBreaks(bounded.plainText()), whole = doc.plainText();
    EXPECT_EQ(c.keepsAllText ? whole : whole.substr(0, kept.size()), kept);
  }
}

TEST(LayoutBounds, RunsPastTheLimitJoinTheirParagraphsLastRun) {
  const Document bounded =
      boundedForLayout(parseRtf("{\\rtf1 a{\\b b}c{\\i d}e\\par f{\\b g}\\par}").document, {.maxRuns = 3});
  const auto& ps = bounded.paragraphs;
  ASSERT_TRUE(ps.size() == 2 && ps[0].runs.size() == 3 && ps[1].runs.size() == 1);  // one run a paragraph after it
  // The joined text takes the format of the run it joins.
  EXPECT_TRUE(ps[0].runs[2].text == "cde" && !ps[0].runs[2].format.italic && ps[1].runs[0].text == "fg");
}

TEST(LayoutBounds, BreaksGoInsideLongWordsOnlyAtTheLimit) {
  const LayoutBounds bounds{.maxWordLength = 4};
  // At the limit untouched, past it a break every 4 letters (not bytes), across runs; tabs, line breaks and
  // paragraphs end a word.
  struct Case { const char* rtf; const char* text; } cases[] = {
      {"{\\rtf1 abcd efgh}", "abcd efgh"}, {"{\\rtf1 abcdefghij}", "abcd\u200Befgh\u200Bij"},
      {"{\\rtf1 ab{\\b cdef}}", "abcd\u200Bef"}, {"{\\rtf1 \\'e8\\'e8\\'e8\\'e8\\'e8}", "\u00e8\u00e8\u00e8\u00e8\u200B\u00e8"},
      {"{\\rtf1 abc\\tab abcd\\line abcd}", "abc\tabcd\u2028abcd"}, {"{\\rtf1 abc\\par defgh}", "abc\ndefg\u200Bh"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(boundedForLayout(parseRtf(c.rtf).document, bounds).plainText(), c.text) << c.rtf;
}

}  // namespace
