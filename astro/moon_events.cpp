// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/moon_events.h"

#include "astro/moon_position.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace astro {
namespace {

constexpr double pi = std::numbers::pi;
constexpr double degree = pi / 180;
constexpr double unixEpochJd = 2440587.5;

// Whole-number division and remainder rounding toward minus infinity.
long long floorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// An angle in radians or degrees brought into (-half turn, half turn].
double wrapped(double angle, double turn) {
  angle = std::fmod(angle, turn);
  if (angle > turn / 2) angle -= turn;
  if (angle <= -turn / 2) angle += turn;
  return angle;
}

// ---- Phases

constexpr double synodicMonth = 29.530588861;
constexpr double meanNewMoon2000 = 2451550.09766;  // JDE of the mean new moon of 2000 January 6

// Mean instant (UT) of phase number q = 4 * lunation + kind, lunation 0 being January 2000's.
double meanPhase(long long q) {
  const double k = static_cast<double>(q) / 4;
  const double T = k / 1236.85;
  const double jde = meanNewMoon2000 + synodicMonth * k + T * T * (0.00015437 + T * (-0.000000150 + T * 0.00000000073));
  return jde - deltaT(decimalYear(jde)) / 86400;
}

PhaseKind kindOf(long long q) {
  constexpr PhaseKind kinds[4] = {PhaseKind::NewMoon, PhaseKind::FirstQuarter, PhaseKind::FullMoon,
                                  PhaseKind::LastQuarter};
  return kinds[((q % 4) + 4) % 4];
}

// The instant the elongation reaches the phase's angle, by secants from the mean phase.
double truePhase(long long q) {
  const double target = 90.0 * static_cast<double>(((q % 4) + 4) % 4);
  const auto offset = [&](double t) { return wrapped(moonElongation(t) - target, 360.0); };
  double t0 = meanPhase(q);
  double f0 = offset(t0);
  double t1 = t0 - f0 / 12.19;  // mean daily motion of the elongation, degrees
  for (int i = 0; i < 30; ++i) {
    const double f1 = offset(t1);
    if (f1 == 0 || f1 == f0) break;
    const double t2 = t1 - f1 * (t1 - t0) / (f1 - f0);
    t0 = t1;
    f0 = f1;
    t1 = t2;
    if (std::fabs(t1 - t0) < 1e-7) break;  // under a hundredth of a second
  }
  return t1;
}

// ---- Declination

constexpr double declinationStep = 0.005;  // days either side for the sign of the slope

double declinationRise(double jd) {
  return moonPlace(jd + declinationStep).declination - moonPlace(jd - declinationStep).declination;
}

// ---- Rise and set

constexpr double refraction = 34.0 / 60 * degree;
constexpr double earthRadiusKm = 6378.14;
constexpr double earthFlattening = 1 / 298.257;
constexpr double moonRadiusKm = 1738.1;
// Hour angle turned per day, roughly: the Earth's turn less the Moon's mean motion in right ascension.
constexpr double hourAngleRate = 2 * pi * 1.00273790935 - 0.2299;

// The Moon's geocentric place every other day of a run, as a vector in km (true
// equator of date, turned by the equation of the equinoxes so that the mean
// sidereal time gives hour angles), interpolated in between by eight-point
// Lagrange polynomials: a fraction of an arc-second, for a fraction of the cost of
// the series.
class MoonTrack {
 public:
  struct Vector {
    double x, y, z;
  };

  MoonTrack(double fromJd, double toJd) {
    first_ = std::floor(fromJd - 0.5) + 0.5 - (Points / 2 - 1) * Spacing;
    const int count = static_cast<int>(std::ceil((toJd - first_) / Spacing)) + Points / 2 + 1;
    std::vector<Vector> nodes;
    nodes.reserve(static_cast<std::size_t>(count));
    for (const MoonSample& m : moonSamples(first_, Spacing, count)) {
      const Nutation& n = m.nutation;
      const double ra = (m.place.rightAscension - n.longitude * std::cos(n.trueObliquity * degree)) * degree;
      const double dec = m.place.declination * degree;
      const double d = m.place.distanceKm;
      nodes.push_back({d * std::cos(dec) * std::cos(ra), d * std::cos(dec) * std::sin(ra), d * std::sin(dec)});
    }
    // Each interval's polynomial in powers of the fraction of the interval.
    static const auto weights = powerWeights();
    for (std::size_t k = Points / 2 - 1; k + Points / 2 < nodes.size(); ++k) {
      std::array<Vector, Points> c{};
      for (int j = 0; j < Points; ++j) {
        const Vector& v = nodes[k + 1 - Points / 2 + j];
        for (int n = 0; n < Points; ++n) {
          c[n].x += weights[j][n] * v.x;
          c[n].y += weights[j][n] * v.y;
          c[n].z += weights[j][n] * v.z;
        }
      }
      polynomials_.push_back(c);
    }
  }

