#pragma once
// Everything the window logic needs from the outside world.
#include <optional>
#include <string>

#include "calendar/calendar.h"

namespace app {

class Platform {
 public:
  virtual ~Platform() = default;
  virtual void keepOnTop() = 0;
  // The folder that was current when the program started.
  virtual std::string workingFolder() = 0;
  virtual char pathSeparator() const = 0;
  virtual calendar::Date today() = 0;
  // The raw bytes of the file's first line (without its line end), at most
  // `maxBytes` read; nothing when the file cannot be opened or read.
  virtual std::optional<std::string> readFirstLine(const std::string& path, std::size_t maxBytes) = 0;
  // Replace the file's whole content by `bytes`; false when that failed, in
  // which case the old file is left as it was.
  virtual bool replaceFile(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace app
