// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a notes document may ask of the text layout. The reader's own limits
// keep memory in check; these keep the viewer's and the page's layout fast,
// whatever the file holds. A real notes page has about a dozen paragraphs,
// forty runs and 3 KB of text in sizes of 11 to 20 points, with no word longer
// than a few dozen letters: far inside every bound below, so it is laid out
// exactly as written.
#include <cstddef>

#include "rtf/rtf_document.h"

namespace rtf {

struct LayoutBounds {
  std::size_t maxTextBytes = 64 * 1024;  // UTF-8 bytes laid out; the rest is dropped
  std::size_t maxParagraphs = 2'000;     // the rest is dropped
  std::size_t maxRuns = 2'000;           // runs kept with their own format; after them the text of
                                         // a paragraph joins its last run, one run a paragraph
  std::size_t maxWordLength = 100;       // characters without a place to break the line; then an
                                         // invisible break (U+200B) is put in
  int maxHalfPoints = 144;               // 72 pt: larger sizes are set at this one
};

// The document as the layout may take it: `document` itself where it is within
// `bounds`, cut and simplified where it is not.
Document boundedForLayout(const Document& document, const LayoutBounds& bounds = {});

}  // namespace rtf
