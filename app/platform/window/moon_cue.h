// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cue that tells waxing from waning without colour: rising hatching on the
// waxing bars, falling hatching on the waning ones, none on the full-moon and
// new-moon days; and a legend that says so. Off until the gardener asks for it.
#include <QColor>
#include <QString>

#include "app/italian_words.h"
#include "app/view_model.h"

class QPainter;
class QRectF;

namespace ortalba {

// Hatches `area` for the mark, with lines `spacing` apart (in the painter's units).
void paintMoonCue(QPainter& painter, const QRectF& area, app::PhaseMark mark, double spacing);

// A legend swatch: the bar's colour, its hatching and a border.
void paintCueSwatch(QPainter& painter, const QRectF& area, app::PhaseMark mark, double spacing, double border);

// The legend's words for a mark: "Luna crescente", "Luna calante", "Luna piena e nuova".
QString cueLegendText(app::PhaseMark mark);

// A plant part's shape in `box`, the same on the window's rows and the page's: a
// root pointing down with its tuft, a leaf, a flower, a round fruit; told apart by
// shape, not colour.
void paintPlantPart(QPainter& painter, const QRectF& box, app::PlantPartMark part);

// The red of Sundays and feasts: the design's, or the darker one of the cue.
QColor feastRed(bool cue);

}  // namespace ortalba
