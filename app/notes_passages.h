// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The passages of a month's notes that fit a day of the moon: each section has a
// sub-heading "In Luna crescente" and one "In Luna calante", each followed by its
// advice, until the next sub-heading or heading.
#include <cstddef>
#include <string_view>
#include <vector>

#include "app/italian_words.h"
#include "rtf/rtf_document.h"

namespace app {

struct MoonPassage {
  PhaseMark mark = PhaseMark::Waxing;  // Waxing for "In Luna crescente", Waning for "In Luna calante"
  std::size_t first = 0;               // the sub-heading's paragraph
  std::size_t last = 0;                // the passage's last paragraph (inclusive)
};

// The passages of `document`, in order; none when it has no such sub-headings.
std::vector<MoonPassage> moonPassages(const rtf::Document& document);

// The sub-heading of a mark's passages: "In Luna crescente", "In Luna calante"; empty for Neutral.
std::string_view passageHeading(PhaseMark mark);

}  // namespace app
