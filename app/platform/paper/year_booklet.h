// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The gardener's year on paper: a first page with the year, the city and the new
// and full moons and feasts of every month, then the twelve month pages.
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "app/diary_entry.h"
#include "app/month_sheet.h"
#include "app/platform_port.h"

class QPainter;
class QPagedPaintDevice;
class QRectF;

namespace ortalba {

// The year's first page, drawn into `area` of an open painter.
void paintYearCover(QPainter& painter, const QRectF& area, const std::vector<app::MonthSheet>& months);

// The cover and the twelve month pages on `device`, which `painter` paints on:
// each page in `pageArea()`; `notesOf(month)` is where that month's notes are read;
// each month's page has the diary's entries of its month. False when a new page
// could not be started.
bool paintYearBooklet(QPainter& painter, QPagedPaintDevice& device, const std::function<QRectF()>& pageArea,
                      const std::vector<app::MonthSheet>& months, const std::function<std::string(int)>& notesOf,
                      bool cue, const std::vector<app::DiaryEntry>& diary = {});

// The booklet as a 13-page A4 PDF, written whole or not at all (as a month's page is).
app::WriteOutcome writeYearPdf(const QString& fileName, const std::vector<app::MonthSheet>& months,
                               const std::function<std::string(int)>& notesOf, bool cue = false,
                               const std::vector<app::DiaryEntry>& diary = {});

}  // namespace ortalba
