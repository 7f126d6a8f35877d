// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/notes/rtf_text_document.h"

#include <QFile>
#include <QFont>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

#include <vector>


namespace {
using namespace rtf;

std::string utf8(const QString& s) { return s.toStdString(); }

std::vector<QTextFragment> fragmentsOf(const QTextBlock& block) {
  std::vector<QTextFragment> out;
  for (auto it = block.begin(); !it.atEnd(); ++it) out.push_back(it.fragment());
  return out;
}

TEST(NotesTextDocument, CarriesRunsColoursAndAlignment) {
  const ReadResult r = parseRtf(
      "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}{\\colortbl;\\red192\\green0\\blue0;}"
      "\\qc\\f0\\fs30\\cf1\\b Orto\\b0\\cf0\\par"
      "\\pard\\qj\\sb240\\sa120\\f1\\fs22 Prima {\\b seminare}, poi \\i attendere\\i0\\line\\ul fine\\par"
      "\\pard\\qr destra}");
  QTextDocument doc;
  doc.setPlainText("old text that must go");
  fillTextDocument(r.document, doc);

  ASSERT_EQ(doc.blockCount(), 3);
  EXPECT_EQ(utf8(doc.toRawText()), "Orto\u2029Prima seminare, poi attendere\u2028fine\u2029destra");
  const QTextBlock heading = doc.begin();
  const QTextBlock advice = heading.next();
  EXPECT_EQ(heading.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(advice.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
  EXPECT_DOUBLE_EQ(advice.blockFormat().topMargin(), 16.0);  // 240 twips = 1/6 inch
  EXPECT_DOUBLE_EQ(advice.blockFormat().bottomMargin(), 8.0);
  EXPECT_DOUBLE_EQ(heading.blockFormat().topMargin(), 0.0);
  EXPECT_EQ(advice.next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

  const auto head = fragmentsOf(heading);
  ASSERT_EQ(head.size(), 1u);
  EXPECT_EQ(head[0].charFormat().fontWeight(), QFont::Bold);
  EXPECT_EQ(head[0].charFormat().foreground().color(), QColor(192, 0, 0));
  EXPECT_DOUBLE_EQ(head[0].charFormat().fontPointSize(), 15.0);
  EXPECT_EQ(head[0].charFormat().fontFamilies().toStringList(), QStringList{"Arial"});

  struct Expected { const char* text; bool bold, italic, underline; } expected[] = {
      {"Prima ", false, false, false}, {"seminare", true, false, false}, {", poi ", false, false, false},
      {"attendere", false, true, false}, {"\u2028", false, false, false},  // a line break is a fragment of its own
      {"fine", false, false, true}};
  const auto body = fragmentsOf(advice);
  ASSERT_EQ(body.size(), std::size(expected));
  for (std::size_t i = 0; i < body.size(); ++i) {
    EXPECT_EQ(utf8(body[i].text()), expected[i].text);
    EXPECT_EQ(body[i].charFormat().fontWeight() == QFont::Bold, expected[i].bold) << expected[i].text;
    EXPECT_EQ(body[i].charFormat().fontItalic(), expected[i].italic) << expected[i].text;
    EXPECT_EQ(body[i].charFormat().fontUnderline(), expected[i].underline) << expected[i].text;
    EXPECT_FALSE(body[i].charFormat().hasProperty(QTextFormat::ForegroundBrush)) << expected[i].text;
    EXPECT_DOUBLE_EQ(body[i].charFormat().fontPointSize(), 11.0);
  }
  EXPECT_FALSE(doc.isUndoAvailable());

  // Set smaller, as in the viewer, every run's letters shrink alike; a paragraph's
  // end keeps the size it was written in, so that an empty line stays as high.
  QTextDocument scaled;
  fillTextDocument(r.document, scaled, 0.5);
  ASSERT_EQ(scaled.toRawText(), doc.toRawText());
  for (QTextBlock a = scaled.begin(), b = doc.begin(); a.isValid(); a = a.next(), b = b.next()) {
    EXPECT_EQ(a.blockFormat(), b.blockFormat());
    EXPECT_EQ(a.charFormat(), b.charFormat());
    const auto small = fragmentsOf(a), large = fragmentsOf(b);
    for (std::size_t i = 0; i < small.size(); ++i)
      EXPECT_DOUBLE_EQ(small[i].charFormat().fontPointSize(), large[i].charFormat().fontPointSize() / 2);
  }
}

TEST(NotesTextDocument, LoadsAFileOrShowsTheNotice) {
  QTemporaryDir dir;
  // What is RTF is tried in tests/rtf, a pipe or a folder in the file's place on readRegularFile.
  struct Case { const char* name; const char* content; bool readable; const char* text; } cases[] = {
      {"good file", "{\\rtf1 Seminare le fave\\par}", true, "Seminare le fave"},
      {"missing file", nullptr, false, NotesUnavailable},  // no file made at all
      {"not RTF", "Seminare le fave", false, NotesUnavailable},
  };
  int n = 0;
  for (const Case& c : cases) {
    const QString path = dir.filePath(QStringLiteral("notes%1.rtf").arg(n++));
    QFile file(path);
    ASSERT_TRUE(!c.content || (file.open(QIODevice::WriteOnly) && file.write(c.content) >= 0)) << c.name;
    file.close();
    QTextDocument doc;
    doc.setPlainText("previous month");
    EXPECT_EQ(loadNotesDocument(path, doc), c.readable) << c.name;
    EXPECT_EQ(utf8(doc.toPlainText()), c.text) << c.name;
  }
}

}  // namespace
