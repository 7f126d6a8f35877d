// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/moon_position.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <span>
#include <vector>

namespace astro {
namespace {

constexpr double pi = std::numbers::pi;
constexpr double degree = pi / 180;
constexpr double j2000 = 2451545.0;
constexpr double daysPerCentury = 36525;

double degrees(double radians) { return radians / degree; }

// An angle in degrees brought into [0, 360).
double normalized(double angle) {
  angle -= 360 * std::floor(angle / 360);
  return angle < 360 ? angle : 0;
}

// Julian centuries of Terrestrial Time since J2000.0 at an instant of Universal Time.
double centuriesTT(double jdUT) { return (jdUT + deltaT(decimalYear(jdUT)) / 86400 - j2000) / daysPerCentury; }

// A point on the unit circle, e^(i x). The series' arguments are whole-number
// combinations of a few angles, so each term's sine and cosine come from
// products of these instead of a call to sin and cos per term.
struct Turn {
  double c = 1;
  double s = 0;
};
Turn operator*(Turn a, Turn b) { return {a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s}; }
Turn conj(Turn a) { return {a.c, -a.s}; }
Turn turnOf(double angleDegrees) {
  const double x = normalized(angleDegrees) * degree;
  return {std::cos(x), std::sin(x)};
}

// e^(i k x) for k = -N..N.
template <int N>
class Multiples {
 public:
  explicit Multiples(double x) {  // x in degrees
    turns_[N] = Turn{};
    const Turn one = turnOf(x);
    for (int k = 1; k <= N; ++k) {
      turns_[N + k] = turns_[N + k - 1] * one;
      turns_[N - k] = Turn{turns_[N + k].c, -turns_[N + k].s};
    }
  }
  Turn operator[](int k) const { return turns_[static_cast<std::size_t>(N + k)]; }

