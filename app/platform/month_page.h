#pragma once
// One A4 page of a month: the title, the day rows with their moon colours and icons,
// saints or feasts, sunrise and sunset, and the month's gardening notes.
#include <QString>

#include "app/month_sheet.h"

class QPainter;
class QPagedPaintDevice;
class QRectF;

namespace ortalba {

// Draws the page into `area` (device coordinates) of an open painter; with `cue`
// the bars carry the moon cue's hatching, Sundays and feasts the cue's darker red.
void paintMonthPage(QPainter& painter, const QRectF& area, const app::MonthSheet& sheet, const QString& notesPath,
                    bool cue = false);

// Writes the page as a one-page A4 PDF; false (and no file) when it cannot be written.
bool writeMonthPdf(const QString& fileName, const app::MonthSheet& sheet, const QString& notesPath, bool cue = false);

}  // namespace ortalba
