// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/moon_series.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "astro/time_scales.h"

namespace astro {
namespace {

// ---- The periodic terms (ch. 47): multiples of D, M, M', F; longitude in
// 0.000001 degree, distance in metres, latitude in 0.000001 degree.
struct LongitudeDistanceTerm {
  signed char d, m, mp, f;
  double longitude, distance;
};
constexpr LongitudeDistanceTerm LongitudeDistanceTerms[] = {
    {0, 0, 1, 0, 6288774, -20905355},
    {2, 0, -1, 0, 1274027, -3699111},
    {2, 0, 0, 0, 658314, -2955968},
    {0, 0, 2, 0, 213618, -569925},
    {0, 1, 0, 0, -185116, 48888},
    {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},
    {2, -1, -1, 0, 57066, -152138},
    {2, 0, 1, 0, 53322, -170733},
    {2, -1, 0, 0, 45758, -204586},
    {0, 1, -1, 0, -40923, -129620},
    {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},
    {2, 0, 0, -2, 15327, 10321},
    {0, 0, 1, 2, -12528, 0},
    {0, 0, 1, -2, 10980, 79661},
    {4, 0, -1, 0, 10675, -34782},
    {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},
    {2, 1, -1, 0, -7888, 24208},
    {2, 1, 0, 0, -6766, 30824},
    {1, 0, -1, 0, -5163, -8379},
    {1, 1, 0, 0, 4987, -16675},
    {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},
    {4, 0, 0, 0, 3861, -11650},
    {2, 0, -3, 0, 3665, 14403},
    {0, 1, -2, 0, -2689, -7003},
    {2, 0, -1, 2, -2602, 0},
    {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},
    {2, -2, 0, 0, 2236, -9884},
    {0, 1, 2, 0, -2120, 5751},
    {0, 2, 0, 0, -2069, 0},
    {2, -2, -1, 0, 2048, -4950},
    {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},
    {4, -1, -1, 0, 1215, -3958},
    {0, 0, 2, 2, -1110, 0},
    {3, 0, -1, 0, -892, 3258},
    {2, 1, 1, 0, -810, 2616},
    {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},
    {2, 2, -1, 0, -700, 2354},
    {2, 1, -2, 0, 691, 0},
    {2, -1, 0, -2, 596, 0},
    {4, 0, 1, 0, 549, -1423},
    {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},
    {1, 0, -2, 0, -487, -1739},
    {2, 1, 0, -2, -399, 0},
    {0, 0, 2, -2, -381, -4421},
    {1, 1, 1, 0, 351, 0},
    {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},
    {2, -1, 2, 0, 327, 0},
    {0, 2, 1, 0, -323, 1165},
    {1, 1, -1, 0, 299, 0},
    {2, 0, 3, 0, 294, 0},
    {2, 0, -1, -2, 0, 8752},
};
struct LatitudeTerm {
  signed char d, m, mp, f;
  double latitude;
};
constexpr LatitudeTerm LatitudeTerms[] = {
    {0, 0, 0, 1, 5128122}, {0, 0, 1, 1, 280602},  {0, 0, 1, -1, 277693}, {2, 0, 0, -1, 173237}, {2, 0, -1, 1, 55413},
    {2, 0, -1, -1, 46271}, {2, 0, 0, 1, 32573},   {0, 0, 2, 1, 17198},   {2, 0, 1, -1, 9266},   {0, 0, 2, -1, 8822},
    {2, -1, 0, -1, 8216},  {2, 0, -2, -1, 4324},  {2, 0, 1, 1, 4200},    {2, 1, 0, -1, -3359},  {2, -1, -1, 1, 2463},
    {2, -1, 0, 1, 2211},   {2, -1, -1, -1, 2065}, {0, 1, -1, -1, -1870}, {4, 0, -1, -1, 1828},  {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},   {0, 1, -1, 1, -1565},  {1, 0, 0, 1, -1491},   {0, 1, 1, 1, -1475},   {0, 1, 1, -1, -1410},
    {0, 1, 0, -1, -1344},  {1, 0, 0, -1, -1335},  {0, 0, 3, 1, 1107},    {4, 0, 0, -1, 1021},   {4, 0, -1, 1, 833},
    {0, 0, 1, -3, 777},    {4, 0, -2, 1, 671},    {2, 0, 0, -3, 607},    {2, 0, 2, -1, 596},    {2, -1, 1, -1, 491},
    {2, 0, -2, 1, -451},   {0, 0, 3, -1, 439},    {2, 0, 2, 1, 422},     {2, 0, -3, -1, 421},   {2, 1, -1, 1, -366},
    {2, 1, 0, 1, -351},    {4, 0, 0, 1, 331},     {2, -1, 1, 1, 315},    {2, -2, 0, -1, 302},   {0, 0, 1, 3, -283},
    {2, 1, 1, -1, -229},   {1, 1, 0, -1, 223},    {1, 1, 0, 1, 223},     {0, 1, -2, -1, -220},  {2, 1, -1, -1, -220},
    {1, 0, 1, 1, -185},    {2, -1, -2, -1, 181},  {0, 1, 2, 1, -177},    {4, 0, -2, -1, 176},   {4, -1, -1, -1, 166},
    {1, 0, 1, -1, -164},   {4, 0, 1, -1, 132},    {1, 0, -1, -1, -119},  {4, -1, 0, -1, 115},   {2, -2, 0, 1, 107},
};

// The additive terms (ch. 47): a coefficient in 0.000001 degree times the sine of
// a whole-number combination of A1, A2, A3, L', F and M'.
struct AdditiveTerm {
  double coefficient;
  signed char a1, a2, a3, lp, f, mp;
};
constexpr AdditiveTerm LongitudeAdditiveTerms[] = {
    {3958, 1, 0, 0, 0, 0, 0},   // A1
    {1962, 0, 0, 0, 1, -1, 0},  // L' - F
    {318, 0, 1, 0, 0, 0, 0},    // A2
};
constexpr AdditiveTerm LatitudeAdditiveTerms[] = {
    {-2235, 0, 0, 0, 1, 0, 0},  // L'
    {382, 0, 0, 1, 0, 0, 0},    // A3
    {175, 1, 0, 0, 0, -1, 0},   // A1 - F
    {175, 1, 0, 0, 0, 1, 0},    // A1 + F
    {127, 0, 0, 0, 1, 0, -1},   // L' - M'
    {-115, 0, 0, 0, 1, 0, 1},   // L' + M'
};

// The angles of the terms at an instant, degrees: the Moon's mean longitude L',
// its mean elongation D, the Sun's and the Moon's mean anomalies M and M', the
// Moon's argument of latitude F, and the additive terms' A1, A2, A3.
struct MoonAngles {
  double lp, d, m, mp, f, a1, a2, a3;
};

MoonAngles moonAngles(double T) {
  MoonAngles a;
  a.lp = 218.3164477 + T * (481267.88123421 + T * (-0.0015786 + T * (1.0 / 538841 - T / 65194000)));
  a.d = 297.8501921 + T * (445267.1114034 + T * (-0.0018819 + T * (1.0 / 545868 - T / 113065000)));
  a.m = 357.5291092 + T * (35999.0502909 + T * (-0.0001536 + T / 24490000));
  a.mp = 134.9633964 + T * (477198.8675055 + T * (0.0087414 + T * (1.0 / 69699 - T / 14712000)));
  a.f = 93.2720950 + T * (483202.0175233 + T * (-0.0036539 + T * (-1.0 / 3526000 + T / 863310000)));
  a.a1 = 119.75 + 131.849 * T;
  a.a2 = 53.09 + 479264.290 * T;
  a.a3 = 313.45 + 481266.484 * T;
  return a;
}

// How far each angle turns from one instant to another.
MoonAngles turned(const MoonAngles& from, const MoonAngles& to) {
  return {to.lp - from.lp, to.d - from.d,   to.m - from.m,   to.mp - from.mp,
          to.f - from.f,   to.a1 - from.a1, to.a2 - from.a2, to.a3 - from.a3};
}

// Which terms an answer needs: the longitude alone (a phase), or everything.
enum class Terms { Longitude, All };

// One point on the unit circle per term.
struct MoonTurns {
  TermTurns<std::size(LongitudeDistanceTerms)> longitudeDistance;
  TermTurns<std::size(LongitudeAdditiveTerms)> longitudeAdditive;
  TermTurns<std::size(LatitudeTerms)> latitude;
  TermTurns<std::size(LatitudeAdditiveTerms)> latitudeAdditive;

