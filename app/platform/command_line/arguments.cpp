// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/command_line/arguments.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

#include "app/city_table.h"
#include "app/comuni.h"
#include "app/good_days.h"
#include "app/place_search.h"
#include "app/platform/qt/qt_text.h"
#include "app/platform/window/window_keys.h"
#include "app/window_model.h"

namespace ortalba {

namespace {

bool endsInBlank(const QString& text) { return !text.isEmpty() && text.back().isSpace(); }

bool holdsHidden(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return hiddenOnATerminal(c.unicode()); });
}

}  // namespace

QString versionText() { return QStringLiteral("ortalba " ORTALBA_VERSION); }

namespace {

// Every option once: its names, the name of its value (none for a flag) and what it does.
struct Options {
  QCommandLineOption month{QStringLiteral("month"),
                           QStringLiteral("stampa il mese indicato (anno 1-9999), per esempio 2026-03"),
                           QStringLiteral("AAAA-MM")};
  QCommandLineOption city{QStringLiteral("city"),
                          QStringLiteral("città o comune per l'alba e il tramonto, in maiuscole o minuscole, con o "
                                         "senza accenti (Milano, forli, \"Reggio Emilia\", Bardonecchia, e con la "
                                         "provincia dove più comuni hanno un nome: \"Castro (LE)\"); senza, la "
                                         "città che la finestra ricorda"),
                          QStringLiteral("NOME")};
  QCommandLineOption coordinate{QStringLiteral("coordinate"),
                                QStringLiteral("il luogo di un campo: latitudine e longitudine in gradi (45.08,6.70), "
                                               "anche con un nome (\"Orto di casa;45.08,6.70\"), al posto di --city"),
                                QStringLiteral("LAT,LON")};
  QCommandLineOption ownFeast{QStringLiteral("festa-patronale"),
                              QStringLiteral("il giorno della festa patronale di un comune o di un campo fuori "
                                             "dalle 108 città, per questa volta (25/07); senza, quello che la "
                                             "finestra ricorda"),
                              QStringLiteral("GG/MM")};
  QCommandLineOption cities{QStringLiteral("elenco-citta"), QStringLiteral("elenca le 108 città, una per riga")};
  QCommandLineOption jobs{QStringLiteral("elenco-lavori"),
                          QStringLiteral("elenca i lavori che le note del mese consigliano, uno per riga, con la "
                                         "Luna in cui le note li danno")};
  QCommandLineOption comuni{QStringLiteral("elenco-comuni"),
                            QStringLiteral("elenca i comuni d'Italia con la provincia, uno per riga; con una sigla "
                                           "(ortalba --elenco-comuni TO) quelli di una provincia")};
  QCommandLineOption json{QStringLiteral("json"), QStringLiteral("stampa in JSON invece che in tabella")};
  QCommandLineOption pdf{QStringLiteral("pdf"), QStringLiteral("con --month: scrive il mese in una pagina A4 PDF"),
                         QStringLiteral("FILE")};
  QCommandLineOption cue{QStringLiteral("contrasto"),
                         QStringLiteral("con --pdf: righe tratteggiate per la Luna crescente e calante e un rosso più "
                                        "scuro, leggibili senza i colori")};
  QCommandLineOption year{QStringLiteral("year"),
                          QStringLiteral("con --pdf: il libretto dell'anno, una pagina con le lune nuove e piene e le "
                                         "feste di ogni mese, poi i dodici mesi"),
                          QStringLiteral("ANNO")};
  QCommandLineOption ics{QStringLiteral("ics"),
                         QStringLiteral("stampa un calendario iCalendar dell'anno (fasi lunari, feste, Domenica delle "
                                        "Palme e Martedì grasso)"),
                         QStringLiteral("ANNO")};
  QCommandLineOption spans{QStringLiteral("periodi"),
                           QStringLiteral("con --ics: anche ogni periodo di Luna crescente e calante come un evento di "
                                          "più giorni")};
  QCommandLineOption plantParts{QStringLiteral("organi"),
                                QStringLiteral("con --ics: anche ogni cambio della parte della pianta del giorno "
                                               "(radice, foglia, fiore, frutto) e perigeo, apogeo e nodi della Luna, "
                                               "ciascuno alla sua ora")};
  QCommandLineOption job{QStringLiteral("lavoro"),
                         QStringLiteral("con --month o --ics: i giorni buoni per un lavoro (ortalba --elenco-lavori "
                                        "li elenca), nel JSON, sulla pagina e come eventi"),
                         QStringLiteral("LAVORO")};
  QCommandLineOption italianDay{QStringLiteral("giorno-italiano"),
                                QStringLiteral("ogni fase nel giorno che segnano gli orologi italiani al suo istante, "
                                               "come lo mostra un telefono, invece che nel giorno di Greenwich")};
  QCommandLineOption zodiac{QStringLiteral("zodiaco"),
                            QStringLiteral("dove sta la Luna per la parte della pianta del giorno: \"costellazioni\" "
                                           "(le vere, come i calendari biodinamici; senza l'opzione) o \"segni\" "
                                           "(di 30°, come i lunari)"),
                            QStringLiteral("SISTEMA")};
  QCommandLineOption userFolder{QStringLiteral("cartella-utente"),
                                QStringLiteral("apre la finestra con luogo.txt in ~/.config/ortalba")};
  QCommandLineOption version{QStringLiteral("version"), QStringLiteral("mostra la versione")};
  QCommandLineOption help{QStringList{QStringLiteral("h"), QStringLiteral("help")},
                          QStringLiteral("mostra questo aiuto")};
  DiaryOptions diary;

