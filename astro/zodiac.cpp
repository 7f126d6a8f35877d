// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/zodiac.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "astro/angles.h"
#include "astro/constellations.h"
#include "astro/moon_ecliptic.h"
#include "astro/root_finder.h"

namespace astro {
namespace {

constexpr std::array<double, 12> SignStarts = {0, 30, 60, 90, 120, 150, 180, 210, 240, 270, 300, 330};
static_assert(ConstellationStarts.size() == static_cast<std::size_t>(ZodiacSign::Pisces) + 1);
// The track's own spacing: the Moon moves at most 16 degrees a day, and no
// constellation is narrower than 20, so a step holds one entry at most.
constexpr double ScanStep = 1;           // days
constexpr double EntryTolerance = 1e-8;  // days

const std::array<double, 12>& startsOf(ZodiacSystem system) {
  return system == ZodiacSystem::Constellations ? ConstellationStarts : SignStarts;
}

MoonEclipticTrack::Coordinate longitudeOf(ZodiacSystem system) {
  return system == ZodiacSystem::Constellations ? MoonEclipticTrack::Coordinate::LongitudeJ2000
                                                : MoonEclipticTrack::Coordinate::ApparentLongitude;
}

// The stretch holding a longitude: the last to begin at or before it; before
// the first begins, the last, which runs on past 360.
int stretchOf(double longitude, const std::array<double, 12>& starts) {
  const double x = normalizedDegrees(longitude);
  const auto after = std::upper_bound(starts.begin(), starts.end(), x);
  return after == starts.begin() ? 11 : static_cast<int>(after - starts.begin()) - 1;
}

}  // namespace

ZodiacSign zodiacAt(double jdUT, ZodiacSystem system) {
  const MoonEcliptic moon = moonEcliptic(jdUT);
  const double longitude = system == ZodiacSystem::Constellations ? moon.longitudeJ2000 : moon.apparentLongitude;
  return static_cast<ZodiacSign>(stretchOf(longitude, startsOf(system)));
}

std::vector<ZodiacEntry> zodiacEntries(double fromJdUT, double toJdUT, ZodiacSystem system) {
  std::vector<ZodiacEntry> found;
  if (!(toJdUT > fromJdUT) || !std::isfinite(fromJdUT) || !std::isfinite(toJdUT)) return found;
  const std::array<double, 12>& starts = startsOf(system);
  const MoonEclipticTrack::Coordinate coordinate = longitudeOf(system);
  // The scan begins a step early, so that an entry at fromJdUT itself is a change.
  double a = fromJdUT - ScanStep;
  const MoonEclipticTrack track(a, toJdUT);
  ValueAndSlope la = track.at(a, coordinate);
  while (a < toJdUT) {
    const double b = std::min(a + ScanStep, toJdUT);
    const ValueAndSlope lb = track.at(b, coordinate);
    // The longitude only grows: it passes the starts between la and lb in turn.
    for (int stretch = stretchOf(la.value, starts); stretch != stretchOf(lb.value, starts);) {
      stretch = (stretch + 1) % 12;
      const double start = la.value + normalizedDegrees(starts[static_cast<std::size_t>(stretch)] - la.value);
      const auto beyondStart = [&](double t) {
        const ValueAndSlope l = track.at(t, coordinate);
        return ValueAndSlope{l.value - start, l.slope};
      };
      const double t = zeroInBracket(beyondStart, Bracket{a, b, true}, a, EntryTolerance);
      if (t >= fromJdUT && t < toJdUT) found.push_back({static_cast<ZodiacSign>(stretch), t});
    }
    a = b;
    la = lb;
  }
  return found;
}

}  // namespace astro
