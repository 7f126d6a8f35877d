// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/session/desktop_session.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "app/window_model.h"
#include "app/platform/diary/diary_store.h"
#include "app/platform/session/file_io.h"
#include "app/platform/window/main_window.h"
#include "app/platform/session/qt_platform.h"
#include "app/platform/qt/vector_state.h"

namespace ortalba {

namespace {

QtMessageHandler qtMessages = nullptr;

// While the application object is being made: the platform plugin's complaints
// are Qt's, in English, and its last word aborts; the user hears one line of ours.
void startingMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", NoDisplayMessage);
    std::fflush(stderr);
    std::_Exit(1);
  }
  if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0) return;
  if (qtMessages) qtMessages(type, context, message);
}

bool hasDisplay() {
  // A platform asked for by name (offscreen, vnc...) is the user's own choice.
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

bool speakItalian(QCoreApplication& application) {
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  auto* translator = new QTranslator(&application);
  if (!translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

int runWindow(int argc, char** argv, WorkingFolder folder) {
  if (!hasDisplay()) {
    std::fprintf(stderr, "%s\n", NoDisplayMessage);
    return 1;
  }
  qtMessages = qInstallMessageHandler(startingMessages);
  QApplication application(argc, argv);
  qInstallMessageHandler(qtMessages);
  clearUpperVectorState();
  speakItalian(application);
  QGuiApplication::setDesktopFileName(QStringLiteral("it.ortalba.Ortalba"));

  // From the menu the almanac keeps luogo.txt in the user's configuration folder;
  // its notes then come from the installed ones. When that folder cannot be made
  // or entered the window opens all the same, saying the city will not be saved,
  // and keeps nothing in any other folder.
  std::optional<QtPlatform> platform;
  if (folder == WorkingFolder::UserConfig) {
    const ConfigFolder config = userConfigFolder();
    if (config.path.empty())
      platform.emplace(config.problem);
    else if (::chdir(config.path.c_str()) != 0)
      platform.emplace("la cartella " + config.path + " non si può aprire: " + errorWords(errno));
  }
  if (!platform) platform.emplace();  // the working folder is the one current now
  app::WindowModel form(*platform);
  std::optional<DiaryStore> diary;
  MainWindow window(form);
  window.show();
  // The gardener's diary, in the user's data folder whatever folder the window runs
  // in, opened and checked whole once the window is up.
  QTimer::singleShot(0, &window, [&] {
    const DiaryPath path = userDiaryPath();
    if (!path.path.empty()) diary.emplace(path.path);
    window.attachDiary(diary ? &*diary : nullptr, path.problem, diary ? diary->notice() : std::string());
  });
  return application.exec();
}

}  // namespace ortalba
