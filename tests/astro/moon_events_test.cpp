// SPDX-License-Identifier: GPL-3.0-or-later
// The moon's events against tables made once from an independent precise ephemeris (data/make_reference.mjs,
// data/make_tradition.mjs).
#include "astro/apsides.h"
#include "astro/moon_series.h"
#include "astro/nodes.h"
#include "astro/phases.h"
#include "astro/rise_set.h"
#include "astro/time_scales.h"
#include "astro/zodiac.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {
using namespace astro;

constexpr double Second = 1.0 / 86400;
const double From1900 = julianDay({1, 1, 1900}), To2101 = julianDay({1, 1, 2101});

// The comma-separated fields of each line of a data file, comments left out.
std::vector<std::vector<std::string>> readTable(const std::string& name) {
  std::ifstream in(std::string(ORTALBA_SOURCE_DIR) + "/tests/astro/data/" + name);
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::stringstream split(line);
    rows.emplace_back();
    for (std::string field; std::getline(split, field, ',');) rows.back().push_back(field);
  }
  return rows;
}

// The rise and the set within the civil day of UTC+1, as the reference tables have them.
MoonRiseSet riseSetOfDay(const calendar::Date& day, GeoPosition where) {
  return moonRiseSets(julianDay(day) - 1.0 / 24, 1, where)[0];
}

using Events = std::vector<std::pair<std::string, double>>;  // kind, instant

// The same events in the same order as the rows of a reference table, whose last two fields are the
// kind and the instant, each within `limit` seconds.
void expectSameEvents(const Events& ours, const std::vector<std::vector<std::string>>& reference, double limit,
                      const std::string& what) {
  ASSERT_EQ(ours.size(), reference.size()) << what;
  for (std::size_t i = 0; i < ours.size(); ++i) {
    const std::size_t fields = reference[i].size();
    ASSERT_EQ(ours[i].first, reference[i][fields - 2]) << what << " " << i;
    ASSERT_NEAR(ours[i].second, std::stod(reference[i][fields - 1]), limit * Second) << what << " " << i;
  }
}

TEST(MoonEvents, PhasesPerigeeAndApogeeOf1900To2100) {
  Events phases, apsis;
  for (const PhaseMoment& p : phaseMoments(From1900, To2101)) phases.emplace_back(std::to_string(int(p.kind)), p.jdUT);
  for (const Apsis& a : apsides(From1900, To2101)) apsis.emplace_back(a.perigee ? "P" : "A", a.jdUT);
  expectSameEvents(phases, readTable("moon_phases_1900_2100.csv"), 60, "phases");
  expectSameEvents(apsis, readTable("moon_apsides_1900_2100.csv"), 900, "apsides");
}

// Through four years a week at a time, so that many events fall near the edge of a run: the entries
// into the constellations and the signs within a minute, the nodes within three, none missing or twice;
// a second after an entry the Moon stands where it entered, a second before in the one before.
TEST(MoonEvents, ZodiacEntriesAndNodesOfFourYears) {
  std::map<std::string, Events> ours;
  for (int year : {1950, 2000, 2027, 2099})
    for (double from = julianDay({1, 1, year}), end = julianDay({1, 1, year + 1}); from < end; from += 7) {
      const double to = std::min(from + 7, end);
      for (const auto& [kind, system] : {std::pair{"C", ZodiacSystem::Constellations}, {"S", ZodiacSystem::Signs}})
        for (const ZodiacEntry& e : zodiacEntries(from, to, system)) {
          const int sign = static_cast<int>(e.sign);
          ASSERT_EQ(static_cast<int>(zodiacAt(e.jdUT + Second, system)), sign) << kind << std::fixed << e.jdUT;
          ASSERT_EQ(static_cast<int>(zodiacAt(e.jdUT - Second, system)), (sign + 11) % 12)
              << kind << std::fixed << e.jdUT;
          ours[kind].emplace_back(std::to_string(sign), e.jdUT);
        }
      for (const NodeCrossing& n : nodeCrossings(from, to)) ours["N"].emplace_back(n.ascending ? "1" : "0", n.jdUT);
    }
  std::map<std::string, std::vector<std::vector<std::string>>> reference;
  for (auto& row : readTable("moon_zodiac_nodes.csv")) reference[row[0]].push_back(row);
  expectSameEvents(ours["C"], reference["C"], 60, "constellations");
  expectSameEvents(ours["S"], reference["S"], 60, "signs");
  expectSameEvents(ours["N"], reference["N"], 180, "nodes");
}

TEST(MoonEvents, RiseAndSetAtEveryPlace) {
  std::map<int, GeoPosition> places;
  for (const auto& row : readTable("moon_places.csv")) places[std::stoi(row[0])] = {std::stod(row[1]), std::stod(row[2])};
  ASSERT_GE(places.size(), 108u);
  int daysWithout = 0, events = 0, overAMinute = 0;
  for (const auto& row : readTable("moon_rise_set.csv")) {
    const calendar::Date day{std::stoi(row[3]), std::stoi(row[2]), std::stoi(row[1])};
    const MoonRiseSet ours = riseSetOfDay(day, places.at(std::stoi(row[0])));
    for (const auto& [got, expected] : {std::pair{ours.rise, row[4]}, {ours.set, row[5]}}) {
      daysWithout += expected == "-";
      ASSERT_EQ(got.has_value(), expected != "-") << row[0] << " on " << calendar::dateText(day);
      if (!got) continue;
      ++events, overAMinute += std::fabs(*got - std::stod(expected)) > 60 * Second;
      ASSERT_NEAR(*got, std::stod(expected), 120 * Second) << row[0] << " on " << calendar::dateText(day);
    }
  }
  EXPECT_LE(overAMinute, events / 100);
  EXPECT_GT(daysWithout, 100);
}

