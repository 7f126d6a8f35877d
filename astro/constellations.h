// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The zodiacal constellations as the IAU boundaries (Delporte 1930, as Roman 1987
// gives them) cut the ecliptic of J2000: where each begins, in degrees of
// longitude on the mean ecliptic and equinox of J2000, Aries first. Ophiuchus
// reaches down to the ecliptic between Scorpius and Sagittarius; the sowing
// calendar counts its stretch with Scorpius, which runs on to Sagittarius.
// Pisces begins before the equinox and runs on past 360 to Aries.
//
// Made on 2026-12-07 with astronomy-engine 2.1.19's Constellation() (after
// Roman 1987) by tests/astro/data/make_tradition.mjs: the ecliptic scanned every
// 0.001 degree and each change bisected to 1e-6 degree.
#include <array>
#include <cstddef>

namespace astro {

inline constexpr std::array<double, 12> ConstellationStarts = {
    28.688898,   // Aries
    53.419242,   // Taurus
    90.141679,   // Gemini
    117.989199,  // Cancer
    138.039512,  // Leo
    173.852224,  // Virgo
    217.812148,  // Libra
    241.040278,  // Scorpius (and Ophiuchus)
    266.239338,  // Sagittarius
    299.657296,  // Capricornus
    327.488724,  // Aquarius
    351.652615,  // Pisces
};

// Each begins where the one before ends, and the last ends where the first begins.
constexpr bool closesTheCircle(const std::array<double, 12>& starts) {
  for (std::size_t i = 1; i < starts.size(); ++i)
    if (!(starts[i] > starts[i - 1])) return false;
  return starts.front() >= 0 && starts.back() < 360;
}
static_assert(closesTheCircle(ConstellationStarts));

}  // namespace astro
