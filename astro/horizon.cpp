// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/horizon.h"

#include <algorithm>
#include <cmath>

#include "astro/sidereal_time.h"

namespace astro {
namespace {

constexpr double Refraction = 34.0 / 60 * Degree;
constexpr double EarthRadiusKm = 6378.14;
constexpr double EarthFlattening = 1 / 298.257;
constexpr double MoonRadiusKm = 1738.1;
constexpr double SiderealRate = SiderealDegreesPerDay * Degree;  // radians per day

}  // namespace

MoonHeight::MoonHeight(const MoonTrack& track, GeoPosition where) : track_(track) {
  const double phi = where.latitude * Degree;
  cosPhi_ = std::cos(phi);
  sinPhi_ = std::sin(phi);
  const double u = std::atan((1 - EarthFlattening) * std::tan(phi));
  observerX_ = EarthRadiusKm * std::cos(u);
  observerZ_ = EarthRadiusKm * (1 - EarthFlattening) * std::sin(u);
  // Over a run of weeks the sidereal time is linear in time to a millionth of a second.
  start_ = track.start();
  siderealAtStart_ = (meanSiderealTime(start_) + where.longitude) * Degree;
}

double MoonHeight::siderealAngle(double jd) const { return siderealAtStart_ + SiderealRate * (jd - start_); }

double MoonHeight::hourAngle(double jd) const {
  const MoonTrack::Vector m = track_.at(jd);
  return siderealAngle(jd) - std::atan2(m.y, m.x);
}

double MoonHeight::semiArc(double jd) const {
  const MoonTrack::Vector m = track_.at(jd);
  const double d = std::sqrt(m.x * m.x + m.y * m.y + m.z * m.z);
  const double sinDec = m.z / d, cosDec = std::sqrt(1 - sinDec * sinDec);
  // The geocentric height at which the upper limb touches the horizon from the
  // place: the parallax less refraction and semidiameter, a small angle (a first
  // guess needs no more than the leading terms of the arcsine and the sine).
  const double parallax = EarthRadiusKm / d;
  const double h0 = parallax * (1 + parallax * parallax / 6) - Refraction - MoonRadiusKm / d;
  return std::acos(std::clamp((h0 - sinPhi_ * sinDec) / (cosPhi_ * cosDec), -1.0, 1.0));
}

ValueAndSlope MoonHeight::operator()(double jd) const {
  const MoonTrack::Vector m = track_.at(jd);
  const double theta = siderealAngle(jd);
  const double c = std::cos(theta), s = std::sin(theta);
  // The Moon seen from the place, in the frame of its meridian (x toward the
  // equator, z toward the pole).
  const double x = m.x * c + m.y * s - observerX_;
  const double y = m.x * s - m.y * c;  // distance times cos(dec) sin(hour angle)
  const double z = m.z - observerZ_;
  const double r = std::sqrt(x * x + y * y + z * z);
  const double sinAltitude = (x * cosPhi_ + z * sinPhi_) / r;
  const double cosAltitude = std::max(std::sqrt(1 - sinAltitude * sinAltitude), 1e-9);
  // Semidiameter: arcsine of a ratio near 1/220, by its series.
  const double q = MoonRadiusKm / r;
  return {std::asin(sinAltitude) + q * (1 + q * q / 6) + Refraction,
          -cosPhi_ * (y / r) * MoonHourAngleRate / cosAltitude};
}

}  // namespace astro
