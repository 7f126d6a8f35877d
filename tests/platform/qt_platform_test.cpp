// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/qt_platform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <optional>
#include <pwd.h>
#include <unistd.h>

#include "app/platform/desktop_session.h"
#include "app/platform/italian_clock.h"
#include "app/platform/vector_state.h"

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

// The days Italian clocks are on ora legale, from the time-zone rules of the system.
TEST(ItalianClock, KnowsTheDaysOfOraLegale) {
  struct Case { calendar::Date date; bool legal; const char* why; } cases[] = {
      {{28, 3, 2026}, false, "the Saturday before the change"},
      {{29, 3, 2026}, true, "clocks go forward at two in the morning"},
      {{15, 7, 2026}, true, "summer"},
      {{24, 10, 2026}, true, "the last Saturday of it"},
      {{25, 10, 2026}, false, "clocks go back at three in the morning"},
      {{6, 12, 2026}, false, "winter"},
      {{1, 6, 1975}, true, "the summers of 1966 to 1979"},
      {{1, 7, 1955}, false, "no ora legale from 1949 to 1965"},
      {{1, 7, 1850}, false, "before the time zone, mean solar time"},
  };
  for (const auto& c : cases) EXPECT_EQ(ortalba::onOraLegale(c.date), c.legal) << c.why;
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
