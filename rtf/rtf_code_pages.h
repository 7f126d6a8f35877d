#pragma once
// Single-byte code pages for the \'hh escapes and 8-bit bytes of RTF files.
#include <string>

namespace rtf {

// True for the code pages we carry a table for: 1250, 1251, 1252, 1253, 1254,
// 1257, 28591 (ISO 8859-1) and 10000 (Mac Roman).
bool isSupportedCodePage(int codePage);

// Unicode code point of `byte` in `codePage`; unknown code pages read as
// Windows-1252, the code page of nearly every Italian document.
char32_t decodeByte(int codePage, unsigned char byte);

// Code page implied by a font's \fcharset, or 0 when the font uses the
// document's own code page.
int codePageOfCharset(int charset);

}  // namespace rtf
