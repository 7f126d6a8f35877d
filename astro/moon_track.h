// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Moon's geocentric place over a run of days, for the many instants a search
// of rises and sets asks for: the series every other day, eight-point Lagrange
// polynomials in between, a fraction of an arc-second for a fraction of the cost.
#include <array>
#include <vector>

#include "astro/lagrange.h"

namespace astro {

class MoonTrack {
 public:
  // The Moon as a vector in km on the true equator of date, its right ascension
  // turned by the equation of the equinoxes so that the mean sidereal time gives
  // hour angles.
  struct Vector {
    double x, y, z;
  };

  // Good from fromJd to toJd (Julian Days of Universal Time).
  MoonTrack(double fromJd, double toJd);

  Vector at(double jd) const;
  double start() const { return track_.first(); }

 private:
  static constexpr int Points = 8;
  static constexpr double Spacing = 2;  // days
  static LagrangeTrack<3, Points> nodesOf(double fromJd, double toJd);

  LagrangeTrack<3, Points> track_;
};

}  // namespace astro
