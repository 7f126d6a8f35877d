// SPDX-License-Identifier: GPL-3.0-or-later
// Files written whole or not at all, and never waited on: what a full disk, a
// pipe, a device, a link or another user's file does to luogo.txt and a PDF.
#include "app/platform/file_io.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "app/city_file.h"
#include "app/form1.h"
#include "app/month_sheet.h"
#include "app/platform/month_page.h"
#include "app/platform/qt_platform.h"

namespace {
using namespace ortalba;

std::string native(const QString& path) { return QFile::encodeName(path).toStdString(); }

// What a file holds; never waits on a pipe.
std::string contentOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return "<not a file>";
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return "<unreadable>";
  std::string out(static_cast<std::size_t>(st.st_size), '\0');
  const ssize_t n = ::read(fd, out.data(), out.size());
  ::close(fd);
  return n == st.st_size ? out : std::string("<unreadable>");
}

bool put(const std::string& path, const std::string& bytes, mode_t mode = 0644) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, mode);
  if (fd < 0) return false;
  const bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  return ::close(fd) == 0 && ok && ::chmod(path.c_str(), mode) == 0;
}

struct stat statOf(const std::string& path, bool follow = true) {
  struct stat st {};
  if ((follow ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0) st.st_mode = 0;
  return st;
}

// Names a write left behind in a folder besides those expected.
QStringList leftovers(const QString& folder, const QStringList& expected) {
  QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (const QString& e : expected) names.removeAll(e);
  return names;
}

bool isRoot() { return ::geteuid() == 0; }

TEST(SafeFile, LuogoTxtIsReplacedOnlyWhenItIsARegularFile) {
  struct Case {
    const char* name;
    std::function<void(const std::string& dir)> make;  // what stands at dir/luogo.txt beforehand
    bool written;
    const char* reason;
    std::function<void(const std::string& dir)> check;  // afterwards
  };
  const auto file = [](const char* bytes, mode_t mode) {
    return [=](const std::string& dir) { ASSERT_TRUE(put(dir + "/luogo.txt", bytes, mode)); };
  };
  const auto link = [](const char* target) {
    return [=](const std::string& dir) { ASSERT_EQ(::symlink(target, (dir + "/luogo.txt").c_str()), 0); };
  };
  const auto modeIs = [](const char* name, mode_t mode) {
    return [=](const std::string& dir) { EXPECT_EQ(statOf(dir + "/" + name).st_mode & 07777, mode); };
  };
  const Case cases[] = {
      {"no file yet", nullptr, true, "", [](const std::string& dir) {
         const mode_t mask = ::umask(0);
         ::umask(mask);
         EXPECT_EQ(statOf(dir + "/luogo.txt").st_mode & 07777, 0666 & ~mask);
       }},
      {"a file keeps its permissions", file("TORINO\r\n", 0640), true, "", modeIs("luogo.txt", 0640)},
      {"a link to a file elsewhere", [](const std::string& dir) {
         ASSERT_EQ(::mkdir((dir + "/casa").c_str(), 0755), 0);
         ASSERT_TRUE(put(dir + "/casa/citta.txt", "TORINO\r\n", 0600));
         ASSERT_EQ(::symlink("casa/citta.txt", (dir + "/luogo.txt").c_str()), 0);
       }, true, "", [](const std::string& dir) {
         EXPECT_TRUE(S_ISLNK(statOf(dir + "/luogo.txt", false).st_mode)) << "the link stays a link";
         EXPECT_EQ(contentOf(dir + "/casa/citta.txt"), "MILANO\r\n");
         EXPECT_EQ(statOf(dir + "/casa/citta.txt").st_mode & 07777, 0600u);
         EXPECT_EQ(leftovers(QString::fromStdString(dir + "/casa"), {"citta.txt"}), QStringList());
       }},
      {"a link to a device", link("/dev/null"), false, "non è un file ordinario", nullptr},
      {"a pipe", [](const std::string& dir) { ASSERT_EQ(::mkfifo((dir + "/luogo.txt").c_str(), 0600), 0); }, false,
       "non è un file ordinario", nullptr},
      {"a link to nothing", link("altrove/luogo.txt"), false, "il collegamento non porta a un file",
       [](const std::string& dir) { EXPECT_FALSE(QDir(QString::fromStdString(dir + "/altrove")).exists()); }},
      {"a folder", [](const std::string& dir) { ASSERT_EQ(::mkdir((dir + "/luogo.txt").c_str(), 0755), 0); }, false,
       "è una cartella", nullptr},
      // Its owner made it read-only: left alone, except by root, who may write anything.
      {"a read-only file", file("TORINO\r\n", 0444), isRoot(), isRoot() ? "" : "permesso negato",
       modeIs("luogo.txt", 0444)},
  };
  QtPlatform platform;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir temporary;
    const std::string dir = native(temporary.path());
    if (c.make) c.make(dir);
    const QStringList before = leftovers(temporary.path(), {});
    const std::string old = contentOf(dir + "/luogo.txt");
    const mode_t kind = statOf(dir + "/luogo.txt", false).st_mode & S_IFMT, targetKind = statOf(dir + "/luogo.txt").st_mode & S_IFMT;
    const app::WriteOutcome outcome = platform.replaceFile(dir + "/luogo.txt", "MILANO\r\n");
    EXPECT_EQ(outcome.written, c.written);
    EXPECT_EQ(outcome.reason, c.reason);
    EXPECT_EQ(contentOf(dir + "/luogo.txt"), c.written ? "MILANO\r\n" : old);
    if (!c.written) {
      EXPECT_EQ(statOf(dir + "/luogo.txt", false).st_mode & S_IFMT, kind) << "a link, a pipe, a folder stay what they were";
      EXPECT_EQ(statOf(dir + "/luogo.txt").st_mode & S_IFMT, targetKind);
    }
    EXPECT_EQ(leftovers(temporary.path(), before + QStringList{"luogo.txt"}), QStringList()) << "no file left aside";
    if (c.check) c.check(dir);
  }
  const app::WriteOutcome missing = platform.replaceFile("/nonexistent-ortalba/luogo.txt", "ROMA\r\n");
  EXPECT_FALSE(missing.written);
  EXPECT_EQ(missing.reason, "la cartella non esiste");
}

