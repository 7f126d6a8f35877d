// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading without ever blocking, and writing without ever losing the old file.
// Paths are the file system's own bytes, as the C library takes them.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <QByteArray>

#include "app/platform_port.h"

class QFile;
class QIODevice;
struct stat;

namespace ortalba {

// `path` as the system calls take it: a path inside the current folder relative
// to it (so a folder nested deeper than a path may be long is still reached),
// any other as it is.
std::string reachablePath(const std::string& path);

// The first `maxBytes` of a regular file. Opened without blocking, so a pipe or
// a device in the file's place never hangs the almanac: anything but a regular
// file, and any error, gives nothing.
std::optional<std::string> readRegularFile(const std::string& path, std::size_t maxBytes);

// What a write may do with something that is not a regular file.
enum class SpecialFiles {
  Refuse,        // luogo.txt: only a regular file (or a link to one) is written
  WriteInPlace,  // a PDF: a pipe, a device or the program's own output is written as it is
};

// A file written whole. A regular file (or a new one, or the target of a link to
// one) is replaced only by commit(), keeping its permissions and, replaced by root,
// its owner; another user's file is left alone, except by root. The new file is
// written beside the old one, unnamed where the file system allows, and takes its
// name in one step: a save cut short at any step (the program killed, a power cut)
// leaves the old file whole, and the next save into that folder takes away what was
// left beside it. Where allowed, a pipe or a character device is opened without
// blocking (a pipe nobody reads fails at once) and written in place, and so is the
// program's own standard output or error under any name (/dev/stdout,
// /proc/self/fd/1), where the shell opened it.
class OutputFile {
 public:
  OutputFile(std::string path, SpecialFiles special);
  ~OutputFile();  // an uncommitted write is cancelled
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool open();
  // Where to write once open() succeeded.
  QIODevice* device() const;
  // Everything written reaches its place; false when anything failed, and then an
  // old file is untouched and nothing is left beside it.
  bool commit();
  void cancel();
  // Why the write failed, once open() or commit() returned false: a few Italian words.
  const std::string& failure() const { return failure_; }

 private:
  bool fail(std::string reason);
  bool openStream(int fd, bool owned);
  bool openTemporary(const struct stat* old);

  struct PipeSignal;

  std::string path_;
  SpecialFiles special_;
  std::unique_ptr<QFile> file_;
  std::unique_ptr<PipeSignal> pipeSignal_;  // while a pipe or a device is written
  int folder_ = -1;        // while a regular file is replaced: its folder,
  std::string name_;       // its name there,
  std::string temporary_;  // and the new file's name there until it takes that one (none while unnamed)
  std::string failure_;
};

// `bytes` as the whole content of `path`, written as OutputFile writes.
app::WriteOutcome writeWholeFile(const std::string& path, std::string_view bytes, SpecialFiles special);

// A few Italian words for a system error ("il disco è pieno").
std::string errorWords(int error);

// Output that reaches its end in full on standard output (0), or one line on
// standard error saying why not (1).
int printedToStdout(std::string_view bytes);
int printedToStdout(const QByteArray& bytes);

// The folder a file's path names: "." for a bare name, "/" for one at the root.
std::string folderOf(const std::string& path);

}  // namespace ortalba
