// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/precession.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/periodic_terms.h"

namespace astro {

EclipticPoint eclipticOfJ2000(EclipticPoint ofDate, double centuriesTT) {
  // The reduction runs from the epoch T to T + t: here from the instant back to J2000.
  const double T = centuriesTT, t = -centuriesTT;
  constexpr double ArcSecond = 1.0 / 3600;  // degrees
  // eta: the angle between the two ecliptics; Pi: the longitude, on the ecliptic of
  // the epoch, of the node where they cross; p: the general precession in longitude.
  const double eta =
      ((47.0029 + T * (-0.06603 + 0.000598 * T)) * t + (-0.03302 + 0.000598 * T) * t * t + 0.000060 * t * t * t) *
      ArcSecond;
  const double node =
      174.876384 + (T * (3289.4789 + 0.60622 * T) - (869.8089 + 0.50491 * T) * t + 0.03536 * t * t) * ArcSecond;
  const double p =
      ((5029.0966 + T * (2.22226 - 0.000042 * T)) * t + (1.11113 - 0.000042 * T) * t * t - 0.000006 * t * t * t) *
      ArcSecond;
  const Turn e = turnOf(eta), b = turnOf(ofDate.latitude), fromNode = turnOf(node - ofDate.longitude);
  const double A = e.c * b.c * fromNode.s - e.s * b.s;
  const double B = b.c * fromNode.c;
  const double C = e.c * b.s + e.s * b.c * fromNode.s;
  return {normalizedDegrees(p + node - std::atan2(A, B) / Degree), std::asin(std::clamp(C, -1.0, 1.0)) / Degree};
}

}  // namespace astro
