// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/window/own_feast_dialog.h"

#include <QInputDialog>
#include <QString>

#include "app/platform/qt/qt_text.h"

namespace ortalba {

std::optional<std::optional<app::FeastDay>> askOwnFeast(QWidget* parent, const app::Place& place) {
  QString answer;
  if (place.patron && place.patron->title == almanac::PatronTitle::OwnFeast)
    answer = toQString(app::feastDayText({place.patron->when.day, place.patron->when.month}));
  QString question = QStringLiteral("Il giorno della festa patronale di %1, come GG/MM (per esempio 25/07); "
                                    "vuoto per nessuna:")
                         .arg(toQString(place.name));
  for (;;) {
    bool accepted = false;
    answer = QInputDialog::getText(parent, QStringLiteral("Festa patronale"), question, QLineEdit::Normal, answer,
                                   &accepted);
    if (!accepted) return std::nullopt;
    if (answer.trimmed().isEmpty()) return std::optional<app::FeastDay>();
    if (const auto day = app::parseFeastDay(answer.toStdString())) return std::optional<app::FeastDay>(*day);
    question = QStringLiteral("«%1» non è un giorno dell'anno. Il giorno della festa patronale di %2, come GG/MM "
                              "(per esempio 25/07); vuoto per nessuna:")
                   .arg(answer, toQString(place.name));
  }
}

}  // namespace ortalba
