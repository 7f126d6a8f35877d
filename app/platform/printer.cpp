#include "app/platform/printer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <string_view>

#include "app/city_file.h"
#include "app/city_table.h"
#include "app/form1.h"
#include "app/platform/arguments.h"
#include "app/platform/file_io.h"
#include "app/platform/month_page.h"
#include "app/platform/notes_lookup.h"
#include "app/platform/qt_platform.h"
#include "app/platform/vector_state.h"
#include "app/year_calendar.h"

namespace ortalba {

namespace {

const char* markName(app::PhaseMark mark) {
  switch (mark) {
    case app::PhaseMark::Waxing:
      return "waxing";
    case app::PhaseMark::Waning:
      return "waning";
    case app::PhaseMark::Neutral:
      break;
  }
  return "neutral";
}

const char* iconName(int icon) {
  switch (icon) {
    case app::resources::FullMoon:
      return "full";
    case app::resources::FirstQuarter:
      return "first-quarter";
    case app::resources::LastQuarter:
      return "last-quarter";
    case app::resources::NewMoon:
      return "new";
    default:
      return nullptr;
  }
}

QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString notesName(const app::MonthSheet& sheet) { return QStringLiteral("Doc/") + q(sheet.notesDocument); }

QString phaseWordsOfIcon(int icon) {
  const auto phase = app::phaseOfIcon(icon);
  return phase ? QString::fromStdString(app::phaseWords(*phase)) : QString();
}

}  // namespace

QByteArray monthJson(const app::MonthSheet& sheet) {
  QJsonArray days;
  for (const auto& row : sheet.days) {
    QJsonObject day;
    day.insert(QStringLiteral("day"), row.day);
    day.insert(QStringLiteral("label"), q(row.label));
    day.insert(QStringLiteral("bold_red"), row.boldRed);
    day.insert(QStringLiteral("bar"), QString::fromLatin1(markName(row.mark)));
    const char* icon = iconName(row.icon);
    day.insert(QStringLiteral("icon"), icon ? QJsonValue(QString::fromLatin1(icon)) : QJsonValue(QJsonValue::Null));
    day.insert(QStringLiteral("weekday"), QString::fromUtf8(row.weekdayName()));
    day.insert(QStringLiteral("santo"), q(row.santo));
    day.insert(QStringLiteral("sorge"), q(row.sun.sorge));
    day.insert(QStringLiteral("tramonta"), q(row.sun.tramonta));
    days.append(day);
  }
  QJsonObject root;
  root.insert(QStringLiteral("year"), sheet.year);
  root.insert(QStringLiteral("month"), sheet.month);
  root.insert(QStringLiteral("title"), q(sheet.title));
  root.insert(QStringLiteral("city"), q(sheet.cityName));
  root.insert(QStringLiteral("days"), days);
  root.insert(QStringLiteral("panel_background"), QString::fromLatin1(markName(sheet.panelBackground())));
  root.insert(QStringLiteral("notes"), notesName(sheet));
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString monthTable(const app::MonthSheet& sheet) {
  QString out;
  out += q(sheet.title) + QStringLiteral(" - ") + q(sheet.cityName) + QLatin1Char('\n');
  out += QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
             .arg(QStringLiteral("Giorno"), -7)
             .arg(QStringLiteral("Settimana"), -10)
             .arg(QStringLiteral("Santo o festa"), -44)
             .arg(QStringLiteral("Sorge"), -5)
             .arg(QStringLiteral("Tram."), -5)
             .arg(QStringLiteral("Luna"), -13)
             .arg(QStringLiteral("Fase"));
  for (const auto& row : sheet.days) {
    out += QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
               .arg(q(row.label) + (row.boldRed ? QStringLiteral("*") : QString()), -7)
               .arg(QString::fromUtf8(row.weekdayName()), -10)
               .arg(q(row.santo), -44)
               .arg(q(row.sun.sorge), -5)
               .arg(q(row.sun.tramonta), -5)
               .arg(phaseWordsOfIcon(row.icon), -13)
               .arg(QString::fromLatin1(app::markWord(row.mark)));
    while (out.endsWith(QLatin1Char(' '))) out.chop(1);
    out += QLatin1Char('\n');
  }
  out += QStringLiteral("* domenica o festa. Riquadro del giorno: %1. Note del mese: %2\n")
             .arg(QString::fromLatin1(app::markWord(sheet.panelBackground())), notesName(sheet));
  return out;
}

namespace {

// Output that reaches its end in full, or one line saying why not.
int printed(std::string_view bytes) {
  errno = 0;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
  int error = errno;
  const bool flushed = std::fflush(stdout) == 0;
  if (error == 0) error = errno;
  if (written && flushed && !std::ferror(stdout)) return 0;
  std::fprintf(stderr, "ortalba: impossibile scrivere l'uscita: %s\n", errorWords(error).c_str());
  return 1;
}

int printed(const QByteArray& bytes) { return printed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))); }

