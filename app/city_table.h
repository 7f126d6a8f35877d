// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 108 places of the almanac and their coordinate codes.
#include <array>
#include <optional>
#include <string_view>
#include <vector>
#include <string>

namespace app {

struct CityRow {
  std::string_view name;  // UTF-8, capitals with accents and apostrophes
  std::string_view code;  // 12 digits: lon dd mm, lat dd mm, altitude mmmm
};

extern const std::array<CityRow, 108> CityTable;
inline constexpr int DefaultCity = 68;  // ROMA

// First row whose name equals `name` exactly (case-sensitive), in a list of
// names or in CityTable itself.
std::optional<int> findCity(const std::vector<std::string>& names, std::string_view name);
std::optional<int> findCity(std::string_view name);

}  // namespace app
