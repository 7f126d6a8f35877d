// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/command_line/month_text.h"

#include "app/city_table.h"
#include "app/italian_clock.h"
#include "app/platform/command_line/arguments.h"
#include "app/platform/qt/qt_text.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {
using namespace ortalba;

TEST(PrinterArguments, AcceptsAMonthAndRefusesBadInput) {
  struct Case { QStringList args; bool ok; const char* errorPart; } cases[] = {
      {{"--month", "2026-03"}, true, ""},
      {{"--month=9999-12"}, true, ""},
      {{"--month", "1-01"}, true, ""},
      {{"--month", "2026-13"}, false, "mese non valido"},
      {{"--month", "2026-00"}, false, "mese non valido"},
      {{"--month", "2026-3-1"}, false, "mese non valido"},
      {{"--month", "0-05"}, false, "1-9999"},
      {{"--month", "10000-01"}, false, "1-9999"},
      {{"--city", "ROMA"}, false, "serve --month"},
      {{"--month", "2026-03", "--ics", "2026"}, false, "serve --month"},
      {{"--ics", "2027"}, true, ""},
      {{"--ics", "0"}, false, "1-9999"},
      {{"--ics", "duemila"}, false, "anno non valido"},
      {{"--ics", "2027", "--json"}, false, "--json"},
      {{"--month"}, false, "manca il valore"},
      {{"--month", "2026-03", "--json=1"}, false, "l'opzione --json non prende valori"},
      {{"--ics", "2026", "--periodi=si"}, false, "l'opzione --periodi non prende valori"},
      {{"--help=x"}, false, "l'opzione --help non prende valori"},
      {{"--frobnicate"}, false, "opzione sconosciuta"},
      {{"--month", "2026-03", "extra"}, false, "argomento inatteso"},
      {{"-h\n2"}, false, "opzione sconosciuta"},
      // A value with a line end or a blank after it is not the value.
      {{"--month", "2026-03\n"}, false, "mese non valido"},
      {{"--month", "2026-03 "}, false, "mese non valido"},
      {{"--ics", "2026\n"}, false, "anno non valido"},
      {{"--month", "2026-03", "--city", "MILANO\n"}, false, "città sconosciuta"},
      {{"--month", "2026-03", "--pdf", "marzo.pdf\n"}, false, "nome di file non valido"},
      {{"--month", "2026-03", "--pdf", "marzo.pdf "}, false, "nome di file non valido"},
      {{"--month", "2026-03", "--pdf", "mar\u202Ezo.pdf"}, false, "nome di file non valido"},
      {{"--month", "2026-03", "--pdf", "marzo 2026.pdf"}, true, ""},
  };
  for (const auto& c : cases) {
    QStringList args{QStringLiteral("ortalba")};
    args += c.args;
    const auto parsed = parseArguments(args);
    EXPECT_EQ(parsed.request.has_value(), c.ok) << args.join(' ').toStdString();
    if (!c.ok) {
      EXPECT_TRUE(parsed.error.contains(QString::fromUtf8(c.errorPart))) << parsed.error.toStdString();
      EXPECT_FALSE(parsed.error.contains('\n'));
    }
  }
  // A city as a gardener types it; for one the table has not, the nearest names.
  struct City { const char* typed; const char* row; } cities[] = {
      {"Milano", "MILANO"}, {"milano", "MILANO"}, {"FORLI", "FORLÌ"}, {"forlì", "FORLÌ"}, {"FORLI'", "FORLI'"},
      {"Reggio Emilia", "REGGIO EMILIA"}, {"reggio nell'emilia", "REGGIO NELL'EMILIA"}, {"l'aquila", "L'AQUILA"},
      {"Caltanissetta", "CALTANISETTA"}};  // the right spelling of the name the table misspells
  for (const City& c : cities) {
    const auto parsed = parseArguments({"ortalba", "--month", "2026-03", "--city", QString::fromUtf8(c.typed), "--json"});
    ASSERT_TRUE(parsed.request) << c.typed;
    EXPECT_TRUE(parsed.request->year == 2026 && parsed.request->month == 3 && parsed.request->json);
    EXPECT_EQ(parsed.request->place, app::findPlace(c.row)) << c.typed;
  }
  const QString unknown = parseArguments({"ortalba", "--month", "2026-03", "--city", "Milno"}).error;
  EXPECT_TRUE(unknown.contains(QStringLiteral("città sconosciuta: \"Milno\"; forse MILANO"))) << unknown.toStdString();
  const QString reggio = parseArguments({"ortalba", "--month", "2026-03", "--city", "reggio"}).error;
  for (const char* name : {"REGGIO NELL'EMILIA", "REGGIO EMILIA", "REGGIO DI CALABRIA", "REGGIO CALABRIA"})
    EXPECT_TRUE(reggio.contains(QString::fromUtf8(name))) << "every place the beginning names: " << reggio.toStdString();
  EXPECT_TRUE(parseArguments({"ortalba", "--elenco-citta"}).cities);
}

