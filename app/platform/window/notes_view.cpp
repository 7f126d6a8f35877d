// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/window/notes_view.h"

#include <QAbstractTextDocumentLayout>
#include <algorithm>

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>

#include "app/month_sheet.h"
#include "app/platform/notes/notes_lookup.h"
#include "app/platform/qt/qt_colours.h"
#include "app/platform/qt/qt_text.h"
#include "app/platform/notes/rtf_text_document.h"

namespace ortalba {

NotesView::NotesView(QWidget* parent) : QTextBrowser(parent) {
  setReadOnly(true);
  setOpenLinks(false);
  // The notes take the keys only when reached with Tab: a click leaves Page Up and
  // Page Down with the almanac, which change the month.
  setFocusPolicy(Qt::TabFocus);
  // The notes are set on their own paper in every desktop theme: a dark theme's
  // ground and light letters would leave the document's own colours unreadable.
  QPalette paper = palette();
  paper.setColor(QPalette::Base, toQColor(app::colours::White));
  paper.setColor(QPalette::Text, toQColor(app::colours::Black));
  setPalette(paper);
}

void NotesView::load(const std::string& path, double zoom) {
  const bool same = loaded_ && path == path_;
  QScrollBar* bar = verticalScrollBar();
  const double share = bar->maximum() > 0 ? double(bar->value()) / bar->maximum() : 0.0;
  const int place = bar->value();
  const bool rezoomed = zoom != zoom_;
  rtf::Document parsed;
  loadNotesInto(this, path, zoom, &parsed);
  passages_ = app::moonPassages(parsed);
  moveCursor(QTextCursor::Start);
  bar->setValue(!same ? 0 : rezoomed ? int(std::lround(share * bar->maximum())) : place);
  path_ = path;
  zoom_ = zoom;
  loaded_ = true;
  marked_.reset();  // the new text carries no marks yet
}

void NotesView::setZoom(double zoom) {
  if (!loaded_ || zoom == zoom_) return;
  const std::optional<app::PhaseMark> mark = marked_;
  load(path_, zoom);
  if (mark) markFor(*mark);  // the same text keeps its marks
}

void NotesView::markFor(app::PhaseMark mark) {
  if (marked_ == mark) return;
  QScrollBar* bar = verticalScrollBar();
  const int place = bar->value();
  markPassages(*document(), passages_, mark);
  bar->setValue(place);
  marked_ = mark;
  // The day's passage in view: when none of it shows, its heading goes to the top.
  const auto passage = std::find_if(passages_.begin(), passages_.end(),
                                    [&](const app::MoonPassage& p) { return p.mark == mark; });
  if (mark != app::PhaseMark::Neutral && passage != passages_.end()) {
    const QAbstractTextDocumentLayout* layout = document()->documentLayout();
    const QTextBlock first = document()->findBlockByNumber(static_cast<int>(passage->first));
    const QTextBlock last = document()->findBlockByNumber(static_cast<int>(passage->last));
    if (first.isValid() && last.isValid()) {
      const double top = layout->blockBoundingRect(first).top();
      const double bottom = layout->blockBoundingRect(last).bottom();
      const int height = viewport()->height();
      if (bottom <= place || top >= place + height) bar->setValue(int(top));
    }
  }
  QString description;
  if (passages_.empty())
    description = QStringLiteral("Note del mese");
  else if (mark == app::PhaseMark::Neutral)
    description = QStringLiteral("Nessun consiglio evidenziato: %1").arg(toQString(app::adviceOf(mark)));
  else
    description = QStringLiteral("Evidenziati i consigli \"%1\", per la Luna del giorno scelto")
                      .arg(toQString(app::passageHeading(mark)));
  setAccessibleDescription(description);
}

void loadNotesInto(QTextBrowser* viewer, const std::string& path, double zoom, rtf::Document* parsed) {
  // The documents are written for a page; the viewer is a narrow column, so the
  // text is set a little smaller there, as the document is built. Their points are
  // taken at 96 dots per inch, as the rest of the window's letters: a desktop with
  // larger letters has already made the whole window larger (its zoom).
  const double dpi = viewer->logicalDpiY() > 0 ? viewer->logicalDpiY() : 96.0;
  rtf::loadNotesFile(notesFile(path), *viewer->document(), 0.82 * zoom * 96.0 / dpi, parsed);
}

void markPassages(QTextDocument& notes, const std::vector<app::MoonPassage>& passages, app::PhaseMark mark) {
  // The bar's colour, mostly white: a ground the text reads well on.
  const QColor bar = toQColor(app::colourOf(mark));
  const QColor soft((bar.red() + 2 * 255) / 3, (bar.green() + 2 * 255) / 3, (bar.blue() + 2 * 255) / 3);
  QTextCursor cursor(&notes);
  cursor.beginEditBlock();
  for (const app::MoonPassage& passage : passages) {
    const bool marked = mark != app::PhaseMark::Neutral && passage.mark == mark;
    for (std::size_t i = passage.first; i <= passage.last; ++i) {
      const QTextBlock block = notes.findBlockByNumber(static_cast<int>(i));
      if (!block.isValid()) break;
      QTextBlockFormat format = block.blockFormat();
      if (format.hasProperty(QTextFormat::BackgroundBrush) == marked &&
          (!marked || format.background().color() == soft))
        continue;
      if (marked)
        format.setBackground(soft);
      else
        format.clearBackground();
      cursor.setPosition(block.position());
      cursor.setBlockFormat(format);
    }
  }
  cursor.endEditBlock();
}

}  // namespace ortalba
