#include "app/platform/file_io.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

namespace ortalba {

namespace {

// Collected before a write: a SafeFile keeps at most this much in memory.
constexpr std::size_t kBufferBytes = 64 * 1024;

int openRetrying(const char* path, int flags, mode_t mode = 0) {
  int fd;
  do fd = ::open(path, flags, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

std::string folderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The canonical path of an existing file, which must be the very file `expected`
// describes (a name ending in " (deleted)" from /proc is not).
std::optional<std::string> resolvedPath(const std::string& path, const struct stat& expected) {
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return std::nullopt;
  std::string out(resolved);
  std::free(resolved);
  struct stat st {};
  if (::stat(out.c_str(), &st) != 0 || st.st_dev != expected.st_dev || st.st_ino != expected.st_ino)
    return std::nullopt;
  return out;
}

// A write to a pipe whose reader has gone must fail with EPIPE, not end the
// program: SIGPIPE is held for this thread during the write and a pending one
// is taken away before it is let through again.
class PipeSignalHeld {
 public:
  PipeSignalHeld() {
    sigemptyset(&pipe_);
    sigaddset(&pipe_, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    wasPending_ = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipe_, &old_);
  }
  ~PipeSignalHeld() {
    if (!wasPending_) {
      const timespec none{0, 0};
      while (sigtimedwait(&pipe_, nullptr, &none) == SIGPIPE) {
      }
    }
    pthread_sigmask(SIG_SETMASK, &old_, nullptr);
  }
  PipeSignalHeld(const PipeSignalHeld&) = delete;
  PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

 private:
  sigset_t pipe_{};
  sigset_t old_{};
  bool wasPending_ = false;
};

}  // namespace

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
  if (path.size() < PATH_MAX || path[0] != '/') return path;
  char* current = ::getcwd(nullptr, 0);
  if (current == nullptr) return path;
  const std::string folder = std::string(current) + "/";
  std::free(current);
  return path.compare(0, folder.size(), folder) == 0 ? path.substr(folder.size()) : path;
}

std::optional<std::string> readRegularFile(const std::string& wholePath, std::size_t maxBytes) {
  if (wholePath.empty()) return std::nullopt;
  const std::string path = reachablePath(wholePath);
  const int fd = openRetrying(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> out;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    std::string bytes;
    const auto size = static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0);
    bytes.resize(std::min(maxBytes, size > 0 ? size : std::size_t{4096}));
    std::size_t got = 0;
    bool failed = false;
    while (got < maxBytes) {
      if (got == bytes.size()) bytes.resize(std::min(maxBytes, bytes.size() * 2));
      const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) failed = true;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    if (!failed) {
      bytes.resize(got);
      out = std::move(bytes);
    }
  }
  ::close(fd);
  return out;
}

SafeFile::SafeFile(std::string path, SpecialFiles special) : path_(reachablePath(path)), special_(special) {}

SafeFile::~SafeFile() { cancel(); }

bool SafeFile::fail(std::string reason) {
  if (failure_.empty()) failure_ = std::move(reason);
  return false;
}

bool SafeFile::failWithErrno(int error) { return fail(errorWords(error)); }

void SafeFile::closeFd() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool SafeFile::open(OpenMode mode) {
  if (fd_ >= 0 || !(mode & WriteOnly) || (mode & (ReadOnly | Append))) return fail("errore di scrittura");
  if (path_.empty()) return fail("il nome del file è vuoto");

  struct stat link {};
  struct stat st {};
  bool exists = true;
  if (::lstat(path_.c_str(), &link) != 0) {
    if (errno != ENOENT) return failWithErrno(errno);
    exists = false;
  } else if (::stat(path_.c_str(), &st) != 0) {
    // A link to nothing: where it points is not ours to create.
    return fail(errno == ELOOP ? errorWords(ELOOP) : "il collegamento non porta a un file");
  }

  if (exists && (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode))) {
    if (special_ != SpecialFiles::WriteInPlace) return fail("non è un file ordinario");
    fd_ = openRetrying(path_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) return failWithErrno(errno);
    struct stat opened {};
    if (::fstat(fd_, &opened) != 0 || !(S_ISFIFO(opened.st_mode) || S_ISCHR(opened.st_mode))) {
      closeFd();
      return fail("il file è cambiato mentre lo si apriva");
    }
    // The reader is there: from now on a full pipe waits for it, as any writer would.
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) {
      const int error = errno;
      closeFd();
      return failWithErrno(error);
    }
    inPlace_ = true;
    return QIODevice::open(WriteOnly | Unbuffered);
  }
  if (exists && S_ISDIR(st.st_mode)) return failWithErrno(EISDIR);
  if (exists && !S_ISREG(st.st_mode)) return fail("non è un file ordinario");

  if (exists && S_ISLNK(link.st_mode)) {
    const auto resolved = resolvedPath(path_, st);
    if (!resolved) return fail("il collegamento non porta a un file");
    target_ = *resolved;
  } else {
    target_ = path_;
  }
  // A file its owner made read-only is left alone, as an editor would.
  if (exists && ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) return failWithErrno(errno);

  // The new content goes beside the file it replaces, so that moving it into
  // place is a rename within one folder.
  const std::string folder = folderOf(target_);
  std::random_device seed;
  std::mt19937 random(seed());
  int error = EEXIST;
  for (int attempt = 0; attempt < 100 && fd_ < 0 && error == EEXIST; ++attempt) {
    temporary_ = folder + "/." + nameOf(target_) + "." + std::to_string(random() % 1000000) + ".tmp";
    fd_ = openRetrying(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC,
                       exists ? 0600 : 0666);
    error = errno;
  }
  if (fd_ < 0) {
    temporary_.clear();
    return failWithErrno(error);
  }

  if (exists) {
    // The file stays its owner's: a copy that changed hands would lock its
    // owner out of a private (mode 600) file, so a write that cannot keep the
    // owner is not made. The group is kept where the writer may.
    struct stat fresh {};
    if (::fstat(fd_, &fresh) != 0) {
      const int statError = errno;
      cancel();
      return failWithErrno(statError);
    }
    mode_t modeBits = st.st_mode & 07777;
    if (fresh.st_uid != st.st_uid || fresh.st_gid != st.st_gid) {
      if (::fchown(fd_, st.st_uid, st.st_gid) != 0) {
        if (fresh.st_uid != st.st_uid) {
          cancel();
          return fail("il file è di un altro utente");
        }
        modeBits &= ~static_cast<mode_t>(S_ISGID);
      }
    }
    if (::fchmod(fd_, modeBits) != 0) {
      const int chmodError = errno;
      cancel();
      return failWithErrno(chmodError);
    }
  }
  return QIODevice::open(WriteOnly | Unbuffered);
}

