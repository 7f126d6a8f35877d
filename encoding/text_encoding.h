// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two text encodings the almanac meets: UTF-8, which it speaks inside, and
// Windows-1252, in which luogo.txt and most Italian RTF documents are written.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace encoding {

// The character of a Windows-1252 byte; the five bytes the code page leaves
// unassigned read as U+FFFD, so that junk stays visible as junk.
char32_t fromWindows1252(unsigned char byte);

// The Windows-1252 byte of a character; nothing when the code page has none.
std::optional<unsigned char> toWindows1252(char32_t c);

// Appends `c` as UTF-8; surrogates and values past U+10FFFF become U+FFFD.
void appendUtf8(std::string& out, char32_t c);

// Decodes the UTF-8 sequence at `i` and moves `i` past it; nothing (and `i`
// unchanged) for a malformed, overlong or surrogate sequence.
std::optional<char32_t> nextUtf8(std::string_view text, std::size_t& i);

bool isValidUtf8(std::string_view bytes);

std::string windows1252ToUtf8(std::string_view bytes);

// Nothing when the text is not UTF-8 or has a character Windows-1252 cannot hold.
std::optional<std::string> utf8ToWindows1252(std::string_view utf8);

}  // namespace encoding
