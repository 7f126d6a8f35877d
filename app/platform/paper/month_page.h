// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One A4 page of a month: the title, the day rows with their moon colours and icons,
// saints or feasts, sunrise and sunset, and the month's gardening notes.
#include <QString>
#include <functional>
#include <string>

#include <optional>

#include "app/good_days.h"
#include "app/diary_entry.h"
#include "app/month_sheet.h"
#include "app/platform_port.h"

class QPainter;
class QPagedPaintDevice;
class QPdfWriter;
class QRectF;

namespace ortalba {

// Draws the page into `area` (device coordinates) of an open painter; the notes
// are read from `notesPath` (the file system's own bytes). With `cue` the bars
// carry the moon cue's hatching, Sundays and feasts the cue's darker red.
// With `job`, its good days carry a dark green stripe, and a legend line says so.
// The entries of the gardener's diary that fall in the month are written under the
// table, on the lines a paper almanac leaves for them (the rows give them room).
void paintMonthPage(QPainter& painter, const QRectF& area, const app::MonthSheet& sheet, const std::string& notesPath,
                    bool cue = false, const std::optional<app::ChosenJob>& job = {},
                    const std::vector<app::DiaryEntry>& diary = {});

// The size, in points, a day's saint or feast is written in on the page, on the
// device `painter` paints: the design's 7.5 where the text holds its cell (wrapped
// at word boundaries), smaller where it does not; 0 when no size from 4.5 up does.
double saintPoints(QPainter& painter, const QString& text);

// Writes the page as a one-page A4 PDF. A file is replaced only once the whole
// page is on the disk; a pipe or a device (/dev/stdout) is written in place.
// When that fails the outcome says why, and an old file is left as it was.
app::WriteOutcome writeMonthPdf(const QString& fileName, const app::MonthSheet& sheet, const std::string& notesPath,
                                bool cue = false, const std::optional<app::ChosenJob>& job = {},
                                const std::vector<app::DiaryEntry>& diary = {});

// An A4 PDF of any number of pages, written as writeMonthPdf writes: `draw`
// paints it (starting new pages on the writer) and says whether all went well.
app::WriteOutcome writePdf(const QString& fileName, const QString& title,
                           const std::function<bool(QPdfWriter&, QPainter&)>& draw);

}  // namespace ortalba
