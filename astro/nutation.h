// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The nutation in longitude and in obliquity and the obliquity of the ecliptic
// (Meeus, Astronomical Algorithms, 2nd ed., ch. 22), at instants given in Julian
// centuries of Terrestrial Time since J2000.0 (centuriesTT()). Degrees.
#include <cstddef>

#include "astro/periodic_terms.h"

namespace astro {

struct Nutation {
  double longitude = 0;      // delta psi
  double obliquity = 0;      // delta epsilon
  double trueObliquity = 0;  // mean obliquity + delta epsilon
};
Nutation nutation(double centuriesTT);

// For a run of instants a fixed step apart: the terms as points on the unit
// circle at one instant, how far each turns in one step, and the nutation they give.
inline constexpr std::size_t NutationTermCount = 63;
using NutationTurns = TermTurns<NutationTermCount>;
NutationTurns nutationTurns(double centuriesTT);
NutationTurns nutationStep(double fromCenturiesTT, double toCenturiesTT);
Nutation nutationOf(const NutationTurns& turns, double centuriesTT);

}  // namespace astro
