// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's pictures: the moon icons and the photographs, our own SVG artwork
// compiled into the program.
#include <QString>

class QSvgRenderer;

namespace ortalba {

// Makes the pictures available (they live in a static library).
void initPictures();

// The resource path of a picture number of the view model; empty for none.
QString picturePath(int resource);

// A renderer of the picture, kept for the whole run; nullptr for none.
QSvgRenderer* pictureRenderer(int resource);

}  // namespace ortalba