bool SafeFile::writeOut(const char* data, std::size_t size) {
  std::optional<PipeSignalHeld> held;
  if (inPlace_) held.emplace();
  while (size > 0) {
    const ssize_t n = ::write(fd_, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return failWithErrno(errno);
    if (n == 0) return failWithErrno(EIO);
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool SafeFile::flushBuffer() {
  if (buffer_.empty()) return true;
  const bool ok = writeOut(buffer_.data(), buffer_.size());
  buffer_.clear();
  return ok;
}

qint64 SafeFile::writeData(const char* data, qint64 size) {
  if (fd_ < 0 || !failure_.empty() || size < 0) return -1;
  const auto n = static_cast<std::size_t>(size);
  if (buffer_.size() + n > kBufferBytes && !flushBuffer()) return -1;
  if (n >= kBufferBytes) {
    if (!writeOut(data, n)) return -1;
  } else {
    buffer_.append(data, n);
  }
  return size;
}

bool SafeFile::commit() {
  if (fd_ < 0) return fail("errore di scrittura");
  bool ok = failure_.empty() && flushBuffer();
  if (ok && !inPlace_ && ::fsync(fd_) != 0) ok = failWithErrno(errno);
  if (ok) {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) ok = failWithErrno(errno);
  }
  if (ok && !inPlace_) {
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
      ok = failWithErrno(errno);
    } else {
      temporary_.clear();
      // The rename itself on the disk; the content already is, so a folder that
      // cannot be synced costs nothing that a crash would not.
      const int folder = openRetrying(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
      }
    }
  }
  if (!ok) cancel();
  QIODevice::close();
  return ok;
}

void SafeFile::cancel() {
  closeFd();
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
  buffer_.clear();
  if (isOpen()) QIODevice::close();
}

app::WriteOutcome writeWholeFile(const std::string& path, std::string_view bytes, SpecialFiles special) {
  SafeFile file(path, special);
  if (file.open(QIODevice::WriteOnly) &&
      file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
      file.commit())
    return app::WriteOutcome::done();
  return app::WriteOutcome::failed(file.failure().empty() ? errorWords(0) : file.failure());
}

}  // namespace ortalba
