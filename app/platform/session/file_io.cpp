// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/session/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace ortalba {

namespace {

int openRetrying(const char* path, int flags) {
  int fd;
  do fd = ::open(path, flags);
  while (fd < 0 && errno == EINTR);
  return fd;
}

// Our temporaries: ".ortalba-", hexadecimal digits, ".tmp"; no one else names a file so.
inline constexpr std::string_view TemporaryPrefix = ".ortalba-";
inline constexpr std::string_view TemporarySuffix = ".tmp";

std::string temporaryName() {
  return std::string(TemporaryPrefix) + QByteArray::number(QRandomGenerator::system()->generate64(), 16).toStdString() +
         std::string(TemporarySuffix);
}

bool isTemporaryName(std::string_view name) {
  const std::size_t digits = name.size() - TemporaryPrefix.size() - TemporarySuffix.size();
  return name.size() > TemporaryPrefix.size() + TemporarySuffix.size() && name.starts_with(TemporaryPrefix) &&
         name.ends_with(TemporarySuffix) &&
         name.substr(TemporaryPrefix.size(), digits).find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// A save holds its temporary locked from before the temporary has a name until it
// has taken the file's: one of ours that no one holds is what a save killed (or cut
// off by a power cut) between its steps left, and goes. Anything else stays: another
// save's, a user's file, a pipe or a link named like ours.
void removeAbandonedTemporaries(int folder) {
  DIR* entries = ::fdopendir(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (entries == nullptr) return;
  while (const dirent* entry = ::readdir(entries)) {
    struct stat named {};
    struct stat opened {};
    if (!isTemporaryName(entry->d_name) || ::fstatat(folder, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(named.st_mode))
      continue;
    const int fd = ::openat(folder, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0 && ::fstat(fd, &opened) == 0 && opened.st_ino == named.st_ino && ::flock(fd, LOCK_SH | LOCK_NB) == 0)
      ::unlinkat(folder, entry->d_name, 0);
    if (fd >= 0) ::close(fd);
  }
  ::closedir(entries);
}

}  // namespace

// A write to a pipe whose reader has gone must fail with EPIPE, not end the
// program: SIGPIPE is held for this thread while the pipe is written, and one
// raised meanwhile is taken away before it is let through again (unless the
// thread held it already).
struct OutputFile::PipeSignal {
  sigset_t pipe{}, old{};
  PipeSignal() {
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, &old);
  }
  ~PipeSignal() {
    const timespec none{0, 0};
    while (!sigismember(&old, SIGPIPE) && sigtimedwait(&pipe, nullptr, &none) == SIGPIPE) {
    }
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
  }
};

std::string errorWords(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return "il disco è pieno";
    case EACCES:
    case EPERM:
      return "permesso negato";
    case ENOENT:
    case ENOTDIR:
      return "la cartella non esiste";
  }
  static constexpr std::pair<int, const char*> Words[] = {
      {EROFS, "il disco è in sola lettura"},   {ENAMETOOLONG, "il nome è troppo lungo"},
      {EISDIR, "è una cartella"},              {ENXIO, "nessun programma legge da quella pipe"},
      {EPIPE, "chi leggeva ha chiuso la pipe"}, {EBADF, "l'uscita è chiusa"},
      {ELOOP, "troppi collegamenti simbolici"}, {EIO, "errore del disco"}};
  for (const auto& [number, words] : Words)
    if (number == error) return words;
  return "errore di scrittura";
}

std::string reachablePath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  char* current = ::getcwd(nullptr, 0);
  if (current == nullptr) return path;
  const std::string folder = std::string(current) + (current[1] == '\0' ? "" : "/");
  std::free(current);
  return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 ? path.substr(folder.size())
                                                                                    : path;
}

std::optional<std::string> readRegularFile(const std::string& path, std::size_t maxBytes) {
  if (path.empty()) return std::nullopt;
  // Opened without blocking and looked at before anything is read: only a regular file is.
  const int fd = openRetrying(reachablePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  QFile file;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !file.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string bytes;
  while (bytes.size() < maxBytes) {
    const QByteArray chunk = file.read(static_cast<qint64>(std::min<std::size_t>(maxBytes - bytes.size(), 1 << 16)));
    if (chunk.isEmpty()) break;
    bytes.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
  }
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes;
}

OutputFile::OutputFile(std::string path, SpecialFiles special) : path_(std::move(path)), special_(special) {}

OutputFile::~OutputFile() { cancel(); }

bool OutputFile::fail(std::string reason) {
  if (failure_.empty()) failure_ = std::move(reason);
  return false;
}

QIODevice* OutputFile::device() const { return file_.get(); }

// `fd` is the program's own output (not `owned`), or a pipe or a device just
// opened without blocking, which must still be one.
bool OutputFile::openStream(int fd, bool owned) {
  if (fd < 0) return fail(errorWords(errno));
  struct stat st {};
  const int flags = ::fcntl(fd, F_GETFL);
  // The reader is there: from now on a full pipe waits for it, as any writer would.
  if (owned && (::fstat(fd, &st) != 0 || !(S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) || flags < 0 ||
                ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)) {
    ::close(fd);
    return fail("il file è cambiato mentre lo si apriva");
  }
  pipeSignal_ = std::make_unique<PipeSignal>();
  file_ = std::make_unique<QFile>();
  file_->open(fd, QIODevice::WriteOnly, owned ? QFile::AutoCloseHandle : QFile::DontCloseHandle);
  return true;
}

bool OutputFile::open() {
  if (device()) return fail("errore di scrittura");
  if (path_.empty()) return fail("il nome del file è vuoto");
  std::string path = reachablePath(path_);
  struct stat link {};
  struct stat st {};
  const bool exists = ::lstat(path.c_str(), &link) == 0;
  if (!exists && errno != ENOENT) return fail(errorWords(errno));
  // A link to nothing: where it points is not ours to create.
  if (exists && ::stat(path.c_str(), &st) != 0)
    return fail(errno == ELOOP ? errorWords(ELOOP) : "il collegamento non porta a un file");

  if (exists && special_ == SpecialFiles::WriteInPlace) {
    // The program's own output, under whatever name: written where the shell put it.
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
      struct stat open {};
      if (::fstat(fd, &open) == 0 && open.st_dev == st.st_dev && open.st_ino == st.st_ino)
        return openStream(fd, false);
    }
    if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode))
      return openStream(openRetrying(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC), true);
  }
  if (exists && S_ISDIR(st.st_mode)) return fail(errorWords(EISDIR));
  if (exists && !S_ISREG(st.st_mode)) return fail("non è un file ordinario");
  if (exists) {
    // A file its owner made read-only is left alone, as an editor would; so is
    // another user's, which a replacement would take from them.
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return fail(errorWords(errno));
    if (::geteuid() != 0 && st.st_uid != ::geteuid()) return fail("il file è di un altro utente");
    if (S_ISLNK(link.st_mode)) {
      char* target = ::realpath(path.c_str(), nullptr);
      if (target == nullptr) return fail("il collegamento non porta a un file");
      path = reachablePath(target);
      std::free(target);
    }
  }

  const auto slash = path.find_last_of('/');
  folder_ = openRetrying(folderOf(path).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (folder_ < 0) return fail(errorWords(errno));
  name_ = path.substr(slash + 1);
  removeAbandonedTemporaries(folder_);
  return openTemporary(exists ? &st : nullptr);
}

