// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/notes/notes_lookup.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>

#include "app/platform/session/file_io.h"

namespace ortalba {

namespace {

bool exists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(reachablePath(path).c_str(), &st) == 0;
}

}  // namespace

std::string notesFile(const std::string& path) {
  // The working folder's own Doc/ comes first; an installed almanac started from
  // elsewhere (or from a folder that cannot be named) falls back to the notes
  // installed beside the program.
  if (exists(path)) return path;
  const auto slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return path;
  const std::string beside = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString() +
                             "/../" ORTALBA_DATA_SUBDIR "/Doc/" + name;
  if (exists(beside)) return beside;
  const std::string installed = ORTALBA_DATA_DIR "/Doc/" + name;
  if (exists(installed)) return installed;
  return path;
}

}  // namespace ortalba
