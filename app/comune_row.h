// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A row of the table of Italy's comuni, kept in the order of their names' search keys.
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "almanac/italian_regions.h"
#include "app/search_key.h"

namespace app {

struct ComuneRow {
  std::string_view name;      // as ISTAT writes it: "Bardonecchia", "Bolzano/Bozen", "Reggio nell'Emilia"
  std::string_view province;  // the province's two letters: "TO"
  almanac::Region region;
  bool located = false;       // GeoNames gives its seat
  double latitude = 0;        // of its seat, degrees north
  double longitude = 0;       // degrees east
  constexpr ComuneRow(std::string_view name, std::string_view province, almanac::Region region, double latitude,
                      double longitude)
      : name(name), province(province), region(region), located(true), latitude(latitude), longitude(longitude) {}
  // A comune whose seat the coordinates' source does not name.
  constexpr ComuneRow(std::string_view name, std::string_view province, almanac::Region region)
      : name(name), province(province), region(region) {}
};

// The comuni, sorted by the search key of their names, then by province.
std::span<const ComuneRow> comuneRows();

// By key, then by province; no comune twice.
constexpr bool comesBefore(const ComuneRow& a, const ComuneRow& b) {
  const int byKey = compareKeys(a.name, b.name);
  return byKey < 0 || (byKey == 0 && a.province < b.province);
}

template <std::size_t N>
constexpr bool sortedWithoutRepeats(const std::array<ComuneRow, N>& rows) {
  for (std::size_t i = 1; i < N; ++i)
    if (!comesBefore(rows[i - 1], rows[i])) return false;
  for (const ComuneRow& row : rows) {
    if (row.name.empty() || row.province.size() != 2) return false;
    if (row.located && (row.latitude < 35 || row.latitude > 48 || row.longitude < 6 || row.longitude > 19)) return false;
  }
  return true;
}

}  // namespace app
