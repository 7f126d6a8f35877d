// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/rise_set.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "astro/angles.h"
#include "astro/horizon.h"
#include "astro/moon_track.h"
#include "astro/root_finder.h"

namespace astro {
namespace {

// A crossing is searched until a step is under two seconds. The slope the search
// steps by is the turning sky's, a per cent or two off the Moon's own, so what is
// left is a few hundredths of a second; the minutes this almanac prints were made
// with this tolerance, and a finer one would move a handful of them by one.
constexpr double CrossingTolerance = 2e-5;  // days
// The bottom of a dip or the top of a crest of the height near the horizon.
constexpr double ExtremeTolerance = 1e-7;  // days
constexpr double SlopeHalfStep = 1e-4;     // days either side, for the slope of the height

struct HorizonCrossing {
  double jd;
  bool rise;
};

double crossingBetween(const MoonHeight& height, double lo, double hi, bool rise, double guess) {
  return zeroInBracket(height, Bracket{lo, hi, rise}, guess, CrossingTolerance);
}

// The lowest (dip) or highest height between samples a and b, around the sample
// at their middle; returns the instant and the height there. The slope of the
// height, by central differences, is zero there; the search starts from the
// top of the parabola through the three samples.
std::pair<double, double> extremeHeight(const MoonHeight& height, double a, double b, double ha, double hMiddle,
                                        double hb, bool dip) {
  const double half = (b - a) / 2;
  const double bend = ha - 2 * hMiddle + hb;
  const double start = bend != 0 ? a + half - half * (hb - ha) / (2 * bend) : a + half;
  const auto slope = [&](double t) {
    return (height(t + SlopeHalfStep).value - height(t - SlopeHalfStep).value) / (2 * SlopeHalfStep);
  };
  const double at = zeroInBracket(slope, Bracket{a, b, dip}, start, bend / (half * half), ExtremeTolerance);
  return {at, height(at).value};
}

// Every crossing between two culminations by a scan every twenty minutes, with a
// look at each dip or crest of the samples that may graze the horizon; for the
// segments where the Moon may stay close to the horizon.
void scanSegment(const MoonHeight& height, double from, double to, std::vector<HorizonCrossing>& out) {
  const int steps = std::max(2, static_cast<int>(std::ceil((to - from) * 72)));
  std::vector<double> t(static_cast<std::size_t>(steps) + 1), h(t.size());
  for (std::size_t i = 0; i < t.size(); ++i) {
    t[i] = from + (to - from) * static_cast<double>(i) / steps;
    h[i] = height(t[i]).value;
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
    const auto [at, value] = extremeHeight(height, t[i - 1], t[i + 1], h[i - 1], h[i], h[i + 1], dip);
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
  double target = std::ceil(height.hourAngle(t) / Pi) * Pi;
  const bool upperFirst = std::fmod(std::fabs(std::round(target / Pi)), 2.0) == 0;
  t += (target - height.hourAngle(t)) / MoonHourAngleRate;
  for (;;) {
    t -= wrappedAngle(height.hourAngle(t) - target, 2 * Pi) / MoonHourAngleRate;
    culminations.push_back(t);
    if (t > to) break;
    target += Pi;
    t += Pi / MoonHourAngleRate;
  }
  // Between two culminations the height goes one way only, unless the Moon stays
  // near the horizon; only there the segment is scanned. Away from the poles
  // (the Moon's declination never passes 30 degrees) the Moon always culminates
  // well above the horizon and passes well below it, without a look.
  std::vector<HorizonCrossing> found;
  if (std::fabs(height.latitude()) < 58 * Degree) {
    for (std::size_t i = 0; i + 1 < culminations.size(); ++i) {
      const bool rising = !upperFirst == (i % 2 == 0);  // from a lower culmination to an upper one
      const double upper = culminations[rising ? i + 1 : i];
      // The semi-arc with the Moon's declination a quarter of a day from the culmination.
      const double sign = rising ? -1 : 1;
      const double guess = upper + sign * height.semiArc(upper + sign * 0.25) / MoonHourAngleRate;
      found.push_back({crossingBetween(height, culminations[i], culminations[i + 1], rising, guess), rising});
    }
  } else {
    constexpr double margin = 2 * Degree;
    double h0 = height(culminations[0]).value;
    for (std::size_t i = 0; i + 1 < culminations.size(); ++i) {
      const double a = culminations[i], b = culminations[i + 1];
      const double h1 = height(b).value;
      if (std::fabs(h0) < margin || std::fabs(h1) < margin) {
        scanSegment(height, a, b, found);
      } else if ((h0 < 0) != (h1 < 0)) {
        // First guess: the height as a + b cos(hour angle) through the two culminations.
        const double mean = (h0 + h1) / 2, swing = (h1 - h0) / 2;
        const double share = std::acos(std::clamp(mean / swing, -1.0, 1.0)) / Pi;
        found.push_back({crossingBetween(height, a, b, h0 < 0, b - share * (b - a)), h0 < 0});
      }
      h0 = h1;
    }
  }
  std::sort(found.begin(), found.end(), [](const HorizonCrossing& x, const HorizonCrossing& y) { return x.jd < y.jd; });
  return found;
}

}  // namespace

std::vector<MoonRiseSet> moonRiseSets(double firstWindowStartJdUT, int days, GeoPosition where) {
  std::vector<MoonRiseSet> result(static_cast<std::size_t>(std::max(days, 0)));
  // A place beyond the poles sees no rise or set.
  if (days <= 0 || !std::isfinite(firstWindowStartJdUT) || !(std::fabs(where.latitude) <= 90) ||
      !std::isfinite(where.longitude))
    return result;
  const double from = firstWindowStartJdUT;
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

}  // namespace astro
