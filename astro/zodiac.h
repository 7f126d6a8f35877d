// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the Moon stands in the zodiac, which gives the sowing calendar the plant
// part of the day: by the constellations (constellations.h: their stretches of
// the ecliptic of J2000, unequal, the Moon's longitude of J2000) or by the signs
// (twelve of 30 degrees from the true equinox of date, the Moon's apparent
// longitude). Instants are Julian Days of Universal Time; the entries come within
// twenty seconds of a precise ephemeris over 1900-2100, five on average.
#include <vector>

namespace astro {

enum class ZodiacSystem { Constellations, Signs };

// A constellation or a sign, after the system.
enum class ZodiacSign {
  Aries,
  Taurus,
  Gemini,
  Cancer,
  Leo,
  Virgo,
  Libra,
  Scorpius,
  Sagittarius,
  Capricornus,
  Aquarius,
  Pisces
};

// Where the Moon stands at an instant.
ZodiacSign zodiacAt(double jdUT, ZodiacSystem system);

struct ZodiacEntry {
  ZodiacSign sign{};
  double jdUT = 0;
};
// Every instant the Moon enters a constellation or sign, at or after fromJdUT and
// before toJdUT, in time order.
std::vector<ZodiacEntry> zodiacEntries(double fromJdUT, double toJdUT, ZodiacSystem system);

}  // namespace astro