  Vector at(double jd) const {
    const double u = (jd - first_) / Spacing - (Points / 2 - 1);
    const int k = std::clamp(static_cast<int>(std::floor(u)), 0, static_cast<int>(polynomials_.size()) - 1);
    const double p = u - k;
    const std::array<Vector, Points>& c = polynomials_[static_cast<std::size_t>(k)];
    Vector v = c[Points - 1];
    for (int n = Points - 2; n >= 0; --n) v = {v.x * p + c[n].x, v.y * p + c[n].y, v.z * p + c[n].z};
    return v;
  }

  // Rate of change of the vector, km per day.
  Vector velocity(double jd) const {
    const double u = (jd - first_) / Spacing - (Points / 2 - 1);
    const int k = std::clamp(static_cast<int>(std::floor(u)), 0, static_cast<int>(polynomials_.size()) - 1);
    const double p = u - k;
    const std::array<Vector, Points>& c = polynomials_[static_cast<std::size_t>(k)];
    Vector v{0, 0, 0};
    for (int n = Points - 1; n >= 1; --n) v = {v.x * p + n * c[n].x, v.y * p + n * c[n].y, v.z * p + n * c[n].z};
    return {v.x / Spacing, v.y / Spacing, v.z / Spacing};
  }

  double start() const { return first_; }

 private:
  static constexpr int Points = 8;
  static constexpr double Spacing = 2;  // days

  // weights[j][n]: the coefficient of p^n in the Lagrange weight of node j, the
  // nodes standing at 1 - Points/2 .. Points/2 and the point at p.
  static std::array<std::array<double, Points>, Points> powerWeights() {
    std::array<std::array<double, Points>, Points> weights{};
    for (int j = 0; j < Points; ++j) {
      std::array<double, Points> poly{};
      poly[0] = 1;
      double denominator = 1;
      const int xj = j + 1 - Points / 2;
      for (int i = 0; i < Points; ++i) {
        if (i == j) continue;
        const int xi = i + 1 - Points / 2;
        for (int n = Points - 1; n >= 0; --n) poly[n] = (n > 0 ? poly[n - 1] : 0) - xi * poly[n];  // times (p - xi)
        denominator *= xj - xi;
      }
      for (int n = 0; n < Points; ++n) weights[j][n] = poly[n] / denominator;
    }
    return weights;
  }

  double first_ = 0;
  std::vector<std::array<Vector, Points>> polynomials_;
};

// The height of the Moon's upper limb over the horizon of a place, refraction
// included, and roughly how fast it changes: a rise or set is a zero of it.
class MoonHeight {
 public:
  MoonHeight(const MoonTrack& track, GeoPosition where) : track_(track) {
    const double phi = where.latitude * degree;
    cosPhi_ = std::cos(phi);
    sinPhi_ = std::sin(phi);
    const double u = std::atan((1 - earthFlattening) * std::tan(phi));
    observerX_ = earthRadiusKm * std::cos(u);
    observerZ_ = earthRadiusKm * (1 - earthFlattening) * std::sin(u);
    // Over a run of weeks the sidereal time is linear in time to a millionth of a second.
    start_ = track.start();
    siderealAtStart_ = (meanSiderealTime(start_) + where.longitude) * degree;
  }

  double latitude() const { return std::atan2(sinPhi_, cosPhi_); }

  // Hour angle of a rise or set with the declination and distance of one instant.
  double semiArc(double jd) const {
    const MoonTrack::Vector m = track_.at(jd);
    const double d = std::sqrt(m.x * m.x + m.y * m.y + m.z * m.z);
    const double sinDec = m.z / d, cosDec = std::sqrt(1 - sinDec * sinDec);
    // The geocentric height at which the upper limb touches the horizon from the
    // place: the parallax less refraction and semidiameter, a small angle (a first
    // guess needs no more than the leading terms of the arcsine and the sine).
    const double parallax = earthRadiusKm / d;
    const double h0 = parallax * (1 + parallax * parallax / 6) - refraction - moonRadiusKm / d;
    return std::acos(std::clamp((h0 - sinPhi_ * sinDec) / (cosPhi_ * cosDec), -1.0, 1.0));
  }