// A comune, a field's coordinates and a festa of one's own; the comuni listed.
TEST(PrinterArguments, ComuniFieldsAndTheirFesta) {
  struct Case { QStringList args; const char* place; const char* errorPart; } cases[] = {
      {{"--city", "Bardonecchia"}, "BARDONECCHIA (TO)", ""},
      {{"--city", "Monza"}, "MONZA (MB)", ""},
      {{"--city", "Castro (LE)"}, "CASTRO (LE)", ""},
      {{"--city", "Castro"}, nullptr, "CASTRO (BG), CASTRO (LE)"},
      {{"--city", "Capizzone"}, nullptr, "--coordinate"},
      {{"--city", "Bardonechia"}, nullptr, "forse BARDONECCHIA (TO)"},
      {{"--coordinate", "45.08,6.70"}, "45.08, 6.70", ""},
      {{"--coordinate", "Orto di casa;45.08,6.70"}, "Orto di casa", ""},
      {{"--coordinate", "40.7,-74"}, nullptr, "fuori dall'Italia"},
      {{"--coordinate", "45,08"}, "45, 08", ""},
      {{"--coordinate", "quarantacinque"}, nullptr, "coordinate non valide"},
      {{"--coordinate", "45.08,6.70", "--city", "Roma"}, nullptr, "non vanno insieme"},
      {{"--city", "Monza", "--festa-patronale", "24/06"}, "MONZA (MB)", ""},
      {{"--city", "Monza", "--festa-patronale", "31/06"}, nullptr, "festa patronale non valida"},
      {{"--city", "Roma", "--festa-patronale", "24/06"}, nullptr, "ha già la sua festa patronale"},
  };
  for (const auto& c : cases) {
    QStringList args{QStringLiteral("ortalba"), QStringLiteral("--month"), QStringLiteral("2026-06")};
    args += c.args;
    const auto parsed = parseArguments(args);
    ASSERT_EQ(parsed.request.has_value(), c.place != nullptr) << args.join(' ').toStdString() << parsed.error.toStdString();
    if (c.place) {
      ASSERT_TRUE(parsed.request->place) << args.join(' ').toStdString();
      EXPECT_EQ(parsed.request->place->name, c.place);
    } else {
      EXPECT_TRUE(parsed.error.contains(QString::fromUtf8(c.errorPart))) << parsed.error.toStdString();
    }
  }
  EXPECT_EQ(parseArguments({"ortalba", "--month", "2026-06", "--festa-patronale", "24/6"}).request->ownFeast,
            (app::FeastDay{24, 6}));
  const auto province = parseArguments({"ortalba", "--elenco-comuni", "bt"});
  EXPECT_TRUE(province.comuni);
  EXPECT_EQ(province.province, QStringLiteral("BT"));
  EXPECT_TRUE(parseArguments({"ortalba", "--elenco-comuni"}).comuni);
  EXPECT_TRUE(parseArguments({"ortalba", "--elenco-comuni", "XX"}).error.contains(QStringLiteral("provincia sconosciuta")));
  EXPECT_TRUE(parseArguments({"ortalba", "--elenco-comuni", "TO", "MI"}).error.contains(QStringLiteral("provincia")));
  EXPECT_TRUE(parseArguments({"ortalba", "--help"}).help);
}

