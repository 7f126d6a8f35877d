// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lagrange's polynomial through values at equally spaced nodes, written in powers
// of the fraction of the interval in the middle: a run of days interpolated
// between the series' own figures costs a few multiplications an instant.
#include <array>

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

}  // namespace astro