// A standard stream the caller closed must not be taken by the next file we
// open (a PDF would receive the table, or an error line): it is held by the
// root folder, opened for reading, so that a write to it fails as a closed one does.
// Returns whether stdout was closed.
bool holdClosedStreams() {
  bool stdoutClosed = false;
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    stdoutClosed = stdoutClosed || fd == 1;
    const int held = ::open(fd == 0 ? "/dev/null" : "/", O_RDONLY | O_CLOEXEC);
    if (held >= 0 && held != fd) {
      ::dup2(held, fd);
      ::close(held);
    }
  }
  return stdoutClosed;
}

// Whether `path` names what stdout is (/dev/stdout, /proc/self/fd/1).
bool isStdout(const QString& path) {
  struct stat named {};
  struct stat out {};
  return ::stat(QFile::encodeName(path).constData(), &named) == 0 && ::fstat(1, &out) == 0 &&
         named.st_dev == out.st_dev && named.st_ino == out.st_ino;
}

}  // namespace

int runCommandLine(int argc, char** argv) {
  const bool stdoutClosed = holdClosedStreams();
  // A PDF page needs fonts, so a GUI application, but never a display.
  bool drawsPage = false;
  for (int i = 1; i < argc; ++i) {
    const QByteArray arg(argv[i]);
    drawsPage = drawsPage || arg == "--pdf" || arg == "-pdf" || arg.startsWith("--pdf=") || arg.startsWith("-pdf=");
  }
  // Drawing asks Qt for a runtime folder; a session without one (cron, su, ssh)
  // gets a private one for this run instead of a warning on stderr.
  std::optional<QTemporaryDir> runtimeFolder;
  if (drawsPage) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
      runtimeFolder.emplace(QDir::tempPath() + QStringLiteral("/ortalba-runtime-XXXXXX"));
      if (runtimeFolder->isValid()) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder->path()));
    }
  }
  std::unique_ptr<QCoreApplication> app =
      drawsPage ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
  clearUpperVectorState();
  const ParsedArguments parsed = parseArguments(QCoreApplication::arguments());
  if (parsed.help) return printed(helpText().toUtf8());
  if (!parsed.request) {
    std::fprintf(stderr, "%s\n", parsed.error.toUtf8().constData());
    return 2;
  }
  const PrintRequest& request = *parsed.request;
  QtPlatform platform;
  // The city given, or the one remembered in luogo.txt; the printer never writes it.
  const int city = request.city ? app::findCity(*request.city).value_or(app::DefaultCity) : app::rememberedCity(platform);
  if (request.mode == PrintRequest::Mode::YearCalendar) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const app::IcsStamp stamp{now.date().year(), now.date().month(),  now.date().day(),
                              now.time().hour(), now.time().minute(), now.time().second()};
    return printed(app::yearCalendarIcs(request.year, city, stamp));
  }
  const app::MonthSheet sheet = app::sheetOf(request.year, request.month, city);
  if (!request.pdfFile.isEmpty()) {
    const app::WriteOutcome outcome =
        stdoutClosed && isStdout(request.pdfFile)
            ? app::WriteOutcome::failed(errorWords(EBADF))
            : writeMonthPdf(request.pdfFile, sheet, notesFile(app::notesDocumentPath(platform, request.month)));
    if (!outcome) {
      std::fprintf(stderr, "ortalba: impossibile scrivere %s: %s\n", shown(request.pdfFile).toUtf8().constData(),
                   outcome.reason.c_str());
      return 1;
    }
    return 0;
  }
  return printed(request.json ? monthJson(sheet) : monthTable(sheet).toUtf8());
}

}  // namespace ortalba
