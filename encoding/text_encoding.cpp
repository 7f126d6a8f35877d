// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/text_encoding.h"

#include <array>

namespace encoding {

namespace {
// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr std::array<char32_t, 32> Windows1252High{
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
}  // namespace

char32_t fromWindows1252(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? Windows1252High[byte - 0x80] : byte;
}

std::optional<unsigned char> toWindows1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  if (c == 0xFFFD) return std::nullopt;
  for (std::size_t k = 0; k < Windows1252High.size(); ++k)
    if (Windows1252High[k] == c) return static_cast<unsigned char>(0x80 + k);
  return std::nullopt;
}

void appendUtf8(std::string& out, char32_t c) {
  if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::optional<char32_t> nextUtf8(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  int extra = 0;
  char32_t c = 0;
  if (b0 < 0x80) {
    ++i;
    return b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    extra = 1;
    c = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2;
    c = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3;
    c = b0 & 0x07;
  } else {
    return std::nullopt;
  }
  if (i + static_cast<std::size_t>(extra) >= s.size()) return std::nullopt;
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (b & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
  static constexpr char32_t minimum[4] = {0, 0x80, 0x800, 0x10000};
  if (c < minimum[extra] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return std::nullopt;
  i += static_cast<std::size_t>(extra) + 1;
  return c;
}

bool isValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size())
    if (!nextUtf8(bytes, i)) return false;
  return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char ch : bytes) appendUtf8(out, fromWindows1252(static_cast<unsigned char>(ch)));
  return out;
}

std::optional<std::string> utf8ToWindows1252(std::string_view utf8) {
  std::string out;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto c = nextUtf8(utf8, i);
    if (!c) return std::nullopt;
    const auto byte = toWindows1252(*c);
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
  }
  return out;
}

}  // namespace encoding
