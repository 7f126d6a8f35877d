// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform operations of the window, on Qt: clock, working folder, files
// (paths in the file system's own bytes).
#include "app/platform_port.h"

namespace ortalba {

class QtPlatform : public app::Platform {
 public:
  // The working folder is the folder current when this object is made (at start-up).
  QtPlatform();
  // No working folder at all, for the reason given (a few Italian words).
  explicit QtPlatform(std::string whyNoFolder);
  std::string workingFolder() override { return workingFolder_; }
  std::string whyNoWorkingFolder() override { return whyNoFolder_; }
  char pathSeparator() const override;
  calendar::Date today() override;
  std::optional<std::string> readFirstLine(const std::string& path, std::size_t maxBytes) override;
  app::WriteOutcome replaceFile(const std::string& path, const std::string& bytes) override;
  // Kept in ortalba.conf of the user's configuration folder, whatever folder the
  // window runs in.
  app::Preferences preferences() override;
  app::WriteOutcome savePreferences(const app::Preferences& preferences) override;


 private:
  std::string workingFolder_;
  std::string whyNoFolder_ = "la cartella di lavoro non è nota";
};

}  // namespace ortalba