TEST(SafeFile, ReadingNeverWaitsOnAPipeOrADevice) {
  QTemporaryDir temporary;
  const std::string dir = native(temporary.path());
  ASSERT_EQ(::mkfifo((dir + "/pipe").c_str(), 0600), 0);
  ASSERT_EQ(::symlink("pipe", (dir + "/link-to-pipe").c_str()), 0);
  ASSERT_EQ(::mkdir((dir + "/folder").c_str(), 0755), 0);
  ASSERT_TRUE(put(dir + "/city", "MILANO\r\nROMA\r\n"));
  // A pipe that a writer holds open still gives nothing: it is not a file.
  const int writer = ::open((dir + "/pipe").c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  for (const std::string name : {"pipe", "link-to-pipe", "folder", "missing", ""}) {
    EXPECT_FALSE(readRegularFile(name.empty() ? name : dir + "/" + name, 4096)) << name;
  }
  ::close(writer);
  EXPECT_FALSE(readRegularFile("/dev/zero", 4096)) << "an endless device";
  EXPECT_EQ(readRegularFile(dir + "/city", 4096), std::optional<std::string>("MILANO\r\nROMA\r\n"));
  EXPECT_EQ(readRegularFile(dir + "/city", 3), std::optional<std::string>("MIL"));
}

// A pipe nobody reads, one with a reader and the devices are tried from the
// command line (tests/files); here, a reader that leaves halfway.
TEST(SafeFile, AReaderThatLeavesEarlyIsAFailureNotTheEnd) {
  QTemporaryDir temporary;
  const std::string pipe = native(temporary.filePath("pipe"));
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::atomic<bool> opened = false;
  std::thread quitter([&] {
    const int fd = ::open(pipe.c_str(), O_RDONLY);
    opened = true;
    char buffer[16];
    // What it reads does not matter, only that it then leaves; built with
    // _FORTIFY_SOURCE (the package's flags) read's result may not be dropped.
    [[maybe_unused]] const ssize_t got = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
  });
  app::WriteOutcome cut;
  for (int attempt = 0; attempt < 500 && !opened; ++attempt) {  // until the reader has the pipe open
    cut = writeWholeFile(pipe, std::string(4 << 20, 'P'), SpecialFiles::WriteInPlace);
    if (!opened) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (!opened) ::close(::open(pipe.c_str(), O_WRONLY | O_NONBLOCK));  // let a waiting reader go
  quitter.join();
  EXPECT_FALSE(cut.written);
  EXPECT_EQ(cut.reason, "chi leggeva ha chiuso la pipe") << "and SIGPIPE did not end the tests";
  EXPECT_EQ(writeWholeFile("/dev/null", "x", SpecialFiles::Refuse).reason, "non è un file ordinario");
}

// A disk of 8 KiB, mounted for the test; only root may mount one.
class FullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temporary_.isValid());
    disk_ = native(temporary_.path());
    if (!isRoot() || ::mount("tmpfs", disk_.c_str(), "tmpfs", 0, "size=8k") != 0)
      GTEST_SKIP() << "a small disk cannot be mounted here (needs root): " << std::strerror(errno);
    mounted_ = true;
  }
  void TearDown() override {
    if (mounted_) ::umount2(disk_.c_str(), MNT_DETACH);
  }
  // Fills what is left of the disk.
  void fill() {
    const int fd = ::open((disk_ + "/filler").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    const std::string block(1024, 'x');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    while (::write(fd, block.data(), 1) > 0) {
    }
    ::close(fd);
  }
  QTemporaryDir temporary_;
  std::string disk_;
  bool mounted_ = false;
};

