// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 108 places of the almanac, in the order its list shows them.
#include <optional>
#include <string_view>
#include <vector>

#include "app/place.h"


namespace app {

// Every place of the table, in list order, each with its patron holiday.
const std::vector<Place>& tablePlaces();

// The place of that name exactly as the table spells it ("FORLI'" is its own row).
std::optional<Place> findPlace(std::string_view name);

// A place as a gardener may type it: without regard to case, accents, apostrophes
// and blanks ("Milano", "forlì", "FORLI", "Reggio Emilia"); the first row that
// matches.
std::optional<Place> findPlaceLoosely(std::string_view typed);

// The names of the table near what was typed (a third of its letters wrong at
// most), nearest first, at most `count`, each spelling once: the suggestions for
// a name that matches none.
std::vector<std::string_view> nearestCities(std::string_view typed, std::size_t count);

// ROMA: the place of an almanac that remembers none.
const Place& defaultPlace();

}  // namespace app