TEST(PrinterArguments, EchoedTextHidesWhatWouldMoveOrHideIt) {
  struct Case { const char16_t* typed; const char16_t* shown; } cases[] = {
      {u"MILANO", u"MILANO"},
      {u"a\tb\nc\x7f", u"a?b?c?"},                              // C0 and DEL
      {u"a\u0085b\u009Bc\u0080", u"a?b?c?"},                    // C1: a line end and a terminal command
      {u"x\u202Ey\u202Az\u2066w\u2069v", u"x?y?z?w?v"},        // direction overrides and isolates
      {u"\u061C\u200E\u200F\u2028\u2029", u"?????"},             // direction marks, line and paragraph separators
      {u"FORLÌ \u00E8 \u200B", u"FORLÌ \u00E8 \u200B"},           // letters and an invisible break stay
  };
  for (const Case& c : cases)
    EXPECT_EQ(shown(QString::fromUtf16(c.typed)), QString::fromUtf16(c.shown)) << QString::fromUtf16(c.typed).toStdString();
  // Cut at 60 characters, never between the halves of one.
  const QString emoji = QString(59, QLatin1Char('a')) + QString::fromUtf16(u"\U0001F600");
  EXPECT_EQ(shown(emoji), QString(59, QLatin1Char('a')) + QStringLiteral("..."));
  const auto parsed = parseArguments({"ortalba", "--month", QString::fromUtf16(u"\u202E30-6202\u0085")});
  EXPECT_TRUE(parsed.error.contains(QStringLiteral("\"?30-6202?\""))) << parsed.error.toStdString();
}

// The JSON holds every row of the sheet, the names of its bars and icons, the
// moon to the minute, and the clocks' times on the days of ora legale.
TEST(PrinterJson, HoldsMarchTwentyTwentySixInMilan) {
  const app::MonthSheet sheet = app::sheetOf(2026, 3, app::findPlace("MILANO").value());
  const QJsonObject root = QJsonDocument::fromJson(monthJson(sheet)).object();
  EXPECT_TRUE(root["year"] == 2026 && root["month"] == 3);
  EXPECT_EQ(root["title"].toString(), "MARZO 2026");
  EXPECT_EQ(root["city"].toString(), "MILANO");
  EXPECT_EQ(root["notes"].toString(), "Doc/Mar.rtf");
  EXPECT_EQ(root["panel_background"].toString(), "waxing") << "the tile shows the 1st";
  const QJsonArray days = root["days"].toArray();
  ASSERT_EQ(days.size(), 31);
  const QRegularExpression clock(QStringLiteral("^\\d\\d:\\d\\d$"));
  for (const app::DaySheet& row : sheet.days) {
    const QJsonObject d = days[row.day - 1].toObject();
    SCOPED_TRACE(row.day);
    EXPECT_EQ(d["bold_red"].toBool(), row.boldRed);
    EXPECT_EQ(d["santo"].toString().toStdString(), row.saintOrFeast);
    EXPECT_EQ(d["sorge"].toString().toStdString() + " " + d["tramonta"].toString().toStdString(),
              app::clockText(row.sunrise) + " " + app::clockText(row.sunset));
    EXPECT_EQ(d["sorge_ora_legale"].isNull(), row.day < 29) << "the clocks go forward on 29 March";
    EXPECT_TRUE(clock.match(d["luna_sorge"].toString()).hasMatch() || d["luna_sorge"].isNull());
    EXPECT_TRUE(d["luna_moto"] == "ascendente" || d["luna_moto"] == "discendente");
    EXPECT_EQ(d["da_fare"].toArray().isEmpty(), row.mark == app::PhaseMark::Neutral) << "nothing on a full or new moon";
    for (const auto& job : d["da_fare"].toArray())
      EXPECT_FALSE(job.toObject()["lavoro"].toString().isEmpty() || !job.toObject()["piante"].isArray());
  }
  // Waxing to the full moon of the 3rd, waning to the new moon of the 19th.
  struct Day { int day; const char* bar; const char* icon; } named[] = {
      {1, "waxing", "null"}, {3, "neutral", "full"}, {11, "waning", "last-quarter"}, {19, "neutral", "new"},
      {25, "waxing", "first-quarter"}};
  for (const Day& e : named) {
    const QJsonObject d = days[e.day - 1].toObject();
    EXPECT_EQ(d["bar"].toString(), e.bar) << e.day;
    EXPECT_EQ(d["icon"].isNull() ? "null" : d["icon"].toString(), e.icon) << e.day;
  }
  // The full moon rises as the sun sets, the new moon as it rises: within half an
  // hour on the day of each, hours apart on the days around.
  const auto minutes = [](const QJsonValue& clock) {
    return clock.toString().left(2).toInt() * 60 + clock.toString().mid(3).toInt();
  };
  const QJsonObject full = days[3 - 1].toObject(), fresh = days[19 - 1].toObject();
  EXPECT_LT(std::abs(minutes(full["luna_sorge"]) - minutes(full["tramonta"])), 30) << full["luna_sorge"].toString().toStdString();
  EXPECT_LT(std::abs(minutes(fresh["luna_sorge"]) - minutes(fresh["sorge"])), 30) << fresh["luna_sorge"].toString().toStdString();
  const QJsonArray phases = root["phases"].toArray();
  ASSERT_EQ(phases.size(), 4);
  for (const auto& value : phases) {
    const QJsonObject p = value.toObject();
    EXPECT_EQ(days[p["day"].toInt() - 1].toObject()["icon"].toString(), p["phase"].toString());
    EXPECT_TRUE(p["instant_utc"].toString().startsWith(QStringLiteral("2026-03-")));
  }
}

