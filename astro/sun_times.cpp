// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/sun_times.h"

#include "astro/almanac_pi.h"
#include "astro/time_scales.h"
#include "calendar/calendar.h"

#include <cmath>

namespace astro {
namespace {


constexpr double K = 180 / AlmanacPi;  // degrees per radian

constexpr double Eccentricity = 0.016718;
constexpr double PerigeeAtEpoch = 4.93204;
constexpr double AnomalyAtEpoch = 2.12344;
constexpr double MeanMotion = 0.0172019;
constexpr double Epoch = 2444000.5;
constexpr double TimeCoefficient = 0.04301;
constexpr double SecondsPerRadian = 13750.987;

// The almanac's arcsine and arccosine, built on the arctangent; both are
// undefined at |X| >= 1, which only a latitude without sunrise or sunset gives.
double asin(double X) { return std::atan(X / std::sqrt(-X * X + 1)); }
double acos(double X) { return std::atan(-X / std::sqrt(-X * X + 1)) + 2 * std::atan(1.0); }

// Hours of Universal Time as whole minutes; a minute of 60 goes into the hour.
// A time the model cannot give (no sunrise or sunset at that latitude and date,
// a nonsense date) is none.
std::optional<int> minutesOf(double t) {
  if (!std::isfinite(t) || t < -48 || t > 48) return std::nullopt;
  double h = std::floor(t);
  double m = std::floor((t - h) * 60 + 0.5);
  if (m >= 60) {
    m -= 60;
    h += 1;
  }
  return static_cast<int>(h) * 60 + static_cast<int>(m);
}

}  // namespace

SunTimes sunTimes(const calendar::Date& date, GeoPosition where) {
  const double L = where.longitude;
  const double phi = where.latitude;
  const double e = Eccentricity;
  const double s = SecondsPerRadian;
  const double y = TimeCoefficient;

  const double JD = julianDay(date);

  const double omega = PerigeeAtEpoch + 8.22e-05 * (JD - Epoch) / 100;

  double Ma = AnomalyAtEpoch + MeanMotion * (JD - Epoch);
  Ma = Ma - 2 * AlmanacPi * std::floor(Ma / (2 * AlmanacPi));

  double nu = Ma + 2 * e * std::sin(Ma) + 1.25 * e * e * std::sin(2 * Ma);
  if (nu < 0) nu = nu + 2 * AlmanacPi;

  double lambda = omega + nu;
  lambda = lambda - 2 * AlmanacPi * std::floor(lambda / (2 * AlmanacPi));

  const double T = (JD - 2415020.5) / 365.2422;
  const double epsilon = 23.452294 - (0.46845 * T + 5.9e-07 * T * T) / 3600;

  double delta = asin(std::sin(lambda) * std::sin(epsilon / K));
  delta = delta * K;
  lambda = lambda * K;

  // Equation of time, seconds.
  const double E = 2 * e * s * std::sin(Ma) + 1.25 * e * e * s * std::sin(2 * Ma) -
                   y * s * std::sin(2 * (omega + Ma)) + y * y * s * std::sin(4 * (omega + Ma)) / 2;

  const double H0 = K * acos(-std::tan(phi / K) * std::tan(delta / K));

  // Declination change over the day, degrees per day.
  const double r = std::sin(epsilon / K) * 0.9856 * std::cos(lambda / K) / std::cos(delta / K);

  const double deltaRise = delta + r * (180 - H0) / 360;
  const double Hr = -acos(-std::tan(phi / K) * std::tan(deltaRise / K));
  const double dHr = 5 / (6 * std::cos(phi / K) * std::cos(deltaRise / K) * std::sin(Hr));
  const double tr = (Hr * K + dHr) / 15 + E / 3600 - L / 15 + 12;

  const double deltaSet = delta + r * (H0 + 180) / 360;
  const double Hs = acos(-std::tan(phi / K) * std::tan(deltaSet / K));
  const double dHs = 5 / (6 * std::cos(phi / K) * std::cos(deltaSet / K) * std::sin(Hs));
  const double ts = (Hs * K + dHs) / 15 + E / 3600 - L / 15 + 12;

  return SunTimes{minutesOf(tr), minutesOf(ts)};
}

}  // namespace astro