  QList<QCommandLineOption> all() const {
    return QList<QCommandLineOption>{month,  city, coordinate, ownFeast,   json,    pdf,        cue,
                                     year,   ics,  spans,      plantParts, job,     italianDay, zodiac,
                                     cities, jobs, comuni,     userFolder, version, help} +
           diary.all();
  }
};

// What the window does, under the usage lines; its keys follow.
constexpr char16_t Description[] =
    u"\n"
    u"Senza argomenti apre la finestra dell'almanacco, che ricorda la città in luogo.txt nella cartella da cui "
    u"è avviata; con --cartella-utente (così la avvia il menu) la ricorda in ~/.config/ortalba. La finestra ha "
    u"bisogno di una sessione grafica; le altre opzioni funzionano anche senza.\n"
    u"\n";

// "Tasti della finestra: Pagina su/giù mese, ..., F1 apre l'aiuto. Tab e ..."
QString windowKeysSentence() {
  QStringList keys;
  for (const WindowKey& key : WindowKeys)
    keys << QString::fromUtf16(key.keys) + QLatin1Char(' ') + QString::fromUtf16(key.does);
  return QStringLiteral("Tasti della finestra: ") + keys.join(QStringLiteral(", ")) + QStringLiteral(". ") +
         QString::fromUtf16(ControlKeys);
}

constexpr char16_t Usage[] =
    u"Uso: ortalba [--month AAAA-MM [--city NOME] [--json | --pdf FILE [--contrasto]] [--lavoro LAVORO]]\n"
    u"       ortalba --year ANNO --pdf FILE [--city NOME] [--contrasto]\n"
    u"       ortalba --ics ANNO [--city NOME] [--periodi] [--organi] [--lavoro LAVORO] > luna.ics\n"
    u"       ortalba --elenco-citta | --elenco-lavori | --elenco-comuni [SIGLA]\n"
    u"       ortalba --diario [--da AAAA-MM-GG] [--a AAAA-MM-GG] [--json]\n"
    u"       ortalba --diario-esporta FILE.csv [--da AAAA-MM-GG] [--a AAAA-MM-GG]\n"
    u"       ortalba --diario-importa FILE.csv\n"
    u"  con --month, --year e --ics anche --giorno-italiano e --zodiaco segni; con --pdf e --ics --diario\n"
    u"       ortalba [--cartella-utente]\n";

// Lines of at most `width` characters, broken between words, paragraph by paragraph.
QString wrapped(const QString& text, int width) {
  QString out;
  for (const QString& paragraph : text.split(QLatin1Char('\n')))
    out += wrappedWords(paragraph, width).join(QLatin1Char('\n')) + QLatin1Char('\n');
  return out;
}

// The name of an option that takes no value but was given one ("--json=1"), if any.
QString flagGivenAValue(const QStringList& arguments, const Options& options) {
  for (const QString& argument : arguments.mid(1)) {
    if (argument == QLatin1String("--")) break;
    const qsizetype equals = argument.indexOf(QLatin1Char('='));
    if (!argument.startsWith(QLatin1Char('-')) || equals < 0) continue;
    QString name = argument.left(equals);
    while (name.startsWith(QLatin1Char('-'))) name.remove(0, 1);
    for (const QCommandLineOption& option : options.all())
      if (option.valueName().isEmpty() && option.names().contains(name)) return option.names().last();
  }
  return {};
}

void addOptions(QCommandLineParser& parser, const Options& options) {
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.addOptions(options.all());
}

}  // namespace

