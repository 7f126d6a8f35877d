// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/moon_series.h"
#include "astro/nutation.h"
#include "astro/sidereal_time.h"
#include "astro/sun_series.h"
#include "astro/time_scales.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
using namespace astro;

constexpr double ArcSecond = 1.0 / 3600;

// An instant of Terrestrial Time as the Universal Time the functions take.
double universal(double jde) {
  double jd = jde;
  for (int i = 0; i < 3; ++i) jd = jde - deltaT(decimalYear(jd)) / 86400;
  return jd;
}

// The worked examples of Astronomical Algorithms (2nd ed.): 47.a, the Moon on 1992 April 12 at 0 h TT;
// 25.b, the Sun on 1992 October 13 at 0 h TT; 22.a and 12.a, 1987 April 10 at 0 h TT and UT.
TEST(PreciseModel, BookExamples) {
  const MoonPlace moon = moonPlace(universal(2448724.5));
  EXPECT_NEAR(moon.longitude, 133.167265, 0.000002);
  EXPECT_NEAR(moon.latitude, -3.229126, 0.000002);
  EXPECT_NEAR(moon.distanceKm, 368409.7, 0.1);
  EXPECT_NEAR(moon.rightAscension, 134.688470, 0.000002);
  EXPECT_NEAR(moon.declination, 13.768368, 0.000002);

  const double sunT = (2448908.5 - J2000) / DaysPerJulianCentury;
  const SunPosition sun = sunPosition(sunT);
  EXPECT_NEAR(sun.longitude + nutation(sunT).longitude + solarAberration(sun.distanceAu), 199 + 54 / 60.0 + 21.818 / 3600,
              0.01 * ArcSecond);  // apparent
  EXPECT_NEAR(sun.distanceAu, 0.99760775, 1e-8);

  const Nutation n = nutation((2446895.5 - J2000) / DaysPerJulianCentury);
  EXPECT_NEAR(n.longitude, -3.788 * ArcSecond, 0.001 * ArcSecond);
  EXPECT_NEAR(n.obliquity, 9.443 * ArcSecond, 0.001 * ArcSecond);
  EXPECT_NEAR(n.trueObliquity, 23 + 26 / 60.0 + 36.850 / 3600, 0.001 * ArcSecond);
  EXPECT_NEAR(meanSiderealTime(2446895.5), (13 + 10 / 60.0 + 46.3668 / 3600) * 15, 0.0001 * 15 / 3600);
}

// A run of places worked out term by term gives the figures of each instant alone.
TEST(MoonSeries, RunOfSamplesMatchesSingleInstants) {
  for (double first : {1721425.5, 2461100.5, 5373000.5}) {
    const std::vector<MoonSample> run = moonSamples(first, 2, 70);
    ASSERT_EQ(run.size(), 70u);
    for (const MoonSample& s : run) {
      const MoonPlace alone = moonPlace(s.jdUT);
      EXPECT_TRUE(std::fabs(s.place.longitude - alone.longitude) < 1e-4 * ArcSecond &&
                  std::fabs(s.place.declination - alone.declination) < 1e-4 * ArcSecond &&
                  std::fabs(s.place.distanceKm - alone.distanceKm) < 1e-3) << std::fixed << s.jdUT;
    }
  }
}

}  // namespace
