#include "app/platform/rtf_text_document.h"

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

QTextCharFormat qtCharFormat(const CharFormat& format, const Document& document) {
  QTextCharFormat out;
  out.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
  out.setFontItalic(format.italic);
  out.setFontUnderline(format.underline);
  out.setFontPointSize(format.pointSize());
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

void fillTextDocument(const Document& document, QTextDocument& target) {
  UndoOff undoOff(target);
  target.clear();
  QTextCursor cursor(&target);
  cursor.beginEditBlock();
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
      cursor.insertBlock(block);
    }
    for (const Run& run : paragraph.runs) {
      cursor.insertText(QString::fromUtf8(run.text.data(), static_cast<qsizetype>(run.text.size())),
                        qtCharFormat(run.format, document));
    }
  }
  cursor.endEditBlock();
}

void fillWithNotice(QTextDocument& target) {
  UndoOff undoOff(target);
  target.clear();
  QTextCursor cursor(&target);
  QTextBlockFormat block;
  block.setAlignment(Qt::AlignHCenter);
  cursor.setBlockFormat(block);
  QTextCharFormat format;
  format.setFontItalic(true);
  cursor.insertText(QString::fromUtf8(kNotesUnavailable), format);
}

bool showReadResult(const ReadResult& result, QTextDocument& target) {
  if (!result.readable()) {
    fillWithNotice(target);
    return false;
  }
  fillTextDocument(result.document, target);
  return true;
}

bool loadNotesDocument(const QString& path, QTextDocument& target) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    fillWithNotice(target);
    return false;
  }
  const QByteArray bytes = file.read(kMaxNotesFileBytes);
  return showReadResult(parseRtf(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))),
                        target);
}

}  // namespace rtf
