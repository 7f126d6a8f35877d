// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/paper/month_page.h"

#include <QAbstractTextDocumentLayout>
#include <cmath>
#include <functional>
#include <QPainter>
#include <QPdfWriter>
#include <QFile>
#include <QSvgRenderer>
#include <QTextDocument>

#include "app/day_work.h"
#include "app/window_model.h"
#include "app/italian_clock.h"
#include "app/platform/session/file_io.h"
#include "app/platform/window/moon_cue.h"
#include "app/platform/paper/paper.h"
#include "app/platform/window/pictures.h"
#include "app/platform/qt/qt_colours.h"
#include "app/platform/qt/qt_text.h"
#include "app/platform/notes/rtf_text_document.h"

namespace ortalba {

namespace {

QColor barColour(app::PhaseMark mark) { return toQColor(app::colourOf(mark)); }

// The letters of a day's saint or feast, in points: the design's where the text
// holds its cell, wrapped at word boundaries; smaller where it does not; 0 when
// even the smallest do not.
constexpr double SaintPoints = 7.5;
constexpr double SmallestSaintPoints = 4.5;
// Across a row, in millimetres: the day, the weekday, the saint's cell, four times,
// the ascending or descending mark, the plant part with the hour the Moon changes
// it, and the phase's picture.
constexpr double WeekdayLeft = 10, SaintLeft = 16.5, SaintCellWidth = 45, TimeWidth = 8;
constexpr double TimesLeft = SaintLeft + SaintCellWidth + 0.5, RisingLeft = TimesLeft + 4 * TimeWidth;
constexpr double PartLeft = RisingLeft + 3.5, PartWidth = 8;

// A row's height on a page of `days` rows, in millimetres: the rows and the legends
// under them fill the sheet's printable part.
double rowHeightFor(std::size_t days) { return std::min(7.2, (Paper::inside().height() - 60) / std::max<double>(1, days)); }

// The diary's entries under the legends: the rows give up room for them down to
// this height, and their letters shrink down to these points before entries are left out.
constexpr double SmallestRowHeight = 5.2;
constexpr double DiaryPoints = 6.5, SmallestDiaryPoints = 5, DiaryHeading = 4;
// The legends under the rows: a gap, lines of one or two lines' height, the three swatches.
constexpr double LegendGap = 1.5, LegendLine = 3.4, LegendTwoLines = 6.4, SwatchesHeight = 12.6;

// Their height, as the page draws them: the two notes, the plant parts, the
// unfavourable hours, the good days of a chosen job, the phases' hours two a line.
double legendsHeight(std::size_t phaseCount, bool job) {
  return LegendGap + 2 * LegendTwoLines + LegendLine + LegendTwoLines + (job ? LegendLine : 0) +
         LegendLine * static_cast<double>((phaseCount + 1) / 2) + SwatchesHeight;
}

// An entry on paper, in one paragraph: "12 · Luna calante · Semina: pomodoro; aiuola 2 — la nota · promemoria il 28 aprile 2026".
QString paperLine(const app::DiaryEntry& e, app::DiaryMoons& moons) {
  QString text = QStringLiteral("%1 · %2 · %3").arg(e.day.day).arg(toQString(moons.wordsOf(e.day)), toQString(app::entrySummary(e)));
  if (!e.note.empty()) text += QStringLiteral(" — ") + toQString(e.note).simplified();
  if (e.reminder) text += QStringLiteral(" · promemoria il %1").arg(toQString(app::dayWords(*e.reminder)));
  return text;
}

// The room the entries take at `points`, heading included, in millimetres.
double diaryHeight(Paper& sheet, const QStringList& lines, double width, double points) {
  sheet.letters(points);
  double height = DiaryHeading;
  for (const QString& line : lines) height += sheet.wrapped(line, QRectF(0, 0, width, 1000), Qt::AlignLeft | Qt::AlignTop).height();
  return height;
}

// The entries in `box`, at the largest letters that hold them all; where even the
// smallest do not, as many as fit and a line that says how to see the others.
void paintDiary(QPainter& p, Paper& sheet, const QStringList& lines, const QRectF& box, const app::MonthSheet& month) {
  double points = DiaryPoints;
  while (points > SmallestDiaryPoints && diaryHeight(sheet, lines, box.width(), points) > box.height()) points -= 0.25;
  p.setPen(toQColor(app::colours::DarkGreen));
  sheet.letters(7, true);
  p.drawText(QRectF(box.left(), box.top(), box.width(), DiaryHeading), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Dal diario dell'orto"));
  p.setPen(Qt::black);
  sheet.letters(points);
  const int flags = Qt::AlignLeft | Qt::AlignTop;
  const double lineHeight = sheet.wrapped(QStringLiteral("X"), QRectF(0, 0, box.width(), 100), flags).height();
  double y = box.top() + DiaryHeading;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const double h = sheet.wrapped(lines[i], QRectF(0, 0, box.width(), 1000), flags).height();
    const bool last = i + 1 == lines.size();
    if (y + h + (last ? 0 : lineHeight) > box.bottom() + 0.01) {
      const int left = int(lines.size() - i);
      const QString first = toQString(app::isoDate({1, month.month, month.year}));
      const QString end = toQString(app::isoDate({month.length(), month.month, month.year}));
      sheet.letters(points, false, true);
      sheet.drawWrapped(QStringLiteral("… e %1 nel diario: ortalba --diario --da %2 --a %3")
                            .arg(left == 1 ? QStringLiteral("un'altra voce") : QStringLiteral("altre %1 voci").arg(left), first, end),
                        QRectF(box.left(), y, box.width(), lineHeight), flags);
      return;
    }
    sheet.drawWrapped(lines[i], QRectF(box.left(), y, box.width(), h), flags);
    y += h;
  }
}

double fittingPoints(Paper& sheet, const QString& text, const QRectF& box) {
  for (double points = SaintPoints; points >= SmallestSaintPoints; points -= 0.25) {
    sheet.letters(points);
    const QSizeF needed = sheet.wrapped(text, box, Qt::AlignLeft | Qt::AlignVCenter);
    if (needed.height() <= box.height() && needed.width() <= box.width()) return points;
  }
  return 0;
}

}  // namespace

double saintPoints(QPainter& painter, const QString& text) {
  Paper sheet(painter, QRectF(0, 0, painter.device()->width(), painter.device()->height()));
  return fittingPoints(sheet, text, QRectF(0, 0, SaintCellWidth, rowHeightFor(31) * 0.92 - 0.6));
}

void paintMonthPage(QPainter& p, const QRectF& area, const app::MonthSheet& month, const std::string& notesPath,
                    bool cue, const std::optional<app::ChosenJob>& job, const std::vector<app::DiaryEntry>& diary) {
  initPictures();
  // Everything below is laid out in millimetres of an A4 sheet, scaled to the area.
  Paper sheet(p, area);
  const QRectF paper = Paper::inside();
  const double dpi = sheet.dpi();
  const auto setFont = [&](double points, bool bold = false, bool italic = false) { sheet.letters(points, bold, italic); };

  const std::vector<app::MoonDay>& moonDays = month.moon().days();
  const app::MonthTradition& tradition = month.moon().tradition();
  const auto legal = [&](int day) { return app::onOraLegale({day, month.month, month.year}); };

  // Title.
  p.setPen(toQColor(app::colours::DarkGreen));
  setFont(20, true);
  p.drawText(QRectF(paper.left(), paper.top(), paper.width(), 10), Qt::AlignLeft | Qt::AlignVCenter, toQString(month.title));
  setFont(9);
  p.setPen(Qt::black);
  p.drawText(QRectF(paper.left(), paper.top(), paper.width(), 10), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("Sole e Luna a %1").arg(toQString(month.place.name)));

  // The rows: the day, the weekday, the saint or feast, sunrise and sunset,
  // moonrise and moonset, the ascending or descending moon, the phase's picture.
  const double top = paper.top() + 19;
  const double rowsWidth = 112;
  const double legends = legendsHeight(month.moon().phases().size(), job.has_value());
  double rowHeight = rowHeightFor(month.days.size());
  QStringList diaryLines;
  app::DiaryMoons moons(month.reckoning);
  for (const app::DiaryEntry& e : diary)
    if (month.isOf(e.day.year, e.day.month)) diaryLines << paperLine(e, moons);
  if (!diaryLines.isEmpty()) {
    const auto days = static_cast<double>(month.days.size());
    const double free = paper.bottom() - top - rowHeight * days - legends - 1;
    const double wanted = diaryHeight(sheet, diaryLines, rowsWidth, DiaryPoints);
    if (wanted > free) rowHeight = std::max(SmallestRowHeight, rowHeight - (wanted - free) / days);
  }
  constexpr double timesLeft = TimesLeft, timeWidth = TimeWidth, risingLeft = RisingLeft;
  // Over the times: whose they are, then which.
  setFont(6.5, true);
  const char16_t* bodies[] = {u"Sole", u"Luna"};
  for (int b = 0; b < 2; ++b) {
    const double left = paper.left() + timesLeft + 2 * timeWidth * b;
    p.drawText(QRectF(left, top - 7, 2 * timeWidth, 3), Qt::AlignCenter, QString::fromUtf16(bodies[b]));
    setFont(5.5);
    p.drawText(QRectF(left, top - 4, timeWidth, 3), Qt::AlignCenter, QStringLiteral("sorge"));
    p.drawText(QRectF(left + timeWidth, top - 4, timeWidth, 3), Qt::AlignCenter, QStringLiteral("tram."));
    setFont(6.5, true);
  }
  for (std::size_t i = 0; i < month.days.size(); ++i) {
    const app::DaySheet& day = month.days[i];
    const app::MoonDay& moonDay = moonDays[i];
    const QRectF row(paper.left(), top + rowHeight * static_cast<double>(i), rowsWidth, rowHeight * 0.92);
    p.setPen(QPen(toQColor(app::colours::PageBorder), 0.15));
    p.setBrush(barColour(day.mark));
    p.drawRect(row);
    if (cue) paintMoonCue(p, row, day.mark, 2.4);
    if (job && app::judgeDay(month, day.day, *job).good)
      p.fillRect(QRectF(row.left() + 0.2, row.top() + 0.2, 1.2, row.height() - 0.4), toQColor(app::colours::DarkGreen));
    p.setPen(day.boldRed ? feastRed(cue) : QColor(Qt::black));
    setFont(8.5, day.boldRed);
    p.drawText(row.adjusted(1.5, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, toQString(day.label).trimmed());
    setFont(6.5);
    p.setPen(Qt::black);
    // The weekday in its first three letters, as printed calendars write it: "Mer".
    p.drawText(row.adjusted(WeekdayLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8(day.weekdayName()).left(3));
    // The saint's text is never cut: it wraps, and its letters shrink where even that is not enough.
    // A little room is left above and below, where the row's borders are.
    const QRectF saintBox(row.left() + SaintLeft, row.top() + 0.3, SaintCellWidth, row.height() - 0.6);
    const QString saint = toQString(day.saintOrFeast);
    setFont(std::max(SmallestSaintPoints, fittingPoints(sheet, saint, saintBox)));
    sheet.drawWrapped(saint, saintBox, Qt::AlignLeft | Qt::AlignVCenter);
    // Each time in ora solare; under it, in italics, the clocks' on a day of ora legale.
    const bool summer = legal(day.day);
    const std::optional<app::CivilTime> times[] = {day.sunrise, day.sunset, moonDay.rise, moonDay.set};
    for (int t = 0; t < 4; ++t) {
      const QRectF cell(row.left() + timesLeft + timeWidth * t, row.top(), timeWidth, row.height());
      setFont(7);
      if (!summer) {
        p.drawText(cell, Qt::AlignCenter, toQString(app::clockText(times[t])));
        continue;
      }
      p.drawText(cell.adjusted(0, 0, 0, -row.height() * 0.45), Qt::AlignHCenter | Qt::AlignBottom,
                 toQString(app::clockText(times[t])));
      setFont(6, false, true);
      p.drawText(cell.adjusted(0, row.height() * 0.55, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                 toQString(app::clockText(app::oneHourLater(times[t]))));
    }
    setFont(6.5);
    p.drawText(QRectF(row.left() + risingLeft, row.top(), 3, row.height()), Qt::AlignCenter,
               moonDay.ascending ? QStringLiteral("\u25B2") : QStringLiteral("\u25BC"));
    // The part of the plant at noon; under it, the hour the Moon changes it that day; "!" for unfavourable hours.
    const double h = row.height();
    paintPlantPart(p, QRectF(row.left() + PartLeft, row.top() + h * 0.08, h * 0.45, h * 0.45),
                   app::markOfPart(tradition.partAtNoon[i]));
    if (tradition.unfavourable[i]) {
      setFont(6.5, true);
      p.setPen(feastRed(true));
      p.drawText(QRectF(row.left() + PartLeft + h * 0.45, row.top(), 2.5, h * 0.6), Qt::AlignCenter, QStringLiteral("!"));
      p.setPen(Qt::black);
    }
    const double dayStart = app::dayStart({day.day, month.month, month.year});
    for (const app::ZodiacEntryHour& e : tradition.entries) {
      if (e.jdUT < dayStart || e.jdUT >= dayStart + 1) continue;
      setFont(4.8);
      paintPlantPart(p, QRectF(row.left() + PartLeft, row.top() + h * 0.55, h * 0.38, h * 0.38), app::markOfPart(e.part));
      p.drawText(QRectF(row.left() + PartLeft + h * 0.4, row.top() + h * 0.5, PartWidth - h * 0.4, h * 0.5),
                 Qt::AlignLeft | Qt::AlignVCenter, toQString(app::hourText(app::italianTime(e.jdUT).time)));
    }
    if (day.icon != app::resources::None) {
      const double h = row.height();
      if (QSvgRenderer* icon = pictureRenderer(day.icon))
        icon->render(&p, QRectF(row.right() - h * 25 / 28 - 0.3, row.top(), h * 25 / 28, h));
    }
  }
  setFont(6.5, false, true);
  p.setPen(Qt::black);
  double line = top + rowHeight * static_cast<double>(month.days.size()) + LegendGap;
  const auto legendLine = [&](const QString& text, double height = LegendLine) {
    p.drawText(QRectF(paper.left(), line, rowsWidth, height), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text);
    line += height;
  };
  legendLine(QStringLiteral("In rosso le domeniche e le feste. Le ore sono %1, come tutto "
                            "l'almanacco; sotto, in corsivo, l'ora legale dei giorni in cui la segnano gli orologi.")
                 .arg(toQString(app::InOraSolare)),
             LegendTwoLines);
  legendLine(QStringLiteral("\u25B2 %1 \u25BC %2").arg(toQString(app::motionAdvice(true)), toQString(app::motionAdvice(false))),
             LegendTwoLines);
  // The plant parts: what the shapes mean, in which system, and the unfavourable hours.
  {
    const double y = line + 0.3, size = 2.6;
    double x = paper.left();
    for (const auto part : {almanac::PlantPart::Radice, almanac::PlantPart::Foglia, almanac::PlantPart::Fiore,
                            almanac::PlantPart::Frutto}) {
      paintPlantPart(p, QRectF(x, y, size, size), app::markOfPart(part));
      const QString word = toQString(almanac::plantPartName(part));
      p.drawText(QRectF(x + size + 0.6, line, 14, 3.2), Qt::AlignLeft | Qt::AlignVCenter, word);
      x += size + 1.2 + sheet.wrapped(word, QRectF(0, 0, 20, 4), Qt::AlignLeft).width() + 2;
    }
    QStringList events;
    for (const app::MoonEvent& e : tradition.events)
      events << QStringLiteral("%1 %2 alle %3").arg(QString::fromLatin1(app::moonEventName(e.kind)),
                                                   toQString(app::theDay(app::italianTime(e.jdUT).time.date.day)),
                                                   toQString(app::hourText(app::italianTime(e.jdUT).time)));
    p.drawText(QRectF(x, line, rowsWidth - (x - paper.left()), 3.2), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("a mezzogiorno (%1); sotto, l'ora in cui cambia.")
                   .arg(QString::fromUtf8(app::zodiacSystemName(tradition.system))));
    line += LegendLine;
    legendLine(QStringLiteral("! ore sfavorevoli: %1 ore intorno al perigeo, %2 intorno all'apogeo e ai nodi. %3.")
                   .arg(app::unfavourableHours(app::MoonEventKind::Perigee))
                   .arg(app::unfavourableHours(app::MoonEventKind::Apogee))
                   .arg(events.join(QStringLiteral("; ")).replace(0, 1, events.isEmpty() ? QString() : events.front().left(1).toUpper())),
               LegendTwoLines);
  }
  if (job)
    legendLine(QStringLiteral("Con la striscia verde scura i giorni buoni per %1, secondo la tradizione.")
                   .arg(toQString(app::chosenJobName(*job))));
  // The hour of each phase in Italy, and the day of the grid when Greenwich has another.
  QStringList phases;
  for (const app::PhaseHour& hour : month.moon().phases()) phases << toQString(app::phaseHourText(hour, month.reckoning.phaseDays));
  if (!phases.isEmpty()) legendLine(phases.join(QStringLiteral("; ")) + QLatin1Char('.'), LegendLine * static_cast<double>((phases.size() + 1) / 2));
  // A swatch of each bar's colour and what the gardener does under it.
  const app::PhaseMark marks[] = {app::PhaseMark::Waxing, app::PhaseMark::Waning, app::PhaseMark::Neutral};
  for (std::size_t k = 0; k < std::size(marks); ++k) {
    const QRectF swatch(paper.left(), line + 0.6 + 4 * static_cast<double>(k), 4, 3.2);
    p.setPen(QPen(toQColor(app::colours::PageBorder), 0.15));
    p.setBrush(barColour(marks[k]));
    p.drawRect(swatch);
    if (cue) paintMoonCue(p, swatch, marks[k], 1.2);
    p.setPen(Qt::black);
    p.drawText(QRectF(swatch.right() + 1, swatch.top() - 0.5, rowsWidth - 5, 4.2), Qt::AlignLeft | Qt::AlignVCenter,
               toQString(app::adviceOf(marks[k])));
  }
  if (!diaryLines.isEmpty()) {
    const double diaryTop = line + SwatchesHeight + 1;
    paintDiary(p, sheet, diaryLines, QRectF(paper.left(), diaryTop, rowsWidth, paper.bottom() - diaryTop), month);
  }

  // At the foot of the notes' column, what the notes give the month to sow and
  // plant under each moon, in the place's part of Italy.
  const double columnLeft = paper.left() + rowsWidth + 5, columnWidth = paper.width() - rowsWidth - 5;
  const std::vector<almanac::Job> sowAndPlant{almanac::Job::Seminare, almanac::Job::Trapiantare, almanac::Job::Piantare};
  QString thisMonth;
  for (const auto& [moon, mark] : {std::pair{almanac::MoonHalf::Waxing, app::PhaseMark::Waxing},
                                  std::pair{almanac::MoonHalf::Waning, app::PhaseMark::Waning}}) {
    const std::string work = app::workText(app::workOfMonth(month.month, moon, month.place.zone, sowAndPlant));
    if (!work.empty())
      thisMonth += QStringLiteral("\nIn Luna %1: %2.").arg(QString::fromLatin1(app::markWord(mark)), toQString(work));
  }
  if (!thisMonth.isEmpty())
    thisMonth.prepend(QStringLiteral("Si semina, si trapianta e si pianta a %1, dalle note:").arg(toQString(month.place.name)));
  double monthBoxHeight = 0;
  if (!thisMonth.isEmpty()) {
    const QRectF inner(columnLeft + 2, 0, columnWidth - 4, 200);
    setFont(7);
    monthBoxHeight = sheet.wrapped(thisMonth, inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap).height() + 10;
    const QRectF box(columnLeft, paper.bottom() - monthBoxHeight, columnWidth, monthBoxHeight);
    p.setPen(QPen(toQColor(app::colours::DarkGreen), 0.3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
    p.setPen(toQColor(app::colours::DarkGreen));
    setFont(8, true);
    p.drawText(QRectF(box.left() + 2, box.top() + 1, box.width() - 4, 5), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Questo mese"));
    p.setPen(Qt::black);
    setFont(7);
    sheet.drawWrapped(thisMonth, QRectF(box.left() + 2, box.top() + 7, box.width() - 4, box.height() - 8),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
  }

  // The month's notes, shrunk to fit their column when they are long.
  const QRectF notesBox(columnLeft, top, columnWidth, paper.bottom() - top - (monthBoxHeight > 0 ? monthBoxHeight + 3 : 0));
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
                                bool cue, const std::optional<app::ChosenJob>& job,
                                const std::vector<app::DiaryEntry>& diary) {
  return writePdf(fileName, toQString(sheet.title) + QStringLiteral(" - ") + toQString(sheet.place.name),
                  [&](QPdfWriter& writer, QPainter& painter) {
                    paintMonthPage(painter, QRectF(0, 0, writer.width(), writer.height()), sheet, notesPath, cue, job,
                                   diary);
                    return true;
                  });
}

}  // namespace ortalba
