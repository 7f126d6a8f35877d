// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/moon_position.h"

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
TEST(MoonPosition, BookExamples) {
  const MoonPlace moon = moonPlace(universal(2448724.5));
  EXPECT_NEAR(moon.longitude, 133.167265, 0.000002);
  EXPECT_NEAR(moon.latitude, -3.229126, 0.000002);
  EXPECT_NEAR(moon.distanceKm, 368409.7, 0.1);
  EXPECT_NEAR(moon.rightAscension, 134.688470, 0.000002);
  EXPECT_NEAR(moon.declination, 13.768368, 0.000002);

  const SunPlace sun = sunPlace(universal(2448908.5));
  EXPECT_NEAR(sun.longitude, 199 + 54 / 60.0 + 21.818 / 3600, 0.01 * ArcSecond);
  EXPECT_NEAR(sun.latitude, 0.62 * ArcSecond, 0.01 * ArcSecond);
  EXPECT_NEAR(sun.distanceAu, 0.99760775, 1e-8);

  const Nutation n = nutation(universal(2446895.5));
  EXPECT_NEAR(n.longitude, -3.788 * ArcSecond, 0.001 * ArcSecond);
  EXPECT_NEAR(n.obliquity, 9.443 * ArcSecond, 0.001 * ArcSecond);
  EXPECT_NEAR(n.trueObliquity, 23 + 26 / 60.0 + 36.850 / 3600, 0.001 * ArcSecond);
  EXPECT_NEAR(meanSiderealTime(2446895.5), (13 + 10 / 60.0 + 46.3668 / 3600) * 15, 0.0001 * 15 / 3600);
}

// Delta T against the values observed (Espenak and Meeus's table), within what its expressions promise;
// the pieces meet without a jump, and the long-term parabola goes on beyond them up to the year 9999.
TEST(DeltaT, AgreesWithObservedValuesAndPiecesJoin) {
  struct Case { double year, seconds, tolerance; } cases[] = {
      {0, 10580, 60}, {500, 5710, 30}, {1000, 1570, 20}, {1500, 200, 10}, {1600, 120, 5}, {1700, 9, 2}, {1800, 14, 1},
      {1850, 7, 1}, {1900, -3, 0.5}, {1950, 29, 0.5}, {1970, 40.2, 0.5}, {1990, 56.9, 0.5}, {2000, 63.8, 0.2},
      {2005, 64.7, 0.2},
  };
  for (const auto& c : cases) EXPECT_NEAR(deltaT(c.year), c.seconds, c.tolerance) << c.year;
  for (double year : {500, 1600, 1700, 1800, 1860, 1900, 1920, 1941, 1961, 1986, 2005, 2050, 2150})
    EXPECT_NEAR(deltaT(year - 1e-9), deltaT(year), 1.0) << year;
  EXPECT_NEAR(deltaT(9999), -20 + 32 * std::pow((9999 - 1820) / 100.0, 2), 1e-6);
  EXPECT_LT(deltaT(4000), deltaT(9999));
}

// A run of places worked out term by term gives the figures of each instant alone.
TEST(MoonPosition, RunOfSamplesMatchesSingleInstants) {
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
