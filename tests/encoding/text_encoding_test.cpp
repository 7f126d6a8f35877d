// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoding/text_encoding.h"

#include <gtest/gtest.h>

namespace {
using namespace encoding;

TEST(Utf8, TellsWellFormedTextFromTheRest) {
  struct Case { std::string bytes; bool valid; const char* why; } cases[] = {
      {"", true, "empty"}, {"€ Ì 東京 \xF0\x9F\x8C\x95", true, "two, three and four bytes"},
      {"\xC0\xAF", false, "overlong"}, {"\xE0\x80\xAF", false, "overlong in three bytes"},
      {"\xED\xA0\x80", false, "surrogate"}, {"\xF4\x90\x80\x80", false, "past U+10FFFF"},
      {"A\xC3", false, "cut at the end"}, {"\x80", false, "a lone continuation byte"},
      {std::string("\x00", 1), true, "a NUL is a character"},
  };
  for (const auto& c : cases) EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.why;
  // The lengths change at U+0080, U+0800 and U+10000.
  const std::pair<char32_t, const char*> edges[] = {
      {0x7F, "\x7F"}, {0x80, "\xC2\x80"}, {0x7FF, "\xDF\xBF"}, {0x800, "\xE0\xA0\x80"},
      {0xFFFF, "\xEF\xBF\xBF"}, {0x10000, "\xF0\x90\x80\x80"}};
  for (const auto& [c, bytes] : edges) {
    std::string out;
    appendUtf8(out, c);
    EXPECT_EQ(out, bytes) << std::hex << static_cast<unsigned>(c);
  }
  for (char32_t bad : {char32_t{0xD800}, char32_t{0xDFFF}, char32_t{0x110000}}) {
    std::string out;
    appendUtf8(out, bad);
    EXPECT_EQ(out, "\xEF\xBF\xBD") << "no character: the replacement";
  }
}

TEST(Windows1252, EveryByteGoesThereAndBack) {
  // The five bytes the code page leaves unassigned read as U+FFFD and cannot be written.
  int unassigned = 0;
  for (int b = 0; b < 256; ++b) {
    const char32_t c = fromWindows1252(static_cast<unsigned char>(b));
    const std::string byte(1, static_cast<char>(b));
    std::string utf8;
    appendUtf8(utf8, c);
    unassigned += c == 0xFFFD;
    EXPECT_EQ(toWindows1252(c), c == 0xFFFD ? std::nullopt : std::optional<unsigned char>(b)) << b;
    EXPECT_EQ(utf8ToWindows1252(utf8), c == 0xFFFD ? std::nullopt : std::optional<std::string>(byte)) << b;
    EXPECT_EQ(windows1252ToUtf8(byte), utf8) << b;
  }
  EXPECT_EQ(unassigned, 5);
  EXPECT_TRUE(fromWindows1252(0x80) == U'€' && fromWindows1252(0xCC) == U'Ì');
  EXPECT_FALSE(utf8ToWindows1252("東京") || utf8ToWindows1252("\xC3") || toWindows1252(0x80) || toWindows1252(0x9F));
}

}  // namespace
