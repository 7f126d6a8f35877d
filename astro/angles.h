// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Angles of the precise model: pi to the last bit, the degree, and an angle
// brought into one turn. The almanac's old formulae keep their own pi
// (almanac_pi.h).
#include <cmath>
#include <numbers>

namespace astro {

inline constexpr double Pi = std::numbers::pi;
inline constexpr double Degree = Pi / 180;  // in radians

// An angle in degrees brought into [0, 360).
inline double normalizedDegrees(double angle) {
  angle -= 360 * std::floor(angle / 360);
  return angle < 360 ? angle : 0;  // a tiny negative angle rounds up to 360
}

// An angle brought into (-turn / 2, turn / 2]: turn is 360 for degrees, 2 pi for radians.
inline double wrappedAngle(double angle, double turn) {
  angle = std::fmod(angle, turn);
  if (angle > turn / 2) angle -= turn;
  if (angle <= -turn / 2) angle += turn;
  return angle;
}

}  // namespace astro
