// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/paper/year_booklet.h"

#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <iterator>

#include "app/italian_clock.h"
#include "app/platform/paper/month_page.h"
#include "app/platform/paper/paper.h"
#include "app/platform/qt/qt_colours.h"
#include "app/platform/qt/qt_text.h"

namespace ortalba {

namespace {

// The days of the month's phases of one kind with their hour in Italy: "9 alle 16:52",
// "20, in Italia il 21 alle 00:23" when in Italy it is already the next day; "-" for none.
QString phaseDays(const app::MonthSheet& month, const std::vector<app::PhaseHour>& hours, astro::PhaseKind kind) {
  QStringList days;
  for (const app::PhaseHour& hour : hours) {
    if (hour.kind != kind || hour.gridDay > month.length()) continue;
    const app::CivilTime italian = app::italianTime(hour.jdUT).time;
    const QString clock = toQString(app::clockText(italian));
    days << (italian.date.day == hour.gridDay ? QStringLiteral("%1 alle %2").arg(hour.gridDay).arg(clock)
                                              : QStringLiteral("%1, in Italia il %2 alle %3").arg(hour.gridDay).arg(italian.date.day).arg(clock));
  }
  return days.isEmpty() ? QStringLiteral("-") : days.join(QStringLiteral("\n"));
}

// The month's feasts, day and name: "8 Immacolata Concezione  ·  25 Natale".
QString feastsOf(const app::MonthSheet& month) {
  QStringList feasts;
  for (const auto& day : month.days)
    if (day.feast && !day.saintOrFeast.empty())
      feasts << QStringLiteral("%1 %2").arg(day.day).arg(toQString(day.saintOrFeast));
  return feasts.join(QStringLiteral("  ·  "));
}

}  // namespace


void paintYearCover(QPainter& p, const QRectF& area, const std::vector<app::MonthSheet>& months) {
  if (months.empty()) return;
  Paper paper(p, area);
  const QRectF inside = Paper::inside();
  const app::MonthSheet& first = months.front();

  p.setPen(toQColor(app::colours::DarkGreen));
  paper.letters(34, true);
  p.drawText(QRectF(inside.left(), inside.top(), inside.width(), 18), Qt::AlignLeft | Qt::AlignVCenter,
             QString::number(first.year));
  paper.letters(13, true);
  p.drawText(QRectF(inside.left(), inside.top() + 18, inside.width(), 8), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Ortalba, almanacco lunare dell'orto"));
  p.setPen(Qt::black);
  paper.letters(10);
  p.drawText(QRectF(inside.left(), inside.top() + 26, inside.width(), 11), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
             (first.reckoning.phaseDays == app::PhaseDays::Italian
                  ? QStringLiteral("Il Sole a %1, %2; le fasi della Luna nel giorno e all'ora degli orologi italiani")
                  : QStringLiteral("Il Sole a %1, %2; le fasi della Luna nel loro giorno di Greenwich, all'ora degli "
                                   "orologi italiani"))
                 .arg(toQString(first.place.name), toQString(app::InOraSolare)));

  // The table: a row a month.
  const double top = inside.top() + 40;
  const double columns[] = {inside.left(), inside.left() + 31, inside.left() + 63, inside.left() + 96};
  const double right = inside.right();
  // The rows end above the footnote.
  const double rowHeight = (inside.bottom() - top - 8 - 7) / 12.0;
  paper.letters(9, true);
  p.setPen(toQColor(app::colours::DarkGreen));
  const QStringList headings{QStringLiteral("Mese"), QStringLiteral("Luna nuova"), QStringLiteral("Luna piena"),
                             QStringLiteral("Feste")};
  for (int c = 0; c < 4; ++c)
    p.drawText(QRectF(columns[c] + 1.5, top, (c < 3 ? columns[c + 1] : right) - columns[c] - 2, 7),
               Qt::AlignLeft | Qt::AlignVCenter, headings[c]);
  for (std::size_t m = 0; m < months.size(); ++m) {
    const app::MonthSheet& month = months[m];
    const QRectF row(inside.left(), top + 8 + rowHeight * static_cast<double>(m), inside.width(), rowHeight);
    p.setPen(QPen(toQColor(app::colours::PageBorder), 0.15));
    p.setBrush(m % 2 == 0 ? QColor(245, 243, 232) : QColor(Qt::white));
    p.drawRect(row);
    const auto cell = [&](int c) {
      return QRectF(columns[c] + 1.5, row.top() + 1.2, (c < 3 ? columns[c + 1] : right) - columns[c] - 3,
                    row.height() - 2.4);
    };
    p.setPen(Qt::black);
    paper.letters(10, true);
    p.drawText(cell(0), Qt::AlignLeft | Qt::AlignTop, toQString(app::MonthNames[m]));
    paper.letters(8.5);
    const auto& hours = month.moon().phases();
    p.drawText(cell(1), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, phaseDays(month, hours, astro::PhaseKind::NewMoon));
    p.drawText(cell(2), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, phaseDays(month, hours, astro::PhaseKind::FullMoon));
    paper.letters(8.5);
    p.setPen(toQColor(app::colours::Red));
    p.drawText(cell(3), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, feastsOf(month));
  }
  p.setPen(Qt::black);
  paper.letters(7, false, true);
  p.drawText(QRectF(inside.left(), inside.bottom() - 5, inside.width(), 5), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Nelle pagine che seguono, i giorni di ogni mese con le note per l'orto e il giardino."));
}

bool paintYearBooklet(QPainter& painter, QPagedPaintDevice& device, const std::function<QRectF()>& pageArea,
                      const std::vector<app::MonthSheet>& months, const std::function<std::string(int)>& notesOf,
                      bool cue, const std::vector<app::DiaryEntry>& diary) {
  paintYearCover(painter, pageArea(), months);
  for (const app::MonthSheet& month : months) {
    if (!device.newPage()) return false;
    std::vector<app::DiaryEntry> ofMonth;
    std::copy_if(diary.begin(), diary.end(), std::back_inserter(ofMonth),
                 [&](const app::DiaryEntry& e) { return month.isOf(e.day.year, e.day.month); });
    paintMonthPage(painter, pageArea(), month, notesOf(month.month), cue, std::nullopt, ofMonth);
  }
  return true;
}

app::WriteOutcome writeYearPdf(const QString& fileName, const std::vector<app::MonthSheet>& months,
                               const std::function<std::string(int)>& notesOf, bool cue,
                               const std::vector<app::DiaryEntry>& diary) {
  if (months.empty()) return app::WriteOutcome::failed("l'anno non ha mesi");
  const QString title = QStringLiteral("Ortalba %1 - %2").arg(months.front().year).arg(toQString(months.front().place.name));
  return writePdf(fileName, title, [&](QPdfWriter& writer, QPainter& painter) {
    return paintYearBooklet(painter, writer, [&] { return QRectF(0, 0, writer.width(), writer.height()); }, months,
                            notesOf, cue, diary);
  });
}

}  // namespace ortalba
