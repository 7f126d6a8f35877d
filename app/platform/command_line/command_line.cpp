// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/command_line/command_line.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QDir>
#include <QFontInfo>
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

#include "almanac/notes_advice.h"
#include "app/city_file.h"
#include "app/city_table.h"
#include "app/comuni.h"
#include "app/italian_clock.h"
#include "app/window_model.h"
#include "app/platform/command_line/arguments.h"
#include "app/platform/command_line/month_text.h"
#include "app/platform/diary/diary_command.h"
#include "app/platform/session/desktop_session.h"
#include "app/platform/session/file_io.h"
#include "app/platform/qt/qt_text.h"
#include "app/platform/paper/month_page.h"
#include "app/platform/notes/notes_lookup.h"
#include "app/platform/session/qt_platform.h"
#include "app/platform/qt/vector_state.h"
#include "app/platform/paper/year_booklet.h"
#include "app/year_calendar.h"

namespace ortalba {

namespace {


// A standard stream the caller closed must not be taken by the next file we
// open (a PDF would receive the table, or an error line): it is held by the
// root folder, opened for reading, so that a write to it fails as a closed one
// does, also through /dev/stdout.
void holdClosedStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int held = ::open(fd == 0 ? "/dev/null" : "/", O_RDONLY | O_CLOEXEC);
    if (held >= 0 && held != fd) {
      ::dup2(held, fd);
      ::close(held);
    }
  }
}

// The city the window remembers: luogo.txt of the working folder when there is
// one, as the almanac started from a terminal keeps it, else the one the menu's
// almanac keeps in the user's configuration folder; ROMA when neither names one.
app::Place rememberedPlaceOfUser(app::Platform& platform) {
  struct stat st {};
  const std::string here = app::cityFilePath(platform);
  if (!here.empty() && ::lstat(reachablePath(here).c_str(), &st) == 0) return app::rememberedPlace(platform);
  const ConfigFolder config = configFolderPath();
  if (config.path.empty()) return app::defaultPlace();
  return app::placeOfRememberedName(app::readRememberedName(platform, config.path + "/" + app::CityFileName));
}

}  // namespace

int runCommandLine(int argc, char** argv) {
  holdClosedStreams();
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
  if (parsed.help) {
    speakItalian(*app);  // Qt's own headings of the help
    return printedToStdout(helpText().toUtf8());
  }
  if (parsed.version) return printedToStdout((versionText() + QLatin1Char('\n')).toUtf8());
  if (parsed.cities) {
    std::string names;
    for (const app::Place& place : app::tablePlaces()) names.append(place.name).append("\n");
    return printedToStdout(names);
  }
  if (parsed.jobs) {
    // "potare (in Luna calante)": each job with the moon the notes give it.
    std::string jobs;
    for (const app::ChosenJob& job : app::choosableJobs()) {
      const almanac::JobMoon moon = almanac::NotesJobs[static_cast<std::size_t>(job.job)].moon;
      jobs.append(app::chosenJobName(job))
          .append(moon == almanac::JobMoon::Waxing   ? " (in Luna crescente)"
                  : moon == almanac::JobMoon::Waning ? " (in Luna calante)"
                                                     : " (in Luna crescente e calante)")
          .append("\n");
    }
    return printedToStdout(jobs);
  }
  if (parsed.comuni) {
    // A comune whose seat the almanac does not know is listed too, and says so.
    std::string names;
    const auto list = [&](const app::ComuneRow& comune) {
      names.append(app::comuneTitle(comune)).append(comune.located ? "\n" : " - senza coordinate: --coordinate\n");
    };
    if (parsed.province.isEmpty())
      for (const app::ComuneRow& comune : app::comuneRows()) list(comune);
    else
      for (const app::ComuneRow* comune : app::comuniOfProvince(parsed.province.toStdString())) list(*comune);
    return printedToStdout(names);
  }
  if (parsed.diary) return runDiaryCommand(*parsed.diary);
  if (!parsed.request) {
    std::fprintf(stderr, "%s\n", parsed.error.toUtf8().constData());
    return 2;
  }
  const PrintRequest& request = *parsed.request;
  // A page drawn without a single font is a page of empty boxes: said, not written.
  if (!request.pdfFile.isEmpty() && QFontInfo(QFont(QStringLiteral("DejaVu Sans"))).family().isEmpty()) {
    std::fprintf(stderr, "ortalba: nessun carattere installato per scrivere la pagina (serve fonts-dejavu-core)\n");
    return 1;
  }
  QtPlatform platform;
  // The city given, or the one remembered in luogo.txt; the command line never writes it.
  // The festa patronale given for this run, else the one the window remembers for the place.
  const app::Place given = request.place ? *request.place : rememberedPlaceOfUser(platform);
  const app::Place place = request.ownFeast ? app::withOwnFeast(given, request.ownFeast)
                                            : app::withOwnFeast(given, platform.preferences().ownFeasts);
  if (request.ownFeast && !app::takesOwnFeast(given)) {
    std::fprintf(stderr, "ortalba: %s ha già la sua festa patronale; --festa-patronale è per gli altri comuni e per i campi\n",
                 given.name.c_str());
    return 2;
  }
  if (request.mode == PrintRequest::Mode::YearCalendar) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const app::IcsStamp stamp{now.date().year(), now.date().month(),  now.date().day(),
                              now.time().hour(), now.time().minute(), now.time().second()};
    const std::optional<app::DiaryOfYear> diary = request.diary ? userDiaryOfYear(request.year) : std::nullopt;
    if (request.diary && !diary) return 1;
    return printedToStdout(app::yearCalendarIcs(request.year, place, stamp,
                                        {request.moonSpans, request.reckoning, request.plantParts, request.job,
                                         diary ? &*diary : nullptr}));
  }
  const auto notesOf = [&](int month) { return notesFile(app::notesDocumentPath(platform, month)); };
  const bool booklet = request.mode == PrintRequest::Mode::YearBooklet;
  const app::MonthSheet sheet = booklet ? app::MonthSheet{} : app::sheetOf(request.year, request.month, place, request.reckoning);
  if (!request.pdfFile.isEmpty()) {
    // The diary's entries of the month or the year, under each month's table.
    const calendar::Date first{1, booklet ? 1 : request.month, request.year};
    const calendar::Date last{booklet ? 31 : calendar::daysInMonth(request.month, request.year), booklet ? 12 : request.month,
                              request.year};
    const auto diary = request.diary ? userDiaryEntries(first, last) : std::vector<app::DiaryEntry>{};
    if (!diary) return 1;
    const app::WriteOutcome outcome =
        booklet ? writeYearPdf(request.pdfFile, app::monthsOfYear(request.year, place, request.reckoning), notesOf, request.cue, *diary)
                : writeMonthPdf(request.pdfFile, sheet, notesOf(request.month), request.cue, request.job, *diary);
    if (!outcome) {
      std::fprintf(stderr, "ortalba: impossibile scrivere %s: %s\n", shown(request.pdfFile).toUtf8().constData(),
                   outcome.reason.c_str());
      return 1;
    }
    return 0;
  }
  const int panelDay = panelDayOf(sheet);
  return printedToStdout(request.json ? monthJson(sheet, panelDay, request.job) : monthTable(sheet, panelDay).toUtf8());
}

}  // namespace ortalba
