// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/window/day_descriptions.h"

#include <QDate>
#include <QWidget>

#include "app/italian_clock.h"
#include "app/platform/qt/qt_text.h"
#include "app/platform/qt/vector_state.h"

namespace ortalba {

namespace {

void describe(QWidget* widget, const QString& text) {
  if (widget->toolTip() == text) return;
  widget->setToolTip(text);
  widget->setAccessibleDescription(text);
}

}  // namespace

std::shared_ptr<const app::MonthMoon> describeDays(WindowWidgets& widgets, const app::WindowModel& form,
                                                   std::shared_ptr<const app::MonthMoon> written) {
  const app::MonthSheet& month = form.month();
  // The sun times are ora solare all year; the clocks may say otherwise.
  const int shown = form.selectedDay;
  const bool onShownDay = month.isOf(form.shownYear, form.shownMonth) && shown >= 1 && shown <= month.length();
  const app::DaySheet* shownDay = onShownDay ? &month.days[static_cast<std::size_t>(shown - 1)] : nullptr;
  const calendar::Date shownDate{shown, month.month, month.year};
  const QDate today = QDate::currentDate();
  const bool isToday = shownDate == calendar::Date{today.day(), today.month(), today.year()};
  for (const auto& [label, time] : {std::pair{&form.sunrise, shownDay ? shownDay->sunrise : std::nullopt},
                                    std::pair{&form.sunset, shownDay ? shownDay->sunset : std::nullopt}}) {
    QString note = QStringLiteral("Ora solare (UTC+1), come tutto l'almanacco");
    if (shownDay && app::onOraLegale(shownDate))
      note += QStringLiteral(";\n%1 gli orologi, in ora legale, segnano %2")
                  .arg(isToday ? QStringLiteral("oggi")
                               : QStringLiteral("il %1 %2").arg(shown).arg(toQString(app::MonthWords[month.month - 1])),
                       toQString(app::clockText(app::oneHourLater(time))));
    describe(widgets.widgetOf.at(label), note);
  }

  if (!month.isOf(form.shownYear, form.shownMonth)) return written;
  const auto legal = [&](int day) { return app::onOraLegale({day, month.month, month.year}); };
  // What the rows and icons say of the month's moon, written again only for another month or place.
  const app::MonthMoon& moon = month.moon();
  if (month.sharedMoon() != written) {
    clearUpperVectorState();
    const app::MonthTradition& tradition = moon.tradition();
    // Two lines, none wider than the window: the phase, if any, and the moon in
    // ora solare; the part of the plant on its own line, or after the moon as far as it fits.
    constexpr qsizetype MostCharacters = 78;
    for (int d = 1; d <= month.length(); ++d) {
      const auto k = static_cast<std::size_t>(d - 1);
      const QString text = toQString(app::moonDayText(moon.days()[k], false));
      QString part = toQString(app::plantPartShortText(tradition, month.year, month.month, d));
      if (tradition.unfavourable[k]) part += QStringLiteral(", ore sfavorevoli");
      QString phase;
      for (const app::PhaseHour& hour : moon.phases())
        if (hour.gridDay == d) phase = toQString(app::phaseHourText(hour, month.reckoning.phaseDays));
      QString lines;
      if (phase.isEmpty()) {
        lines = text + QLatin1Char('\n') + part.left(1).toUpper() + part.mid(1);
      } else {
        QString second = text;
        for (const QString& piece : part.split(QStringLiteral(", ")))
          if (second.size() + 2 + piece.size() <= MostCharacters) second += (second == text ? QStringLiteral("; ") : QStringLiteral(", ")) + piece;
        lines = phase + QLatin1Char('\n') + second;
      }
      describe(widgets.days[k], lines);
      widgets.icons[k]->setToolTip(phase);
    }
  }
  if (onShownDay)
    describe(widgets.widgetOf.at(&form.tileDay),
             toQString(app::moonDayText(moon.days()[static_cast<std::size_t>(shown - 1)], legal(shown))));
  return month.sharedMoon();
}

}  // namespace ortalba