QString helpText() {
  QCommandLineParser parser;
  addOptions(parser, Options{});
  parser.setApplicationDescription(wrapped(QString::fromUtf16(Description) + windowKeysSentence(), 76).chopped(1));
  // Qt's first line names the program as it was called; ours gives every way to call it.
  const QString generated = parser.helpText();
  return QString::fromUtf16(Usage) + generated.mid(generated.indexOf(QLatin1Char('\n')) + 1);
}

ParsedArguments parseArguments(const QStringList& arguments) {
  ParsedArguments result;
  QCommandLineParser parser;
  const Options options;
  addOptions(parser, options);

  if (!parser.parse(arguments)) {
    if (!parser.unknownOptionNames().isEmpty()) {
      result.error = QStringLiteral("ortalba: opzione sconosciuta: --%1 (vedi ortalba --help)")
                         .arg(shown(parser.unknownOptionNames().first()));
    } else if (const QString flag = flagGivenAValue(arguments, options); !flag.isEmpty()) {
      result.error = QStringLiteral("ortalba: l'opzione --%1 non prende valori (vedi ortalba --help)").arg(flag);
    } else {
      result.error = QStringLiteral("ortalba: manca il valore di un'opzione (vedi ortalba --help)");
    }
    return result;
  }
  if (parser.isSet(options.help)) {
    result.help = true;
    return result;
  }
  if (parser.isSet(options.version)) {
    result.version = true;
    return result;
  }
  if (parser.isSet(options.cities)) {
    result.cities = true;
    return result;
  }
  if (parser.isSet(options.jobs)) {
    result.jobs = true;
    return result;
  }
  if (parser.isSet(options.comuni)) {
    const QStringList province = parser.positionalArguments();
    if (province.size() > 1 ||
        (province.size() == 1 && app::comuniOfProvince(province.front().toStdString()).empty())) {
      result.error = QStringLiteral("ortalba: provincia sconosciuta: %1; si scrive con la sigla, per esempio TO")
                         .arg(shown(province.join(QLatin1Char(' '))));
      return result;
    }
    result.comuni = true;
    result.province = province.isEmpty() ? QString() : province.front().toUpper();
    return result;
  }
  if (parser.isSet(options.userFolder)) {
    result.error = QStringLiteral("ortalba: --cartella-utente apre la finestra e va data da sola");
    return result;
  }
  if (!parser.positionalArguments().isEmpty()) {
    result.error = QStringLiteral("ortalba: argomento inatteso: %1 (vedi ortalba --help)")
                       .arg(shown(parser.positionalArguments().first()));
    return result;
  }
  const AlmanacAsked asked{parser.isSet(options.month) || parser.isSet(options.year) || parser.isSet(options.ics),
                           parser.isSet(options.pdf) || parser.isSet(options.city) || parser.isSet(options.cue) ||
                               parser.isSet(options.spans),
                           parser.isSet(options.json), parser.isSet(options.italianDay)};
  if (DiaryCommandParse diary = parseDiaryCommand(parser, options.diary, asked); diary.asked) {
    result.diary = diary.request;
    result.error = diary.error;
    return result;
  }
  if (parser.values(options.month).size() > 1 || parser.values(options.city).size() > 1 ||
      parser.values(options.ics).size() > 1 || parser.values(options.year).size() > 1) {
    result.error = QStringLiteral("ortalba: --month, --year, --ics e --city si danno una volta sola");
    return result;
  }
  if (int(parser.isSet(options.month)) + int(parser.isSet(options.ics)) + int(parser.isSet(options.year)) != 1) {
    result.error =
        QStringLiteral("ortalba: serve --month AAAA-MM, --year ANNO oppure --ics ANNO (vedi ortalba --help)");
    return result;
  }

  // A year by itself, for --ics and --year.
  const auto yearOf = [&](const QCommandLineOption& option) -> std::optional<int> {
    // \z, not $: a year followed by a line end is not a year.
    static const QRegularExpression yearPattern(QStringLiteral("\\A[0-9]{1,5}\\z"));
    const QString yearText = parser.value(option);
    if (!yearPattern.match(yearText).hasMatch()) {
      result.error = QStringLiteral("ortalba: anno non valido: \"%1\"; per esempio 2027").arg(shown(yearText));
      return std::nullopt;
    }
    const int year = yearText.toInt();
    if (year < app::WindowModel::FirstYear || year > app::WindowModel::LastYear) {
      result.error = QStringLiteral("ortalba: anno fuori dall'intervallo 1-9999: %1").arg(shown(yearText));
      return std::nullopt;
    }
    return year;
  };
  // The PDF file, for --month and --year.
  const auto pdfOf = [&](PrintRequest& request) {
    if (!parser.isSet(options.pdf)) return true;
    request.pdfFile = parser.value(options.pdf);
    if (request.pdfFile.isEmpty() || parser.isSet(options.json) || parser.values(options.pdf).size() > 1) {
      result.error = QStringLiteral("ortalba: --pdf vuole un solo nome di file e non va con --json");
      return false;
    }
    // A name ending in a blank or holding a line end is a slip of the shell, not a file to make.
    if (endsInBlank(request.pdfFile) || holdsHidden(request.pdfFile)) {
      result.error = QStringLiteral("ortalba: nome di file non valido per --pdf: \"%1\"").arg(shown(request.pdfFile));
      return false;
    }
    request.cue = parser.isSet(options.cue);
    return true;
  };

  PrintRequest request;
  if (parser.isSet(options.ics)) {
    if (parser.isSet(options.json) || parser.isSet(options.pdf)) {
      result.error = QStringLiteral("ortalba: --json e --pdf vanno con --month, non con --ics");
      return result;
    }
    const auto year = yearOf(options.ics);
    if (!year) return result;
    request.mode = PrintRequest::Mode::YearCalendar;
    request.year = *year;
    request.moonSpans = parser.isSet(options.spans);
    request.plantParts = parser.isSet(options.plantParts);
  } else if (parser.isSet(options.year)) {
    if (!parser.isSet(options.pdf) || parser.isSet(options.json)) {
      result.error = QStringLiteral("ortalba: --year stampa il libretto dell'anno e vuole --pdf FILE");
      return result;
    }
    const auto year = yearOf(options.year);
    if (!year) return result;
    request.mode = PrintRequest::Mode::YearBooklet;
    request.year = *year;
    if (!pdfOf(request)) return result;
  } else {
    const QString monthText = parser.value(options.month);
    static const QRegularExpression pattern(QStringLiteral("\\A([0-9]{1,5})-([0-9]{1,2})\\z"));
    const auto match = pattern.match(monthText);
    if (!match.hasMatch()) {
      result.error = QStringLiteral("ortalba: mese non valido: \"%1\"; si scrive AAAA-MM, per esempio 2026-03")
                         .arg(shown(monthText));
      return result;
    }
    const int year = match.captured(1).toInt();
    const int month = match.captured(2).toInt();
    if (month < 1 || month > 12) {
      result.error = QStringLiteral("ortalba: mese non valido: \"%1\"; il mese va da 01 a 12").arg(shown(monthText));
      return result;
    }
    if (year < app::WindowModel::FirstYear || year > app::WindowModel::LastYear) {
      result.error = QStringLiteral("ortalba: anno fuori dall'intervallo 1-9999: %1").arg(match.captured(1));
      return result;
    }
    request.year = year;
    request.month = month;
    request.json = parser.isSet(options.json);
    if (!pdfOf(request)) return result;
  }
  if (parser.isSet(options.spans) && request.mode != PrintRequest::Mode::YearCalendar) {
    result.error = QStringLiteral("ortalba: --periodi va con --ics");
    return result;
  }
  if (parser.isSet(options.plantParts) && request.mode != PrintRequest::Mode::YearCalendar) {
    result.error = QStringLiteral("ortalba: --organi va con --ics");
    return result;
  }
  if (parser.isSet(options.cue) && request.pdfFile.isEmpty()) {
    result.error = QStringLiteral("ortalba: --contrasto va con --pdf");
    return result;
  }
  if (parser.isSet(options.city) && parser.isSet(options.coordinate)) {
    result.error = QStringLiteral("ortalba: --city e --coordinate non vanno insieme: il luogo è uno solo");
    return result;
  }
  result.error = diaryWithAlmanacProblem(
      parser, options.diary, request.mode == PrintRequest::Mode::YearCalendar || !request.pdfFile.isEmpty());
  if (!result.error.isEmpty()) return result;
  request.diary = parser.isSet(options.diary.list);
  if (parser.isSet(options.city)) {
    const QString typed = parser.value(options.city);
    const app::PlaceLookup found = holdsHidden(typed) ? app::PlaceLookup{} : app::lookUpPlace(typed.toStdString());
    request.place = found.place;
    if (!found.homonyms.empty()) {
      QStringList names;
      for (const std::string& name : found.homonyms) names << toQString(name);
      result.error = QStringLiteral(
                         "ortalba: più comuni si chiamano \"%1\": %2; scrivete quale, per esempio "
                         "--city \"%3\"")
                         .arg(shown(typed), names.join(QStringLiteral(", ")), names.back());
      return result;
    }
    if (!found.withoutSeat.empty()) {
      result.error = QStringLiteral(
                         "ortalba: di %1 l'almanacco non conosce le coordinate; date quelle del vostro "
                         "campo con --coordinate LAT,LON")
                         .arg(toQString(found.withoutSeat));
      return result;
    }
    if (!request.place) {
      QStringList nearest;
      for (const std::string& name : app::suggestedPlaces(typed.toStdString(), 3)) nearest << toQString(name);
      const QString guess =
          nearest.isEmpty() ? QString() : QStringLiteral("; forse %1?").arg(nearest.join(QStringLiteral(", ")));
      result.error = QStringLiteral(
                         "ortalba: città sconosciuta: \"%1\"%2 (ortalba --elenco-citta e --elenco-comuni "
                         "le elencano)")
                         .arg(shown(typed), guess);
      return result;
    }
  }
  if (parser.isSet(options.job)) {
    const QString name = parser.value(options.job);
    request.job = app::findChosenJob(name.toStdString());
    if (!request.job || request.mode == PrintRequest::Mode::YearBooklet) {
      result.error = request.job
                         ? QStringLiteral("ortalba: --lavoro va con --month o --ics")
                         : QStringLiteral("ortalba: lavoro sconosciuto: \"%1\" (ortalba --elenco-lavori li elenca)")
                               .arg(shown(name));
      return result;
    }
  }
  if (parser.isSet(options.coordinate)) {
    const QString typed = parser.value(options.coordinate);
    const auto field = holdsHidden(typed) ? std::nullopt : app::parseCoordinates(typed.toStdString());
    if (!field) {
      result.error = QStringLiteral(
                         "ortalba: coordinate non valide: \"%1\"; si scrivono latitudine e longitudine "
                         "in gradi col punto, per esempio 45.08,6.70")
                         .arg(shown(typed));
      return result;
    }
    if (!app::withinItaly(*field)) {
      result.error = QStringLiteral(
                         "ortalba: coordinate fuori dall'Italia: \"%1\"; l'almanacco segue gli orologi "
                         "italiani (latitudine fra %2 e %3, longitudine fra %4 e %5)")
                         .arg(shown(typed))
                         .arg(app::SouthmostLatitude)
                         .arg(app::NorthmostLatitude)
                         .arg(app::WestmostLongitude)
                         .arg(app::EastmostLongitude);
      return result;
    }
    request.place = app::placeOfCoordinates(*field);
  }
  if (parser.isSet(options.ownFeast)) {
    const QString typed = parser.value(options.ownFeast);
    request.ownFeast = app::parseFeastDay(typed.toStdString());
    if (!request.ownFeast) {
      result.error = QStringLiteral("ortalba: festa patronale non valida: \"%1\"; si scrive GG/MM, per esempio 25/07")
                         .arg(shown(typed));
      return result;
    }
    if (request.place && !app::takesOwnFeast(*request.place)) {
      result.error = QStringLiteral(
                         "ortalba: %1 ha già la sua festa patronale; --festa-patronale è per gli altri "
                         "comuni e per i campi")
                         .arg(toQString(request.place->name));
      return result;
    }
  }
  if (parser.isSet(options.italianDay)) request.reckoning.phaseDays = app::PhaseDays::Italian;
  if (parser.isSet(options.zodiac)) {
    const QString system = parser.value(options.zodiac);
    if (system == QLatin1String("segni")) {
      request.reckoning.zodiac = astro::ZodiacSystem::Signs;
    } else if (system != QLatin1String("costellazioni")) {
      result.error =
          QStringLiteral("ortalba: --zodiaco vuole \"costellazioni\" o \"segni\", non \"%1\"").arg(shown(system));
      return result;
    }
  }
  result.request = request;
  return result;
}

}  // namespace ortalba
