// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the window logic needs from the outside world.
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "app/good_days.h"
#include "app/month_sheet.h"
#include "app/own_feast.h"
#include "calendar/calendar.h"

namespace app {

// What became of a write: done, or why not.
struct WriteOutcome {
  bool written = false;
  std::string reason;  // a few Italian words ("il disco è pieno"); empty when written
  explicit operator bool() const { return written; }
  static WriteOutcome done() { return {true, {}}; }
  static WriteOutcome failed(std::string why) { return {false, std::move(why)}; }
};

// What a gardener chooses once and the almanac remembers beside the city.
struct Preferences {
  bool alwaysOnTop = true;  // the window above all others, as the almanac has always kept it
  Reckoning reckoning;
  std::optional<ChosenJob> job;  // the job whose good days the rows show; none at first
  // The festa patronale kept for each place of the gardener's own, by its line in luogo.txt.
  std::map<std::string, FeastDay> ownFeasts;
  friend bool operator==(const Preferences&, const Preferences&) = default;
};

class Platform {
 public:
  virtual ~Platform() = default;
  // The folder that was current when the program started, in the file
  // system's own bytes; empty when it could not be known (deleted, unreachable).
  virtual std::string workingFolder() = 0;
  // Why there is no working folder, in a few Italian words, when workingFolder() is empty.
  virtual std::string whyNoWorkingFolder() { return "la cartella di lavoro non è nota"; }
  virtual char pathSeparator() const = 0;
  virtual calendar::Date today() = 0;
  // The raw bytes of the file's first line (without its line end), at most
  // `maxBytes` read; nothing when the file cannot be opened or read.
  virtual std::optional<std::string> readFirstLine(const std::string& path, std::size_t maxBytes) = 0;
  // Replace the file's whole content by `bytes`. When that fails the old file
  // is left as it was and the outcome says why.
  virtual WriteOutcome replaceFile(const std::string& path, const std::string& bytes) = 0;
  // The remembered preferences; the almanac's own when none are.
  virtual Preferences preferences() { return {}; }
  virtual WriteOutcome savePreferences(const Preferences&) { return WriteOutcome::failed("non c'è dove ricordarle"); }
};

}  // namespace app