  // Local mean sidereal time, radians (not reduced).
  double siderealAngle(double jd) const { return siderealAtStart_ + siderealRate * (jd - start_); }

  double hourAngle(double jd) const {
    const MoonTrack::Vector m = track_.at(jd);
    return siderealAngle(jd) - std::atan2(m.y, m.x);
  }

  struct Value {
    double height, rate;  // radians, radians per day
  };
  Value operator()(double jd) const {
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
    const double q = moonRadiusKm / r;
    return {std::asin(sinAltitude) + q * (1 + q * q / 6) + refraction,
            -cosPhi_ * (y / r) * hourAngleRate / cosAltitude};
  }

 private:
  static constexpr double siderealRate = 360.98564736629 * degree;
  const MoonTrack& track_;
  double cosPhi_ = 1, sinPhi_ = 0;
  double observerX_ = 0, observerZ_ = 0;
  double start_ = 0, siderealAtStart_ = 0;
};

struct HorizonCrossing {
  double jd;
  bool rise;
};

// The zero of the height between lo and hi (heights of opposite signs), by Newton
// steps kept inside the bracket.
double crossingBetween(const MoonHeight& height, double lo, double hi, bool lowNegative, double guess) {
  double t = std::clamp(guess, lo, hi);
  for (int i = 0; i < 60; ++i) {
    const MoonHeight::Value v = height(t);
    if (v.height == 0) return t;
    if ((v.height < 0) == lowNegative)
      lo = t;
    else
      hi = t;
    double next = v.rate != 0 ? t - v.height / v.rate : (lo + hi) / 2;
    if (!(next > lo && next < hi)) next = (lo + hi) / 2;
    // The last step was under two seconds: what is left of it is a few hundredths.
    if (std::fabs(next - t) < 2e-5 || hi - lo < 1e-7) return next;
    t = next;
  }
  return t;
}

// Smallest (sign +1) or largest (sign -1) height between a and b, by golden sections.
std::pair<double, double> extremeHeight(const MoonHeight& height, double a, double b, double sign) {
  const double g = (std::sqrt(5.0) - 1) / 2;
  double c = b - g * (b - a), d = a + g * (b - a);
  double fc = sign * height(c).height, fd = sign * height(d).height;
  while (b - a > 1e-5) {
    if (fc < fd) {
      b = d;
      d = c;
      fd = fc;
      c = b - g * (b - a);
      fc = sign * height(c).height;
    } else {
      a = c;
      c = d;
      fc = fd;
      d = a + g * (b - a);
      fd = sign * height(d).height;
    }
  }
  return fc < fd ? std::pair{c, sign * fc} : std::pair{d, sign * fd};
}

// Every crossing between two culminations by a scan every twenty minutes, with a
// look at each dip or crest of the samples that may graze the horizon; for the
// segments where the Moon may stay close to the horizon.
void scanSegment(const MoonHeight& height, double from, double to, std::vector<HorizonCrossing>& out) {
  const int steps = std::max(2, static_cast<int>(std::ceil((to - from) * 72)));
  std::vector<double> t(static_cast<std::size_t>(steps) + 1), h(t.size());
  for (std::size_t i = 0; i < t.size(); ++i) {
    t[i] = from + (to - from) * static_cast<double>(i) / steps;
    h[i] = height(t[i]).height;
  }
  const auto add = [&](double lo, double hi, bool rise) {
    out.push_back({crossingBetween(height, lo, hi, rise, (lo + hi) / 2), rise});
  };
  for (std::size_t i = 0; i + 1 < t.size(); ++i) {
    if ((h[i] < 0) != (h[i + 1] < 0)) add(t[i], t[i + 1], h[i] < 0);
    if (i == 0) continue;
    const bool dip = h[i] <= h[i - 1] && h[i] <= h[i + 1] && h[i] >= 0;
    const bool crest = h[i] >= h[i - 1] && h[i] >= h[i + 1] && h[i] < 0;
    if (!dip && !crest) continue;
    const auto [at, value] = extremeHeight(height, t[i - 1], t[i + 1], dip ? 1 : -1);
    if (dip ? value < 0 : value >= 0) {
      add(t[i - 1], at, !dip);
      add(at, t[i + 1], dip);
    }
  }
}

// Every rise and set between from and to.
std::vector<HorizonCrossing> crossings(const MoonHeight& height, double from, double to) {
  // Culminations, upper and lower, from the last one before `from` to the first after `to`.
  std::vector<double> culminations;
  double t = from - 0.6;
  double target = std::ceil(height.hourAngle(t) / pi) * pi;
  const bool upperFirst = std::fmod(std::fabs(std::round(target / pi)), 2.0) == 0;
  t += (target - height.hourAngle(t)) / hourAngleRate;
  for (;;) {
    t -= wrapped(height.hourAngle(t) - target, 2 * pi) / hourAngleRate;
    culminations.push_back(t);
    if (t > to) break;
    target += pi;
    t += pi / hourAngleRate;
  }
  // Between two culminations the height goes one way only, unless the Moon stays
  // near the horizon; only there the segment is scanned. Away from the poles
  // (the Moon's declination never passes 30 degrees) the Moon always culminates
  // well above the horizon and passes well below it, without a look.
  std::vector<HorizonCrossing> found;
  if (std::fabs(height.latitude()) < 58 * degree) {
    for (std::size_t i = 0; i + 1 < culminations.size(); ++i) {
      const bool rising = !upperFirst == (i % 2 == 0);  // from a lower culmination to an upper one
      const double upper = culminations[rising ? i + 1 : i];
      // The semi-arc with the Moon's declination a quarter of a day from the culmination.
      const double sign = rising ? -1 : 1;
      const double guess = upper + sign * height.semiArc(upper + sign * 0.25) / hourAngleRate;
      found.push_back({crossingBetween(height, culminations[i], culminations[i + 1], rising, guess), rising});
    }
  } else {
    constexpr double margin = 2 * degree;
    double h0 = height(culminations[0]).height;
    for (std::size_t i = 0; i + 1 < culminations.size(); ++i) {
      const double a = culminations[i], b = culminations[i + 1];
      const double h1 = height(b).height;
      if (std::fabs(h0) < margin || std::fabs(h1) < margin) {
        scanSegment(height, a, b, found);
      } else if ((h0 < 0) != (h1 < 0)) {
        // First guess: the height as a + b cos(hour angle) through the two culminations.
        const double mean = (h0 + h1) / 2, swing = (h1 - h0) / 2;
        const double share = std::acos(std::clamp(mean / swing, -1.0, 1.0)) / pi;
        found.push_back({crossingBetween(height, a, b, h0 < 0, b - share * (b - a)), h0 < 0});
      }
      h0 = h1;
    }
  }
  std::sort(found.begin(), found.end(), [](const HorizonCrossing& x, const HorizonCrossing& y) { return x.jd < y.jd; });
  return found;
}

}  // namespace

