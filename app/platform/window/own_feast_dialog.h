// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small dialog that asks the day of the festa patronale of a place of the
// gardener's own: a day and a month (25/07), or nothing for none.
#include <optional>

#include "app/own_feast.h"
#include "app/place.h"

class QWidget;

namespace ortalba {

// What the gardener answered: a day or none (an empty answer); nothing when
// they closed the dialog. A day that is no day is asked again.
std::optional<std::optional<app::FeastDay>> askOwnFeast(QWidget* parent, const app::Place& place);

}  // namespace ortalba
