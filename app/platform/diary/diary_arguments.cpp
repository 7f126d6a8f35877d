// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/diary/diary_arguments.h"

#include "app/diary_entry.h"
#include "app/platform/qt/qt_text.h"

namespace ortalba {

DiaryCommandParse parseDiaryCommand(const QCommandLineParser& parser, const DiaryOptions& options, const AlmanacAsked& asked) {
  DiaryCommandParse parse;
  const bool exporting = parser.isSet(options.exportTo), importing = parser.isSet(options.importFrom);
  const bool listing = parser.isSet(options.list) && !asked.mode;
  parse.asked = exporting || importing || listing;
  if (!parse.asked) return parse;
  const auto wrong = [&](const QString& error) {
    parse.error = error;
    return parse;
  };
  if (int(exporting) + int(importing) + int(parser.isSet(options.list)) > 1 || parser.values(options.exportTo).size() > 1 ||
      parser.values(options.importFrom).size() > 1)
    return wrong(QStringLiteral("ortalba: si dà una volta sola una tra --diario, --diario-esporta e --diario-importa"));
  if (asked.mode || asked.options)
    return wrong(QStringLiteral("ortalba: --diario-esporta e --diario-importa vanno da sole, e --diario da sola va "
                                "soltanto con --json, --da e --a"));

  DiaryRequest request;
  request.action = exporting ? DiaryRequest::Action::Export : importing ? DiaryRequest::Action::Import
                                                                        : DiaryRequest::Action::List;
  if (asked.italianDay) request.reckoning.phaseDays = app::PhaseDays::Italian;
  if (exporting || importing) {
    request.file = parser.value(exporting ? options.exportTo : options.importFrom);
    if (request.file.isEmpty() || request.file.back().isSpace())
      return wrong(QStringLiteral("ortalba: nome di file non valido: \"%1\"").arg(shown(request.file)));
  }
  if (asked.json && !listing) return wrong(QStringLiteral("ortalba: --json va con --diario"));
  request.json = asked.json;
  for (const auto& [option, date] : {std::pair{&options.from, &request.from}, std::pair{&options.to, &request.to}}) {
    if (!parser.isSet(*option)) continue;
    const QString typed = parser.value(*option);
    if (importing) return wrong(QStringLiteral("ortalba: --da e --a vanno con --diario o --diario-esporta"));
    const auto day = parser.values(*option).size() == 1 ? app::parseIsoDate(typed.toStdString()) : std::nullopt;
    if (!day)
      return wrong(QStringLiteral("ortalba: data non valida per --%1: \"%2\"; si scrive AAAA-MM-GG, per esempio 2026-03-12")
                       .arg(option->names().first(), shown(typed)));
    *date = *day;
  }
  if (request.to < request.from) return wrong(QStringLiteral("ortalba: il giorno di --da viene dopo quello di --a"));
  parse.request = request;
  return parse;
}

QString diaryWithAlmanacProblem(const QCommandLineParser& parser, const DiaryOptions& options, bool calendarOrPage) {
  if (parser.isSet(options.from) || parser.isSet(options.to))
    return QStringLiteral("ortalba: --da e --a vanno con --diario o --diario-esporta");
  if (parser.isSet(options.list) && !calendarOrPage)
    return QStringLiteral("ortalba: --diario va da solo, con --ics o con --pdf");
  return {};
}

}  // namespace ortalba
