// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The festa patronale a gardener keeps for a place of their own (a comune not
// in the list, or a field): a holiday on its day, marked as the list's places'
// holidays are, and said "Festa patronale di BARDONECCHIA".
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "app/place.h"

namespace app {

struct FeastDay {
  int day = 0;
  int month = 0;
  friend bool operator==(const FeastDay&, const FeastDay&) = default;
};

// "25/7", "25/07" or "25-07": a day that every year has (29 February is not one).
std::optional<FeastDay> parseFeastDay(std::string_view text);
// "25/07".
std::string feastDayText(FeastDay day);

// Whether the gardener may give the place a festa of their own: every place but
// those of the list, which keep their own holiday.
bool takesOwnFeast(const Place& place);

// The place with the festa the gardener keeps for it, keyed by the line luogo.txt
// keeps for it (app/place_search); as it is when it keeps none or takes none.
Place withOwnFeast(Place place, const std::map<std::string, FeastDay>& ownFeasts);

// The same, with that day or none.
Place withOwnFeast(Place place, std::optional<FeastDay> day);

}  // namespace app
