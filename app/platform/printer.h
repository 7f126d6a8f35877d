#pragma once
// The command-line printer: a month of the almanac as a table or as JSON, drawn by
// the same window procedures as the window, without a display.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "app/form1.h"

namespace ortalba {

struct PrintRequest {
  enum class Mode { Month, YearCalendar };
  Mode mode = Mode::Month;
  int year = 0;
  int month = 0;  // with Mode::Month
  std::optional<std::string> city;  // a name of the table, as given
  bool json = false;
  QString pdfFile;                  // with Mode::Month: write the page here instead of printing text
};

struct ParsedArguments {
  std::optional<PrintRequest> request;
  bool help = false;
  QString error;  // one Italian line when the arguments are wrong
};

// `arguments` as QCoreApplication::arguments() gives them (program name first).
ParsedArguments parseArguments(const QStringList& arguments);

struct DayReport {
  int day = 0;
  std::string label;
  bool boldRed = false;
  app::PhaseMark bar = app::PhaseMark::Neutral;
  int icon = app::resources::None;
  std::string weekday, santo, sorge, tramonta;
};

struct MonthReport {
  int year = 0;
  int month = 0;
  std::string title;
  std::string city;
  std::vector<DayReport> days;
  app::PhaseMark panelBackground = app::PhaseMark::Neutral;
  std::string notes;  // relative to the working folder, "/"-separated
};

// Starts the form, shows the month as the month and year commands would, then
// selects every day in turn. `cityIndex` overrides the remembered city without saving it.
MonthReport reportMonth(app::Form1& form, int year, int month, std::optional<int> cityIndex);

QByteArray monthJson(const MonthReport& report);
QString monthTable(const MonthReport& report);
QString helpText();

// The whole command line: prints to stdout, errors to stderr; returns the exit code.
int runCommandLine(int argc, char** argv);

}  // namespace ortalba
