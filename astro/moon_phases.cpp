// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/moon_phases.h"

#include "astro/almanac_pi.h"
#include "astro/time_scales.h"
#include "calendar/calendar.h"

#include <cmath>

namespace astro {
namespace {


// The phase instants must come out exactly as the almanac has always worked them
// out (one close to midnight decides the day by its last bits), so the constants,
// the order of the terms and of every product stay as they are.

double phaseOffset(PhaseKind kind) {
  switch (kind) {
    case PhaseKind::NewMoon: return 0;
    case PhaseKind::FirstQuarter: return 0.25;
    case PhaseKind::FullMoon: return 0.5;
    case PhaseKind::LastQuarter: return 0.75;
  }
  return 0;
}

// Principal phases are numbered one after another: q = 4 * lunation + kind.
constexpr PhaseKind kindOfPhase(long long q) {
  constexpr PhaseKind kinds[4] = {PhaseKind::NewMoon, PhaseKind::FirstQuarter, PhaseKind::FullMoon,
                                  PhaseKind::LastQuarter};
  return kinds[((q % 4) + 4) % 4];
}

constexpr double lunationOfPhase(long long q) {
  return static_cast<double>(q >= 0 ? q / 4 : -((-q + 3) / 4));
}

double phaseInstantOf(long long q) { return phaseInstant(lunationOfPhase(q), kindOfPhase(q)); }

long long monthIndex(int month, int year) { return static_cast<long long>(year) * 12 + (month - 1); }

long long monthIndexOf(double jd) {
  const calendar::Date date = dateFromJD(jd);
  return monthIndex(date.month, date.year);
}

}  // namespace

double phaseInstant(double k, PhaseKind kind) {
  k = k + phaseOffset(kind);
  const double T = k / 1236.85;

  // Mean phase.
  const double A = ((166.56 + 132.87 * T - 0.009173 * T * T) * AlmanacPi) / 180;
  const double JDE = 2415020.75933 + 29.53058868 * k + 0.0001178 * T * T - 0.000000155 * T * T * T +
                     std::sin(A) * 0.00033;

  // Sun's mean anomaly, moon's mean anomaly, moon's argument of latitude.
  const double M = almanacRadians(359.2242 + 29.10535608 * k - 0.0000333 * T * T - 0.00000347 * T * T * T);
  const double Mp = almanacRadians(306.0253 + 385.81691806 * k + 0.0107306 * T * T + 0.00001236 * T * T * T);
  const double F = almanacRadians(21.2964 + 390.67050646 * k - 0.0016528 * T * T - 0.00000239 * T * T * T);

  double jd = JDE;
  switch (kind) {
    case PhaseKind::NewMoon:
      jd += (0.1734 - 0.000393 * T) * std::sin(M);
      jd += 0.0021 * std::sin(2 * M);
      jd -= 0.4068 * std::sin(Mp);
      jd += 0.0161 * std::sin(2 * Mp);
      jd -= 0.0004 * std::sin(3 * Mp);
      jd += 0.0104 * std::sin(2 * F);
      jd -= 0.0051 * std::sin(M + Mp);
      jd -= 0.0074 * std::sin(M - Mp);
      jd += 0.0004 * std::sin(2 * F + M);
      jd -= 0.0004 * std::sin(2 * F - M);
      jd -= 0.0006 * std::sin(2 * F + Mp);
      jd += 0.001 * std::sin(2 * F - Mp);
      jd += 0.0005 * std::sin(M + 2 * Mp);
      break;
    case PhaseKind::FullMoon:
      jd += (0.1734 - 0.000393 * T) * std::sin(M);
      jd -= 0.4068 * std::sin(Mp);
      jd += 0.0161 * std::sin(2 * Mp);
      jd += 0.0104 * std::sin(2 * F);
      jd -= 0.0051 * std::sin(M + Mp);
      jd -= 0.0074 * std::sin(M - Mp);
      break;
    case PhaseKind::FirstQuarter:
    case PhaseKind::LastQuarter: {
      const double s = kind == PhaseKind::FirstQuarter ? 1 : -1;
      jd += (0.1721 - 0.0004 * T) * std::sin(M);
      jd -= 0.628 * std::sin(Mp);
      jd += 0.0089 * std::sin(2 * Mp);
      jd += 0.0079 * std::sin(2 * F);
      jd -= 0.0119 * std::sin(M + Mp);
      jd -= 0.0047 * std::sin(M - Mp);
      jd += 0.0028 * s;
      jd -= 0.0004 * s * std::cos(M);
      jd += 0.0003 * s * std::cos(Mp);
      break;
    }
  }
  return jd;
}

calendar::Date dateFromJD(double jd) {
  const auto day = static_cast<long long>(std::floor(jd + 0.5)) - 2440588;  // 1 January 1970 is day 2440588
  return calendar::dateOf(std::chrono::sys_days(std::chrono::days(day)));
}

MonthPhases phaseDaysOfMonth(int month, int year) {
  MonthPhases result;
  if (month < 1 || month > 12) return result;

  const long long target = monthIndex(month, year);

  // Start from the last mean phase at least two days before the first of the
  // month: a true phase lies within a day of its mean one (the T * T term of
  // the mean phase adds most of another day by the year 9999), so that
  // instant is dated in an earlier month. When it is a quarter, the new or full
  // moon just before it is earlier still, and its kind is known by its number.
  const double firstDay = julianDay({1, month, year});
  long long q = static_cast<long long>(std::floor(4 * (firstDay - 2 - 2415020.75933) / 29.53058868));
  double jd = phaseInstantOf(q);
  while (monthIndexOf(jd) >= target) jd = phaseInstantOf(--q);  // a guard only, never taken
  result.lastBeforeMonth = kindOfPhase(q % 2 == 0 ? q : q - 1);

  result.phases.reserve(5);
  for (;; jd = phaseInstantOf(++q)) {
    const PhaseKind kind = kindOfPhase(q);
    const calendar::Date date = dateFromJD(jd);
    const long long index = monthIndex(date.month, date.year);
    if (index < target) {
      if (kind == PhaseKind::NewMoon || kind == PhaseKind::FullMoon) result.lastBeforeMonth = kind;
    } else if (index == target) {
      result.phases.push_back(PhaseDay{date.day, kind, jd});
    } else {
      break;
    }
  }
  return result;
}

}  // namespace astro
