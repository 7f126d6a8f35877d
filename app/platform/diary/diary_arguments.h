// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The diary's part of the command line: its options, and what they ask for.
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <optional>

#include "app/month_sheet.h"
#include "calendar/calendar.h"

namespace ortalba {

// What the diary's own commands ask for.
struct DiaryRequest {
  enum class Action {
    List,    // --diario: the entries as a table, or with --json as a JSON list
    Export,  // --diario-esporta FILE.csv
    Import,  // --diario-importa FILE.csv
  };
  Action action = Action::List;
  bool json = false;
  calendar::Date from{1, 1, 1};     // --da
  calendar::Date to{31, 12, 9999};  // --a
  QString file;
  app::Reckoning reckoning;  // the days the phases fall on, for the moon of each entry
};

struct DiaryOptions {
  QCommandLineOption list{QStringLiteral("diario"),
                          QStringLiteral("da sola stampa le voci del diario dell'orto (con --json in JSON); con --ics "
                                         "aggiunge al calendario le voci e i promemoria, con --pdf le voci del mese "
                                         "sotto la tabella")};
  QCommandLineOption exportTo{QStringLiteral("diario-esporta"),
                              QStringLiteral("scrive le voci del diario in un file CSV per il foglio di calcolo (UTF-8, "
                                             "separato da punto e virgola)"),
                              QStringLiteral("FILE")};
  QCommandLineOption importFrom{QStringLiteral("diario-importa"),
                                QStringLiteral("aggiunge al diario le voci di un file CSV scritto così: tutte o nessuna, "
                                               "e dice la riga sbagliata; le voci già presenti non si ripetono"),
                                QStringLiteral("FILE")};
  QCommandLineOption from{QStringLiteral("da"), QStringLiteral("con --diario o --diario-esporta: dal giorno indicato"),
                          QStringLiteral("AAAA-MM-GG")};
  QCommandLineOption to{QStringLiteral("a"), QStringLiteral("con --diario o --diario-esporta: fino al giorno indicato"),
                        QStringLiteral("AAAA-MM-GG")};
  QList<QCommandLineOption> all() const { return {list, exportTo, importFrom, from, to}; }
};

// The diary's own command, when the arguments ask for one: --diario without
// --month, --year or --ics, --diario-esporta, --diario-importa. `asked` is false
// when they ask for none; `error` is one Italian line when they are wrong.
struct DiaryCommandParse {
  bool asked = false;
  std::optional<DiaryRequest> request;
  QString error;
};
// What else the command line asks for.
struct AlmanacAsked {
  bool mode = false;        // --month, --year or --ics
  bool options = false;     // an option of the month, the year or the calendar (--pdf, --city, --contrasto, --periodi)
  bool json = false;        // --json
  bool italianDay = false;  // --giorno-italiano
};
DiaryCommandParse parseDiaryCommand(const QCommandLineParser& parser, const DiaryOptions& options, const AlmanacAsked& asked);

// What is wrong with the diary's options given with the month, the booklet or
// the calendar (--diario goes with --ics or --pdf, --da and --a with the diary's
// own commands only); empty when nothing is.
QString diaryWithAlmanacProblem(const QCommandLineParser& parser, const DiaryOptions& options, bool calendarOrPage);

}  // namespace ortalba
