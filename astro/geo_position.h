// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace astro {

// A place on the Earth.
struct GeoPosition {
  double longitude = 0;       // degrees east
  double latitude = 0;        // degrees north
  double altitudeMetres = 0;  // above the sea; rises and sets are reckoned on the sea horizon all the same
  friend bool operator==(const GeoPosition&, const GeoPosition&) = default;
};

}  // namespace astro
