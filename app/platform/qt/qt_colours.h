// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The view model's colours as Qt paints them.
#include <QColor>

#include "app/view_model.h"

namespace ortalba {

inline QColor toQColor(app::Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace ortalba
