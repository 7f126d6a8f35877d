// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Principal phases of the moon: mean-phase formulae with the 1900 epoch and
// shortened sets of periodic terms; dates at Greenwich on the formulae's time scale.
#include <vector>

#include "calendar/calendar.h"

namespace astro {

enum class PhaseKind { NewMoon, FirstQuarter, FullMoon, LastQuarter };

// Instant (Julian Day) of the phase of lunation number k (k whole; the offset of
// the kind, 0, 0.25, 0.5 or 0.75, is added here).
double phaseInstant(double k, PhaseKind kind);

// Julian Day to calendar date, proleptic Gregorian as the pages (also before 1582
// October 15, when Rome still counted by the Julian calendar).
calendar::Date dateFromJD(double jd);

struct PhaseDay {
  int day = 0;          // day of the month, 1..31
  PhaseKind kind{};
  double jd = 0;        // the instant itself
};

struct MonthPhases {
  std::vector<PhaseDay> phases;           // every principal phase dated in the month, in time order
  PhaseKind lastBeforeMonth{};            // NewMoon or FullMoon: the last of these two kinds before day 1
};

// All principal phases whose Greenwich date lies in the given month and year.
MonthPhases phaseDaysOfMonth(int month, int year);

}  // namespace astro
