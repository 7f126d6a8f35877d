#pragma once
// The command line of the printer: what the user asked for, or one Italian line
// saying what is wrong.
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace ortalba {

struct PrintRequest {
  enum class Mode { Month, YearCalendar };
  Mode mode = Mode::Month;
  int year = 0;
  int month = 0;                    // with Mode::Month
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

QString helpText();

// What the user typed, fit for a one-line message: characters that would move
// or hide the text on a terminal become "?", and a long text is cut.
QString shown(const QString& typed);

}  // namespace ortalba
