// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/paper/print_dialogs.h"

#include <sys/stat.h>

#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <cerrno>

#include "app/platform/paper/month_page.h"
#include "app/platform/qt/vector_state.h"
#include "app/platform/paper/year_booklet.h"

namespace ortalba {

namespace {

// The printer's page as a drawing area from its top left corner.
QRectF pageOf(QPrinter& printer) {
  const QRectF area = printer.pageRect(QPrinter::DevicePixel);
  return area.translated(-area.topLeft());
}

// Whether Qt's check of a file to print to (below) can open `name` without waiting:
// a regular file, or a link to one, or a name not taken in a folder that is there.
bool isFileOrNewName(const QString& name) {
  const QByteArray path = QFile::encodeName(name);
  struct stat st {};
  if (::stat(path.constData(), &st) == 0) return S_ISREG(st.st_mode);
  if (errno != ENOENT || ::lstat(path.constData(), &st) == 0) return false;  // a link to nothing is not new
  const auto slash = path.lastIndexOf('/');
  const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
  return ::stat(folder.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Printing to a file, Qt's print dialog checks the file before it closes by opening it
// for appending, as it is named (relative to the working folder): on a pipe nobody reads
// that open waits for good, and the window with it. So its Print button is rewired: Qt's
// check, which also asks before a file is overwritten, is left only to a regular file or
// a new name; anything else is accepted as it is, and the almanac's writer, which never
// waits, writes it or says why not. The button box and the file name are found as Qt's
// own form makes and names them; should a later Qt differ, printing to a file is not
// offered rather than risked.
void neverWaitOnTheFile(QPrintDialog& dialog) {
  auto* buttons = dialog.findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly);
  auto* fileName = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
  if (!buttons || !fileName || !QObject::disconnect(buttons, SIGNAL(accepted()), &dialog, SLOT(_q_checkFields()))) {
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    return;
  }
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, fileName] {
    if (!fileName->isEnabled() || isFileOrNewName(fileName->text()))
      QMetaObject::invokeMethod(&dialog, "_q_checkFields");
    else
      dialog.accept();
  });
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
  neverWaitOnTheFile(dialog);
  if (dialog.exec() != QDialog::Accepted) return;
  const app::WriteOutcome outcome = printAsChosen(printer, print, toPdfFile);
  if (!outcome)
    QMessageBox::warning(parent, QStringLiteral("Ortalba"),
                         QStringLiteral("Impossibile stampare %1: %2.").arg(what, QString::fromStdString(outcome.reason)));
}

}  // namespace ortalba