// Every noon: ascending from a southern extreme to the next northern one, except within an hour of either.
TEST(MoonEvents, AscendingBetweenTheExtremesOfDeclination) {
  struct Extreme { bool north; double jdUT; };
  std::vector<Extreme> reference;
  for (const auto& row : readTable("moon_lunistices_1900_2100.csv")) reference.push_back({row[0] == "N", std::stod(row[1])});
  std::size_t next = 0;
  int compared = 0;
  for (double noon = From1900 + 0.5; noon < To2101; noon += 1) {
    while (next < reference.size() && reference[next].jdUT < noon) ++next;
    if (next == 0 || next == reference.size() || reference[next].jdUT - noon < 3600 * Second ||
        noon - reference[next - 1].jdUT < 3600 * Second)
      continue;
    ASSERT_EQ(moonAscending(noon), reference[next].north) << std::fixed << noon;
    ++compared;
  }
  EXPECT_GT(compared, 72000);
}

// A month at once gives what each of its days gives alone; a place beyond the pole gives nothing.
TEST(MoonEvents, MonthRunMatchesSingleDays) {
  const MoonRiseSet beyondThePole = riseSetOfDay({1, 1, 2026}, {1.65, 100.65});
  EXPECT_FALSE(beyondThePole.rise || beyondThePole.set);
  for (const GeoPosition where : {GeoPosition{12.48, 41.9}, GeoPosition{25.47, 65.01}}) {
    const std::vector<MoonRiseSet> month = moonRiseSets(julianDay({1, 3, 2026}) - 1.0 / 24, 31, where);
    ASSERT_EQ(month.size(), 31u);
    for (int d = 0; d < 31; ++d) {
      const MoonRiseSet day = riseSetOfDay({d + 1, 3, 2026}, where);
      for (const auto& [a, b] : {std::pair{month[d].rise, day.rise}, {month[d].set, day.set}}) {
        ASSERT_EQ(a.has_value(), b.has_value()) << d + 1;
        EXPECT_NEAR(a.value_or(0), b.value_or(0), Second) << d + 1;
      }
    }
  }
}

// An empty, reversed or endless run holds nothing, and takes no time to say so.
TEST(MoonEvents, NothingOutsideARun) {
  const double day = julianDay({1, 1, 2027}), endless = std::numeric_limits<double>::infinity();
  for (const auto& [from, to] : {std::pair{day, day}, {day + 30, day}, {-endless, day}, {day, endless},
                                 {std::nan(""), day}, {day, std::nan("")}})
    EXPECT_TRUE(zodiacEntries(from, to, ZodiacSystem::Constellations).empty() &&
                zodiacEntries(from, to, ZodiacSystem::Signs).empty() && nodeCrossings(from, to).empty() &&
                apsides(from, to).empty()) << from << " " << to;
}

// Far from our centuries no reference is at hand, but the events keep their order and rhythm:
// quarters a week apart, perigee and apogee in turn a fortnight apart, a rise and a set nearly every day,
// the constellations and signs in their order, the nodes in turn a fortnight apart.
TEST(MoonEvents, FarCenturiesKeepTheirRhythm) {
  for (int year : {1, 1000, 5000, 9999}) {
    const double from = julianDay({1, 1, year}), to = from + 365;
    const std::vector<PhaseMoment> phases = phaseMoments(from, to);
    ASSERT_GE(phases.size(), 48u) << year;
    for (std::size_t i = 1; i < phases.size(); ++i) {
      EXPECT_EQ(int(phases[i].kind), (int(phases[i - 1].kind) + 1) % 4) << year;
      EXPECT_NEAR(phases[i].jdUT - phases[i - 1].jdUT, 7.38, 1.5) << year;
    }
    const std::vector<Apsis> apsis = apsides(from, to);
    ASSERT_GE(apsis.size(), 26u) << year;
    for (std::size_t i = 1; i < apsis.size(); ++i) {
      EXPECT_NE(apsis[i].perigee, apsis[i - 1].perigee) << year;
      EXPECT_NEAR(apsis[i].jdUT - apsis[i - 1].jdUT, 13.8, 3) << year;
      EXPECT_GT(apsis[i].perigee ? apsis[i - 1].distanceKm : apsis[i].distanceKm, 400000) << year;
    }
    for (const ZodiacSystem system : {ZodiacSystem::Constellations, ZodiacSystem::Signs}) {
      const std::vector<ZodiacEntry> entries = zodiacEntries(from, to, system);
      ASSERT_GE(entries.size(), 160u) << year;
      for (std::size_t i = 1; i < entries.size(); ++i)
        EXPECT_EQ(int(entries[i].sign), (int(entries[i - 1].sign) + 1) % 12) << year;
    }
    const std::vector<NodeCrossing> nodes = nodeCrossings(from, to);
    ASSERT_GE(nodes.size(), 26u) << year;
    for (std::size_t i = 1; i < nodes.size(); ++i) {
      EXPECT_NE(nodes[i].ascending, nodes[i - 1].ascending) << year;
      EXPECT_NEAR(nodes[i].jdUT - nodes[i - 1].jdUT, 13.6, 1.5) << year;
    }
    int rises = 0, sets = 0;
    for (const MoonRiseSet& d : moonRiseSets(julianDay({1, 12, year}), 31, {12.48, 41.9})) rises += bool(d.rise), sets += bool(d.set);
    EXPECT_TRUE(rises >= 29 && sets >= 29) << year;
  }
}

}  // namespace
