// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lagrange's polynomial through values at equally spaced nodes, written in powers
// of the fraction of the interval in the middle: a run of days interpolated
// between the series' own figures costs a few multiplications an instant.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include "astro/root_finder.h"

namespace astro {

template <int Points>
using PowerWeights = std::array<std::array<double, Points>, Points>;

// weights[j][n]: the coefficient of p^n in the Lagrange weight of node j, the
// nodes standing at 1 - Points/2 .. Points/2 and the point at p.
template <int Points>
constexpr PowerWeights<Points> lagrangePowerWeights() {
  PowerWeights<Points> weights{};
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

// The nodes a track from `from` to `to` needs, every `spacing` days: the first on
// a 0 h UT far enough before `from`, and how many reach far enough past `to`.
struct NodeGrid {
  double first;
  int count;
};
template <int Points>
NodeGrid nodeGrid(double from, double to, double spacing) {
  const double first = std::floor(from - 0.5) + 0.5 - (Points / 2 - 1) * spacing;
  return {first, static_cast<int>(std::ceil((to - first) / spacing)) + Points / 2 + 1};
}

// `Width` quantities known at nodes every `spacing` days from `first`, between
// them the polynomial through the Points nodes around each interval, made once
// for each interval in powers of its fraction.
template <int Width, int Points = 8>
class LagrangeTrack {
 public:
  using Values = std::array<double, Width>;

  LagrangeTrack(double first, double spacing, const std::vector<Values>& nodes) : first_(first), spacing_(spacing) {
    static constexpr auto weights = lagrangePowerWeights<Points>();
    for (std::size_t k = 0; k + Points <= nodes.size(); ++k) {
      std::array<Values, Points> c{};
      for (int j = 0; j < Points; ++j)
        for (int n = 0; n < Points; ++n)
          for (int w = 0; w < Width; ++w) c[n][w] += weights[j][n] * nodes[k + j][w];
      polynomials_.push_back(c);
    }
  }

  double first() const { return first_; }

  // Every quantity at `t`.
  Values at(double t) const {
    double p = 0;
    const std::array<Values, Points>& c = polynomialAt(t, p);
    Values v = c[Points - 1];
    for (int n = Points - 2; n >= 0; --n)
      for (int w = 0; w < Width; ++w) v[w] = v[w] * p + c[n][w];
    return v;
  }

  // One quantity at `t`, and how fast it changes per day.
  ValueAndSlope at(double t, int w) const {
    double p = 0;
    const std::array<Values, Points>& c = polynomialAt(t, p);
    double value = c[Points - 1][w], slope = 0;
    for (int n = Points - 2; n >= 0; --n) {
      slope = slope * p + value;
      value = value * p + c[n][w];
    }
    return {value, slope / spacing_};
  }

 private:
  // The interval's polynomial, and in `p` the fraction of it `t` stands at.
  const std::array<Values, Points>& polynomialAt(double t, double& p) const {
    const double u = (t - first_) / spacing_ - (Points / 2 - 1);
    const int k = std::clamp(static_cast<int>(std::floor(u)), 0, static_cast<int>(polynomials_.size()) - 1);
    p = u - k;
    return polynomials_[static_cast<std::size_t>(k)];
  }

  double first_, spacing_;
  std::vector<std::array<Values, Points>> polynomials_;
};

}  // namespace astro
