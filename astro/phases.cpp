// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/phases.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/moon_series.h"
#include "astro/root_finder.h"
#include "astro/sun_series.h"
#include "astro/time_scales.h"

namespace astro {
namespace {

constexpr double SynodicMonth = 29.530588861;      // days
constexpr double MeanNewMoon2000 = 2451550.09766;  // JDE of the mean new moon of 2000 January 6
constexpr double MeanElongationRate = 12.19;       // degrees per day
constexpr double PhaseTolerance = 1e-9;            // days
// A true phase lies within a day of its mean one in every year 1..9999 (0.82 day
// at most): the search looks this far either side.
constexpr double MeanPhaseReach = 3;  // days

// Mean instant (UT) of phase number q = 4 * lunation + kind, lunation 0 being January 2000's.
double meanPhase(long long q) {
  const double k = static_cast<double>(q) / 4;
  const double T = k / 1236.85;
  const double jde = MeanNewMoon2000 + SynodicMonth * k + T * T * (0.00015437 + T * (-0.000000150 + T * 0.00000000073));
  return jde - deltaT(decimalYear(jde)) / 86400;
}

PhaseKind kindOf(long long q) {
  constexpr PhaseKind kinds[4] = {PhaseKind::NewMoon, PhaseKind::FirstQuarter, PhaseKind::FullMoon,
                                  PhaseKind::LastQuarter};
  return kinds[((q % 4) + 4) % 4];
}

// Apparent longitude of the Moon minus that of the Sun, [0, 360). The nutation
// in longitude moves both bodies alike and is left out.
double moonElongation(double jdUT) {
  const double T = centuriesTT(jdUT);
  const SunPosition sun = sunPosition(T);
  return normalizedDegrees(moonLongitude(T) - sun.longitude - solarAberration(sun.distanceAu));
}

// The instant the elongation reaches the phase's angle.
double truePhase(long long q) {
  const double target = 90.0 * static_cast<double>(((q % 4) + 4) % 4);
  const auto offset = [&](double t) { return wrappedAngle(moonElongation(t) - target, 360.0); };
  const double mean = meanPhase(q);
  return zeroInBracket(offset, Bracket{mean - MeanPhaseReach, mean + MeanPhaseReach, true}, mean, MeanElongationRate,
                       PhaseTolerance);
}

}  // namespace

std::vector<PhaseMoment> phaseMoments(double fromJdUT, double toJdUT) {
  std::vector<PhaseMoment> found;
  if (!(toJdUT > fromJdUT) || !std::isfinite(fromJdUT) || !std::isfinite(toJdUT)) return found;
  long long q = static_cast<long long>(std::floor(4 * (fromJdUT - MeanPhaseReach - MeanNewMoon2000) / SynodicMonth));
  for (; meanPhase(q) < toJdUT + MeanPhaseReach; ++q) {
    const double t = truePhase(q);
    if (t >= fromJdUT && t < toJdUT) found.push_back({kindOf(q), t});
  }
  return found;
}

}  // namespace astro
