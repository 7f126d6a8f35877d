// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A quiet outside world for the benchmarks: fixed clock, MILANO remembered, writes accepted.
#include <string>

#include "app/platform_port.h"

class BenchPlatform : public app::Platform {
 public:
  explicit BenchPlatform(std::string folder = "/orto") : folder_(std::move(folder)) {}
  std::string workingFolder() override { return folder_; }
  char pathSeparator() const override { return '/'; }
  calendar::Date today() override { return {6, 12, 2026}; }
  std::optional<std::string> readFirstLine(const std::string&, std::size_t) override { return "MILANO"; }
  app::WriteOutcome replaceFile(const std::string&, const std::string&) override { return app::WriteOutcome::done(); }

 private:
  std::string folder_;
};
