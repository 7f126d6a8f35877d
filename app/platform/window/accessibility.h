// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader finds in the window beyond what Qt gives (the captions that
// do something are Qt's own buttons, the city list Qt's own list): the notes as a
// document and the panel's texts as text; the bars and pictures are decoration.
namespace ortalba {

// Makes the window's own widgets known to the accessibility layer (once).
void installAccessibility();

}  // namespace ortalba
