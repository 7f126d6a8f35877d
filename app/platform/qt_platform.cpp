#include "app/platform/qt_platform.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ortalba {

QtPlatform::QtPlatform() : workingFolder_(QDir::currentPath().toStdString()) {}

char QtPlatform::pathSeparator() const { return QDir::separator().toLatin1(); }

calendar::Date QtPlatform::today() {
  const QDate d = QDate::currentDate();
  return {d.day(), d.month(), d.year()};
}

std::optional<std::string> QtPlatform::readFirstLine(const std::string& path, std::size_t maxBytes) {
  const QString name = QString::fromStdString(path);
  if (QFileInfo(name).isDir()) return std::nullopt;
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  // Read no further than needed: a huge or binary file costs one small read.
  const QByteArray head = file.read(static_cast<qint64>(maxBytes));
  if (head.isNull() && file.error() != QFileDevice::NoError) return std::nullopt;
  qsizetype end = head.indexOf('\n');
  if (end < 0) end = head.size();
  if (end > 0 && head[end - 1] == '\r') --end;
  return head.left(end).toStdString();
}

bool QtPlatform::replaceFile(const std::string& path, const std::string& bytes) {
  // Written beside the old file and renamed over it: never a half-written file.
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace ortalba