TEST_F(FullDisk, NeitherLuogoTxtNorAPageIsLost) {
  ASSERT_TRUE(put(disk_ + "/luogo.txt", "TORINO\r\n"));
  ASSERT_TRUE(put(disk_ + "/marzo.pdf", "%PDF-1.4 old page"));
  fill();
  QtPlatform platform;
  const app::WriteOutcome city = platform.replaceFile(disk_ + "/luogo.txt", "MILANO\r\n");
  EXPECT_FALSE(city.written);
  EXPECT_EQ(city.reason, "il disco è pieno");
  EXPECT_EQ(contentOf(disk_ + "/luogo.txt"), "TORINO\r\n");
  EXPECT_FALSE(platform.replaceFile(disk_ + "/nuovo.txt", "MILANO\r\n").written);
  const app::WriteOutcome page = writeMonthPdf(temporary_.filePath("marzo.pdf"), app::sheetOf(2026, 3, 15), "");
  EXPECT_FALSE(page.written);
  EXPECT_EQ(page.reason, "il disco è pieno");
  EXPECT_EQ(contentOf(disk_ + "/marzo.pdf"), "%PDF-1.4 old page");
  EXPECT_EQ(leftovers(temporary_.path(), {"luogo.txt", "marzo.pdf", "filler"}), QStringList())
      << "nothing new on the disk, not even an empty file";
}

TEST(SafeFile, AnotherUsersFileStaysTheirs) {
  if (!isRoot()) GTEST_SKIP() << "only root can give a file to another user";
  QTemporaryDir temporary;
  const std::string dir = native(temporary.path());
  const uid_t nobody = 65534;
  ASSERT_EQ(::mkdir((dir + "/altro").c_str(), 0755), 0);
  ASSERT_TRUE(put(dir + "/altro/luogo.txt", "TORINO\r\n", 0600));
  ASSERT_EQ(::chown((dir + "/altro/luogo.txt").c_str(), nobody, nobody), 0);
  ASSERT_EQ(::symlink("altro/luogo.txt", (dir + "/luogo.txt").c_str()), 0);
  QtPlatform platform;
  ASSERT_TRUE(platform.replaceFile(dir + "/luogo.txt", "MILANO\r\n"));
  const struct stat st = statOf(dir + "/altro/luogo.txt");
  EXPECT_EQ(st.st_uid, nobody) << "a private file that changed hands would lock its owner out";
  EXPECT_EQ(st.st_gid, nobody);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_EQ(contentOf(dir + "/altro/luogo.txt"), "MILANO\r\n");
}

