#pragma once
// The command-line printer: a month of the almanac as a table, as JSON or as an
// A4 page, and the year's calendar for a phone, without a display.
#include <QByteArray>
#include <QString>

#include "app/month_sheet.h"

namespace ortalba {

// The month as JSON: its title, city, notes document and every day's row.
QByteArray monthJson(const app::MonthSheet& sheet);
// The month as a text table, one line a day.
QString monthTable(const app::MonthSheet& sheet);

// The whole command line: prints to stdout, errors to stderr; returns the exit code.
int runCommandLine(int argc, char** argv);

}  // namespace ortalba
