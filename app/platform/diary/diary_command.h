// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The gardener's diary on the command line: its entries as a table or JSON, its
// file for spreadsheets written and read; and its entries for the calendar and
// the page.
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "app/diary_ics.h"
#include "app/platform/diary/diary_arguments.h"

namespace ortalba {

// Runs --diario, --diario-esporta or --diario-importa on the user's diary:
// prints to stdout, errors to stderr; returns the exit code.
int runDiaryCommand(const DiaryRequest& request);

// The entries as the command line shows them: a table of lines within 100
// columns, each entry with the moon it was done under; or a JSON list.
QString diaryTable(const std::vector<app::DiaryEntry>& entries, const app::Reckoning& reckoning);
QByteArray diaryJson(const std::vector<app::DiaryEntry>& entries, const app::Reckoning& reckoning);

// The user's diary for the calendar and the page: the entries and reminders of a
// year, the entries of some days; nothing when it cannot be read, which is said
// on stderr (as is a damaged diary set aside).
std::optional<app::DiaryOfYear> userDiaryOfYear(int year);
std::optional<std::vector<app::DiaryEntry>> userDiaryEntries(const calendar::Date& first, const calendar::Date& last);

}  // namespace ortalba
