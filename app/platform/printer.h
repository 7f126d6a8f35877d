// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command-line printer: a month of the almanac as a table, as JSON or as an
// A4 page, and the year's calendar for a phone, without a display.
#include <QByteArray>
#include <QString>

#include "app/month_sheet.h"
#include "app/year_calendar.h"

namespace ortalba {

// The month as JSON: its title, city, notes document and every day's row; the
// panel's tile as it is when `panelDay` is selected.
// The days of ora legale have the clocks' times too; the moon's rises, sets and
// phases come to the minute.
QByteArray monthJson(const app::MonthSheet& sheet, int panelDay = 1);
// The month as a text table, one line a day; the times in ora solare and, on the
// days of ora legale, the sun's as the clocks show them too.
QString monthTable(const app::MonthSheet& sheet, int panelDay = 1);

// The day the window selects when it shows the sheet's month: today in the
// current month, else the 1st.
int panelDayOf(const app::MonthSheet& sheet);

// The whole command line: prints to stdout, errors to stderr; returns the exit code.
int runCommandLine(int argc, char** argv);

}  // namespace ortalba