double julianDay(const calendar::Date& date) {
  return static_cast<double>(calendar::dayOf(date).time_since_epoch().count()) + unixEpochJd;
}

CivilTime civilTime(double jdUT, int utcOffsetHours) {
  // Beyond twenty thousand years either way (or not a number) the clock stops at the edge.
  jdUT = std::clamp(std::isfinite(jdUT) ? jdUT : 0.0, -5e6, 1e7);
  const long long minutes = std::llround((jdUT - unixEpochJd) * 1440) + 60LL * utcOffsetHours;
  const long long days = floorDiv(minutes, 1440);
  const long long inDay = minutes - days * 1440;
  return {calendar::dateOf(std::chrono::sys_days(std::chrono::days(days))), static_cast<int>(inDay / 60),
          static_cast<int>(inDay % 60)};
}

std::vector<PhaseMoment> phaseMoments(double fromJdUT, double toJdUT) {
  std::vector<PhaseMoment> found;
  if (!(toJdUT > fromJdUT) || !std::isfinite(fromJdUT) || !std::isfinite(toJdUT)) return found;
  // A true phase lies within a day of its mean one; five days of margin also
  // cover the far centuries, where the mean phase drifts.
  long long q = static_cast<long long>(std::floor(4 * (fromJdUT - 5 - meanNewMoon2000) / synodicMonth));
  for (; meanPhase(q) < toJdUT + 5; ++q) {
    const double t = truePhase(q);
    if (t >= fromJdUT && t < toJdUT) found.push_back({kindOf(q), t});
  }
  return found;
}

