// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/rtf_text_document.h"

#include <QDir>
#include <QFile>
#include <QTextCursor>
#include <QFont>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <sys/stat.h>

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
}

TEST(NotesTextDocument, LoadsAFileOrShowsTheNotice) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const auto bytes = [](const char* content) {
    return [content](const QString& path) {
      QFile f(path);
      return f.open(QIODevice::WriteOnly) && f.write(content) >= 0;
    };
  };
  const auto fifo = [](const QString& path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; };
  const auto linkTo = [](const char* target) {
    return [target](const QString& path) { return QFile::link(QString::fromUtf8(target), path); };
  };
  struct Case { const char* name; std::function<bool(const QString&)> make; bool readable; const char* text; } cases[] = {
      {"good file", bytes("{\\rtf1 Seminare le fave\\par}"), true, "Seminare le fave"},
      {"missing file", nullptr, false, kNotesUnavailable},  // no file made at all
      {"not RTF", bytes("Seminare le fave"), false, kNotesUnavailable},
      {"RTF without text", bytes("{\\rtf1{\\pict 0a0b}\\par}"), false, kNotesUnavailable},
      {"truncated file", bytes("{\\rtf1{\\b Pota"), true, "Pota"},
      // None of these may be waited on: a pipe nobody writes, an endless device, a folder.
      {"a pipe", fifo, false, kNotesUnavailable},
      {"an endless device", linkTo("/dev/zero"), false, kNotesUnavailable},
      {"a folder", [](const QString& path) { return QDir().mkdir(path); }, false, kNotesUnavailable},
  };
  int n = 0;
  for (const Case& c : cases) {
    const QString path = dir.filePath(QStringLiteral("notes%1.rtf").arg(n++));
    if (c.make) {
      ASSERT_TRUE(c.make(path)) << c.name;
    }
    QTextDocument doc;
    doc.setPlainText("previous month");
    EXPECT_EQ(loadNotesDocument(path, doc), c.readable) << c.name;
    EXPECT_EQ(utf8(doc.toPlainText()), c.text) << c.name;
  }
}

// How the viewer set its text smaller before: the document built as written,
// then each fragment's size multiplied. Scaling while building must give the
// very same document.
void scaleFragmentByFragment(QTextDocument& document, double factor) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      QTextCharFormat format = fragment.charFormat();
      format.setFontPointSize(format.fontPointSize() * factor);
      QTextCursor cursor(&document);
      cursor.setPosition(fragment.position());
      cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
      cursor.setCharFormat(format);
    }
  }
}

TEST(NotesTextDocument, ScaledAsBuiltJustAsWhenScaledAfterwards) {
  std::vector<std::string> sources;
  for (const char* month : {"Gen", "Feb", "Mar", "Apr", "Mag", "Giu", "Lug", "Ago", "Sep", "Ott", "Nov", "Dic"}) {
    QFile f(QStringLiteral(ORTALBA_SOURCE_DIR "/Doc/%1.rtf").arg(QLatin1String(month)));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    sources.push_back(f.readAll().toStdString());
  }
  // Empty lines after text of another size keep that size's height.
  sources.push_back("{\\rtf1\\fs40 Titolo\\par\\par\\fs20 riga\\line a capo\\par\\par\\par{\\b\\fs30 fine}}");
  for (const std::string& source : sources) {
    const Document parsed = parseRtf(source).document;
    QTextDocument before, after;
    fillTextDocument(parsed, before);
    scaleFragmentByFragment(before, 0.82);
    fillTextDocument(parsed, after, 0.82);
    ASSERT_EQ(after.blockCount(), before.blockCount());
    ASSERT_EQ(after.toRawText(), before.toRawText());
    for (QTextBlock a = after.begin(), b = before.begin(); a.isValid(); a = a.next(), b = b.next()) {
      EXPECT_EQ(a.blockFormat(), b.blockFormat()) << a.blockNumber();
      EXPECT_EQ(a.charFormat(), b.charFormat()) << "line end of block " << a.blockNumber();
      const auto fa = fragmentsOf(a), fb = fragmentsOf(b);
      ASSERT_EQ(fa.size(), fb.size()) << a.blockNumber();
      for (std::size_t i = 0; i < fa.size(); ++i) {
        EXPECT_EQ(fa[i].text(), fb[i].text());
        EXPECT_EQ(fa[i].charFormat(), fb[i].charFormat()) << utf8(fa[i].text());
      }
    }
  }
}

TEST(NotesTextDocument, BuiltWithinTheLayoutBounds) {
  // The bounds themselves are tried in tests/rtf; here, that the document built is bounded.
  const LayoutBounds bounds;
  QTextDocument doc;
  fillTextDocument(parseRtf("{\\rtf1\\fs3276 " + QByteArray("{\\b W}{\\i W}").repeated(20'000).toStdString() + "}").document,
                   doc, 0.82);
  std::size_t fragments = 0;
  for (const QTextFragment& f : fragmentsOf(doc.begin())) {
    ++fragments;
    EXPECT_LE(f.charFormat().fontPointSize(), bounds.maxHalfPoints / 2.0 * 0.82);
  }
  EXPECT_LE(fragments, bounds.maxRuns + 1);
  EXPECT_LE(doc.characterCount(), 2 * 20'000 + 2 * 20'000 / 100 + 1) << "every letter, and a break every 100";
}

}  // namespace
