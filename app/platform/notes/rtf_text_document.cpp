// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/notes/rtf_text_document.h"

#include "app/platform/session/file_io.h"

#include <QBrush>
#include <QColor>
#include <QFile>
#include <QFont>
#include <QStringList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <string_view>

namespace rtf {
namespace {

Qt::Alignment qtAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Center: return Qt::AlignHCenter;
    case Alignment::Right: return Qt::AlignRight;
    case Alignment::Justified: return Qt::AlignJustify;
    case Alignment::Left: break;
  }
  return Qt::AlignLeft;
}

// Block margins are in pixels at 96 per inch; RTF spacing is in twips, 1440 per inch.
qreal twipsToPixels(int twips) { return twips * 96.0 / 1440.0; }

QTextCharFormat qtCharFormat(const CharFormat& format, const Document& document, double fontScale) {
  QTextCharFormat out;
  out.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
  out.setFontItalic(format.italic);
  out.setFontUnderline(format.underline);
  out.setFontPointSize(format.pointSize() * fontScale);
  if (format.color) {
    out.setForeground(QBrush(QColor(format.color->red, format.color->green, format.color->blue)));
  }
  if (const std::string* name = document.fontName(format.font); name != nullptr && !name->empty()) {
    out.setFontFamilies(QStringList{QString::fromStdString(*name)});
  }
  return out;
}

// Building a document is not something the user undoes; without the undo
// stack a large file fills in a fraction of the time.
class UndoOff {
 public:
  explicit UndoOff(QTextDocument& document) : document_(document), was_(document.isUndoRedoEnabled()) {
    document_.setUndoRedoEnabled(false);
  }
  ~UndoOff() { document_.setUndoRedoEnabled(was_); }
  UndoOff(const UndoOff&) = delete;
  UndoOff& operator=(const UndoOff&) = delete;

 private:
  QTextDocument& document_;
  bool was_;
};

}  // namespace

void fillTextDocument(const Document& whole, QTextDocument& target, double fontScale, const LayoutBounds& bounds) {
  const Document document = boundedForLayout(whole, bounds);
  UndoOff undoOff(target);
  target.clear();
  QTextCursor cursor(&target);
  cursor.beginEditBlock();
  // The end of a paragraph keeps the size its last run was written in, as when
  // the text was set and then scaled run by run: an empty line stays as high.
  QTextCharFormat lineEnd = cursor.charFormat();
  bool first = true;
  for (const Paragraph& paragraph : document.paragraphs) {
    QTextBlockFormat block;
    block.setAlignment(qtAlignment(paragraph.alignment));
    block.setTopMargin(twipsToPixels(paragraph.spaceBefore));
    block.setBottomMargin(twipsToPixels(paragraph.spaceAfter));
    if (first) {
      cursor.setBlockFormat(block);
      first = false;
    } else {
      cursor.insertBlock(block, lineEnd);
    }
    for (const Run& run : paragraph.runs) {
      cursor.insertText(QString::fromUtf8(run.text.data(), static_cast<qsizetype>(run.text.size())),
                        qtCharFormat(run.format, document, fontScale));
      lineEnd = qtCharFormat(run.format, document, 1.0);
    }
  }
  cursor.endEditBlock();
}

void fillWithNotice(QTextDocument& target, double fontScale) {
  UndoOff undoOff(target);
  target.clear();
  QTextCursor cursor(&target);
  QTextBlockFormat block;
  block.setAlignment(Qt::AlignHCenter);
  cursor.setBlockFormat(block);
  QTextCharFormat format;
  format.setFontItalic(true);
  // Set in the document's own size, scaled where that size is in points.
  const double points = target.defaultFont().pointSizeF();
  if (fontScale != 1.0 && points > 0) format.setFontPointSize(points * fontScale);
  cursor.insertText(QString::fromUtf8(NotesUnavailable), format);
}

bool showReadResult(const ReadResult& result, QTextDocument& target, double fontScale) {
  if (!result.readable()) {
    fillWithNotice(target, fontScale);
    return false;
  }
  fillTextDocument(result.document, target, fontScale);
  return true;
}

bool loadNotesFile(const std::string& path, QTextDocument& target, double fontScale, Document* parsed) {
  if (parsed) *parsed = Document{};
  const auto bytes = ortalba::readRegularFile(path, static_cast<std::size_t>(MaxNotesFileBytes));
  if (!bytes) {
    fillWithNotice(target, fontScale);
    return false;
  }
  ReadResult read = parseRtf(*bytes);
  const bool shown = showReadResult(read, target, fontScale);
  if (shown && parsed) *parsed = std::move(read.document);
  return shown;
}

bool loadNotesDocument(const QString& path, QTextDocument& target, double fontScale) {
  return loadNotesFile(QFile::encodeName(path).toStdString(), target, fontScale);
}

}  // namespace rtf
