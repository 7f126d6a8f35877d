// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Moon on the ecliptic, as the sowing calendar reads it: its geocentric
// longitude on the mean ecliptic and equinox of J2000 (the constellations), its
// apparent longitude on the true equinox of date (the signs), its latitude on the
// ecliptic of date (the nodes) and its distance (perigee and apogee). Degrees.
#include <array>
#include <vector>

#include "astro/lagrange.h"
#include "astro/root_finder.h"

namespace astro {

struct MoonEcliptic {
  double longitudeJ2000 = 0;     // [0, 360)
  double apparentLongitude = 0;  // [0, 360)
  double latitude = 0;
  double distanceKm = 0;
};
MoonEcliptic moonEcliptic(double jdUT);

// The same over a run of days, for the many instants a search asks for: the
// series once a day, eight-point Lagrange polynomials in between, within a few
// hundredths of an arc-second (a twentieth of a second of the Moon's motion) and
// a few tens of metres.
class MoonEclipticTrack {
 public:
  enum class Coordinate { LongitudeJ2000, ApparentLongitude, Latitude, DistanceKm };

  // Good from fromJdUT to toJdUT.
  MoonEclipticTrack(double fromJdUT, double toJdUT);

  // A coordinate and how fast it changes, per day. The longitudes run on past 360
  // without a jump, from below 360 at the track's start.
  ValueAndSlope at(double jdUT, Coordinate coordinate) const;

 private:
  static constexpr int Points = 8;
  static constexpr double Spacing = 1;  // days
  // The series' figures, each Coordinate's, every Spacing days.
  static LagrangeTrack<4, Points> nodesOf(double fromJdUT, double toJdUT);

  LagrangeTrack<4, Points> track_;
};

}  // namespace astro
