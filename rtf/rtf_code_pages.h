// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Single-byte code pages for the \'hh escapes and 8-bit bytes of RTF files.
#include <string>

namespace rtf {

// True for Windows-1252, the code page of nearly every Italian document, which
// we read ourselves, and for every single-byte code page the C library's iconv
// knows (1250, 1251, 28591 for ISO 8859-1, 10000 for Mac Roman, 437...).
bool isSupportedCodePage(int codePage);

// Unicode code point of `byte` in `codePage`; code pages that are not supported
// read as Windows-1252.
char32_t decodeByte(int codePage, unsigned char byte);

// Code page implied by a font's \fcharset, or 0 when the font uses the
// document's own code page.
int codePageOfCharset(int charset);

}  // namespace rtf
