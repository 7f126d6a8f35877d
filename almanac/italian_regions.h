// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The twenty regions of Italy and the three parts of the country they fall in,
// as ISTAT groups them: the part a gardener's advice may be limited to.
#include <array>
#include <cstddef>
#include <string_view>

namespace almanac {

// ISTAT's North (Nord-ovest and Nord-est), Centre, and South with the islands.
enum class Zone { Nord, Centro, SudEIsole };

enum class Region {
  Piemonte,
  ValleDAosta,
  Lombardia,
  TrentinoAltoAdige,
  Veneto,
  FriuliVeneziaGiulia,
  Liguria,
  EmiliaRomagna,
  Toscana,
  Umbria,
  Marche,
  Lazio,
  Abruzzo,
  Molise,
  Campania,
  Puglia,
  Basilicata,
  Calabria,
  Sicilia,
  Sardegna,
};

struct RegionOfItaly {
  Region region;
  std::string_view name;  // as Italian writes it: "Valle d'Aosta", "Emilia-Romagna"
  Zone zone;
};

// In the order of the enum, which is ISTAT's order of the regions.
inline constexpr std::array<RegionOfItaly, 20> RegionsOfItaly{{
    {Region::Piemonte, "Piemonte", Zone::Nord},
    {Region::ValleDAosta, "Valle d'Aosta", Zone::Nord},
    {Region::Lombardia, "Lombardia", Zone::Nord},
    {Region::TrentinoAltoAdige, "Trentino-Alto Adige", Zone::Nord},
    {Region::Veneto, "Veneto", Zone::Nord},
    {Region::FriuliVeneziaGiulia, "Friuli-Venezia Giulia", Zone::Nord},
    {Region::Liguria, "Liguria", Zone::Nord},
    {Region::EmiliaRomagna, "Emilia-Romagna", Zone::Nord},
    {Region::Toscana, "Toscana", Zone::Centro},
    {Region::Umbria, "Umbria", Zone::Centro},
    {Region::Marche, "Marche", Zone::Centro},
    {Region::Lazio, "Lazio", Zone::Centro},
    {Region::Abruzzo, "Abruzzo", Zone::SudEIsole},
    {Region::Molise, "Molise", Zone::SudEIsole},
    {Region::Campania, "Campania", Zone::SudEIsole},
    {Region::Puglia, "Puglia", Zone::SudEIsole},
    {Region::Basilicata, "Basilicata", Zone::SudEIsole},
    {Region::Calabria, "Calabria", Zone::SudEIsole},
    {Region::Sicilia, "Sicilia", Zone::SudEIsole},
    {Region::Sardegna, "Sardegna", Zone::SudEIsole},
}};

static_assert([] {
  for (std::size_t i = 0; i < RegionsOfItaly.size(); ++i)
    if (static_cast<std::size_t>(RegionsOfItaly[i].region) != i) return false;
  return true;
}(), "the regions in the order of their enum");

constexpr const RegionOfItaly& regionOfItaly(Region region) {
  return RegionsOfItaly[static_cast<std::size_t>(region)];
}

constexpr Zone zoneOf(Region region) { return regionOfItaly(region).zone; }

// "Nord", "Centro", "Sud e isole".
constexpr std::string_view zoneName(Zone zone) {
  switch (zone) {
    case Zone::Nord: return "Nord";
    case Zone::Centro: return "Centro";
    case Zone::SudEIsole: return "Sud e isole";
  }
  return {};
}

}  // namespace almanac