std::vector<MoonRiseSet> moonRiseSets(double firstWindowJdUT, int days, GeoPosition where) {
  std::vector<MoonRiseSet> result(static_cast<std::size_t>(std::max(days, 0)));
  // A place beyond the poles (a damaged city code) sees no rise or set.
  if (days <= 0 || !(std::fabs(where.latitude) <= 90) || !std::isfinite(where.longitude)) return result;
  if (!std::isfinite(firstWindowJdUT)) return result;
  const double from = firstWindowJdUT;
  const double to = from + days;
  // Culminations are looked for from 0.6 day before the first window to the first one after the last.
  const MoonTrack track(from - 0.7, to + 0.7);
  const MoonHeight height(track, where);
  for (const HorizonCrossing& c : crossings(height, from, to)) {
    if (c.jd < from || c.jd >= to) continue;
    MoonRiseSet& day = result[static_cast<std::size_t>(std::floor(c.jd - from))];
    std::optional<double>& slot = c.rise ? day.rise : day.set;
    if (!slot) slot = c.jd;
  }
  return result;
}

bool moonAscending(double jdUT) { return declinationRise(jdUT) > 0; }

namespace {

// Every turning point of a quantity between from and to, as the instant and
// whether the quantity was growing before it, from a function whose sign is that
// of the quantity's slope. The turning points must lie more than two days apart.
template <class Slope>
void turningPoints(Slope slope, double from, double to, std::vector<std::pair<double, bool>>& found) {
  constexpr double step = 2;
  double a = from;
  double ga = slope(a);
  while (a < to) {
    const double b = std::min(a + step, to);
    const double gb = slope(b);
    if ((ga > 0) != (gb > 0)) {
      // Regula falsi, Illinois variant.
      double lo = a, hi = b, flo = ga, fhi = gb;
      int side = 0;
      double t = lo;
      for (int i = 0; i < 100 && hi - lo > 1e-7; ++i) {
        t = (lo * fhi - hi * flo) / (fhi - flo);
        const double ft = slope(t);
        if (ft == 0) break;
        if ((ft > 0) == (flo > 0)) {
          lo = t, flo = ft;
          if (side == -1) fhi /= 2;
          side = -1;
        } else {
          hi = t, fhi = ft;
          if (side == 1) flo /= 2;
          side = 1;
        }
      }
      found.emplace_back(t, ga > 0);
    }
    a = b;
    ga = gb;
  }
}

// The sign of the slope of the declination, z / |v|: z' v.v - z v.v'.
double declinationSlope(const MoonTrack& track, double jd) {
  const MoonTrack::Vector v = track.at(jd), w = track.velocity(jd);
  return w.z * (v.x * v.x + v.y * v.y + v.z * v.z) - v.z * (v.x * w.x + v.y * w.y + v.z * w.z);
}

// The sign of the slope of the distance, from the full series: the extreme
// distances are too flat for the interpolated track.
double distanceGrowth(double jd) {
  return moonPlace(jd + declinationStep).distanceKm - moonPlace(jd - declinationStep).distanceKm;
}

}  // namespace

std::vector<Lunistice> lunistices(double fromJdUT, double toJdUT) {
  // Extremes of declination are near 14 days apart. The Moon's track is laid
  // two months at a time.
  std::vector<std::pair<double, bool>> found;
  if (std::isfinite(fromJdUT) && std::isfinite(toJdUT)) {
    for (double start = fromJdUT; start < toJdUT; start += 60) {
      const double end = std::min(start + 60, toJdUT);
      const MoonTrack track(start, end);
      turningPoints([&](double jd) { return declinationSlope(track, jd); }, start, end, found);
    }
  }
  std::vector<Lunistice> result;
  for (const auto& [jd, rising] : found) result.push_back({rising, jd});
  return result;
}

std::vector<Apsis> apsides(double fromJdUT, double toJdUT) {
  // Perigee and apogee come at least eleven days apart.
  std::vector<std::pair<double, bool>> found;
  if (std::isfinite(fromJdUT) && std::isfinite(toJdUT)) turningPoints(distanceGrowth, fromJdUT, toJdUT, found);
  std::vector<Apsis> result;
  for (const auto& [jd, growing] : found) result.push_back({!growing, jd, moonPlace(jd).distanceKm});
  return result;
}

}  // namespace astro
