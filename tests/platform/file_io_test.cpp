// SPDX-License-Identifier: GPL-3.0-or-later
// Files written whole or not at all, and never waited on: what a full disk, a
// pipe, a device, a link or another user's file does to luogo.txt and a PDF.
#include "app/platform/session/file_io.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <thread>

#include "app/city_file.h"
#include "app/city_table.h"
#include "app/month_sheet.h"
#include "app/platform/paper/month_page.h"
#include "app/platform/session/qt_platform.h"

namespace {
using namespace ortalba;

std::string native(const QString& path) { return QFile::encodeName(path).toStdString(); }

// What a file holds; anything else is never opened.
std::string contentOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return "<not a file>";
  QFile file(QFile::decodeName(path.c_str()));
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
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
constexpr uid_t kNobody = 65534;

TEST(OutputFile, LuogoTxtIsReplacedOnlyWhenItIsARegularFile) {
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
      {"no file yet", nullptr, true, "", nullptr},
      {"a file keeps its permissions", file("TORINO\r\n", 0640), true, "", modeIs("luogo.txt", 0640)},
      // A private file behind a link; as root, another user's, and it stays theirs: a
      // file that changed hands would lock its owner out.
      {"a link to a file elsewhere", [](const std::string& dir) {
         ASSERT_EQ(::mkdir((dir + "/casa").c_str(), 0755), 0);
         ASSERT_TRUE(put(dir + "/casa/citta.txt", "TORINO\r\n", 0600));
         ASSERT_EQ(::symlink("casa/citta.txt", (dir + "/luogo.txt").c_str()), 0);
         ASSERT_EQ(isRoot() ? ::chown((dir + "/casa/citta.txt").c_str(), kNobody, kNobody) : 0, 0);
       }, true, "", [](const std::string& dir) {
         EXPECT_TRUE(S_ISLNK(statOf(dir + "/luogo.txt", false).st_mode)) << "the link stays a link";
         EXPECT_EQ(contentOf(dir + "/casa/citta.txt"), "MILANO\r\n");
         const struct stat target = statOf(dir + "/casa/citta.txt");
         EXPECT_EQ(target.st_mode & 07777, 0600u);
         EXPECT_EQ(target.st_uid, isRoot() ? kNobody : ::geteuid());
         EXPECT_EQ(target.st_gid, isRoot() ? kNobody : ::getegid());
         EXPECT_EQ(leftovers(QString::fromStdString(dir + "/casa"), {"citta.txt"}), QStringList());
       }},
      {"a link to a device", link("/dev/null"), false, "non è un file ordinario", nullptr},
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
    const std::string path = dir + "/luogo.txt", old = contentOf(path);
    const auto kinds = [&] { return std::pair{statOf(path, false).st_mode & S_IFMT, statOf(path).st_mode & S_IFMT}; };
    const auto kindsBefore = kinds();
    const app::WriteOutcome outcome = platform.replaceFile(path, "MILANO\r\n");
    EXPECT_EQ(outcome.written, c.written);
    EXPECT_EQ(outcome.reason, c.reason);
    EXPECT_EQ(contentOf(path), c.written ? "MILANO\r\n" : old);
    EXPECT_TRUE(c.written || kinds() == kindsBefore) << "a link, a folder stay what they were";
    EXPECT_EQ(leftovers(temporary.path(), before + QStringList{"luogo.txt"}), QStringList()) << "no file left aside";
    if (c.check) c.check(dir);
  }
  EXPECT_EQ(platform.replaceFile("/nonexistent-ortalba/luogo.txt", "ROMA\r\n").reason, "la cartella non esiste");
}

