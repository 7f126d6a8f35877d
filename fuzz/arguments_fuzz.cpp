// SPDX-License-Identifier: GPL-3.0-or-later
// Any command line: a request, the help, or one line of error.
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/platform/command_line/arguments.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QStringList arguments{QStringLiteral("ortalba")};
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  for (const QByteArray& part : bytes.split('\0')) {
    if (arguments.size() > 12) break;
    arguments << QString::fromUtf8(part);
  }
  const ortalba::ParsedArguments parsed = ortalba::parseArguments(arguments);
  if (parsed.request) {
    const auto& r = *parsed.request;
    if (r.year < 1 || r.year > 9999) std::abort();
    if (r.mode == ortalba::PrintRequest::Mode::Month && (r.month < 1 || r.month > 12)) std::abort();
  } else if (!parsed.help) {
    if (parsed.error.isEmpty() || parsed.error.contains(QLatin1Char('\n'))) std::abort();
  }
  return 0;
}