// Run by tests/files/as_user.sh as an ordinary user, in a folder of theirs that
// root has put files of its own in.
TEST(SafeFileAsUser, FilesOfAnotherUserAreLeftAlone) {
  const char* prepared = std::getenv("ORTALBA_FOREIGN_FILES");
  if (prepared == nullptr || isRoot()) GTEST_SKIP() << "needs an ordinary user and a folder prepared by root";
  const std::string dir = prepared;
  QtPlatform platform;
  struct Case { const char* name; const char* reason; } cases[] = {
      {"readable.txt", "permesso negato"},              // root's, 644: not ours to write
      {"writable.txt", "il file è di un altro utente"},  // root's, 666: ours to write, not to take
      {"link-to-writable", "il file è di un altro utente"},
  };
  for (const Case& c : cases) {
    const std::string path = dir + "/" + c.name;
    const struct stat before = statOf(path);
    const std::string old = contentOf(path);
    const app::WriteOutcome outcome = platform.replaceFile(path, "MILANO\r\n");
    EXPECT_FALSE(outcome.written) << c.name;
    EXPECT_EQ(outcome.reason, c.reason) << c.name;
    EXPECT_EQ(contentOf(path), old) << c.name;
    EXPECT_EQ(statOf(path).st_uid, before.st_uid) << c.name;
  }
  EXPECT_TRUE(platform.replaceFile(dir + "/mine.txt", "MILANO\r\n").written) << "a file of one's own is written";
  EXPECT_EQ(leftovers(QString::fromStdString(dir), {"readable.txt", "writable.txt", "link-to-writable", "mine.txt"}),
            QStringList());
}

// The current folder for one test, and back.
class InFolder {
 public:
  InFolder() : before_(::open(".", O_RDONLY | O_DIRECTORY)) {}
  ~InFolder() {
    if (before_ < 0) return;
    if (::fchdir(before_) != 0) ADD_FAILURE() << "cannot go back to the folder of the tests";
    ::close(before_);
  }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  int before_;
};

TEST(WorkingFolder, NamedInItsOwnBytesOrNotAtAll) {
  QTemporaryDir temporary;
  const std::string base = native(QDir(temporary.path()).canonicalPath());
  InFolder back;

  // A name in Latin-1, not valid UTF-8: kept byte for byte, and luogo.txt is saved and read there.
  const std::string latin = base + "/orto\xE8";
  ASSERT_EQ(::mkdir(latin.c_str(), 0755), 0);
  ASSERT_EQ(::chdir(latin.c_str()), 0);
  {
    QtPlatform platform;
    EXPECT_EQ(platform.workingFolder(), latin);
    ASSERT_TRUE(platform.replaceFile(app::cityFilePath(platform), "MILANO\r\n"));
    EXPECT_EQ(contentOf(latin + "/luogo.txt"), "MILANO\r\n");
    EXPECT_EQ(app::rememberedCity(platform), 15);
  }

  // Nested deeper than a path may be long: still named, still saved.
  ASSERT_EQ(::chdir(base.c_str()), 0);
  const std::string step(200, 'd');
  std::string deep = base;
  while (deep.size() <= 4200) {
    ASSERT_EQ(::mkdir(step.c_str(), 0755), 0);
    ASSERT_EQ(::chdir(step.c_str()), 0);
    deep += "/" + step;
  }
  {
    QtPlatform platform;
    EXPECT_EQ(platform.workingFolder(), deep);
    ASSERT_TRUE(platform.replaceFile(app::cityFilePath(platform), "MILANO\r\n"));
    EXPECT_EQ(app::rememberedCity(platform), 15);
    EXPECT_EQ(readRegularFile("luogo.txt", 64), std::optional<std::string>("MILANO\r\n"));
  }

  // Deleted while current: unknown, so nothing is read or saved, and never at the root.
  ASSERT_EQ(::chdir(base.c_str()), 0);
  ASSERT_EQ(::mkdir("gone", 0755), 0);
  ASSERT_EQ(::chdir("gone"), 0);
  ASSERT_EQ(::rmdir((base + "/gone").c_str()), 0);
  const bool rootHadOne = statOf("/luogo.txt").st_mode != 0;
  QtPlatform platform;
  EXPECT_EQ(platform.workingFolder(), "");
  app::Form1 form(platform);
  form.Form_Load();
  EXPECT_EQ(form.CityFilePath, "");
  form.zona_Click();
  form.setCityListFocusRow(15);
  form.Label15_Click();
  EXPECT_EQ(form.zona.caption, "MILANO") << "the city holds until the almanac is closed";
  EXPECT_TRUE(form.avviso.visible);
  EXPECT_NE(form.avviso.toolTip.find("la cartella di lavoro non è nota"), std::string::npos) << form.avviso.toolTip;
  if (!rootHadOne) {
    EXPECT_EQ(statOf("/luogo.txt").st_mode, 0u) << "written at the root of the file system";
  }
}

}  // namespace
