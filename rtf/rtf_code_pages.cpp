// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtf_code_pages.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <map>
#include <optional>
#include <string>

#include "encoding/text_encoding.h"

namespace rtf {
namespace {

using UpperHalf = std::array<char32_t, 128>;

// The C library's name of a Windows code page number.
std::string iconvName(int codePage) {
  if (codePage >= 28591 && codePage <= 28599) return "ISO-8859-" + std::to_string(codePage - 28590);
  if (codePage == 10000) return "MACINTOSH";
  return "CP" + std::to_string(codePage);
}

// Bytes 0x80..0xFF of a single-byte code page, as the C library's iconv reads
// them one by one; bytes the page leaves undefined read as U+FFFD, so that junk
// stays visible as junk. Nothing for a page the library does not know or that
// is not single-byte (a byte that starts a longer sequence).
std::optional<UpperHalf> readUpperHalf(int codePage) {
  if (codePage <= 0) return std::nullopt;
  const iconv_t convert = ::iconv_open("UTF-32LE", iconvName(codePage).c_str());
  if (convert == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  UpperHalf half{};
  bool singleByte = true;
  for (int b = 0x80; b <= 0xFF && singleByte; ++b) {
    char in = static_cast<char>(b);
    unsigned char out[8] = {};
    char* inPtr = &in;
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    ::iconv(convert, nullptr, nullptr, nullptr, nullptr);
    const std::size_t done = ::iconv(convert, &inPtr, &inLeft, &outPtr, &outLeft);
    if (done == static_cast<std::size_t>(-1) && errno == EINVAL) singleByte = false;
    const bool one = done != static_cast<std::size_t>(-1) && sizeof out - outLeft == 4;
    half[static_cast<std::size_t>(b - 0x80)] =
        one ? char32_t(out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24) : char32_t{0xFFFD};
  }
  ::iconv_close(convert);
  if (!singleByte) return std::nullopt;
  return half;
}

// Each page is read from the library once, when a document first names it.
const UpperHalf* upperHalf(int codePage) {
  static std::map<int, std::optional<UpperHalf>> pages;
  auto it = pages.find(codePage);
  if (it == pages.end()) it = pages.emplace(codePage, codePage == 1252 ? std::nullopt : readUpperHalf(codePage)).first;
  return it->second ? &*it->second : nullptr;
}

}  // namespace

bool isSupportedCodePage(int codePage) { return codePage == 1252 || upperHalf(codePage) != nullptr; }

char32_t decodeByte(int codePage, unsigned char byte) {
  if (byte < 0x80) return byte;
  const UpperHalf* table = codePage == 1252 ? nullptr : upperHalf(codePage);
  return table ? (*table)[byte - 0x80] : encoding::fromWindows1252(byte);
}

int codePageOfCharset(int charset) {
  switch (charset) {
    case 77: return 10000;   // Mac
    case 161: return 1253;   // Greek
    case 162: return 1254;   // Turkish
    case 186: return 1257;   // Baltic
    case 204: return 1251;   // Russian
    case 238: return 1250;   // Eastern European
    default: return 0;       // ANSI, default, symbol and the rest: the document's own
  }
}

}  // namespace rtf
