// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/session/qt_platform.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QTimeZone>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <optional>
#include <pwd.h>
#include <unistd.h>

#include "app/platform/session/desktop_session.h"
#include "app/italian_clock.h"
#include "app/platform/qt/vector_state.h"

namespace {
using ortalba::QtPlatform;

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// The file system's cases are tried on readRegularFile (file_io_test); here, the line.
TEST(QtPlatform, ReadsOnlyTheFirstLine) {
  QTemporaryDir dir;
  QtPlatform platform;
  writeBytes(dir.filePath("crlf"), "MILANO\r\nROMA\r\n");
  writeBytes(dir.filePath("empty"), "");
  EXPECT_EQ(platform.readFirstLine(dir.filePath("crlf").toStdString(), 4096), std::optional<std::string>("MILANO"));
  EXPECT_EQ(platform.readFirstLine(dir.filePath("empty").toStdString(), 4096), std::optional<std::string>(""));
}

// The environment of one test, and back.
class Environment {
 public:
  void set(const char* name, const char* value) {
    if (!saved_.count(name)) {
      const char* old = std::getenv(name);
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value) ::setenv(name, value, 1); else ::unsetenv(name);
  }
  ~Environment() {
    for (const auto& [name, value] : saved_) set(name.c_str(), value ? value->c_str() : nullptr);
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

// Where the menu's almanac keeps luogo.txt, as the XDG base directory rules say.
TEST(QtPlatform, TheConfigurationFolderFollowsTheRules) {
  QTemporaryDir dir;
  const std::string base = QDir(dir.path()).canonicalPath().toStdString();
  writeBytes(dir.filePath("a-file"), "x");
  const std::string latin = base + "/conf\xE8";  // not UTF-8: used as its bytes
  struct Case { std::optional<std::string> config, home; std::string path; const char* problem; } cases[] = {
      {base + "/xdg", base + "/home", base + "/xdg/ortalba", ""},
      {"relative/conf", base + "/home", base + "/home/.config/ortalba", ""},
      {latin, std::nullopt, latin + "/ortalba", ""},
      {base + "/a-file", std::nullopt, "", "non si può creare"},
      // With neither, the password database says where home is.
      {std::nullopt, std::nullopt, std::string(::getpwuid(::geteuid())->pw_dir) + "/.config/ortalba", ""},
  };
  for (const Case& c : cases) {
    Environment environment;
    environment.set("XDG_CONFIG_HOME", c.config ? c.config->c_str() : nullptr);
    environment.set("HOME", c.home ? c.home->c_str() : nullptr);
    const ortalba::ConfigFolder folder = ortalba::userConfigFolder();
    EXPECT_EQ(folder.path, c.path) << folder.problem;
    EXPECT_NE(folder.problem.find(c.problem), std::string::npos) << folder.problem;
    EXPECT_EQ(::access(c.path.c_str(), W_OK), c.path.empty() ? -1 : 0) << "made, and ours to write";
  }
}

// The festa of each place of the gardener's own comes back from ortalba.conf as it
// went in, beside the other choices; a day spoiled by hand is left out.
TEST(QtPlatform, RemembersEachPlacesOwnFesta) {
  QTemporaryDir dir;
  Environment environment;
  environment.set("XDG_CONFIG_HOME", dir.path().toUtf8().constData());
  ortalba::QtPlatform platform;
  app::Preferences chosen;
  chosen.alwaysOnTop = false;
  chosen.ownFeasts = {{"BARDONECCHIA (TO)", {25, 7}}, {"ALDINO/ALDEIN (BZ)", {1, 1}}, {"Orto di casa;45.08,6.7", {3, 7}}};
  ASSERT_TRUE(platform.savePreferences(chosen));
  EXPECT_EQ(platform.preferences(), chosen);
  chosen.ownFeasts.erase("BARDONECCHIA (TO)");
  ASSERT_TRUE(platform.savePreferences(chosen));
  EXPECT_EQ(platform.preferences(), chosen) << "a festa taken away is gone from the file";
  QFile conf(dir.filePath(QStringLiteral("ortalba/ortalba.conf")));
  ASSERT_TRUE(conf.open(QIODevice::Append));
  conf.write("\n[feste_patronali]\n3\\luogo=X\n3\\giorno=31/02\nsize=3\n");
  conf.close();
  EXPECT_EQ(platform.preferences().ownFeasts.count("X"), 0u);
}

// The almanac's own history of the Italian clocks agrees with the system's time
// zone (Europe/Rome) on every day of 1850 to 2200 and of a few far years.
TEST(ItalianClock, AgreesWithTheSystemsTimeZone) {
  const QTimeZone rome(QByteArrayLiteral("Europe/Rome"));
  ASSERT_TRUE(rome.isValid());
  int legalDays = 0;
  const auto sameOn = [&](const QDate& day) {
    const bool system = rome.offsetFromUtc(QDateTime(day, QTime(12, 0), QTimeZone::utc())) == 2 * 3600;
    legalDays += system;
    return app::onOraLegale({day.day(), day.month(), day.year()}) == system;
  };
  for (QDate day(1850, 1, 1); day.year() <= 2200; day = day.addDays(1)) ASSERT_TRUE(sameOn(day)) << day.toString().toStdString();
  for (int year : {1, 1500, 2500, 5000, 9999})
    for (QDate day(year, 1, 1); day.year() == year; day = day.addDays(1)) ASSERT_TRUE(sameOn(day)) << day.toString().toStdString();
  EXPECT_GT(legalDays, 200 * 180) << "the system knows the summers too";
}

// Qt's own string hash leaves the upper vector halves in use on processors with
// VAES; clearing them is what keeps the almanac's arithmetic at full speed.
TEST(VectorState, ClearingAfterQtLeavesTheUpperHalvesClean) {
  (void)qHash(QString(200, QLatin1Char('x')));
  const bool dirtied = ortalba::upperVectorStateInUse();
  ortalba::clearUpperVectorState();
  EXPECT_FALSE(ortalba::upperVectorStateInUse());
  if (!dirtied) GTEST_SKIP() << "this processor's string hash leaves nothing to clear";
}

}  // namespace
