// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/command_line/month_text.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <algorithm>

#include "app/day_work.h"
#include "app/italian_clock.h"
#include "app/italian_words.h"
#include "app/platform/qt/qt_text.h"

namespace ortalba {

namespace {

const char* markName(app::PhaseMark mark) {
  switch (mark) {
    case app::PhaseMark::Waxing:
      return "waxing";
    case app::PhaseMark::Waning:
      return "waning";
    case app::PhaseMark::Neutral:
      break;
  }
  return "neutral";
}

const char* iconName(int icon) {
  switch (icon) {
    case app::resources::FullMoon:
      return "full";
    case app::resources::FirstQuarter:
      return "first-quarter";
    case app::resources::LastQuarter:
      return "last-quarter";
    case app::resources::NewMoon:
      return "new";
    default:
      return nullptr;
  }
}

QString notesName(const app::MonthSheet& sheet) { return QStringLiteral("Doc/") + toQString(sheet.notesDocument); }

QString phaseWordsOfIcon(int icon) {
  const auto phase = app::phaseOfIcon(icon);
  return phase ? QString::fromStdString(app::phaseWords(*phase)) : QString();
}

// An instant as the JSON gives it: "instant_utc" and "ora_italiana", to the minute.
QJsonObject instantFields(double jdUT) {
  const auto iso = [](const app::CivilTime& t) {
    return QStringLiteral("%1-%2-%3T%4:%5")
        .arg(t.date.year, 4, 10, QLatin1Char('0'))
        .arg(t.date.month, 2, 10, QLatin1Char('0'))
        .arg(t.date.day, 2, 10, QLatin1Char('0'))
        .arg(t.hour, 2, 10, QLatin1Char('0'))
        .arg(t.minute, 2, 10, QLatin1Char('0'));
  };
  const app::ItalianTime italian = app::italianTime(jdUT);
  return {{QStringLiteral("instant_utc"), iso(app::clockReading(jdUT, 0)) + QStringLiteral("Z")},
          {QStringLiteral("ora_italiana"), iso(italian.time) + QStringLiteral("+0%1:00").arg(italian.utcOffset)}};
}

}  // namespace

int panelDayOf(const app::MonthSheet& sheet) {
  const QDate today = QDate::currentDate();
  return sheet.isOf(today.year(), today.month()) ? today.day() : 1;
}

QByteArray monthJson(const app::MonthSheet& sheet, int panelDay, const std::optional<app::ChosenJob>& job) {
  const std::vector<app::MoonDay>& moonDays = sheet.moon().days();
  const auto timeOrNull = [](const std::optional<app::CivilTime>& time) {
    return time ? QJsonValue(toQString(app::clockText(time))) : QJsonValue(QJsonValue::Null);
  };
  QJsonArray days;
  for (const auto& row : sheet.days) {
    QJsonObject day;
    day.insert(QStringLiteral("day"), row.day);
    day.insert(QStringLiteral("label"), toQString(row.label));
    day.insert(QStringLiteral("bold_red"), row.boldRed);
    day.insert(QStringLiteral("bar"), QString::fromLatin1(markName(row.mark)));
    const char* icon = iconName(row.icon);
    day.insert(QStringLiteral("icon"), icon ? QJsonValue(QString::fromLatin1(icon)) : QJsonValue(QJsonValue::Null));
    day.insert(QStringLiteral("weekday"), QString::fromUtf8(row.weekdayName()));
    day.insert(QStringLiteral("santo"), toQString(row.saintOrFeast));
    day.insert(QStringLiteral("sorge"), toQString(app::clockText(row.sunrise)));
    day.insert(QStringLiteral("tramonta"), toQString(app::clockText(row.sunset)));
    // The clocks' times on the days of ora legale; null on the others.
    const bool legal = app::onOraLegale({row.day, sheet.month, sheet.year});
    const auto legalTime = [&](const std::optional<app::CivilTime>& time) {
      return legal ? QJsonValue(toQString(app::clockText(app::oneHourLater(time)))) : QJsonValue(QJsonValue::Null);
    };
    day.insert(QStringLiteral("sorge_ora_legale"), legalTime(row.sunrise));
    day.insert(QStringLiteral("tramonta_ora_legale"), legalTime(row.sunset));
    const app::MoonDay& moonDay = moonDays[static_cast<std::size_t>(row.day - 1)];
    day.insert(QStringLiteral("luna_sorge"), timeOrNull(moonDay.rise));
    day.insert(QStringLiteral("luna_tramonta"), timeOrNull(moonDay.set));
    day.insert(QStringLiteral("luna_sorge_ora_legale"), legal ? timeOrNull(app::oneHourLater(moonDay.rise)) : QJsonValue());
    day.insert(QStringLiteral("luna_tramonta_ora_legale"), legal ? timeOrNull(app::oneHourLater(moonDay.set)) : QJsonValue());
    day.insert(QStringLiteral("luna_moto"), QString::fromLatin1(app::risingWord(moonDay.ascending)));
    // What the notes give the day: its jobs and their plants.
    QJsonArray work;
    for (const app::JobOfDay& job : app::workOfDay(sheet, row.day)) {
      QJsonArray plants;
      for (const almanac::Plant& plant : job.plants) plants.append(toQString(plant.name));
      work.append(QJsonObject{{QStringLiteral("lavoro"), toQString(almanac::jobName(job.job))},
                              {QStringLiteral("piante"), plants}});
    }
    day.insert(QStringLiteral("da_fare"), work);
    if (job) {
      const app::DayVerdict verdict = app::judgeDay(sheet, row.day, *job);
      day.insert(QStringLiteral("adatto"), verdict.good);
      day.insert(QStringLiteral("perche"), toQString(verdict.why));
    }
    day.insert(QStringLiteral("organo"),
               toQString(almanac::plantPartName(sheet.moon().tradition().partAtNoon[static_cast<std::size_t>(row.day - 1)])));
    days.append(day);
  }
  QJsonObject root;
  root.insert(QStringLiteral("year"), sheet.year);
  root.insert(QStringLiteral("month"), sheet.month);
  root.insert(QStringLiteral("title"), toQString(sheet.title));
  root.insert(QStringLiteral("city"), toQString(sheet.place.name));
  root.insert(QStringLiteral("days"), days);
  root.insert(QStringLiteral("panel_background"), QString::fromLatin1(markName(sheet.panelBackground(panelDay))));
  root.insert(QStringLiteral("notes"), notesName(sheet));
  // Each phase the grid marks, with its instant (UTC) and the hour in Italy.
  QJsonArray phases;
  for (const app::PhaseHour& phase : sheet.moon().phases()) {
    QJsonObject entry = instantFields(phase.jdUT);
    entry.insert(QStringLiteral("phase"), QString::fromLatin1(iconName(app::iconOf(phase.kind))));
    entry.insert(QStringLiteral("day"), phase.gridDay);
    phases.append(entry);
  }
  root.insert(QStringLiteral("phases"), phases);
  // The tradition's side: the system, each entry of the Moon into a constellation
  // or sign with the plant part it brings, perigee and apogee, the nodes.
  const app::MonthTradition& tradition = sheet.moon().tradition();
  root.insert(QStringLiteral("zodiaco"), QString::fromUtf8(app::zodiacSystemName(tradition.system)));
  QJsonArray entries, apsides, nodes;
  for (const app::ZodiacEntryHour& e : tradition.entries) {
    QJsonObject entry = instantFields(e.jdUT);
    entry.insert(QStringLiteral("nome"), QString::fromUtf8(app::zodiacName(e.sign)));
    entry.insert(QStringLiteral("organo"), toQString(almanac::plantPartName(e.part)));
    entries.append(entry);
  }
  for (const app::MoonEvent& e : tradition.events) {
    QJsonObject entry = instantFields(e.jdUT);
    const bool apsis = e.kind == app::MoonEventKind::Perigee || e.kind == app::MoonEventKind::Apogee;
    entry.insert(QStringLiteral("tipo"), e.kind == app::MoonEventKind::Perigee       ? QStringLiteral("perigeo")
                                         : e.kind == app::MoonEventKind::Apogee      ? QStringLiteral("apogeo")
                                         : e.kind == app::MoonEventKind::AscendingNode ? QStringLiteral("ascendente")
                                                                                     : QStringLiteral("discendente"));
    (apsis ? apsides : nodes).append(entry);
  }
  if (job) root.insert(QStringLiteral("lavoro"), toQString(app::chosenJobName(*job)));
  root.insert(QStringLiteral("ingressi"), entries);
  root.insert(QStringLiteral("apsidi"), apsides);
  root.insert(QStringLiteral("nodi"), nodes);
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

namespace {

// The table's columns: the day, the saint or feast (wrapped), the sun, the clocks'
// sun on days of ora legale, the moon, the phase or mark, the plant part of the
// day's noon, the moon's motion. A line holds at most 100 characters.
constexpr int TableWidth = 100;
constexpr int DayWidth = 6, SaintWidth = 23, TimesWidth = 11, PhaseWidth = 13, PartWidth = 7;

}  // namespace

QString monthTable(const app::MonthSheet& sheet, int panelDay) {
  const std::vector<app::MoonDay>& moonDays = sheet.moon().days();
  const auto line = [&](const QString& day, const QString& saint, const QString& sun, const QString& legal,
                        const QString& moon, const QString& phase, const QString& part, const QString& rising) {
    QString text = QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                       .arg(day, -DayWidth)
                       .arg(saint, -SaintWidth)
                       .arg(sun, -TimesWidth)
                       .arg(legal, -TimesWidth)
                       .arg(moon, -TimesWidth)
                       .arg(phase, -PhaseWidth)
                       .arg(part, -PartWidth)
                       .arg(rising);
    while (text.endsWith(QLatin1Char(' '))) text.chop(1);
    return text + QLatin1Char('\n');
  };
  const auto times = [](const std::optional<app::CivilTime>& rise, const std::optional<app::CivilTime>& set) {
    return toQString(app::clockText(rise)) + QLatin1Char(' ') + toQString(app::clockText(set));
  };
  QString out;
  out += toQString(sheet.title) + QStringLiteral(" - ") + toQString(sheet.place.name) + QLatin1Char('\n');
  out += line(QStringLiteral("Giorno"), QStringLiteral("Santo o festa"), QStringLiteral("Sole"),
              QStringLiteral("Ora legale"), QStringLiteral("Luna"), QStringLiteral("Fase"), QStringLiteral("Parte"),
              QStringLiteral("Moto"));
  const app::MonthTradition& tradition = sheet.moon().tradition();
  bool anyLegal = false;
  for (const auto& row : sheet.days) {
    const QString day = QStringLiteral("%1 %2%3")
                            .arg(row.day, 2)
                            .arg(QString::fromUtf8(app::WeekdayLetters[static_cast<std::size_t>(row.weekday - 1)]))
                            .arg(row.boldRed ? QStringLiteral("*") : QString());
    QString legal;
    if (app::onOraLegale({row.day, sheet.month, sheet.year})) {
      legal = times(app::oneHourLater(row.sunrise), app::oneHourLater(row.sunset));
      anyLegal = true;
    }
    const app::MoonDay& moonDay = moonDays[static_cast<std::size_t>(row.day - 1)];
    // A quarter tells the mark by itself; a full or new moon is its own mark.
    const QString phase = row.icon != app::resources::None ? phaseWordsOfIcon(row.icon)
                                                           : QString::fromLatin1(app::markWord(row.mark));
    const QStringList saint = wrappedWords(toQString(row.saintOrFeast), SaintWidth);
    const QString part = toQString(almanac::plantPartName(tradition.partAtNoon[static_cast<std::size_t>(row.day - 1)]));
    out += line(day, saint.front(), times(row.sunrise, row.sunset), legal, times(moonDay.rise, moonDay.set), phase,
                tradition.unfavourable[static_cast<std::size_t>(row.day - 1)] ? part + QLatin1Char('!') : part,
                QString::fromLatin1(app::risingWord(moonDay.ascending)));
    for (qsizetype k = 1; k < saint.size(); ++k) out += line(QString(), saint[k], {}, {}, {}, {}, {}, {});
  }
  QString notes = QStringLiteral("* domenica o festa. Le ore del Sole e della Luna sono %1").arg(toQString(app::InOraSolare));
  if (anyLegal) notes += QStringLiteral("; la colonna \"Ora legale\" dà l'alba e il tramonto come li segnano gli orologi");
  notes += QStringLiteral(". Riquadro del giorno: %1. Note del mese: %2")
               .arg(QString::fromLatin1(app::markWord(sheet.panelBackground(panelDay))), notesName(sheet));
  out += wrappedWords(notes, TableWidth).join(QLatin1Char('\n')) + QLatin1Char('\n');
  for (const app::PhaseHour& phase : sheet.moon().phases())
    out += toQString(app::phaseHourText(phase, sheet.reckoning.phaseDays)) + QLatin1Char('\n');
  // The tradition: the part of the plant at noon (12:00 UT), the entries that change it, the events.
  const auto when = [](double jdUT) {
    const app::ItalianTime t = app::italianTime(jdUT);
    return QStringLiteral("%1 alle %2").arg(toQString(app::theDay(t.time.date.day)), toQString(app::hourText(t.time)));
  };
  QStringList entries, events;
  for (const app::ZodiacEntryHour& e : tradition.entries)
    entries << QStringLiteral("%1 %2 (%3)").arg(QString::fromUtf8(app::zodiacName(e.sign)), when(e.jdUT),
                                               toQString(almanac::plantPartName(e.part)));
  for (const app::MoonEvent& e : tradition.events)
    events << QStringLiteral("%1 %2").arg(QString::fromLatin1(app::moonEventName(e.kind)), when(e.jdUT));
  QString tradition_ = QStringLiteral("Parte: la parte della pianta del giorno a mezzogiorno, dalla Luna nelle %1; "
                                      "! ore sfavorevoli (%2 ore intorno a perigeo, %3 ad apogeo e nodi).")
                           .arg(QString::fromUtf8(app::zodiacSystemName(tradition.system)))
                           .arg(app::unfavourableHours(app::MoonEventKind::Perigee))
                           .arg(app::unfavourableHours(app::MoonEventKind::Apogee));
  if (!entries.isEmpty()) tradition_ += QStringLiteral(" Ingressi: ") + entries.join(QStringLiteral("; ")) + QLatin1Char('.');
  if (!events.isEmpty()) tradition_ += QStringLiteral(" Perigeo, apogeo e nodi: ") + events.join(QStringLiteral("; ")) + QLatin1Char('.');
  out += wrappedWords(tradition_, TableWidth).join(QLatin1Char('\n')) + QLatin1Char('\n');
  return out;
}

}  // namespace ortalba
