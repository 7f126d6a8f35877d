// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Moon over the horizon of a place: its upper limb on the sea horizon with
// 34' of refraction, seen from the place itself (parallax) and with the
// semidiameter of the Moon at its distance from the place.
#include <cmath>

#include "astro/angles.h"
#include "astro/geo_position.h"
#include "astro/moon_track.h"
#include "astro/root_finder.h"

namespace astro {

// Hour angle turned per day, roughly: the Earth's turn less the Moon's mean
// motion in right ascension; radians.
inline constexpr double MoonHourAngleRate = 2 * Pi * 1.00273790935 - 0.2299;

// The height of the Moon's upper limb over the horizon of a place, refraction
// included, and roughly how fast it changes: a rise or set is a zero of it.
class MoonHeight {
 public:
  MoonHeight(const MoonTrack& track, GeoPosition where);

  // Radians and radians per day.
  ValueAndSlope operator()(double jd) const;

  // The Moon's hour angle (radians, not reduced to a turn).
  double hourAngle(double jd) const;
  // Hour angle of a rise or set with the declination and distance of one instant.
  double semiArc(double jd) const;
  double latitude() const { return std::atan2(sinPhi_, cosPhi_); }

 private:
  // Local mean sidereal time, radians (not reduced to a turn).
  double siderealAngle(double jd) const;

  const MoonTrack& track_;
  double cosPhi_ = 1, sinPhi_ = 0;
  double observerX_ = 0, observerZ_ = 0;  // km, in the frame of the place's meridian
  double start_ = 0, siderealAtStart_ = 0;
};

}  // namespace astro
