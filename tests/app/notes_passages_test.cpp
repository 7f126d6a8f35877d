// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/notes_passages.h"

#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <map>
#include <sstream>

namespace {
using namespace app;

rtf::Document parsed(const std::string& rtfText) { return rtf::parseRtf(rtfText).document; }

// Every month's notes: two sections, each with a waxing and a waning passage that
// holds its advice and stops before the next sub-heading or section. The advice
// the almanac gives for a moon names no work that the notes put only under the
// other moon: each "si trapianta" of it is a "trapiantare" under its own moon.
TEST(NotesPassages, TheTwelveDocumentsAgreeWithTheAdvice) {
  std::map<PhaseMark, std::string> underMoon;  // the passages' text, in small letters
  for (const char* name : NotesDocuments) {
    SCOPED_TRACE(name);
    std::ifstream in(std::string(ORTALBA_SOURCE_DIR "/Doc/") + name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const rtf::Document document = parsed(bytes.str());
    const auto passages = moonPassages(document);
    ASSERT_EQ(passages.size(), 4u);
    for (std::size_t k = 0; k < 4; ++k) {
      const PhaseMark mark = k % 2 == 0 ? PhaseMark::Waxing : PhaseMark::Waning;
      EXPECT_EQ(passages[k].mark, mark);
      EXPECT_EQ(document.paragraphs[passages[k].first].text(), passageHeading(mark));
      EXPECT_GT(passages[k].last, passages[k].first) << "the advice belongs to its passage";
      EXPECT_TRUE(k == 0 || passages[k - 1].last < passages[k].first) << k;
      for (std::size_t i = passages[k].first; i <= passages[k].last; ++i)
        underMoon[mark] += document.paragraphs[i].text() + "\n";
    }
    EXPECT_EQ(document.paragraphs[passages[1].last + 1].text(), "Giardino e Terrazzo") << "a section ends a passage";
    EXPECT_EQ(passages[3].last + 1, document.paragraphs.size()) << "the last runs to the end";
  }
  for (auto& [mark, text] : underMoon)
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const auto named = [](const std::string& text, const std::string& stem) {
    for (const char* ending : {"are", "ere", "ire"})
      if (text.find(stem + ending) != std::string::npos) return true;
    return false;
  };
  for (const PhaseMark mark : {PhaseMark::Waxing, PhaseMark::Waning}) {
    const PhaseMark other = mark == PhaseMark::Waxing ? PhaseMark::Waning : PhaseMark::Waxing;
    const std::string advice = adviceOf(mark);
    int verbs = 0;
    for (std::size_t at = advice.find("si "); at != std::string::npos; at = advice.find("si ", at + 3)) {
      std::string verb = advice.substr(at + 3, advice.find_first_of(" ,.", at + 3) - at - 3);
      while (!verb.empty() && std::string("aeiou").find(verb.back()) != std::string::npos) verb.pop_back();
      if (verb.ends_with("an")) verb.resize(verb.size() - 2);  // "seminano": semin-
      ++verbs;
      EXPECT_TRUE(named(underMoon[mark], verb) || !named(underMoon[other], verb))
          << advice << ": the notes put \"" << verb << "...\" only under the other moon";
    }
    EXPECT_GE(verbs, 3) << advice;
  }
}

TEST(NotesPassages, FindsTheSubHeadingsAsAWriterMightTypeThem) {
  struct Passage { PhaseMark mark; std::size_t first, last; };
  struct Case { const char* rtf; std::vector<Passage> passages; const char* why; } cases[] = {
      {R"({\rtf1 {\b Orto}\par Testo.\par})", {}, "no sub-headings: the document is shown as it is"},
      {R"({\rtf1 {\b IN LUNA CRESCENTE:}\par seminare\par altro\par {\b Giardino}\par})",
       {{PhaseMark::Waxing, 0, 2}}, "capitals, a colon; a bold heading ends the passage"},
      {R"({\rtf1  In Luna calante \par {\b Tagliare} la legna\par In luna crescente\par})",
       {{PhaseMark::Waning, 0, 1}, {PhaseMark::Waxing, 2, 2}}, "a body that starts bold is advice, not a heading"},
      {R"({\rtf1 In Luna crescente e calante\par testo\par})", {}, "a sentence that begins like one is not one"},
      {R"({\rtf1 In Luna crescente\u8233? seminare\par In Luna calante\par\u-560? potare\par})",
       {{PhaseMark::Waxing, 0, 1}, {PhaseMark::Waning, 2, 3}}, "a paragraph separator is a paragraph's end"},
  };
  // The C library's locale plays no part: in a Turkish one "IN" does not lower to "in".
  for (const char* locale : {"C", "tr_TR.UTF-8"}) {
    if (std::setlocale(LC_ALL, locale) == nullptr) {
      ADD_FAILURE() << locale << " is not installed here (scripts/deps.sh makes it)";
      continue;
    }
    for (const auto& c : cases) {
      const auto found = moonPassages(parsed(c.rtf));
      ASSERT_EQ(found.size(), c.passages.size()) << c.why << " in " << locale;
      for (std::size_t k = 0; k < found.size(); ++k) {
        EXPECT_EQ(found[k].mark, c.passages[k].mark) << c.why;
        EXPECT_EQ(found[k].first, c.passages[k].first) << c.why;
        EXPECT_EQ(found[k].last, c.passages[k].last) << c.why;
      }
    }
  }
  std::setlocale(LC_ALL, "C");
}

}  // namespace
