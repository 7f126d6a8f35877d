// SPDX-License-Identifier: GPL-3.0-or-later
// The twelve monthly notes shipped in Doc/ read cleanly and keep the layout the viewer is made for.
#include "rtf/rtf_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {
using namespace rtf;

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

bool isRed(const std::optional<Rgb>& c) { return c && c->red >= 150 && c->green < 80 && c->blue < 80; }
bool isOrange(const std::optional<Rgb>& c) {
  return c && c->red >= 200 && c->green >= 80 && c->green <= 180 && c->blue < 60;
}
bool isGreen(const std::optional<Rgb>& c) { return c && c->green >= 100 && c->red < 80 && c->blue < 80; }

bool allRunsBoldAnd(const Paragraph& p, bool (*colour)(const std::optional<Rgb>&)) {
  return !p.runs.empty() && std::all_of(p.runs.begin(), p.runs.end(), [&](auto& r) { return r.format.bold && colour(r.format.color); });
}

TEST(NotesDocuments, EachMonthHoldsBothSectionsWithTheirMoonParagraphs) {
  struct Month { const char* file; const char* title; } months[] = {
      {"Gen", "Gennaio"}, {"Feb", "Febbraio"}, {"Mar", "Marzo"},   {"Apr", "Aprile"},  {"Mag", "Maggio"},    {"Giu", "Giugno"},
      {"Lug", "Luglio"},  {"Ago", "Agosto"},   {"Sep", "Settembre"}, {"Ott", "Ottobre"}, {"Nov", "Novembre"}, {"Dic", "Dicembre"}};
  const std::vector<std::string> verbs = {"seminare", "trapiantare", "raccogliere", "potare", "piantare",
                                          "innestare", "concimare", "tagliare"};
  for (const Month& m : months) {
    SCOPED_TRACE(m.file);
    const std::string bytes = readFile(std::string(ORTALBA_SOURCE_DIR) + "/Doc/" + m.file + ".rtf");
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
    for (const char c : bytes) ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "accents must be escaped";

    const ReadResult r = parseRtf(bytes);
    ASSERT_EQ(r.status, ReadStatus::Read);
    EXPECT_FALSE(r.truncated);
    const auto& ps = r.document.paragraphs;
    ASSERT_EQ(ps.size(), 11u);
    EXPECT_EQ(ps[0].text(), m.title);
    EXPECT_EQ(ps[0].alignment, Alignment::Center);

    const char* sections[] = {"Orto e Frutteto", "Giardino e Terrazzo"};
    for (int s = 0; s < 2; ++s) {
      const std::size_t at = 1 + 5 * static_cast<std::size_t>(s);
      EXPECT_EQ(ps[at].text(), sections[s]);
      EXPECT_TRUE(allRunsBoldAnd(ps[at], isRed)) << sections[s];
      EXPECT_EQ(ps[at + 1].text(), "In Luna crescente");
      EXPECT_TRUE(allRunsBoldAnd(ps[at + 1], isOrange));
      EXPECT_EQ(ps[at + 3].text(), "In Luna calante");
      EXPECT_TRUE(allRunsBoldAnd(ps[at + 3], isGreen));
      for (const std::size_t advice : {at + 2, at + 4}) {
        const Paragraph& p = ps[advice];
        EXPECT_EQ(p.alignment, Alignment::Justified);
        EXPECT_GT(p.text().size(), 150u);
        bool boldVerb = false;
        for (const rtf::Run& run : p.runs) {
          EXPECT_FALSE(run.format.color.has_value());
          // A bold run is one verb, never a stretch of ordinary prose.
          EXPECT_TRUE(!run.format.bold || run.text.find(' ') == std::string::npos) << run.text;
          std::string lower = run.text;
          for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
          boldVerb |= run.format.bold && std::find(verbs.begin(), verbs.end(), lower) != verbs.end();
        }
        EXPECT_TRUE(boldVerb) << p.text();
        EXPECT_EQ(p.text().find('\\'), std::string::npos);
      }
    }
  }
}

}  // namespace