  void turnBy(const MoonTurns& step) {
    longitudeDistance.turnBy(step.longitudeDistance);
    longitudeAdditive.turnBy(step.longitudeAdditive);
    latitude.turnBy(step.latitude);
    latitudeAdditive.turnBy(step.latitudeAdditive);
  }
};

MoonTurns turnsOf(const MoonAngles& a, Terms terms) {
  const Multiples<4> d(a.d), mp(a.mp);
  const Multiples<2> m(a.m);
  const Multiples<3> f(a.f);
  const Multiples<1> a1(a.a1), a2(a.a2), a3(a.a3), lp(a.lp);
  const auto additive = [&](const AdditiveTerm& t) {
    return a1[t.a1] * a2[t.a2] * a3[t.a3] * lp[t.lp] * f[t.f] * mp[t.mp];
  };
  MoonTurns turns;
  for (std::size_t i = 0; i < std::size(LongitudeDistanceTerms); ++i) {
    const LongitudeDistanceTerm& t = LongitudeDistanceTerms[i];
    turns.longitudeDistance.set(i, d[t.d] * m[t.m] * mp[t.mp] * f[t.f]);
  }
  for (std::size_t i = 0; i < std::size(LongitudeAdditiveTerms); ++i)
    turns.longitudeAdditive.set(i, additive(LongitudeAdditiveTerms[i]));
  if (terms == Terms::Longitude) return turns;
  for (std::size_t i = 0; i < std::size(LatitudeTerms); ++i) {
    const LatitudeTerm& t = LatitudeTerms[i];
    turns.latitude.set(i, d[t.d] * m[t.m] * mp[t.mp] * f[t.f]);
  }
  for (std::size_t i = 0; i < std::size(LatitudeAdditiveTerms); ++i)
    turns.latitudeAdditive.set(i, additive(LatitudeAdditiveTerms[i]));
  return turns;
}

// Geocentric ecliptic longitude and latitude of the Moon (degrees, mean equinox
// of date, light-time included) and its distance (km).
struct MoonSeries {
  double longitude = 0, latitude = 0, distanceKm = 0;
};

MoonSeries sumOf(const MoonTurns& turns, double T, double lp, Terms terms) {
  const double E = 1 - T * (0.002516 + 0.0000074 * T);  // the Earth's orbit, less eccentric with time
  const double eccentricity[3] = {1, E, E * E};
  PairSum l, r;
  for (std::size_t i = 0; i < std::size(LongitudeDistanceTerms); ++i) {
    const LongitudeDistanceTerm& t = LongitudeDistanceTerms[i];
    const double e = eccentricity[std::abs(t.m)];
    l.add(i, t.longitude * e * turns.longitudeDistance.s[i]);
    r.add(i, t.distance * e * turns.longitudeDistance.c[i]);
  }
  double longitude = l.total();
  for (std::size_t i = 0; i < std::size(LongitudeAdditiveTerms); ++i)
    longitude += LongitudeAdditiveTerms[i].coefficient * turns.longitudeAdditive.s[i];
  MoonSeries v;
  v.longitude = normalizedDegrees(lp + longitude / 1e6);
  if (terms == Terms::Longitude) return v;
  PairSum b;
  for (std::size_t i = 0; i < std::size(LatitudeTerms); ++i) {
    const LatitudeTerm& t = LatitudeTerms[i];
    b.add(i, t.latitude * eccentricity[std::abs(t.m)] * turns.latitude.s[i]);
  }
  double latitude = b.total();
  for (std::size_t i = 0; i < std::size(LatitudeAdditiveTerms); ++i)
    latitude += LatitudeAdditiveTerms[i].coefficient * turns.latitudeAdditive.s[i];
  v.latitude = latitude / 1e6;
  v.distanceKm = 385000.56 + r.total() / 1000;
  return v;
}

MoonSeries seriesAt(double T, Terms terms) {
  const MoonAngles a = moonAngles(T);
  return sumOf(turnsOf(a, terms), T, a.lp, terms);
}

// The apparent place: the nutation added, and turned from the ecliptic to the equator.
MoonPlace placeOf(const MoonSeries& v, const Nutation& n) {
  MoonPlace place;
  place.longitude = normalizedDegrees(v.longitude + n.longitude);
  place.latitude = v.latitude;
  place.distanceKm = v.distanceKm;
  const Turn l = turnOf(place.longitude), b = turnOf(place.latitude), e = turnOf(n.trueObliquity);
  const double x = b.c * l.c;
  const double y = b.c * l.s * e.c - b.s * e.s;
  const double z = b.c * l.s * e.s + b.s * e.c;
  place.rightAscension = normalizedDegrees(std::atan2(y, x) / Degree);
  place.declination = std::asin(std::clamp(z, -1.0, 1.0)) / Degree;
  return place;
}

}  // namespace

MoonPlace moonPlace(double jdUT) {
  const double T = centuriesTT(jdUT);
  return placeOf(seriesAt(T, Terms::All), nutation(T));
}

double moonLongitude(double centuriesTT) { return seriesAt(centuriesTT, Terms::Longitude).longitude; }

std::vector<MoonSample> moonSamples(double firstJdUT, double stepDays, int count) {
  std::vector<MoonSample> samples;
  samples.reserve(static_cast<std::size_t>(std::max(count, 0)));
  // Every term turns by the same angle from one instant to the next (the angles
  // grow all but linearly over weeks); starting afresh every 32 instants keeps
  // the products from drifting.
  MoonTurns turns, step;
  NutationTurns nutationTurnsNow, nutationTurnsStep;
  for (int i = 0; i < count; ++i) {
    const double jd = firstJdUT + i * stepDays;
    const double T = centuriesTT(jd);
    const MoonAngles a = moonAngles(T);
    if (i % 32 == 0) {
      const double nextT = centuriesTT(jd + stepDays);
      turns = turnsOf(a, Terms::All);
      step = turnsOf(turned(a, moonAngles(nextT)), Terms::All);
      nutationTurnsNow = nutationTurns(T);
      nutationTurnsStep = nutationStep(T, nextT);
    } else {
      turns.turnBy(step);
      nutationTurnsNow.turnBy(nutationTurnsStep);
    }
    const Nutation n = nutationOf(nutationTurnsNow, T);
    samples.push_back({jd, placeOf(sumOf(turns, T, a.lp, Terms::All), n), n});
  }
  return samples;
}

bool moonAscending(double jdUT) {
  constexpr double halfStep = 0.005;  // days either side
  return moonPlace(jdUT + halfStep).declination - moonPlace(jdUT - halfStep).declination > 0;
}

}  // namespace astro
