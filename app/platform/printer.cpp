#include "app/platform/printer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <memory>

#include "app/city_table.h"
#include "app/platform/main_window.h"
#include "app/platform/month_page.h"
#include "app/platform/qt_platform.h"
#include "app/year_calendar.h"

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

const char* markItalian(app::PhaseMark mark) {
  switch (mark) {
    case app::PhaseMark::Waxing:
      return "crescente";
    case app::PhaseMark::Waning:
      return "calante";
    case app::PhaseMark::Neutral:
      break;
  }
  return "neutra";
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

app::PhaseMark markOfColour(app::Rgb colour) {
  for (auto mark : {app::PhaseMark::Waxing, app::PhaseMark::Waning})
    if (colour == app::colourOf(mark)) return mark;
  return app::PhaseMark::Neutral;
}

QString q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

MonthReport reportMonth(app::Form1& form, int year, int month, std::optional<int> cityIndex) {
  form.Form_Load();
  if (cityIndex) form.CityIndex = *cityIndex;
  // The year as the arrows leave it, then the month as its picker box does.
  form.AnnoC.caption = std::to_string(year);
  form.Label9_Click(month - 1);

  MonthReport report;
  report.year = year;
  report.month = month;
  report.title = form.Label1.caption;
  report.city = form.CityNames[static_cast<std::size_t>(form.CityIndex)];
  report.panelBackground = markOfColour(form.Shape3[31].fillColor);
  report.notes = std::string("Doc/") + app::NotesDocuments[static_cast<std::size_t>(month - 1)];

  const int days = calendar::daysInMonth(month, year);
  for (int d = 1; d <= days; ++d) {
    const auto k = static_cast<std::size_t>(d - 1);
    DayReport row;
    row.day = d;
    row.label = form.GGMM[k].caption;
    row.boldRed = form.GGMM[k].bold && form.GGMM[k].foreColor == app::colours::Red;
    row.bar = markOfColour(form.Shape3[k].fillColor);
    row.icon = form.LunaIMG[k + 1].resource;
    report.days.push_back(std::move(row));
  }
  for (auto& row : report.days) {
    form.GGMM_Click(row.day - 1);
    row.weekday = form.settimana.caption;
    row.santo = form.santo.caption;
    row.sorge = form.sorge.caption;
    row.tramonta = form.tramonta.caption;
  }
  return report;
}

QByteArray monthJson(const MonthReport& report) {
  QJsonArray days;
  for (const auto& row : report.days) {
    QJsonObject day;
    day.insert(QStringLiteral("day"), row.day);
    day.insert(QStringLiteral("label"), q(row.label));
    day.insert(QStringLiteral("bold_red"), row.boldRed);
    day.insert(QStringLiteral("bar"), QString::fromLatin1(markName(row.bar)));
    const char* icon = iconName(row.icon);
    day.insert(QStringLiteral("icon"), icon ? QJsonValue(QString::fromLatin1(icon)) : QJsonValue(QJsonValue::Null));
    day.insert(QStringLiteral("weekday"), q(row.weekday));
    day.insert(QStringLiteral("santo"), q(row.santo));
    day.insert(QStringLiteral("sorge"), q(row.sorge));
    day.insert(QStringLiteral("tramonta"), q(row.tramonta));
    days.append(day);
  }
  QJsonObject root;
  root.insert(QStringLiteral("year"), report.year);
  root.insert(QStringLiteral("month"), report.month);
  root.insert(QStringLiteral("title"), q(report.title));
  root.insert(QStringLiteral("city"), q(report.city));
  root.insert(QStringLiteral("days"), days);
  root.insert(QStringLiteral("panel_background"), QString::fromLatin1(markName(report.panelBackground)));
  root.insert(QStringLiteral("notes"), q(report.notes));
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString monthTable(const MonthReport& report) {
  QString out;
  out += q(report.title) + QStringLiteral(" - ") + q(report.city) + QLatin1Char('\n');
  out += QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
             .arg(QStringLiteral("Giorno"), -7)
             .arg(QStringLiteral("Settimana"), -10)
             .arg(QStringLiteral("Santo o festa"), -44)
             .arg(QStringLiteral("Sorge"), -5)
             .arg(QStringLiteral("Tram."), -5)
             .arg(QStringLiteral("Luna"), -13)
             .arg(QStringLiteral("Fase"));
  for (const auto& row : report.days) {
    out += QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
               .arg(q(row.label) + (row.boldRed ? QStringLiteral("*") : QString()), -7)
               .arg(q(row.weekday), -10)
               .arg(q(row.santo), -44)
               .arg(q(row.sorge), -5)
               .arg(q(row.tramonta), -5)
               .arg(QString::fromUtf8(app::phaseWordsOfIcon(row.icon)), -13)
               .arg(QString::fromLatin1(markItalian(row.bar)));
    while (out.endsWith(QLatin1Char(' '))) out.chop(1);
    out += QLatin1Char('\n');
  }
  out += QStringLiteral("* domenica o festa. Riquadro del giorno: %1. Note del mese: %2\n")
             .arg(QString::fromLatin1(markItalian(report.panelBackground)), q(report.notes));
  return out;
}

int runCommandLine(int argc, char** argv) {
  // A PDF page needs fonts, so a GUI application, but never a display.
  bool drawsPage = false;
  for (int i = 1; i < argc; ++i) {
    const QByteArray arg(argv[i]);
    drawsPage = drawsPage || arg == "--pdf" || arg == "-pdf" || arg.startsWith("--pdf=") || arg.startsWith("-pdf=");
  }
  if (drawsPage) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::unique_ptr<QCoreApplication> app =
      drawsPage ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
  const ParsedArguments parsed = parseArguments(QCoreApplication::arguments());
  if (parsed.help) {
    std::fputs(helpText().toUtf8().constData(), stdout);
    return 0;
  }
  if (!parsed.request) {
    std::fprintf(stderr, "%s\n", parsed.error.toUtf8().constData());
    return 2;
  }
  const PrintRequest& request = *parsed.request;
  QtPlatform platform;
  app::Form1 form(platform);
  std::optional<int> cityIndex;
  if (request.city) {
    for (std::size_t i = 0; i < app::CityTable.size() && !cityIndex; ++i)
      if (app::CityTable[i].name == *request.city) cityIndex = static_cast<int>(i);
  }
  if (request.mode == PrintRequest::Mode::YearCalendar) {
    form.Form_Load();  // the remembered city, unless one is given
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const app::IcsStamp stamp{now.date().year(), now.date().month(),  now.date().day(),
                              now.time().hour(), now.time().minute(), now.time().second()};
    const std::string ics = app::yearCalendarIcs(request.year, cityIndex.value_or(form.CityIndex), stamp);
    std::fwrite(ics.data(), 1, ics.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  const MonthReport report = reportMonth(form, request.year, request.month, cityIndex);
  if (!request.pdfFile.isEmpty()) {
    if (!writeMonthPdf(request.pdfFile, report, notesFile(form.VISMESE.path))) {
      std::fprintf(stderr, "ortalba: impossibile scrivere %s\n", request.pdfFile.toUtf8().constData());
      return 1;
    }
    return 0;
  }
  const QByteArray out = request.json ? monthJson(report) : monthTable(report).toUtf8();
  std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace ortalba