// The new file, in the old one's folder, reached by its descriptor (so named by its
// own bytes, whatever their length or encoding). Unnamed where the file system
// allows and /proc can name it later, so that nothing is left of it if the almanac
// dies while writing; else named from the start.
bool OutputFile::openTemporary(const struct stat* old) {
  const mode_t mode = old ? 0600 : 0666;
  int fd = ::access("/proc/self/fd", X_OK) == 0 ? ::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode) : -1;
  if (fd < 0) {
    const std::string name = temporaryName();
    fd = ::openat(folder_, name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0) temporary_ = name;
  }
  if (fd < 0) return fail(errorWords(errno));
  file_ = std::make_unique<QFile>();
  file_->open(fd, QIODevice::WriteOnly, QFile::AutoCloseHandle);
  // Locked before it has a name, or else, named first, still under that name once
  // locked: it was not taken for an abandoned one meanwhile.
  struct stat opened {};
  struct stat named {};
  bool ours = ::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &opened) == 0;
  if (ours && !temporary_.empty())
    ours = ::fstatat(folder_, temporary_.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_ino == opened.st_ino;
  if (!ours) temporary_.clear();
  // The file keeps its permissions, also those of a file its owner made read-only,
  // and, replaced by root, its owner: a private file that changed hands would lock
  // its owner out.
  if (!ours || (old && ((::geteuid() == 0 && ::fchown(fd, old->st_uid, old->st_gid) != 0) ||
                        ::fchmod(fd, old->st_mode & 07777) != 0))) {
    const int error = errno;
    cancel();
    return fail(errorWords(error));
  }
  return true;
}

bool OutputFile::commit() {
  errno = 0;
  bool ok = file_ && file_->flush() && file_->error() == QFileDevice::NoError;
  // Qt keeps the kind of a failed write, not its cause: a full disk is told apart.
  if (!ok && file_) fail(errorWords(file_->error() == QFileDevice::ResourceError ? ENOSPC : errno));
  if (ok && folder_ >= 0) {
    // On the disk before it takes the file's name, so that after a power cut the
    // name holds the old file or the new one, whole; an unnamed one gets a name first.
    const int fd = file_->handle();
    const std::string named = temporary_.empty() ? temporaryName() : temporary_;
    ok = ::fdatasync(fd) == 0 &&
         (!temporary_.empty() || ::linkat(AT_FDCWD, ("/proc/self/fd/" + std::to_string(fd)).c_str(), folder_,
                                          named.c_str(), AT_SYMLINK_FOLLOW) == 0);
    if (ok) temporary_ = named;
    ok = ok && ::renameat(folder_, named.c_str(), folder_, name_.c_str()) == 0;
    if (ok) temporary_.clear();
    if (!ok) fail(errorWords(errno));
  }
  cancel();
  return ok || fail("errore di scrittura");
}

void OutputFile::cancel() {
  if (!temporary_.empty()) ::unlinkat(folder_, temporary_.c_str(), 0);
  temporary_.clear();
  file_.reset();  // which lets its lock go
  pipeSignal_.reset();
  if (folder_ >= 0) ::close(folder_);
  folder_ = -1;
}

app::WriteOutcome writeWholeFile(const std::string& path, std::string_view bytes, SpecialFiles special) {
  OutputFile file(path, special);
  if (file.open() &&
      file.device()->write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
      file.commit())
    return app::WriteOutcome::done();
  return app::WriteOutcome::failed(file.failure().empty() ? errorWords(errno) : file.failure());
}

int printedToStdout(std::string_view bytes) {
  errno = 0;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
  int error = errno;
  const bool flushed = std::fflush(stdout) == 0;
  if (error == 0) error = errno;
  if (written && flushed && !std::ferror(stdout)) return 0;
  std::fprintf(stderr, "ortalba: impossibile scrivere l'uscita: %s\n", errorWords(error).c_str());
  return 1;
}

int printedToStdout(const QByteArray& bytes) {
  return printedToStdout(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::string folderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace ortalba
