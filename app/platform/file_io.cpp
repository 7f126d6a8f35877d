// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/file_io.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <climits>
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

QIODevice* OutputFile::device() const {
  if (whole_) return whole_.get();
  return stream_.get();
}

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
  stream_ = std::make_unique<QFile>();
  stream_->open(fd, QIODevice::WriteOnly, owned ? QFile::AutoCloseHandle : QFile::DontCloseHandle);
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

  // Qt saves under the file's name and seven characters more, and names it in
  // UTF-8: a name with no room for those, or not in UTF-8, is saved under a short
  // name in its folder, reached through the folder's descriptor, and then moved.
  QString saved = QFile::decodeName(path.c_str());
  const auto slash = path.find_last_of('/');
  if (path.size() - (slash + 1) + 7 > NAME_MAX || QFile::encodeName(saved).toStdString() != path) {
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    folder_ = openRetrying(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0) return fail(errorWords(errno));
    name_ = path.substr(slash + 1);
    aside_ = ".ortalba-" + std::to_string(QRandomGenerator::global()->generate()) + ".tmp";
    saved = QStringLiteral("/proc/self/fd/%1/").arg(folder_) + QString::fromLatin1(aside_);
  }
  whole_ = std::make_unique<QSaveFile>(saved);
  // Qt 6.4 gives the new file the permissions this user has on the old one (a
  // read-only file of root's, replaced by root, would become writable) and drops
  // the set-id bits; and it leaves the new file to its writer, so a private file
  // replaced by root would lock its owner out. Both are set as they were.
  const int opened = whole_->open(QIODevice::WriteOnly) ? whole_->handle() : -1;
  if (opened < 0 || (exists && ((::geteuid() == 0 && ::fchown(opened, st.st_uid, st.st_gid) != 0) ||
                                ::fchmod(opened, st.st_mode & 07777) != 0))) {
    const int error = errno;
    cancel();
    return fail(errorWords(error));
  }
  return true;
}

bool OutputFile::commit() {
  QFileDevice* file = whole_ ? static_cast<QFileDevice*>(whole_.get()) : stream_.get();
  errno = 0;
  // Qt 6.4 writes the last of its buffer only inside QSaveFile::commit(), and moves
  // the file into place even when that write failed: it is written first.
  bool ok = file && file->flush() && file->error() == QFileDevice::NoError && (!whole_ || whole_->commit());
  // Qt keeps the kind of a failed write, not its cause: a full disk is told apart.
  if (!ok && file) fail(errorWords(file->error() == QFileDevice::ResourceError ? ENOSPC : errno));
  if (ok && !aside_.empty() && ::renameat(folder_, aside_.c_str(), folder_, name_.c_str()) != 0)
    ok = fail(errorWords(errno));
  if (ok) aside_.clear();
  cancel();
  return ok || fail("errore di scrittura");
}

void OutputFile::cancel() {
  if (whole_) whole_->cancelWriting();
  whole_.reset();
  stream_.reset();
  pipeSignal_.reset();
  if (!aside_.empty()) ::unlinkat(folder_, aside_.c_str(), 0);
  aside_.clear();
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

}  // namespace ortalba
