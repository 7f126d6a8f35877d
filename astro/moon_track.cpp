// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/moon_track.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/lagrange.h"
#include "astro/moon_series.h"

namespace astro {

MoonTrack::MoonTrack(double fromJd, double toJd) {
  first_ = std::floor(fromJd - 0.5) + 0.5 - (Points / 2 - 1) * Spacing;
  const int count = static_cast<int>(std::ceil((toJd - first_) / Spacing)) + Points / 2 + 1;
  std::vector<Vector> nodes;
  nodes.reserve(static_cast<std::size_t>(count));
  for (const MoonSample& m : moonSamples(first_, Spacing, count)) {
    const Nutation& n = m.nutation;
    const double ra = (m.place.rightAscension - n.longitude * std::cos(n.trueObliquity * Degree)) * Degree;
    const double dec = m.place.declination * Degree;
    const double d = m.place.distanceKm;
    nodes.push_back({d * std::cos(dec) * std::cos(ra), d * std::cos(dec) * std::sin(ra), d * std::sin(dec)});
  }
  static const auto weights = lagrangePowerWeights<Points>();
  for (std::size_t k = Points / 2 - 1; k + Points / 2 < nodes.size(); ++k) {
    std::array<Vector, Points> c{};
    for (int j = 0; j < Points; ++j) {
      const Vector& v = nodes[k + 1 - Points / 2 + j];
      for (int n = 0; n < Points; ++n) {
        c[n].x += weights[j][n] * v.x;
        c[n].y += weights[j][n] * v.y;
        c[n].z += weights[j][n] * v.z;
      }
    }
    polynomials_.push_back(c);
  }
}

MoonTrack::Vector MoonTrack::at(double jd) const {
  const double u = (jd - first_) / Spacing - (Points / 2 - 1);
  const int k = std::clamp(static_cast<int>(std::floor(u)), 0, static_cast<int>(polynomials_.size()) - 1);
  const double p = u - k;
  const std::array<Vector, Points>& c = polynomials_[static_cast<std::size_t>(k)];
  Vector v = c[Points - 1];
  for (int n = Points - 2; n >= 0; --n) v = {v.x * p + c[n].x, v.y * p + c[n].y, v.z * p + c[n].z};
  return v;
}

}  // namespace astro
