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

}  // namespace ortalba
