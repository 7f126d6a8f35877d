// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/file_io.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace ortalba {

namespace {

// QSaveFile's temporary name is the file's own name and seven characters more.
constexpr std::size_t kTemporarySuffix = 7;

int openRetrying(const char* path, int flags) {
  int fd;
  do fd = ::open(path, flags);
  while (fd < 0 && errno == EINTR);
  return fd;
}

std::string nameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : slash == 0 ? "/" : path.substr(0, slash);
}

// Whether `st` is the file behind descriptor `fd`.
bool isDescriptor(int fd, const struct stat& st) {
  struct stat open {};
  return ::fstat(fd, &open) == 0 && open.st_dev == st.st_dev && open.st_ino == st.st_ino;
}

}  // namespace

// A write to a pipe whose reader has gone must fail with EPIPE, not end the
// program: SIGPIPE is held for this thread while the pipe is written, and a
// pending one is taken away before it is let through again.
struct OutputFile::PipeSignal {
  PipeSignal() {
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    wasPending = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipe, &old);
  }
  ~PipeSignal() {
    if (!wasPending) {
      const timespec none{0, 0};
      while (sigtimedwait(&pipe, nullptr, &none) == SIGPIPE) {
      }
    }
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
  }
  PipeSignal(const PipeSignal&) = delete;
  PipeSignal& operator=(const PipeSignal&) = delete;

  sigset_t pipe{};
  sigset_t old{};
  bool wasPending = false;
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
    case EROFS:
      return "il disco è in sola lettura";
    case ENOENT:
    case ENOTDIR:
      return "la cartella non esiste";
    case ENAMETOOLONG:
      return "il nome è troppo lungo";
    case EISDIR:
      return "è una cartella";
    case ENXIO:
      return "nessun programma legge da quella pipe";
    case EPIPE:
      return "chi leggeva ha chiuso la pipe";
    case EBADF:
      return "l'uscita è chiusa";
    case ELOOP:
      return "troppi collegamenti simbolici";
    case EIO:
      return "errore del disco";
    default:
      return "errore di scrittura";
  }
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

