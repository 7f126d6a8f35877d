// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding a place as a gardener names it: one of the list's places, a comune
// ("Castro (LE)"), or the coordinates of a field ("Orto di casa;45.08,6.70");
// the chooser's search over all of them; and the line luogo.txt keeps for each.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/place.h"

namespace app {

// ---- coordinates ------------------------------------------------------------

// A field's coordinates as a gardener writes them: "45.08,6.70", "45.08, 6.70"
// or "45.08 6.70", degrees north then east with a full stop for decimals, after
// a name and a semicolon if they like ("Orto di casa;45.08,6.70").
struct Coordinates {
  std::string name;                        // empty when none was given
  std::string latitudeText, longitudeText; // as written: "45.08", "6.70"
  double latitude = 0, longitude = 0;
};
std::optional<Coordinates> parseCoordinates(std::string_view text);

// The almanac keeps Italian clocks: coordinates farther than Italy's seas are refused.
inline constexpr double SouthmostLatitude = 35, NorthmostLatitude = 48;
inline constexpr double WestmostLongitude = 6, EastmostLongitude = 19;
bool withinItaly(const Coordinates& coordinates);

// The place at the coordinates: named as the gardener named it, or by its
// coordinates ("45.08, 6.70"); in the zone of the nearest comune's region; no
// holiday.
Place placeOfCoordinates(const Coordinates& coordinates);

// ---- names ------------------------------------------------------------------

// What a name typed on the command line stands for.
struct PlaceLookup {
  std::optional<Place> place;
  std::vector<std::string> homonyms;  // comuni of that name in several provinces: "CASTRO (BG)", "CASTRO (LE)"
  std::string withoutSeat;            // the one comune of that name, whose seat the almanac does not know
};
// A place of the list as findPlaceLoosely finds it, else a comune by its name
// (with its province for one of several: "Castro (LE)").
PlaceLookup lookUpPlace(std::string_view typed);

// The names near one that matched none, places of the list first, at most `count`
// of each kind: those it begins (three letters or more), then those a third of
// whose letters at most are wrong.
std::vector<std::string> suggestedPlaces(std::string_view typed, std::size_t count);

// ---- luogo.txt --------------------------------------------------------------

// The line luogo.txt keeps for a place: a place of the list by its name as the
// list has it ("FORLI'"); a comune by its name and province ("BARDONECCHIA
// (TO)"); coordinates as the gardener gave them ("45.08,6.70"), after the name
// they gave ("Orto di casa;45.08,6.70"). An older almanac reads the last two as
// an unknown name (its first field ends at the first comma) and so keeps ROMA.
std::string rememberedLine(const Place& place);

// The comune a title names, exactly as comuneTitle writes it or in other
// letters' case ("BARDONECCHIA (TO)", "Bardonecchia (to)"); none without the
// province in brackets, so that a name of the list in small letters stays unknown.
std::optional<Place> placeOfComuneTitle(std::string_view title);

// ---- the chooser's search ---------------------------------------------------

// What the search box finds: a row's text and the place it stands for.
struct FoundPlace {
  std::string title;  // "ROMA", "BARDONECCHIA (TO)", "Orto di casa (45.08, 6.70)"
  Place place;
};

// The places a search finds: with nothing typed the list's places in their
// order; else the coordinates typed, then the places of the list and then the
// comuni whose names hold what was typed (without regard to case, accents,
// apostrophes and blanks), each kind the same name first, then the names it
// begins, then those it stands within; at most `limit` rows.
std::vector<FoundPlace> searchPlaces(std::string_view typed, std::size_t limit);

// How many names a search finds in all (the rows beyond the limit too).
std::size_t countFoundPlaces(std::string_view typed);

}  // namespace app
