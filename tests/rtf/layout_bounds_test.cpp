// SPDX-License-Identifier: GPL-3.0-or-later
// The bounds that keep a notes document quick to lay out, whatever it holds.
#include "rtf/layout_bounds.h"

#include <gtest/gtest.h>

#include <QString>
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
    EXPECT_LE(bounded.paragraphs.size(), bounds.maxParagraphs);
    EXPECT_LE(runs, bounds.maxRuns + bounded.paragraphs.size());
    EXPECT_LE(bytes, bounds.maxTextBytes);
    EXPECT_GT(bytes, 0u);
    // What is kept is the document's own beginning, with nothing but invisible breaks added.
    const std::string kept = withoutBreaks(bounded.plainText()), whole = doc.plainText();
    EXPECT_EQ(c.keepsAllText ? whole : whole.substr(0, kept.size()), kept);
  }
}

TEST(LayoutBounds, RunsPastTheLimitJoinTheirParagraphsLastRun) {
  LayoutBounds bounds;
  bounds.maxRuns = 3;
  const Document bounded = boundedForLayout(parseRtf("{\\rtf1 a{\\b b}c{\\i d}e\\par f{\\b g}\\par}").document, bounds);
  ASSERT_EQ(bounded.paragraphs.size(), 2u);
  const auto& first = bounded.paragraphs[0].runs;
  ASSERT_EQ(first.size(), 3u);
  EXPECT_EQ(first[2].text, "cde");
  EXPECT_FALSE(first[2].format.italic) << "the joined text takes the format of the run it joins";
  ASSERT_EQ(bounded.paragraphs[1].runs.size(), 1u) << "one run a paragraph after the limit";
  EXPECT_EQ(bounded.paragraphs[1].runs[0].text, "fg");
}

TEST(LayoutBounds, BreaksGoInsideLongWordsOnlyAtTheLimit) {
  LayoutBounds bounds;
  bounds.maxWordLength = 4;
  struct Case { const char* rtf; const char* text; } cases[] = {
      {"{\\rtf1 abcd efgh}", "abcd efgh"},                                   // at the limit: untouched
      {"{\\rtf1 abcdefghij}", "abcd\u200Befgh\u200Bij"},                    // past it: a break every 4
      {"{\\rtf1 ab{\\b cdef}}", "abcd\u200Bef"},                             // the word runs on across runs
      {"{\\rtf1 \\'e8\\'e8\\'e8\\'e8\\'e8}", "\u00e8\u00e8\u00e8\u00e8\u200B\u00e8"},  // letters, not bytes
      {"{\\rtf1 abc\\tab abcd\\line abcd}", "abc\tabcd\u2028abcd"},          // tabs and line breaks end words
      {"{\\rtf1 abc\\par defgh}", "abc\ndefg\u200Bh"},                       // so does a paragraph
  };
  for (const Case& c : cases)
    EXPECT_EQ(boundedForLayout(parseRtf(c.rtf).document, bounds).plainText(), c.text) << c.rtf;
}

}  // namespace
