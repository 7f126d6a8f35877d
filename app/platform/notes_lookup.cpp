#include "app/platform/notes_lookup.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace ortalba {

QString notesFile(const std::string& path) {
  // The working folder's own Doc/ comes first; an installed almanac started from
  // elsewhere falls back to the notes installed beside the program.
  const QString local = QString::fromStdString(path);
  if (local.isEmpty() || QFileInfo::exists(local)) return local;
  const QString name = QFileInfo(local).fileName();
  const QString beside =
      QCoreApplication::applicationDirPath() + QStringLiteral("/../" ORTALBA_DATA_SUBDIR "/Doc/") + name;
  if (QFileInfo::exists(beside)) return beside;
  const QString installed = QStringLiteral(ORTALBA_DATA_DIR "/Doc/") + name;
  if (QFileInfo::exists(installed)) return installed;
  return local;
}

}  // namespace ortalba