TEST(OutputFile, ReadingNeverWaitsOnAPipeOrADevice) {
  QTemporaryDir temporary;
  const std::string dir = native(temporary.path());
  ASSERT_EQ(::mkfifo((dir + "/pipe").c_str(), 0600), 0);
  ASSERT_EQ(::symlink("pipe", (dir + "/link-to-pipe").c_str()), 0);
  ASSERT_EQ(::mkdir((dir + "/folder").c_str(), 0755), 0);
  ASSERT_TRUE(put(dir + "/city", "MILANO\r\nROMA\r\n"));
  for (const std::string name : {"pipe", "link-to-pipe", "folder", "missing", ""})
    EXPECT_FALSE(readRegularFile(name.empty() ? name : dir + "/" + name, 4096)) << name;
  EXPECT_FALSE(readRegularFile("/dev/zero", 4096)) << "an endless device";
  EXPECT_EQ(readRegularFile(dir + "/city", 4096), std::optional<std::string>("MILANO\r\nROMA\r\n"));
  EXPECT_EQ(readRegularFile(dir + "/city", 3), std::optional<std::string>("MIL"));
}

// A pipe nobody reads is tried through the print dialog (window_test), one with a
// reader and the devices from the command line (tests/files); here, a reader that leaves.
TEST(OutputFile, AReaderThatLeavesEarlyIsAFailureNotTheEnd) {
  QTemporaryDir temporary;
  const std::string pipe = native(temporary.filePath("pipe"));
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::atomic<bool> opened = false;
  std::thread quitter([&] {
    const int fd = ::open(pipe.c_str(), O_RDONLY);
    opened = true;
    char buffer[16];
    // It reads a little and leaves; with _FORTIFY_SOURCE, read's result may not be dropped.
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
}

// On a full disk (of 8 KiB, which only root may mount) the old luogo.txt and the
// old page stay, and nothing new is left there, not even an empty file.
TEST(OutputFile, OnAFullDiskNeitherLuogoTxtNorAPageIsLost) {
  QTemporaryDir temporary;
  const std::string disk = native(temporary.path());
  if (!isRoot() || ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=8k") != 0)
    GTEST_SKIP() << "a small disk cannot be mounted here (needs root): " << std::strerror(errno);
  const struct Unmount {
    const std::string& disk;
    ~Unmount() { ::umount2(disk.c_str(), MNT_DETACH); }
  } unmount{disk};
  ASSERT_TRUE(put(disk + "/luogo.txt", "TORINO\r\n"));
  ASSERT_TRUE(put(disk + "/marzo.pdf", "%PDF-1.4 old page"));
  const int filler = ::open((disk + "/filler").c_str(), O_WRONLY | O_CREAT, 0644);
  while (::write(filler, "x", 1) > 0) {
  }
  ::close(filler);
  QtPlatform platform;
  const app::WriteOutcome city = platform.replaceFile(disk + "/luogo.txt", "MILANO\r\n");
  EXPECT_FALSE(city.written);
  EXPECT_EQ(city.reason, "il disco è pieno");
  EXPECT_EQ(contentOf(disk + "/luogo.txt"), "TORINO\r\n");
  EXPECT_FALSE(platform.replaceFile(disk + "/nuovo.txt", "MILANO\r\n").written);
  const app::MonthSheet march = app::sheetOf(2026, 3, app::findPlace("MILANO").value());
  const app::WriteOutcome page = writeMonthPdf(temporary.filePath("marzo.pdf"), march, "");
  EXPECT_EQ(page.reason, "il disco è pieno");
  EXPECT_EQ(contentOf(disk + "/marzo.pdf"), "%PDF-1.4 old page");
  EXPECT_EQ(leftovers(temporary.path(), {"luogo.txt", "marzo.pdf", "filler"}), QStringList());
}

// A save in a child process, held where it has written its new file and syncs it
// to the disk, or where that file is about to take the old one's name (see the
// test's own fdatasync and renameat below); named from the start where the child
// has no /proc, as on a file system without unnamed files.
struct HeldSave {
  pid_t pid = -1;
  int go = -1;
  // Killed there, or let go on; how it ended.
  int end(bool kill) {
    if (kill) ::kill(pid, SIGKILL);
    if (!kill && ::write(go, "", 1) != 1) return -1;
    ::close(go);
    int status = -1;
    ::waitpid(pid, &status, 0);
    return status;
  }
};
enum class Moment { Sync, Rename };
struct {
  int held = -1, go = -1;
  Moment at = Moment::Rename;
} childSave;

HeldSave holdSave(const std::string& path, const char* bytes, Moment at, bool withoutProc) {
  int held[2], go[2];
  if (::pipe(held) != 0 || ::pipe(go) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(held[0]);
    ::close(go[1]);
    if (withoutProc && (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                        ::umount2("/proc", MNT_DETACH) != 0))
      ::_exit(2);
    childSave = {held[1], go[0], at};
    ::_exit(writeWholeFile(path, bytes, SpecialFiles::Refuse) ? 0 : 1);
  }
  ::close(held[1]);
  ::close(go[0]);
  char there = 0;
  const bool reached = ::read(held[0], &there, 1) == 1;  // or its end, when it never gets there
  ::close(held[0]);
  if (reached) return {pid, go[1]};
  ::close(go[1]);
  ::waitpid(pid, nullptr, 0);
  return {};
}

// A save killed (or cut off by a power cut) at any step leaves the old file whole,
// and the next save takes away what it left, if anything; a save still under way in
// another window is left to finish, and a user's files named like temporaries stay.
TEST(OutputFile, ASaveCutShortLeavesTheOldFileAndNothingAfterTheNext) {
  const struct Case {
    const char* name;
    Moment at;
    bool withoutProc, killed;
    int beside;  // files it has beside the old one, there
  } cases[] = {{"killed while writing", Moment::Sync, false, true, 0},
               {"killed while writing, named from the start", Moment::Sync, true, true, 1},
               {"killed before the rename", Moment::Rename, false, true, 1},
               {"killed before the rename, named from the start", Moment::Rename, true, true, 1},
               {"another window's save being written, named from the start", Moment::Sync, true, false, 1},
               {"another window's save before its rename", Moment::Rename, false, false, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.withoutProc && !isRoot()) continue;  // only root may take /proc away
    QTemporaryDir temporary;
    const std::string dir = native(temporary.path()), path = dir + "/luogo.txt";
    ASSERT_TRUE(put(path, "TORINO\r\n"));
    // Named as Qt's and our temporaries are, but made by the user: three files, a pipe and a link.
    const QStringList users{"luogo.txt.ABCDEF", "luogo.txt.backup", ".ortalba-note.tmp", ".ortalba-00ff.tmp",
                            ".ortalba-0a.tmp"};
    const QStringList expected = users + QStringList{"luogo.txt"};
    for (const QString& name : users.mid(0, 3)) ASSERT_TRUE(put(dir + "/" + name.toStdString(), "mine"));
    ASSERT_EQ(::mkfifo((dir + "/.ortalba-00ff.tmp").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("luogo.txt.backup", (dir + "/.ortalba-0a.tmp").c_str()), 0);

    HeldSave save = holdSave(path, "MILANO\r\n", c.at, c.withoutProc);
    ASSERT_GT(save.pid, 0) << "the save got there";
    if (c.killed) {
      EXPECT_TRUE(WIFSIGNALED(save.end(true)));
    }
    const QStringList left = leftovers(temporary.path(), expected);
    EXPECT_EQ(left.size(), c.beside) << "its new file, beside the old one";
    EXPECT_EQ(contentOf(path), "TORINO\r\n") << "the old file is whole";
    EXPECT_TRUE(writeWholeFile(path, "ROMA\r\n", SpecialFiles::Refuse));
    EXPECT_EQ(contentOf(path), "ROMA\r\n");
    if (!c.killed) {
      EXPECT_EQ(leftovers(temporary.path(), expected), left) << "the other save's, still held";
      EXPECT_EQ(save.end(false), 0) << "the other save ends as it would have";
      EXPECT_EQ(contentOf(path), "MILANO\r\n");
    }
    EXPECT_EQ(leftovers(temporary.path(), expected), QStringList()) << "no temporary left";
    for (const QString& name : users.mid(0, 3)) EXPECT_EQ(contentOf(dir + "/" + name.toStdString()), "mine");
    EXPECT_TRUE(S_ISFIFO(statOf(dir + "/.ortalba-00ff.tmp").st_mode) &&
                S_ISLNK(statOf(dir + "/.ortalba-0a.tmp", false).st_mode)) << "a pipe and a link named like ours";
  }
}

// Back to the tests' folder at the end of a test.
struct InFolder {
  const int before = ::open(".", O_RDONLY | O_DIRECTORY);
  ~InFolder() {
    EXPECT_EQ(::fchdir(before), 0) << "back to the tests' folder";
    ::close(before);
  }
};

// A working folder named in Latin-1, not UTF-8, and nested deeper than a path may
// be long: named in its own bytes, and luogo.txt is saved and read there.
TEST(WorkingFolder, NamedInItsOwnBytesOrNotAtAll) {
  QTemporaryDir temporary;
  const std::string base = native(QDir(temporary.path()).canonicalPath());
  InFolder back;
  std::string deep = base + "/orto\xE8";
  ASSERT_EQ(::mkdir(deep.c_str(), 0755), 0);
  ASSERT_EQ(::chdir(deep.c_str()), 0);
  const std::string step(200, 'd');
  while (deep.size() <= 4200) {
    ASSERT_EQ(::mkdir(step.c_str(), 0755), 0);
    ASSERT_EQ(::chdir(step.c_str()), 0);
    deep += "/" + step;
  }
  {
    QtPlatform platform;
    EXPECT_EQ(platform.workingFolder(), deep);
    ASSERT_TRUE(platform.replaceFile(app::cityFilePath(platform), "MILANO\r\n"));
    EXPECT_EQ(app::rememberedPlace(platform).name, "MILANO");
    EXPECT_EQ(readRegularFile("luogo.txt", 64), std::optional<std::string>("MILANO\r\n"));
  }
  // Above the working folder, a name and its folder not in UTF-8 are written by their bytes all the same.
  const std::string latin = base + "/orto\xE8/semina\xE8.txt";
  ASSERT_TRUE(put(latin, "old"));
  EXPECT_TRUE(writeWholeFile(latin, "MILANO\r\n", SpecialFiles::Refuse));
  EXPECT_EQ(readRegularFile(latin, 64), std::optional<std::string>("MILANO\r\n"));
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(base + "/orto\xE8")) names.insert(entry.path().filename());
  EXPECT_EQ(names, (std::set<std::string>{step, "semina\xE8.txt"})) << "nothing left beside it";

  // Deleted while current: unknown, so that nothing is read or saved (tests/app), never at the root.
  ASSERT_EQ(::chdir(base.c_str()), 0);
  ASSERT_EQ(::mkdir("gone", 0755), 0);
  ASSERT_EQ(::chdir("gone"), 0);
  ASSERT_EQ(::rmdir((base + "/gone").c_str()), 0);
  EXPECT_EQ(QtPlatform().workingFolder(), "");
  // QTemporaryDir cannot remove a folder nested so deep; rm can.
  ASSERT_EQ(::chdir(base.c_str()), 0);
  EXPECT_EQ(std::system(("rm -rf '" + base + "/orto\xE8'").c_str()), 0);
}

}  // namespace

// The test program's own fdatasync and renameat, in place of the C library's: a
// save in a child process (holdSave) says when it gets to the moment it was asked
// to wait at, and waits there to be killed or let go on.
namespace {
void holdThere(Moment moment) {
  if (childSave.held < 0 || childSave.at != moment) return;
  char go = 0;
  if (::write(childSave.held, &go, 1) != 1 || ::read(childSave.go, &go, 1) != 1) ::_exit(3);
}
}  // namespace

extern "C" int fdatasync(int fd) {
  holdThere(Moment::Sync);
  return static_cast<int>(::syscall(SYS_fdatasync, fd));
}

extern "C" int renameat(int fromFolder, const char* from, int toFolder, const char* to) noexcept {
  if (std::string_view(from).starts_with(".ortalba-")) holdThere(Moment::Rename);
  return ::renameat2(fromFolder, from, toFolder, to, 0);
}
