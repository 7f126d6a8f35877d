// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one search of the precise model: the instant where a function crosses
// zero inside a bracket (a phase's elongation, the Moon's height over the
// horizon, the slope of its distance at perigee and apogee).
#include <algorithm>
#include <cmath>
#include <limits>

namespace astro {

// [lo, hi] holds exactly one zero; `rising`: the function is negative at lo and
// positive at hi, otherwise the other way round.
struct Bracket {
  double lo = 0, hi = 0;
  bool rising = true;
};

// A function's value at a point and roughly how fast it changes there.
struct ValueAndSlope {
  double value = 0, slope = 0;
};

// Newton's steps from `start`, each kept inside the bracket, which narrows on
// every value; a step that would leave it halves it instead. The search ends
// with a step shorter than `tolerance`, or one too small to change t at all (a
// Julian Day of our era is a double to half a nanoday): where that step lands is
// the answer. With the exact slope or secants what is left is far below the
// tolerance; with a slope a few per cent off, a few hundredths of it.
template <class Function>
double zeroInBracket(Function valueAndSlope, Bracket b, double start, double tolerance) {
  double t = std::clamp(start, b.lo, b.hi);
  for (int i = 0; i < 100; ++i) {
    const ValueAndSlope v = valueAndSlope(t);
    if (v.value == 0) return t;
    ((v.value < 0) == b.rising ? b.lo : b.hi) = t;
    double next = t - v.value / v.slope;
    if (next == t) return t;
    if (!(next > b.lo && next < b.hi)) next = (b.lo + b.hi) / 2;
    if (std::fabs(next - t) < tolerance) return next;
    t = next;
  }
  return t;
}

// The same for a function that gives its value only: the slope is the secant's
// through its last two values, `firstSlope` for the first step.
template <class Function>
double zeroInBracket(Function value, Bracket b, double start, double firstSlope, double tolerance) {
  double lastT = std::numeric_limits<double>::quiet_NaN(), lastValue = 0;
  const auto withSecant = [&](double t) {
    const double v = value(t);
    const double slope = std::isnan(lastT) ? firstSlope : (v - lastValue) / (t - lastT);
    lastT = t;
    lastValue = v;
    return ValueAndSlope{v, slope};
  };
  return zeroInBracket(withSecant, b, start, tolerance);
}

}  // namespace astro
