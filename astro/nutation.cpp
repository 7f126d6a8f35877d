// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/nutation.h"

#include <iterator>

namespace astro {
namespace {

// Multiples of D, M, M', F and the Moon's node; 0.0001" and 0.0001" per century.
struct NutationTerm {
  signed char d, m, mp, f, node;
  double psi, psiT, eps, epsT;
};
constexpr NutationTerm NutationTerms[] = {
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
static_assert(std::size(NutationTerms) == NutationTermCount);

// The angles of the terms (ch. 22), degrees: the Moon's mean elongation, the
// Sun's and the Moon's mean anomalies, the Moon's argument of latitude, the
// longitude of its ascending node.
struct NutationAngles {
  double d, m, mp, f, node;
};

NutationAngles nutationAngles(double T) {
  return {297.85036 + T * (445267.111480 + T * (-0.0019142 + T / 189474)),
          357.52772 + T * (35999.050340 + T * (-0.0001603 - T / 300000)),
          134.96298 + T * (477198.867398 + T * (0.0086972 + T / 56250)),
          93.27191 + T * (483202.017538 + T * (-0.0036825 + T / 327270)),
          125.04452 + T * (-1934.136261 + T * (0.0020708 + T / 450000))};
}

NutationTurns turnsOf(const NutationAngles& a) {
  const Multiples<2> d(a.d), m(a.m), f(a.f), node(a.node);
  const Multiples<3> mp(a.mp);
  NutationTurns turns;
  for (std::size_t i = 0; i < NutationTermCount; ++i) {
    const NutationTerm& t = NutationTerms[i];
    turns.set(i, d[t.d] * m[t.m] * mp[t.mp] * f[t.f] * node[t.node]);
  }
  return turns;
}

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

}  // namespace

NutationTurns nutationTurns(double centuriesTT) { return turnsOf(nutationAngles(centuriesTT)); }

NutationTurns nutationStep(double fromCenturiesTT, double toCenturiesTT) {
  const NutationAngles from = nutationAngles(fromCenturiesTT), to = nutationAngles(toCenturiesTT);
  return turnsOf({to.d - from.d, to.m - from.m, to.mp - from.mp, to.f - from.f, to.node - from.node});
}

Nutation nutationOf(const NutationTurns& turns, double T) {
  PairSum psi, eps;
  for (std::size_t i = 0; i < NutationTermCount; ++i) {
    const NutationTerm& t = NutationTerms[i];
    psi.add(i, (t.psi + t.psiT * T) * turns.s[i]);
    eps.add(i, (t.eps + t.epsT * T) * turns.c[i]);
  }
  Nutation n;
  n.longitude = psi.total() / 36e6;
  n.obliquity = eps.total() / 36e6;
  n.trueObliquity = meanObliquity(T) + n.obliquity;
  return n;
}

Nutation nutation(double centuriesTT) { return nutationOf(nutationTurns(centuriesTT), centuriesTT); }

}  // namespace astro
