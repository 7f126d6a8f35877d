// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sums of periodic terms whose arguments are whole-number combinations of a few
// angles (the Moon's series, the nutation). Each term's sine and cosine come from
// products of points on the unit circle instead of a call to sin and cos per
// term; over a run of instants each point is turned on by a fixed step.
#include <array>
#include <cmath>
#include <cstddef>

#include "astro/angles.h"

namespace astro {

// A point on the unit circle, e^(i x).
struct Turn {
  double c = 1;
  double s = 0;
};

inline Turn operator*(Turn a, Turn b) { return {a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s}; }

inline Turn turnOf(double angleDegrees) {
  const double x = normalizedDegrees(angleDegrees) * Degree;
  return {std::cos(x), std::sin(x)};
}

// e^(i k x) for k = -N..N, x in degrees.
template <int N>
class Multiples {
 public:
  explicit Multiples(double x) {
    turns_[N] = Turn{};
    const Turn one = turnOf(x);
    for (int k = 1; k <= N; ++k) {
      turns_[N + k] = turns_[N + k - 1] * one;
      turns_[N - k] = Turn{turns_[N + k].c, -turns_[N + k].s};
    }
  }
  Turn operator[](int k) const { return turns_[static_cast<std::size_t>(N + k)]; }

 private:
  std::array<Turn, 2 * N + 1> turns_{};
};

// One point per term of a series.
template <std::size_t N>
struct TermTurns {
  std::array<double, N> c{}, s{};
  void set(std::size_t i, Turn t) {
    c[i] = t.c;
    s[i] = t.s;
  }
  // Every point turned on by the matching point of `step`.
  void turnBy(const TermTurns& step) {
    for (std::size_t k = 0; k < N; ++k) {
      const double turnedC = c[k] * step.c[k] - s[k] * step.s[k];
      s[k] = s[k] * step.c[k] + c[k] * step.s[k];
      c[k] = turnedC;
    }
  }
};

// A series summed term by term, the even and the odd terms apart so that
// consecutive additions need not wait for each other.
struct PairSum {
  double even = 0, odd = 0;
  void add(std::size_t i, double term) { (i % 2 == 0 ? even : odd) += term; }
  double total() const { return even + odd; }
};

}  // namespace astro
