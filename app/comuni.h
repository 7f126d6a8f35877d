// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Italy's comuni as places of the almanac: a comune's name as the almanac shows
// it, the place it is, and finding comuni by name, by province and by position.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/comune_row.h"
#include "app/place.h"
#include "astro/geo_position.h"

namespace app {

// "BARDONECCHIA (TO)": the name in capitals (ß as SS), then its province.
std::string comuneTitle(const ComuneRow& comune);

// The place of the almanac's list that a comune is (ROMA for Roma, REGGIO
// NELL'EMILIA for Reggio nell'Emilia), if it is one.
const Place* listedPlaceOf(const ComuneRow& comune);

// The place a comune is: a place of the list as the list has it (its name, its
// coordinates, its holiday); any other at its seat, in the zone of its region,
// without a holiday. None for a comune whose seat the almanac does not know.
std::optional<Place> placeOfComune(const ComuneRow& comune);

// The comuni of that name, without regard to case, accents, apostrophes and
// blanks; with its province in brackets ("Castro (LE)") only that one.
std::vector<const ComuneRow*> comuniNamed(std::string_view typed);

// The comuni of a province by its two letters (of either case), in the order of
// their names; none for letters that name no province.
std::vector<const ComuneRow*> comuniOfProvince(std::string_view sigla);

// The comune whose seat lies nearest a position, among those whose seat is known.
const ComuneRow& nearestComune(const astro::GeoPosition& position);

}  // namespace app
