// SPDX-License-Identifier: GPL-3.0-or-later
// The twelve monthly notes shipped in Doc/ read cleanly, keep the formatting the viewer shows,
// and pass the layout's bounds untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "rtf/layout_bounds.h"
#include "rtf/rtf_document.h"

namespace {
using namespace rtf;

TEST(NotesDocuments, EachMonthReadsWithItsHeadingsAndAdvice) {
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
    // Two sections, each a heading, then the waxing and the waning moon's headings in colour and bold, each
    // followed by justified advice in the text's own colour whose bold runs are single verbs.
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

}  // namespace
