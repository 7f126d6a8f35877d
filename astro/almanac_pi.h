// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac's own value of pi, a little below the full-precision one. Its phase
// days and sun times must come out exactly as it has always printed them, and a
// phase close to midnight is decided by the last bits, so its formulae keep this
// value and turn degrees into radians as (angle * pi) / 180, in that order.
namespace astro {

inline constexpr double AlmanacPi = 3.14159265358979;

constexpr double almanacRadians(double degrees) { return (degrees * AlmanacPi) / 180; }

}  // namespace astro
