// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cue that tells waxing from waning without colour: rising hatching on the
// waxing bars, falling hatching on the waning ones, none on the full-moon and
// new-moon days; and a legend that says so. Off until the gardener asks for it.
#include <QColor>
#include <QString>

#include "app/italian_words.h"

class QPainter;
class QRectF;

namespace ortalba {

// Hatches `area` for the mark, with lines `spacing` apart (in the painter's units).
void paintMoonCue(QPainter& painter, const QRectF& area, app::PhaseMark mark, double spacing);

// A legend swatch: the bar's colour, its hatching and a border.
void paintCueSwatch(QPainter& painter, const QRectF& area, app::PhaseMark mark, double spacing, double border);

// The legend's words for a mark: "Luna crescente", "Luna calante", "Luna piena e nuova".
QString cueLegendText(app::PhaseMark mark);

// The red of Sundays and feasts: the design's, or the darker one of the cue.
QColor feastRed(bool cue);

}  // namespace ortalba
