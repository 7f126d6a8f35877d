// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line: what the user asked for, or one Italian line
// saying what is wrong.
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "app/good_days.h"
#include "app/month_sheet.h"
#include "app/own_feast.h"
#include "app/place.h"
#include "app/platform/diary/diary_arguments.h"

namespace ortalba {

struct PrintRequest {
  enum class Mode { Month, YearCalendar, YearBooklet };
  Mode mode = Mode::Month;
  int year = 0;
  int month = 0;                    // with Mode::Month
  std::optional<app::Place> place;  // the city given; none: the one remembered
  bool json = false;
  QString pdfFile;                  // Month: write the page here instead of printing text; YearBooklet: the booklet
  bool cue = false;                 // with pdfFile: the moon cue for colour-blind gardeners
  bool moonSpans = false;           // with Mode::YearCalendar: the waxing and waning spans as events
  bool plantParts = false;          // with Mode::YearCalendar: the tradition's events
  std::optional<app::ChosenJob> job;  // the job whose good days are given
  app::Reckoning reckoning;         // the days the phases fall on, the zodiac
  std::optional<app::FeastDay> ownFeast;  // --festa-patronale: the place's festa for this run
  bool diary = false;               // --diario: with the calendar or the page, the gardener's diary
};

struct ParsedArguments {
  std::optional<PrintRequest> request;
  bool help = false;
  bool version = false;
  bool cities = false;  // --elenco-citta: the names of the table
  bool jobs = false;    // --elenco-lavori: the jobs of the notes
  bool comuni = false;  // --elenco-comuni: the comuni, all or of one province
  QString province;     // with comuni: the province's two letters, or empty for all
  std::optional<DiaryRequest> diary;  // the diary's own commands
  QString error;  // one Italian line when the arguments are wrong
};

// `arguments` as QCoreApplication::arguments() gives them (program name first).
ParsedArguments parseArguments(const QStringList& arguments);

QString helpText();
// "ortalba 0.1.0".
QString versionText();

}  // namespace ortalba
