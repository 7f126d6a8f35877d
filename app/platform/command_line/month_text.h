// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A month of the almanac as text: JSON for programs, a table for a terminal.
#include <QByteArray>
#include <QString>

#include <optional>

#include "app/good_days.h"
#include "app/month_sheet.h"

namespace ortalba {

// The month as JSON: its title, city, notes document and every day's row; the
// panel's tile as it is when `panelDay` is selected.
// The days of ora legale have the clocks' times too; the moon's rises, sets and
// phases come to the minute.
// With `job`, each day says whether it suits it ("adatto") and why ("perche").
QByteArray monthJson(const app::MonthSheet& sheet, int panelDay = 1, const std::optional<app::ChosenJob>& job = {});
// The month as a text table, one line a day; the times in ora solare and, on the
// days of ora legale, the sun's as the clocks show them too.
QString monthTable(const app::MonthSheet& sheet, int panelDay = 1);

// The day the window selects when it shows the sheet's month: today in the
// current month, else the 1st.
int panelDayOf(const app::MonthSheet& sheet);

}  // namespace ortalba
