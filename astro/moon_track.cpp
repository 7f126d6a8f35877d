// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/moon_track.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/moon_series.h"

namespace astro {

// weights[j][n]: the coefficient of p^n in the Lagrange weight of node j, the
// nodes standing at 1 - Points/2 .. Points/2 and the point at p.
MoonTrack::Weights MoonTrack::powerWeights() {
  Weights weights{};
  for (int j = 0; j < Points; ++j) {
    std::array<double, Points> poly{};
    poly[0] = 1;
    double denominator = 1;
    const int xj = j + 1 - Points / 2;
    for (int i = 0; i < Points; ++i) {
      if (i == j) continue;
      const int xi = i + 1 - Points / 2;
      for (int n = Points - 1; n >= 0; --n) poly[n] = (n > 0 ? poly[n - 1] : 0) - xi * poly[n];  // times (p - xi)
      denominator *= xj - xi;
    }
    for (int n = 0; n < Points; ++n) weights[j][n] = poly[n] / denominator;
  }
  return weights;
}

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
  static const auto weights = powerWeights();
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
