// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/time_scales.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace astro {
namespace {

constexpr double UnixEpochJd = 2440587.5;  // 1970 January 1, 0 h

}  // namespace

double julianDay(const calendar::Date& date) {
  return static_cast<double>(calendar::dayOf(date).time_since_epoch().count()) + UnixEpochJd;
}

CivilTime civilTime(double jdUT, int utcOffsetHours) {
  // Beyond twenty thousand years either way (or not a number) the clock stops at the edge.
  jdUT = std::clamp(std::isfinite(jdUT) ? jdUT : 0.0, -5e6, 1e7);
  const long long minutes = std::llround((jdUT - UnixEpochJd) * 1440) + 60LL * utcOffsetHours;
  const long long days = calendar::floorDiv(minutes, 1440);
  const long long inDay = minutes - days * 1440;
  return {calendar::dateOf(std::chrono::sys_days(std::chrono::days(days))), static_cast<int>(inDay / 60),
          static_cast<int>(inDay % 60)};
}

double deltaT(double y) {
  const auto parabola = [](double year) {
    const double u = (year - 1820) / 100;
    return -20 + 32 * u * u;
  };
  if (y < -500) return parabola(y);
  if (y < 500) {
    const double u = y / 100;
    return 10583.6 +
           u * (-1014.41 + u * (33.78311 + u * (-5.952053 + u * (-0.1798452 + u * (0.022174192 + u * 0.0090316521)))));
  }
  if (y < 1600) {
    const double u = (y - 1000) / 100;
    return 1574.2 +
           u * (-556.01 + u * (71.23472 + u * (0.319781 + u * (-0.8503463 + u * (-0.005050998 + u * 0.0083572073)))));
  }
  if (y < 1700) {
    const double t = y - 1600;
    return 120 + t * (-0.9808 + t * (-0.01532 + t / 7129));
  }
  if (y < 1800) {
    const double t = y - 1700;
    return 8.83 + t * (0.1603 + t * (-0.0059285 + t * (0.00013336 - t / 1174000)));
  }
  if (y < 1860) {
    const double t = y - 1800;
    return 13.72 +
           t * (-0.332447 +
                t * (0.0068612 + t * (0.0041116 + t * (-0.00037436 + t * (0.0000121272 +
                                                                          t * (-0.0000001699 + t * 0.000000000875))))));
  }
  if (y < 1900) {
    const double t = y - 1860;
    return 7.62 + t * (0.5737 + t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174))));
  }
  if (y < 1920) {
    const double t = y - 1900;
    return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - t * 0.000197)));
  }
  if (y < 1941) {
    const double t = y - 1920;
    return 21.20 + t * (0.84493 + t * (-0.076100 + t * 0.0020936));
  }
  if (y < 1961) {
    const double t = y - 1950;
    return 29.07 + t * (0.407 + t * (-1.0 / 233 + t / 2547));
  }
  if (y < 1986) {
    const double t = y - 1975;
    return 45.45 + t * (1.067 + t * (-1.0 / 260 - t / 718));
  }
  if (y < 2005) {
    const double t = y - 2000;
    return 63.86 + t * (0.3345 + t * (-0.060374 + t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
  }
  if (y < 2050) {
    const double t = y - 2000;
    return 62.92 + t * (0.32217 + t * 0.005589);
  }
  if (y < 2150) return parabola(y) - 0.5628 * (2150 - y);
  return parabola(y);
}

double decimalYear(double jdUT) { return 2000 + (jdUT - 2451544.5) / 365.2425; }

double centuriesTT(double jdUT) { return (jdUT + deltaT(decimalYear(jdUT)) / 86400 - J2000) / DaysPerJulianCentury; }

}  // namespace astro
