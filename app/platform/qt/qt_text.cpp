// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/qt/qt_text.h"

namespace ortalba {

QStringList wrappedWords(const QString& text, int width) {
  QStringList lines{QString()};
  for (QString word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    while (word.size() > width) {
      if (!lines.back().isEmpty()) lines << QString();
      lines.back() = word.left(width);
      lines << QString();
      word.remove(0, width);
    }
    if (!lines.back().isEmpty() && lines.back().size() + 1 + word.size() > width) lines << QString();
    lines.back() += (lines.back().isEmpty() ? QString() : QStringLiteral(" ")) + word;
  }
  if (lines.size() > 1 && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

QString shown(const QString& typed) {
  QString out = typed.left(60);
  if (!out.isEmpty() && out.back().isHighSurrogate()) out.chop(1);  // never half a character
  for (QChar& c : out)
    if (hiddenOnATerminal(c.unicode())) c = QLatin1Char('?');
  return typed.size() > 60 ? out + QStringLiteral("...") : out;
}

}  // namespace ortalba
