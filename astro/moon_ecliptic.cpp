// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/moon_ecliptic.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/lagrange.h"
#include "astro/moon_series.h"
#include "astro/nutation.h"
#include "astro/precession.h"
#include "astro/time_scales.h"

namespace astro {
namespace {

MoonEcliptic eclipticOf(const MoonSample& m) {
  // The series' own longitude is on the mean equinox of date: the apparent one less the nutation.
  const EclipticPoint meanOfDate{m.place.longitude - m.nutation.longitude, m.place.latitude};
  return {eclipticOfJ2000(meanOfDate, centuriesTT(m.jdUT)).longitude, m.place.longitude, m.place.latitude,
          m.place.distanceKm};
}

}  // namespace

MoonEcliptic moonEcliptic(double jdUT) { return eclipticOf({jdUT, moonPlace(jdUT), nutation(centuriesTT(jdUT))}); }

MoonEclipticTrack::MoonEclipticTrack(double fromJdUT, double toJdUT) {
  first_ = std::floor(fromJdUT - 0.5) + 0.5 - (Points / 2 - 1) * Spacing;
  const int count = static_cast<int>(std::ceil((toJdUT - first_) / Spacing)) + Points / 2 + 1;
  nodes_.reserve(static_cast<std::size_t>(count));
  double turnsJ2000 = 0, turnsApparent = 0;  // whole turns the longitudes have run on past 360
  for (const MoonSample& s : moonSamples(first_, Spacing, count)) {
    const MoonEcliptic m = eclipticOf(s);
    if (!nodes_.empty()) {
      // The Moon moves 10 to 16 degrees a day, always forwards.
      turnsJ2000 += m.longitudeJ2000 + turnsJ2000 < nodes_.back()[0] ? 360 : 0;
      turnsApparent += m.apparentLongitude + turnsApparent < nodes_.back()[1] ? 360 : 0;
    }
    nodes_.push_back({m.longitudeJ2000 + turnsJ2000, m.apparentLongitude + turnsApparent, m.latitude, m.distanceKm});
  }
}

ValueAndSlope MoonEclipticTrack::at(double jdUT, Coordinate coordinate) const {
  static constexpr auto weights = lagrangePowerWeights<Points>();
  const double u = (jdUT - first_) / Spacing - (Points / 2 - 1);
  const int intervals = static_cast<int>(nodes_.size()) - Points + 1;
  const int k = std::clamp(static_cast<int>(std::floor(u)), 0, intervals - 1);
  const double p = u - k;
  // The polynomial through the eight nodes around the interval, in powers of p.
  std::array<double, Points> c{};
  for (int j = 0; j < Points; ++j) {
    const double y = nodes_[static_cast<std::size_t>(k + j)][static_cast<std::size_t>(coordinate)];
    for (int n = 0; n < Points; ++n) c[n] += weights[j][n] * y;
  }
  double value = c[Points - 1], slope = 0;
  for (int n = Points - 2; n >= 0; --n) {
    slope = slope * p + value;
    value = value * p + c[n];
  }
  return {value, slope / Spacing};
}

}  // namespace astro
