// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/month_page.h"

#include <QAbstractTextDocumentLayout>
#include <functional>
#include <QPainter>
#include <QPdfWriter>
#include <QFile>
#include <QSvgRenderer>
#include <QTextDocument>

#include "app/platform/file_io.h"
#include "app/platform/moon_cue.h"
#include "app/platform/paper.h"
#include "app/platform/pictures.h"
#include "app/platform/qt_colours.h"
#include "app/platform/qt_text.h"
#include "app/platform/rtf_text_document.h"

namespace ortalba {

namespace {

QColor barColour(app::PhaseMark mark) { return toQColor(app::colourOf(mark)); }

}  // namespace

void paintMonthPage(QPainter& p, const QRectF& area, const app::MonthSheet& month, const std::string& notesPath,
                    bool cue) {
  initPictures();
  // Everything below is laid out in millimetres of an A4 sheet, scaled to the area.
  Paper sheet(p, area);
  const QRectF paper = Paper::inside();
  const double dpi = sheet.dpi();
  const auto setFont = [&](double points, bool bold = false, bool italic = false) { sheet.letters(points, bold, italic); };

  // Title.
  p.setPen(toQColor(app::colours::DarkGreen));
  setFont(20, true);
  p.drawText(QRectF(paper.left(), paper.top(), paper.width(), 10), Qt::AlignLeft | Qt::AlignVCenter, toQString(month.title));
  setFont(9);
  p.setPen(Qt::black);
  p.drawText(QRectF(paper.left(), paper.top(), paper.width(), 10), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("Sole a %1 (ora UTC+1)").arg(toQString(month.cityName)));

  // Day rows.
  const double top = paper.top() + 14;
  const double rowsWidth = 112;
  const double rowHeight = std::min(7.6, (paper.height() - 32) / std::max<double>(1, month.days.size()));
  for (std::size_t i = 0; i < month.days.size(); ++i) {
    const app::DaySheet& day = month.days[i];
    const QRectF row(paper.left(), top + rowHeight * static_cast<double>(i), rowsWidth, rowHeight * 0.92);
    p.setPen(QPen(toQColor(app::colours::PageBorder), 0.15));
    p.setBrush(barColour(day.mark));
    p.drawRect(row);
    if (cue) paintMoonCue(p, row, day.mark, 2.4);
    p.setPen(day.boldRed ? feastRed(cue) : QColor(Qt::black));
    setFont(8.5, day.boldRed);
    p.drawText(row.adjusted(1.5, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, toQString(day.label).trimmed());
    setFont(7.5);
    p.setPen(Qt::black);
    p.drawText(row.adjusted(11, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(day.weekdayName()));
    const QRectF saintBox = row.adjusted(28, 0, -33, 0);
    p.drawText(saintBox, Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetricsF(sheet.font()).elidedText(toQString(day.santo), Qt::ElideRight, saintBox.width()));
    p.drawText(row.adjusted(0, 0, -20, 0), Qt::AlignRight | Qt::AlignVCenter, toQString(day.sun.sorge));
    p.drawText(row.adjusted(0, 0, -8, 0), Qt::AlignRight | Qt::AlignVCenter, toQString(day.sun.tramonta));
    if (day.icon != app::resources::None) {
      const double h = row.height();
      if (QSvgRenderer* icon = pictureRenderer(day.icon))
        icon->render(&p, QRectF(row.right() - h * 25 / 28 - 0.3, row.top(), h * 25 / 28, h));
    }
  }
  setFont(6.5, false, true);
  p.setPen(Qt::black);
  const double legendTop = top + rowHeight * static_cast<double>(month.days.size()) + 2;
  p.drawText(QRectF(paper.left(), legendTop, rowsWidth, 5), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Sorge e tramonta in ore e minuti; in rosso le domeniche e le feste."));
  // A swatch of each bar's colour and what the gardener does under it.
  const app::PhaseMark marks[] = {app::PhaseMark::Waxing, app::PhaseMark::Waning, app::PhaseMark::Neutral};
  for (std::size_t k = 0; k < std::size(marks); ++k) {
    const QRectF swatch(paper.left(), legendTop + 6 + 4.2 * static_cast<double>(k), 4, 3.5);
    p.setPen(QPen(toQColor(app::colours::PageBorder), 0.15));
    p.setBrush(barColour(marks[k]));
    p.drawRect(swatch);
    if (cue) paintMoonCue(p, swatch, marks[k], 1.2);
    p.setPen(Qt::black);
    p.drawText(QRectF(swatch.right() + 1, swatch.top() - 0.5, rowsWidth - 5, 4.5), Qt::AlignLeft | Qt::AlignVCenter,
               toQString(app::adviceOf(marks[k])));
  }

  // The month's notes, shrunk to fit their column when they are long.
  const QRectF notesBox(paper.left() + rowsWidth + 5, top, paper.width() - rowsWidth - 5, paper.bottom() - top);
  QTextDocument notes;
  rtf::loadNotesFile(notesPath, notes);
  notes.documentLayout()->setPaintDevice(p.device());
  notes.setDocumentMargin(0);
  const double natural = 95 * dpi / 25.4;  // laid out 95 mm wide, in device pixels, then scaled to the column
  notes.setTextWidth(natural);
  const double scale = notesBox.width() / natural;
  const double height = notes.size().height() * scale;
  const double shrink = height > notesBox.height() ? notesBox.height() / height : 1.0;
  p.save();
  p.translate(notesBox.topLeft());
  p.scale(scale * shrink, scale * shrink);
  notes.setTextWidth(natural / shrink);
  notes.drawContents(&p);
  p.restore();
}

app::WriteOutcome writePdf(const QString& fileName, const QString& title,
                           const std::function<bool(QPdfWriter&, QPainter&)>& draw) {
  OutputFile file(QFile::encodeName(fileName).toStdString(), SpecialFiles::WriteInPlace);
  if (!file.open()) return app::WriteOutcome::failed(file.failure());
  bool drawn = false;
  {
    QPdfWriter writer(file.device());
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(300);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Ortalba"));
    QPainter painter;
    if (painter.begin(&writer)) {
      drawn = draw(writer, painter);
      drawn = painter.end() && drawn;
    }
  }
  if (drawn && file.commit()) return app::WriteOutcome::done();
  file.cancel();
  return app::WriteOutcome::failed(file.failure().empty() ? std::string("la pagina non si è potuta disegnare")
                                                          : file.failure());
}

app::WriteOutcome writeMonthPdf(const QString& fileName, const app::MonthSheet& sheet, const std::string& notesPath,
                                bool cue) {
  return writePdf(fileName, toQString(sheet.title) + QStringLiteral(" - ") + toQString(sheet.cityName),
                  [&](QPdfWriter& writer, QPainter& painter) {
                    paintMonthPage(painter, QRectF(0, 0, writer.width(), writer.height()), sheet, notesPath, cue);
                    return true;
                  });
}

}  // namespace ortalba