template <class File>
qint64 OutputFile::Checked<File>::writeData(const char* data, qint64 size) {
  errno = 0;
  const qint64 written = File::writeData(data, size);
  if (written != size && error_ == 0) error_ = errno != 0 ? errno : EIO;
  return written;
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

bool OutputFile::openStream(int fd, bool owned) {
  pipeSignal_ = std::make_unique<PipeSignal>();
  stream_ = std::make_unique<Checked<QFile>>();
  if (stream_->open(fd, QIODevice::WriteOnly, owned ? QFile::AutoCloseHandle : QFile::DontCloseHandle)) return true;
  const int error = errno;
  if (owned) ::close(fd);
  stream_.reset();
  return fail(errorWords(error));
}

bool OutputFile::open() {
  if (device()) return fail("errore di scrittura");
  if (path_.empty()) return fail("il nome del file è vuoto");
  const std::string path = reachablePath(path_);

  struct stat link {};
  struct stat st {};
  bool exists = true;
  if (::lstat(path.c_str(), &link) != 0) {
    if (errno != ENOENT) return fail(errorWords(errno));
    exists = false;
  } else if (::stat(path.c_str(), &st) != 0) {
    // A link to nothing: where it points is not ours to create.
    return fail(errno == ELOOP ? errorWords(ELOOP) : "il collegamento non porta a un file");
  }

  if (exists && special_ == SpecialFiles::WriteInPlace) {
    // The program's own output, under whatever name: written where the shell put it.
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO})
      if (isDescriptor(fd, st)) return openStream(fd, false);
    if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) {
      const int fd = openRetrying(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
      if (fd < 0) return fail(errorWords(errno));
      struct stat opened {};
      // The reader is there: from now on a full pipe waits for it, as any writer would.
      const int flags = ::fcntl(fd, F_GETFL);
      if (::fstat(fd, &opened) != 0 || !(S_ISFIFO(opened.st_mode) || S_ISCHR(opened.st_mode)) || flags < 0 ||
          ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return fail("il file è cambiato mentre lo si apriva");
      }
      return openStream(fd, true);
    }
  }
  if (exists && S_ISDIR(st.st_mode)) return fail(errorWords(EISDIR));
  if (exists && !S_ISREG(st.st_mode)) return fail("non è un file ordinario");

  std::string target = path;
  if (exists && S_ISLNK(link.st_mode)) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return fail("il collegamento non porta a un file");
    target = reachablePath(resolved);
    std::free(resolved);
  }
  if (exists) {
    // A file its owner made read-only is left alone, as an editor would; so is
    // another user's, which a replacement would take from them.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return fail(errorWords(errno));
    if (::geteuid() != 0 && st.st_uid != ::geteuid()) return fail("il file è di un altro utente");
  }

  // QSaveFile names the file's folder by its descriptor: Qt can name a folder only
  // in UTF-8 and within PATH_MAX, the system any folder it can open.
  folder_ = openRetrying(folderOf(target).empty() ? "." : folderOf(target).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (folder_ < 0) return fail(errorWords(errno));
  const QString folder = QStringLiteral("/proc/self/fd/%1/").arg(folder_);
  // It writes beside the file under the file's name and a few characters more; a
  // name that leaves no room for them, or is not UTF-8, is saved under a short
  // name first and then moved over the file.
  name_ = nameOf(target);
  QString saved = folder + QString::fromUtf8(name_);
  if (name_.size() + kTemporarySuffix > NAME_MAX || saved.toUtf8().toStdString() != folder.toStdString() + name_) {
    aside_ = ".ortalba-" + std::to_string(QRandomGenerator::global()->generate()) + ".tmp";
    saved = folder + QString::fromLatin1(aside_);
  }
  whole_ = std::make_unique<Checked<QSaveFile>>(saved);
  // A failure from here on takes away what was begun, and says what the system said.
  const auto abandon = [this] {
    const int error = errno;
    cancel();
    return fail(errorWords(error));
  };
  if (!whole_->open(QIODevice::WriteOnly)) return abandon();
  // The file keeps its permissions, also those of a file its owner made read-only,
  // and, written by root, its owner: a private file that changed hands would lock
  // its owner out.
  if (exists && ::geteuid() == 0 && ::fchown(whole_->handle(), st.st_uid, st.st_gid) != 0) return abandon();
  if (exists && ::fchmod(whole_->handle(), st.st_mode & 07777) != 0) return abandon();
  return true;
}

bool OutputFile::commit() {
  bool ok = false;
  if (stream_) {
    errno = 0;
    ok = stream_->flush() && stream_->error() == QFileDevice::NoError;
    if (!ok) fail(errorWords(stream_->firstError() != 0 ? stream_->firstError() : errno));
    stream_->close();
    stream_.reset();
    pipeSignal_.reset();
  } else if (whole_) {
    // The last of the buffer is written first: a commit would move the file into
    // place even when that write failed.
    errno = 0;
    ok = whole_->flush() && whole_->commit();
    if (!ok) fail(errorWords(whole_->firstError() != 0 ? whole_->firstError() : errno));
    whole_.reset();
    if (ok && !aside_.empty() && ::renameat(folder_, aside_.c_str(), folder_, name_.c_str()) != 0) {
      ok = fail(errorWords(errno));
    } else if (ok) {
      aside_.clear();
    }
  } else {
    fail("errore di scrittura");
  }
  if (!ok) cancel();
  closeFolder();
  return ok;
}

void OutputFile::cancel() {
  if (whole_) whole_->cancelWriting();
  whole_.reset();
  stream_.reset();
  pipeSignal_.reset();
  if (!aside_.empty()) ::unlinkat(folder_, aside_.c_str(), 0);
  aside_.clear();
  closeFolder();
}

void OutputFile::closeFolder() {
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
