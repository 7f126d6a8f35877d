// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing from the window: the print dialog for an A4 page, then the shown month
// on one page (Ctrl+P) or the shown year's booklet of thirteen (Ctrl+Shift+P).
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "app/month_sheet.h"
#include "app/platform_port.h"

class QPrinter;
class QWidget;

namespace ortalba {

// The month on one page of `printer`; its notes are read from `notesPath`.
// False when the printer cannot be opened.
bool printMonth(QPrinter& printer, const app::MonthSheet& sheet, const std::string& notesPath, bool cue);

// The booklet of the year of `months` on `printer`; `notesOf(month)` is where a
// month's notes are read. False when the printer fails.
bool printYear(QPrinter& printer, const std::vector<app::MonthSheet>& months,
               const std::function<std::string(int)>& notesOf, bool cue);

// Writes a PDF file whole or not at all, or says why not.
using PdfFileWriter = std::function<app::WriteOutcome(const QString& fileName)>;

// What the print dialog was accepted for: printing to a PDF file is done by
// `toPdfFile`, which writes the file whole or not at all (and never waits on a
// pipe), as the command line's --pdf does; a printer is given to `print`.
app::WriteOutcome printAsChosen(QPrinter& printer, const std::function<bool(QPrinter&)>& print,
                                const PdfFileWriter& toPdfFile);

// The print dialog over `parent` for an A4 page named `docName`, then
// printAsChosen(); a warning names `what` ("il mese", "l'anno") and says why
// when that fails. Whatever file is chosen (a pipe, a device, a folder), the
// window never waits on it.
void printThroughDialog(QWidget* parent, const QString& docName, const QString& what,
                        const std::function<bool(QPrinter&)>& print, const PdfFileWriter& toPdfFile);

}  // namespace ortalba
