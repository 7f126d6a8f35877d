// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/print_dialogs.h"

#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "app/platform/month_page.h"
#include "app/platform/vector_state.h"
#include "app/platform/year_booklet.h"

namespace ortalba {

namespace {

// The printer's page as a drawing area from its top left corner.
QRectF pageOf(QPrinter& printer) {
  const QRectF area = printer.pageRect(QPrinter::DevicePixel);
  return area.translated(-area.topLeft());
}

}  // namespace

bool printMonth(QPrinter& printer, const app::MonthSheet& sheet, const std::string& notesPath, bool cue) {
  clearUpperVectorState();
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  paintMonthPage(painter, pageOf(printer), sheet, notesPath, cue);
  return painter.end();
}

bool printYear(QPrinter& printer, const std::vector<app::MonthSheet>& months,
               const std::function<std::string(int)>& notesOf, bool cue) {
  clearUpperVectorState();
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const bool drawn = paintYearBooklet(painter, printer, [&printer] { return pageOf(printer); }, months, notesOf, cue);
  return painter.end() && drawn;
}

app::WriteOutcome printAsChosen(QPrinter& printer, const std::function<bool(QPrinter&)>& print,
                                const PdfFileWriter& toPdfFile) {
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
    return toPdfFile(printer.outputFileName());
  return print(printer) ? app::WriteOutcome::done() : app::WriteOutcome::failed("la stampante non risponde");
}

void printThroughDialog(QWidget* parent, const QString& docName, const QString& what,
                        const std::function<bool(QPrinter&)>& print, const PdfFileWriter& toPdfFile) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setDocName(docName);
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("Stampa %1").arg(what));
  if (dialog.exec() != QDialog::Accepted) return;
  const app::WriteOutcome outcome = printAsChosen(printer, print, toPdfFile);
  if (!outcome)
    QMessageBox::warning(parent, QStringLiteral("Ortalba"),
                         QStringLiteral("Impossibile stampare %1: %2.").arg(what, QString::fromStdString(outcome.reason)));
}

}  // namespace ortalba
