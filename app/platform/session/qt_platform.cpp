// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/session/qt_platform.h"

#include <unistd.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <cstdlib>

#include "app/platform/session/config_folder.h"
#include "app/platform/session/file_io.h"

namespace ortalba {

namespace {

// The current folder as the file system names it: its own bytes, of any length
// (the C library's getcwd allocates what the name needs), whatever encoding the
// name is in. Empty when it has no name (deleted, or outside our root).
std::string currentFolder() {
  char* name = ::getcwd(nullptr, 0);
  if (name == nullptr) return {};
  std::string out(name);
  std::free(name);
  // "(unreachable)/..." is how an old kernel names a folder outside our root.
  return out.empty() || out[0] != '/' ? std::string() : out;
}

QString preferencesFile(const std::string& folder) { return QFile::decodeName(QByteArray::fromStdString(folder + "/ortalba.conf")); }

// The file's words for the choices: read by people too.
const QString AlwaysOnTopKey = QStringLiteral("finestra/sempre_in_primo_piano");
const QString PhaseDaysKey = QStringLiteral("luna/giorno_delle_fasi");
const QString ItalianDay = QStringLiteral("italiano");
const QString GreenwichDay = QStringLiteral("greenwich");
const QString ZodiacKey = QStringLiteral("luna/zodiaco");
const QString SignsWord = QStringLiteral("segni");
const QString ConstellationsWord = QStringLiteral("costellazioni");
const QString JobKey = QStringLiteral("orto/lavoro");
// Each festa patronale kept: the place as luogo.txt names it, and its day (25/07).
const QString OwnFeastsArray = QStringLiteral("feste_patronali");
const QString OwnFeastPlace = QStringLiteral("luogo");
const QString OwnFeastDay = QStringLiteral("giorno");

}  // namespace

QtPlatform::QtPlatform() : workingFolder_(currentFolder()) {}

QtPlatform::QtPlatform(std::string whyNoFolder) : whyNoFolder_(std::move(whyNoFolder)) {}

char QtPlatform::pathSeparator() const { return QDir::separator().toLatin1(); }

calendar::Date QtPlatform::today() {
  const QDate d = QDate::currentDate();
  return {d.day(), d.month(), d.year()};
}

std::optional<std::string> QtPlatform::readFirstLine(const std::string& path, std::size_t maxBytes) {
  // Read no further than needed: a huge or binary file costs one small read.
  const auto head = readRegularFile(path, maxBytes);
  if (!head) return std::nullopt;
  std::size_t end = head->find('\n');
  if (end == std::string::npos) end = head->size();
  if (end > 0 && (*head)[end - 1] == '\r') --end;
  return head->substr(0, end);
}

app::WriteOutcome QtPlatform::replaceFile(const std::string& path, const std::string& bytes) {
  return writeWholeFile(path, bytes, SpecialFiles::Refuse);
}

app::Preferences QtPlatform::preferences() {
  app::Preferences chosen;
  const ConfigFolder folder = configFolderPath();
  if (folder.path.empty()) return chosen;
  QSettings settings(preferencesFile(folder.path), QSettings::IniFormat);
  chosen.alwaysOnTop = settings.value(AlwaysOnTopKey, chosen.alwaysOnTop).toBool();
  if (settings.value(PhaseDaysKey).toString() == ItalianDay) chosen.reckoning.phaseDays = app::PhaseDays::Italian;
  if (settings.value(ZodiacKey).toString() == SignsWord) chosen.reckoning.zodiac = astro::ZodiacSystem::Signs;
  chosen.job = app::findChosenJob(settings.value(JobKey).toString().toStdString());
  const int count = settings.beginReadArray(OwnFeastsArray);
  for (int i = 0; i < count; ++i) {
    settings.setArrayIndex(i);
    const std::string place = settings.value(OwnFeastPlace).toString().toStdString();
    const auto day = app::parseFeastDay(settings.value(OwnFeastDay).toString().toStdString());
    if (!place.empty() && day) chosen.ownFeasts[place] = *day;  // a line spoiled by hand is left out
  }
  settings.endArray();
  return chosen;
}

app::WriteOutcome QtPlatform::savePreferences(const app::Preferences& chosen) {
  const ConfigFolder folder = userConfigFolder();
  if (folder.path.empty()) return app::WriteOutcome::failed(folder.problem);
  QSettings settings(preferencesFile(folder.path), QSettings::IniFormat);
  settings.setValue(AlwaysOnTopKey, chosen.alwaysOnTop);
  settings.setValue(PhaseDaysKey, chosen.reckoning.phaseDays == app::PhaseDays::Italian ? ItalianDay : GreenwichDay);
  settings.setValue(ZodiacKey, chosen.reckoning.zodiac == astro::ZodiacSystem::Signs ? SignsWord : ConstellationsWord);
  settings.setValue(JobKey, chosen.job ? QString::fromStdString(app::chosenJobName(*chosen.job)) : QString());
  settings.remove(OwnFeastsArray);
  settings.beginWriteArray(OwnFeastsArray, static_cast<int>(chosen.ownFeasts.size()));
  int i = 0;
  for (const auto& [place, day] : chosen.ownFeasts) {
    settings.setArrayIndex(i++);
    settings.setValue(OwnFeastPlace, QString::fromStdString(place));
    settings.setValue(OwnFeastDay, QString::fromStdString(app::feastDayText(day)));
  }
  settings.endArray();
  settings.sync();
  if (settings.status() == QSettings::NoError) return app::WriteOutcome::done();
  return app::WriteOutcome::failed("il file " + folder.path + "/ortalba.conf non si può scrivere");
}

}  // namespace ortalba