 private:
  std::array<Turn, 2 * N + 1> turns_{};
};

// ---- Nutation (ch. 22): multiples of D, M, M', F and the node; 0.0001" and 0.0001" per century.
struct NutationTerm {
  signed char d, m, mp, f, node;
  double psi, psiT, eps, epsT;
};
constexpr NutationTerm nutationTerms[] = {
    {0, 0, 0, 0, 1, -171996, -174.2, 92025, 8.9},
    {-2, 0, 0, 2, 2, -13187, -1.6, 5736, -3.1},
    {0, 0, 0, 2, 2, -2274, -0.2, 977, -0.5},
    {0, 0, 0, 0, 2, 2062, 0.2, -895, 0.5},
    {0, 1, 0, 0, 0, 1426, -3.4, 54, -0.1},
    {0, 0, 1, 0, 0, 712, 0.1, -7, 0},
    {-2, 1, 0, 2, 2, -517, 1.2, 224, -0.6},
    {0, 0, 0, 2, 1, -386, -0.4, 200, 0},
    {0, 0, 1, 2, 2, -301, 0, 129, -0.1},
    {-2, -1, 0, 2, 2, 217, -0.5, -95, 0.3},
    {-2, 0, 1, 0, 0, -158, 0, 0, 0},
    {-2, 0, 0, 2, 1, 129, 0.1, -70, 0},
    {0, 0, -1, 2, 2, 123, 0, -53, 0},
    {2, 0, 0, 0, 0, 63, 0, 0, 0},
    {0, 0, 1, 0, 1, 63, 0.1, -33, 0},
    {2, 0, -1, 2, 2, -59, 0, 26, 0},
    {0, 0, -1, 0, 1, -58, -0.1, 32, 0},
    {0, 0, 1, 2, 1, -51, 0, 27, 0},
    {-2, 0, 2, 0, 0, 48, 0, 0, 0},
    {0, 0, -2, 2, 1, 46, 0, -24, 0},
    {2, 0, 0, 2, 2, -38, 0, 16, 0},
    {0, 0, 2, 2, 2, -31, 0, 13, 0},
    {0, 0, 2, 0, 0, 29, 0, 0, 0},
    {-2, 0, 1, 2, 2, 29, 0, -12, 0},
    {0, 0, 0, 2, 0, 26, 0, 0, 0},
    {-2, 0, 0, 2, 0, -22, 0, 0, 0},
    {0, 0, -1, 2, 1, 21, 0, -10, 0},
    {0, 2, 0, 0, 0, 17, -0.1, 0, 0},
    {2, 0, -1, 0, 1, 16, 0, -8, 0},
    {-2, 2, 0, 2, 2, -16, 0.1, 7, 0},
    {0, 1, 0, 0, 1, -15, 0, 9, 0},
    {-2, 0, 1, 0, 1, -13, 0, 7, 0},
    {0, -1, 0, 0, 1, -12, 0, 6, 0},
    {0, 0, 2, -2, 0, 11, 0, 0, 0},
    {2, 0, -1, 2, 1, -10, 0, 5, 0},
    {2, 0, 1, 2, 2, -8, 0, 3, 0},
    {0, 1, 0, 2, 2, 7, 0, -3, 0},
    {-2, 1, 1, 0, 0, -7, 0, 0, 0},
    {0, -1, 0, 2, 2, -7, 0, 3, 0},
    {2, 0, 0, 2, 1, -7, 0, 3, 0},
    {2, 0, 1, 0, 0, 6, 0, 0, 0},
    {-2, 0, 2, 2, 2, 6, 0, -3, 0},
    {-2, 0, 1, 2, 1, 6, 0, -3, 0},
    {2, 0, -2, 0, 1, -6, 0, 3, 0},
    {2, 0, 0, 0, 1, -6, 0, 3, 0},
    {0, -1, 1, 0, 0, 5, 0, 0, 0},
    {-2, -1, 0, 2, 1, -5, 0, 3, 0},
    {-2, 0, 0, 0, 1, -5, 0, 3, 0},
    {0, 0, 2, 2, 1, -5, 0, 3, 0},
    {-2, 0, 2, 0, 1, 4, 0, 0, 0},
    {-2, 1, 0, 2, 1, 4, 0, 0, 0},
    {0, 0, 1, -2, 0, 4, 0, 0, 0},
    {-1, 0, 1, 0, 0, -4, 0, 0, 0},
    {-2, 1, 0, 0, 0, -4, 0, 0, 0},
    {1, 0, 0, 0, 0, -4, 0, 0, 0},
    {0, 0, 1, 2, 0, 3, 0, 0, 0},
    {0, 0, -2, 2, 2, -3, 0, 0, 0},
    {-1, -1, 1, 0, 0, -3, 0, 0, 0},
    {0, 1, 1, 0, 0, -3, 0, 0, 0},
    {0, -1, 1, 2, 2, -3, 0, 0, 0},
    {2, -1, -1, 2, 2, -3, 0, 0, 0},
    {0, 0, 3, 2, 2, -3, 0, 0, 0},
    {2, -1, 0, 2, 2, -3, 0, 0, 0},
};

// Mean obliquity of the ecliptic (Laskar, as in ch. 22), degrees.
double meanObliquity(double T) {
  const double U = T / 100;
  const double seconds =
      U * (-4680.93 +
           U * (-1.55 +
                U * (1999.25 +
                     U * (-51.38 + U * (-249.67 + U * (-39.05 + U * (7.12 + U * (27.87 + U * (5.79 + U * 2.45)))))))));
  return 23 + 26.0 / 60 + (21.448 + seconds) / 3600;
}

// ---- The Moon (ch. 47): multiples of D, M, M', F; longitude in 0.000001 degree, distance in metres.
struct LongitudeDistanceTerm {
  signed char d, m, mp, f;
  double longitude, distance;
};
constexpr LongitudeDistanceTerm longitudeDistanceTerms[] = {
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
constexpr LatitudeTerm latitudeTerms[] = {
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

// The angles the series are made of at an instant, degrees: the Moon's (ch. 47)
// and the nutation's (ch. 22, slightly different polynomials).
struct Arguments {
  double Lp, D, M, Mp, F, A1, A2, A3;
  double nD, nM, nMp, nF, node;
};

Arguments argumentsAt(double T) {
  Arguments a;
  a.Lp = 218.3164477 + T * (481267.88123421 + T * (-0.0015786 + T * (1.0 / 538841 - T / 65194000)));
  a.D = 297.8501921 + T * (445267.1114034 + T * (-0.0018819 + T * (1.0 / 545868 - T / 113065000)));
  a.M = 357.5291092 + T * (35999.0502909 + T * (-0.0001536 + T / 24490000));
  a.Mp = 134.9633964 + T * (477198.8675055 + T * (0.0087414 + T * (1.0 / 69699 - T / 14712000)));
  a.F = 93.2720950 + T * (483202.0175233 + T * (-0.0036539 + T * (-1.0 / 3526000 + T / 863310000)));
  a.A1 = 119.75 + 131.849 * T;
  a.A2 = 53.09 + 479264.290 * T;
  a.A3 = 313.45 + 481266.484 * T;
  a.nD = 297.85036 + T * (445267.111480 + T * (-0.0019142 + T / 189474));
  a.nM = 357.52772 + T * (35999.050340 + T * (-0.0001603 - T / 300000));
  a.nMp = 134.96298 + T * (477198.867398 + T * (0.0086972 + T / 56250));
  a.nF = 93.27191 + T * (483202.017538 + T * (-0.0036825 + T / 327270));
  a.node = 125.04452 + T * (-1934.136261 + T * (0.0020708 + T / 450000));
  return a;
}

// How far each angle turns from one instant to another.
Arguments turned(const Arguments& from, const Arguments& to) {
  return {to.Lp - from.Lp,   to.D - from.D,   to.M - from.M,      to.Mp - from.Mp, to.F - from.F,
          to.A1 - from.A1,   to.A2 - from.A2, to.A3 - from.A3,    to.nD - from.nD, to.nM - from.nM,
          to.nMp - from.nMp, to.nF - from.nF, to.node - from.node};
}

// One point on the unit circle per term of the series, and one per additive term.
enum : std::size_t {
  NutationFirst = 0,
  LongitudeFirst = NutationFirst + std::size(nutationTerms),
  LatitudeFirst = LongitudeFirst + std::size(longitudeDistanceTerms),
  AdditiveFirst = LatitudeFirst + std::size(latitudeTerms),
  TurnCount = (AdditiveFirst + 9 + 1) / 2 * 2,  // even, for the compiler's pairs of doubles
};
struct Turns {
  std::array<double, TurnCount> c{}, s{};
  void set(std::size_t i, Turn t) {
    c[i] = t.c;
    s[i] = t.s;
  }
  // Every point turned on by the matching point of `step`.
  void turnBy(const Turns& step) {
    for (std::size_t k = 0; k < TurnCount; ++k) {
      const double turnedC = c[k] * step.c[k] - s[k] * step.s[k];
      s[k] = s[k] * step.c[k] + c[k] * step.s[k];
      c[k] = turnedC;
    }
  }
};

// Which parts of the series an answer needs.
enum Parts { LongitudeOnly, MoonOnly, MoonAndNutation, NutationOnly };
bool withMoon(Parts p) { return p != NutationOnly; }
bool withLatitude(Parts p) { return p == MoonOnly || p == MoonAndNutation; }
bool withNutation(Parts p) { return p == MoonAndNutation || p == NutationOnly; }

void fillTurns(const Arguments& a, Parts parts, Turns& out) {
  if (withNutation(parts)) {
    const Multiples<2> nD(a.nD), nM(a.nM), nF(a.nF), node(a.node);
    const Multiples<3> nMp(a.nMp);
    for (std::size_t i = 0; i < std::size(nutationTerms); ++i) {
      const NutationTerm& t = nutationTerms[i];
      out.set(NutationFirst + i, nD[t.d] * nM[t.m] * nMp[t.mp] * nF[t.f] * node[t.node]);
    }
  }
  if (!withMoon(parts)) return;
  const Multiples<4> D(a.D), Mp(a.Mp);
  const Multiples<2> M(a.M);
  const Multiples<3> F(a.F);
  for (std::size_t i = 0; i < std::size(longitudeDistanceTerms); ++i) {
    const LongitudeDistanceTerm& t = longitudeDistanceTerms[i];
    out.set(LongitudeFirst + i, D[t.d] * M[t.m] * Mp[t.mp] * F[t.f]);
  }
  const Turn Lp = turnOf(a.Lp), A1 = turnOf(a.A1);
  out.set(AdditiveFirst + 0, A1);
  out.set(AdditiveFirst + 1, Lp * conj(F[1]));
  out.set(AdditiveFirst + 2, turnOf(a.A2));
  if (!withLatitude(parts)) return;
  for (std::size_t i = 0; i < std::size(latitudeTerms); ++i) {
    const LatitudeTerm& t = latitudeTerms[i];
    out.set(LatitudeFirst + i, D[t.d] * M[t.m] * Mp[t.mp] * F[t.f]);
  }
  out.set(AdditiveFirst + 3, Lp);
  out.set(AdditiveFirst + 4, turnOf(a.A3));
  out.set(AdditiveFirst + 5, A1 * conj(F[1]));
  out.set(AdditiveFirst + 6, A1 * F[1]);
  out.set(AdditiveFirst + 7, Lp * conj(Mp[1]));
  out.set(AdditiveFirst + 8, Lp * Mp[1]);
}

// Geocentric ecliptic longitude and latitude of the Moon (degrees, mean equinox
// of date, light-time included), its distance (km), and the nutation.
struct SeriesValues {
  double longitude = 0, latitude = 0, distanceKm = 0;
  Nutation nutation;
};

// Sums of a series term by term, the even and the odd terms apart so that
// consecutive additions need not wait for each other.
struct PairSum {
  double even = 0, odd = 0;
  void add(std::size_t i, double term) { (i % 2 == 0 ? even : odd) += term; }
  double total() const { return even + odd; }
};

SeriesValues sumSeries(const Turns& turns, double T, double Lp, Parts parts) {
  SeriesValues v;
  if (withNutation(parts)) {
    PairSum psi, eps;
    for (std::size_t i = 0; i < std::size(nutationTerms); ++i) {
      const NutationTerm& t = nutationTerms[i];
      psi.add(i, (t.psi + t.psiT * T) * turns.s[NutationFirst + i]);
      eps.add(i, (t.eps + t.epsT * T) * turns.c[NutationFirst + i]);
    }
    v.nutation.longitude = psi.total() / 36e6;
    v.nutation.obliquity = eps.total() / 36e6;
    v.nutation.trueObliquity = meanObliquity(T) + v.nutation.obliquity;
  }
  if (!withMoon(parts)) return v;
  const double E = 1 - T * (0.002516 + 0.0000074 * T);  // the Earth's orbit, less eccentric with time
  const double eccentricity[3] = {1, E, E * E};
  const double* additive = &turns.s[AdditiveFirst];
  PairSum l, r;
  for (std::size_t i = 0; i < std::size(longitudeDistanceTerms); ++i) {
    const LongitudeDistanceTerm& t = longitudeDistanceTerms[i];
    const double e = eccentricity[std::abs(t.m)];
    l.add(i, t.longitude * e * turns.s[LongitudeFirst + i]);
    r.add(i, t.distance * e * turns.c[LongitudeFirst + i]);
  }
  const double longitude = l.total() + 3958 * additive[0] + 1962 * additive[1] + 318 * additive[2];
  v.longitude = normalized(Lp + longitude / 1e6);
  if (!withLatitude(parts)) return v;
  PairSum b;
  for (std::size_t i = 0; i < std::size(latitudeTerms); ++i) {
    const LatitudeTerm& t = latitudeTerms[i];
    b.add(i, t.latitude * eccentricity[std::abs(t.m)] * turns.s[LatitudeFirst + i]);
  }
  const double latitude = b.total() - 2235 * additive[3] + 382 * additive[4] + 175 * additive[5] + 175 * additive[6] +
                          127 * additive[7] - 115 * additive[8];
  v.latitude = latitude / 1e6;
  v.distanceKm = 385000.56 + r.total() / 1000;
  return v;
}

SeriesValues seriesAt(double T, Parts parts) {
  const Arguments a = argumentsAt(T);
  Turns turns;
  fillTurns(a, parts, turns);
  return sumSeries(turns, T, a.Lp, parts);
}

// ---- The Earth (VSOP87, heliocentric, ecliptic and equinox of date): A cos(B + C tau),
// A in 1e-8 radian or au, tau in millennia.
struct VsopTerm {
  double a, b, c;
};
constexpr VsopTerm L0[] = {
    {175347046, 0.0, 0.0},       {3341656, 4.6692568, 6283.07585},
    {34894, 4.6261, 12566.1517}, {3497, 2.7441, 5753.3849},
    {3418, 2.8289, 3.5231},      {3136, 3.6277, 77713.7715},
    {2676, 4.4181, 7860.4194},   {2343, 6.1352, 3930.2097},
    {1324, 0.7425, 11506.7698},  {1273, 2.0371, 529.691},
    {1199, 1.1096, 1577.3435},   {990, 5.233, 5884.927},
    {902, 2.045, 26.298},        {857, 3.508, 398.149},
    {780, 1.179, 5223.694},      {753, 2.533, 5507.553},
    {505, 4.583, 18849.228},     {492, 4.205, 775.523},
    {357, 2.92, 0.067},          {317, 5.849, 11790.629},
    {284, 1.899, 796.298},       {271, 0.315, 10977.079},
    {243, 0.345, 5486.778},      {206, 4.806, 2544.314},
    {205, 1.869, 5573.143},      {202, 2.458, 6069.777},
    {156, 0.833, 213.299},       {132, 3.411, 2942.463},
    {126, 1.083, 20.775},        {115, 0.645, 0.98},
    {103, 0.636, 4694.003},      {102, 0.976, 15720.839},
    {102, 4.267, 7.114},         {99, 6.21, 2146.17},
    {98, 0.68, 155.42},          {86, 5.98, 161000.69},
    {85, 1.3, 6275.96},          {85, 3.67, 71430.7},
    {80, 1.81, 17260.15},        {79, 3.04, 12036.46},
    {75, 1.76, 5088.63},         {74, 3.5, 3154.69},
    {74, 4.68, 801.82},          {70, 0.83, 9437.76},
    {62, 3.98, 8827.39},         {61, 1.82, 7084.9},
    {57, 2.78, 6286.6},          {56, 4.39, 14143.5},
    {56, 3.47, 6279.55},         {52, 0.19, 12139.55},
    {52, 1.33, 1748.02},         {51, 0.28, 5856.48},
    {49, 0.49, 1194.45},         {41, 5.37, 8429.24},
    {41, 2.4, 19651.05},         {39, 6.17, 10447.39},
    {37, 6.04, 10213.29},        {37, 2.57, 1059.38},
    {36, 1.71, 2352.87},         {36, 1.78, 6812.77},
    {33, 0.59, 17789.85},        {30, 0.44, 83996.85},
    {30, 2.74, 1349.87},         {25, 3.16, 4690.48},
};
constexpr VsopTerm L1[] = {
    {628331966747, 0.0, 0.0},   {206059, 2.678235, 6283.07585},
    {4303, 2.6351, 12566.1517}, {425, 1.59, 3.523},
    {119, 5.796, 26.298},       {109, 2.966, 1577.344},
    {93, 2.59, 18849.23},       {72, 1.14, 529.69},
    {68, 1.87, 398.15},         {67, 4.41, 5507.55},
    {59, 2.89, 5223.69},        {56, 2.17, 155.42},
    {45, 0.4, 796.3},           {36, 0.47, 775.52},
    {29, 2.65, 7.11},           {21, 5.34, 0.98},
    {19, 1.85, 5486.78},        {19, 4.97, 213.3},
    {17, 2.99, 6275.96},        {16, 0.03, 2544.31},
    {16, 1.43, 2146.17},        {15, 1.21, 10977.08},
    {12, 2.83, 1748.02},        {12, 3.26, 5088.63},
    {12, 5.27, 1194.45},        {12, 2.08, 4694.0},
    {11, 0.77, 553.57},         {10, 1.3, 6286.6},
    {10, 4.24, 1349.87},        {9, 2.7, 242.73},
    {9, 5.64, 951.72},          {8, 5.3, 2352.87},
    {6, 2.65, 9437.76},         {6, 4.67, 4690.48},
};
constexpr VsopTerm L2[] = {
    {52919, 0.0, 0.0},  {8720, 1.0721, 6283.0758}, {309, 0.867, 12566.152}, {27, 0.05, 3.52},   {16, 5.19, 26.3},
    {16, 3.68, 155.42}, {10, 0.76, 18849.23},      {9, 2.06, 77713.77},     {7, 0.83, 775.52},  {5, 4.66, 1577.34},
    {4, 1.03, 7.11},    {4, 3.44, 5573.14},        {3, 5.14, 796.3},        {3, 6.05, 5507.55}, {3, 1.19, 242.73},
    {3, 6.12, 529.69},  {3, 0.31, 398.15},         {3, 2.28, 553.57},       {2, 4.38, 5223.69}, {2, 3.75, 0.98},
};
constexpr VsopTerm L3[] = {
    {289, 5.844, 6283.076}, {35, 0.0, 0.0},     {17, 5.49, 12566.15}, {3, 5.2, 155.42},
    {1, 4.72, 3.52},        {1, 5.3, 18849.23}, {1, 5.97, 242.73},
};
constexpr VsopTerm L4[] = {
    {114, 3.142, 0.0},
    {8, 4.13, 6283.08},
    {1, 3.84, 12566.15},
};
constexpr VsopTerm L5[] = {
    {1, 3.14, 0.0},
};
constexpr VsopTerm B0[] = {
    {280, 3.199, 84334.662}, {102, 5.422, 5507.553}, {80, 3.88, 5223.69}, {44, 3.7, 2352.87}, {32, 4.0, 1577.34},
};
constexpr VsopTerm B1[] = {
    {9, 3.9, 5507.55},
    {6, 1.73, 5223.69},
};
constexpr VsopTerm R0[] = {
    {100013989, 0.0, 0.0},        {1670700, 3.0984635, 6283.07585},
    {13956, 3.05525, 12566.1517}, {3084, 5.1985, 77713.7715},
    {1628, 1.1739, 5753.3849},    {1576, 2.8469, 7860.4194},
    {925, 5.453, 11506.77},       {542, 4.564, 3930.21},
    {472, 3.661, 5884.927},       {346, 0.964, 5507.553},
    {329, 5.9, 5223.694},         {307, 0.299, 5573.143},
    {243, 4.273, 11790.629},      {212, 5.847, 1577.344},
    {186, 5.022, 10977.079},      {175, 3.012, 18849.228},
    {110, 5.055, 5486.778},       {98, 0.89, 6069.78},
    {86, 5.69, 15720.84},         {86, 1.27, 161000.69},
    {65, 0.27, 17260.15},         {63, 0.92, 529.69},
    {57, 2.01, 83996.85},         {56, 5.24, 71430.7},
    {49, 3.25, 2544.31},          {47, 2.58, 775.52},
    {45, 5.54, 9437.76},          {43, 6.01, 6275.96},
    {39, 5.36, 4694.0},           {38, 2.39, 8827.39},
    {37, 0.83, 19651.05},         {37, 4.9, 12139.55},
    {36, 1.67, 12036.46},         {35, 1.84, 2942.46},
    {33, 0.24, 7084.9},           {32, 0.18, 5088.63},
    {32, 1.78, 398.15},           {28, 1.21, 6286.6},
    {28, 1.9, 6279.55},           {26, 4.59, 10447.39},
};
constexpr VsopTerm R1[] = {
    {103019, 1.10749, 6283.07585},
    {1721, 1.0644, 12566.1517},
    {702, 3.142, 0.0},
    {32, 1.02, 18849.23},
    {31, 2.84, 5507.55},
    {25, 1.32, 5223.69},
    {18, 1.42, 1577.34},
    {10, 5.91, 10977.08},
    {9, 1.42, 6275.96},
    {9, 0.27, 5486.78},
};
constexpr VsopTerm R2[] = {
    {4359, 5.7846, 6283.0758}, {124, 5.579, 12566.152}, {12, 3.14, 0.0},
    {9, 3.63, 77713.77},       {6, 1.87, 5573.14},      {3, 5.47, 18849.23},
};
constexpr VsopTerm R3[] = {
    {145, 4.273, 6283.076},
    {7, 3.92, 12566.15},
};
constexpr VsopTerm R4[] = {
    {4, 2.56, 6283.08},
};

double vsopSum(std::span<const VsopTerm> terms, double tau) {
  double sum = 0;
  for (const VsopTerm& t : terms) sum += t.a * std::cos(t.b + t.c * tau);
  return sum;
}

// Powers of tau: the series of each power, highest first (Horner).
double vsopSeries(std::initializer_list<std::span<const VsopTerm>> series, double tau) {
  double sum = 0;
  for (auto it = std::rbegin(series); it != std::rend(series); ++it) sum = sum * tau + vsopSum(*it, tau);
  return sum / 1e8;
}

// Geometric geocentric Sun in the FK5 frame: longitude and latitude (degrees), distance (au).
struct SolarPosition {
  double longitude = 0, latitude = 0, distanceAu = 0;
};

SolarPosition solarPosition(double T, bool withLatitude) {
  const double tau = T / 10;
  SolarPosition p;
  const double L = vsopSeries({L0, L1, L2, L3, L4, L5}, tau);
  p.distanceAu = vsopSeries({R0, R1, R2, R3, R4}, tau);
  double longitude = degrees(L) + 180;
  const double toFk5 = (longitude - 1.397 * T - 0.00031 * T * T) * degree;
  longitude += -0.09033 / 3600;
  p.longitude = normalized(longitude);
  if (withLatitude) {
    const double B = vsopSeries({B0, B1}, tau);
    p.latitude = -degrees(B) + 0.03916 / 3600 * (std::cos(toFk5) - std::sin(toFk5));
  }
  return p;
}

// Aberration of the Sun's light, degrees, at a distance in au.
double solarAberration(double distanceAu) { return -20.4898 / 3600 / distanceAu; }

struct Equatorial {
  double rightAscension, declination;
};

Equatorial toEquatorial(double longitude, double latitude, double obliquity) {
  const Turn l = turnOf(longitude), b = turnOf(latitude), e = turnOf(obliquity);
  // The unit vector toward the body, turned from the ecliptic to the equator.
  const double x = b.c * l.c;
  const double y = b.c * l.s * e.c - b.s * e.s;
  const double z = b.c * l.s * e.s + b.s * e.c;
  return {normalized(degrees(std::atan2(y, x))), degrees(std::asin(std::clamp(z, -1.0, 1.0)))};
}

}  // namespace

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

Nutation nutation(double jdUT) { return seriesAt(centuriesTT(jdUT), NutationOnly).nutation; }

namespace {
MoonPlace placeOf(const SeriesValues& v, const Nutation& n) {
  MoonPlace place;
  place.longitude = normalized(v.longitude + n.longitude);
  place.latitude = v.latitude;
  place.distanceKm = v.distanceKm;
  const Equatorial q = toEquatorial(place.longitude, place.latitude, n.trueObliquity);
  place.rightAscension = q.rightAscension;
  place.declination = q.declination;
  return place;
}
}  // namespace

MoonPlace moonPlace(double jdUT) {
  const SeriesValues v = seriesAt(centuriesTT(jdUT), MoonAndNutation);
  return placeOf(v, v.nutation);
}

MoonPlace moonPlace(double jdUT, const Nutation& n) { return placeOf(seriesAt(centuriesTT(jdUT), MoonOnly), n); }

std::vector<MoonSample> moonSamples(double firstJdUT, double stepDays, int count) {
  std::vector<MoonSample> samples;
  samples.reserve(static_cast<std::size_t>(std::max(count, 0)));
  // Every term turns by the same angle from one instant to the next (the angles
  // grow all but linearly over weeks); starting afresh every 32 instants keeps
  // the products from drifting.
  Turns turns, step;
  for (int i = 0; i < count; ++i) {
    const double jd = firstJdUT + i * stepDays;
    const double T = centuriesTT(jd);
    const Arguments a = argumentsAt(T);
    if (i % 32 == 0) {
      fillTurns(a, MoonAndNutation, turns);
      fillTurns(turned(a, argumentsAt(centuriesTT(jd + stepDays))), MoonAndNutation, step);
    } else {
      turns.turnBy(step);
    }
    const SeriesValues v = sumSeries(turns, T, a.Lp, MoonAndNutation);
    samples.push_back({jd, placeOf(v, v.nutation), v.nutation});
  }
  return samples;
}

SunPlace sunPlace(double jdUT) {
  const double T = centuriesTT(jdUT);
  const Nutation n = seriesAt(T, NutationOnly).nutation;
  const SolarPosition p = solarPosition(T, true);
  SunPlace place;
  place.longitude = normalized(p.longitude + n.longitude + solarAberration(p.distanceAu));
  place.latitude = p.latitude;
  place.distanceAu = p.distanceAu;
  const Equatorial q = toEquatorial(place.longitude, place.latitude, n.trueObliquity);
  place.rightAscension = q.rightAscension;
  place.declination = q.declination;
  return place;
}

double moonElongation(double jdUT) {
  // The nutation in longitude moves both bodies alike and is left out.
  const double T = centuriesTT(jdUT);
  const SolarPosition sun = solarPosition(T, false);
  return normalized(seriesAt(T, LongitudeOnly).longitude - sun.longitude - solarAberration(sun.distanceAu));
}

double meanSiderealTime(double jdUT) {
  const double d = jdUT - j2000;
  const double T = d / daysPerCentury;
  // 360.98564736629 * d with the whole turns of the whole days taken out first.
  const double turns = 360 * (d - std::floor(d)) + 0.98564736629 * d;
  return normalized(280.46061837 + turns + T * T * (0.000387933 - T / 38710000));
}

}  // namespace astro
