// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac's texts are UTF-8 in std::string and std::string_view; Qt takes them here.
#include <QString>
#include <QStringList>
#include <string_view>

namespace ortalba {

inline QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The words of `text` in lines of at most `width` characters, broken between
// words; a word longer than a line is cut.
QStringList wrappedWords(const QString& text, int width);

// Characters that must not reach a terminal as they are: C0 and C1 controls,
// line and paragraph separators, and the marks and overrides that turn the
// direction of the text (a name could otherwise show itself as another).
constexpr bool hiddenOnATerminal(char16_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
         (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// What the user typed, fit for a one-line message: characters that would move
// or hide the text on a terminal become "?", and a long text is cut.
QString shown(const QString& typed);

}  // namespace ortalba
