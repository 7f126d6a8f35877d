// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the notes reader: any bytes must parse without a fault,
// and the model that comes out must hold only what the viewer can take.
#include "rtf/rtf_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

bool isValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (std::size_t k = 1; k < len; ++k) {
      const auto d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    if (cp < 0x20 && cp != '\t') return false;  // control characters never reach the viewer
    i += len;
  }
  return true;
}

void checkResult(const rtf::ReadResult& r, const rtf::Limits& limits, std::string_view input) {
  const bool rtfStart = input.find("{\\rtf") != std::string_view::npos;
  if (r.status == rtf::ReadStatus::NotRtf) {
    check(r.document.paragraphs.empty() && r.document.fonts.empty());
    return;
  }
  check(rtfStart);
  std::size_t pieces = r.document.paragraphs.size();
  std::size_t bytes = 0;
  for (const rtf::Paragraph& p : r.document.paragraphs) {
    pieces += p.runs.size();
    for (const rtf::Run& run : p.runs) {
      check(!run.text.empty());
      check(isValidUtf8(run.text));
      check(run.format.halfPoints >= 2 && run.format.halfPoints <= 3276);
      bytes += run.text.size();
    }
  }
  check(bytes <= limits.maxTextBytes);
  check(pieces <= limits.maxPieces + 1);
  if (r.readable()) check(bytes > 0);
  for (const rtf::Font& f : r.document.fonts) check(isValidUtf8(f.name));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const rtf::Limits defaults;
  checkResult(rtf::parseRtf(input, defaults), defaults, input);
  // Tight limits drive the cut-off paths that real files never reach.
  rtf::Limits tight;
  tight.maxTextBytes = 64;
  tight.maxPieces = 8;
  tight.maxDepth = 4;
  checkResult(rtf::parseRtf(input, tight), tight, input);
  return 0;
}
