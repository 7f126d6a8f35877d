#pragma once
// Reading without ever blocking, and writing without ever losing the old file.
// Paths are the file system's own bytes (as the C library takes them), so a
// folder whose name is not valid UTF-8 is still reached.
#include <QIODevice>
#include <optional>
#include <string>
#include <string_view>

#include "app/platform_port.h"

namespace ortalba {

// `path` in a form the system calls take: a name longer than they allow that
// lies inside the current folder is given relative to it (a working folder may
// be nested deeper than 4,096 bytes of name); any other path as it is.
std::string reachablePath(const std::string& path);

// The first `maxBytes` of a regular file. Opened without blocking, so a pipe or
// a device in the file's place never hangs the almanac: anything but a regular
// file, and any error, gives nothing.
std::optional<std::string> readRegularFile(const std::string& path, std::size_t maxBytes);

// What a write may do with something that is not a regular file.
enum class SpecialFiles {
  Refuse,        // luogo.txt: only a regular file (or a link to one) is written
  WriteInPlace,  // a PDF: a pipe or a character device (/dev/stdout) is written as it is
};

// A file written whole. A regular file (or one that does not exist yet) is
// written beside itself under another name, synced to the disk and then moved
// over the old one, with the old one's owner and permissions; a link is
// followed and its target replaced in the target's own folder. Until commit()
// has succeeded the old file is as it was. A pipe or a character device, where
// allowed, is opened without blocking (a pipe nobody reads fails at once) and
// written in place. Every write is checked; the first failure is kept and
// makes commit() fail.
class SafeFile : public QIODevice {
 public:
  SafeFile(std::string path, SpecialFiles special);
  ~SafeFile() override;  // an uncommitted write is cancelled
  SafeFile(const SafeFile&) = delete;
  SafeFile& operator=(const SafeFile&) = delete;

  // Only QIODevice::WriteOnly is offered.
  bool open(OpenMode mode) override;
  bool isSequential() const override { return true; }
  // Everything written reaches its place; false when anything failed, and then
  // the old file is untouched and no temporary file is left.
  bool commit();
  // Drops what was written; the old file stays.
  void cancel();
  // Why the write failed, once open() or commit() returned false.
  const std::string& failure() const { return failure_; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override;

 private:
  bool fail(std::string reason);
  bool failWithErrno(int error);
  bool flushBuffer();
  bool writeOut(const char* data, std::size_t size);
  void closeFd();

  std::string path_;
  SpecialFiles special_;
  int fd_ = -1;
  bool inPlace_ = false;
  std::string target_;     // the file finally replaced (a link's target)
  std::string temporary_;  // the new content until it is moved over target_
  std::string buffer_;
  std::string failure_;
};

// `bytes` as the whole content of `path`, written as SafeFile writes.
app::WriteOutcome writeWholeFile(const std::string& path, std::string_view bytes, SpecialFiles special);

// A few Italian words for a system error ("il disco è pieno").
std::string errorWords(int error);

}  // namespace ortalba
