// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <map>
#include <string>

#include "app/platform_port.h"

// An in-memory outside world: a fixed clock, a working folder and a few files.
class FakePlatform : public app::Platform {
 public:
  calendar::Date todayDate{6, 12, 2026};
  std::string folder = "/orto";
  char separator = '/';
  std::map<std::string, std::string> files;
  bool failWrites = false;
  app::Preferences remembered;
  int preferencesSaved = 0;

  app::Preferences preferences() override { return remembered; }
  app::WriteOutcome savePreferences(const app::Preferences& chosen) override {
    if (failWrites) return app::WriteOutcome::failed("il disco è pieno");
    remembered = chosen;
    ++preferencesSaved;
    return app::WriteOutcome::done();
  }
  std::string workingFolder() override { return folder; }
  char pathSeparator() const override { return separator; }
  calendar::Date today() override { return todayDate; }
  std::optional<std::string> readFirstLine(const std::string& path, std::size_t maxBytes) override {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    std::string head = it->second.substr(0, maxBytes);
    head = head.substr(0, head.find('\n'));
    if (!head.empty() && head.back() == '\r') head.pop_back();
    return head;
  }
  app::WriteOutcome replaceFile(const std::string& path, const std::string& bytes) override {
    if (failWrites) return app::WriteOutcome::failed("il disco è pieno");
    files[path] = bytes;
    return app::WriteOutcome::done();
  }
};