// Every column of the table stands where its heading does, whatever the day's text
// (a long one wraps in its own column), no line is wider than 100 characters, and
// the ora legale column is filled on the days the clocks are on it.
TEST(PrinterTable, ColumnsStandUnderTheirHeadingsWithinAHundredCharacters) {
  for (int year : {2026, 1969}) {
    for (int month = 1; month <= 12; ++month) {
      // The longest name of the table, and the holiday that writes the longest text.
      for (const char* city : {"REGGIO NELL'EMILIA", "BOLOGNA"}) {
        const app::MonthSheet sheet = app::sheetOf(year, month, app::findPlace(city).value());
        const QStringList lines = monthTable(sheet).split('\n');
        for (const QString& line : lines) EXPECT_LE(line.size(), 100) << line.toStdString();
        const QString heading = lines.at(1);
        const auto at = [&](const QString& column) { return heading.indexOf(column); };
        int row = 2;
        for (int d = 1; d <= sheet.length(); ++d, ++row) {
          const app::DaySheet& day = sheet.days[static_cast<std::size_t>(d - 1)];
          QString text = lines.at(row).mid(at("Santo o festa"), at("Sole") - at("Santo o festa")).trimmed();
          const QString first = lines.at(row);
          SCOPED_TRACE(first.toStdString());
          while (lines.at(row + 1).left(at("Santo o festa")).trimmed().isEmpty()) text += ' ' + lines.at(++row).trimmed();
          EXPECT_EQ(first.left(2).trimmed().toInt(), d);
          EXPECT_EQ(text, QString::fromStdString(day.saintOrFeast));
          EXPECT_EQ(first.mid(at("Sole"), 11), QString::fromStdString(app::clockText(day.sunrise) + " " +
                                                                     app::clockText(day.sunset)));
          EXPECT_EQ(first.mid(at("Ora legale"), 11).trimmed().isEmpty(), !app::onOraLegale({d, month, year}));
          EXPECT_TRUE(QRegularExpression(QStringLiteral("^(\\d\\d:\\d\\d|--:--) (\\d\\d:\\d\\d|--:--)"))
                          .match(first.mid(at("Luna"))).hasMatch());
          const QString phase = first.mid(at("Fase"), 13).trimmed();
          EXPECT_TRUE(day.icon != app::resources::None || phase == QString::fromLatin1(app::markWord(day.mark))) << d;
          EXPECT_TRUE(first.mid(at("Moto")) == "ascendente" || first.mid(at("Moto")) == "discendente");
          EXPECT_EQ(first.left(at("Santo o festa")).contains(QLatin1Char('*')), day.boldRed);
        }
      }
    }
  }
}

}  // namespace
