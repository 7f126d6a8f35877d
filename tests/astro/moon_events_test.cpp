// SPDX-License-Identifier: GPL-3.0-or-later
// The moon's events against tables made once from an independent precise ephemeris (data/make_reference.mjs).
#include "astro/moon_events.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
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

// The same events in the same order as a reference table (kind, instant), each within `limit` seconds.
void expectSameEvents(const std::vector<std::pair<std::string, double>>& ours, const std::string& table, double limit) {
  const auto reference = readTable(table);
  ASSERT_EQ(ours.size(), reference.size()) << table;
  for (std::size_t i = 0; i < ours.size(); ++i) {
    ASSERT_EQ(ours[i].first, reference[i][0]) << table << " " << i;
    ASSERT_NEAR(ours[i].second, std::stod(reference[i][1]), limit * Second) << table << " " << i;
  }
}

TEST(MoonEvents, PhasesPerigeeApogeeAndExtremesOf1900To2100) {
  std::vector<std::pair<std::string, double>> phases, apsis, extremes;
  for (const PhaseMoment& p : phaseMoments(From1900, To2101)) phases.emplace_back(std::to_string(int(p.kind)), p.jdUT);
  for (const Apsis& a : apsides(From1900, To2101)) apsis.emplace_back(a.perigee ? "P" : "A", a.jdUT);
  for (const Lunistice& l : lunistices(From1900, To2101)) extremes.emplace_back(l.north ? "N" : "S", l.jdUT);
  expectSameEvents(phases, "moon_phases_1900_2100.csv", 60);
  expectSameEvents(apsis, "moon_apsides_1900_2100.csv", 900);
  expectSameEvents(extremes, "moon_lunistices_1900_2100.csv", 1800);
}

TEST(MoonEvents, RiseAndSetAtEveryPlace) {
  std::map<int, GeoPosition> places;
  for (const auto& row : readTable("moon_places.csv")) places[std::stoi(row[0])] = {std::stod(row[1]), std::stod(row[2])};
  ASSERT_GE(places.size(), 108u);
  int daysWithout = 0, events = 0, overAMinute = 0;
  for (const auto& row : readTable("moon_rise_set.csv")) {
    const calendar::Date day{std::stoi(row[3]), std::stoi(row[2]), std::stoi(row[1])};
    const MoonRiseSet ours = moonRiseSets(julianDay(day) - 1.0 / 24, 1, places.at(std::stoi(row[0])))[0];
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
  std::vector<Lunistice> reference;
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

// A month at once gives what each of its days gives alone; a damaged code beyond the pole gives nothing.
TEST(MoonEvents, MonthRunMatchesSingleDays) {
  const MoonRiseSet beyondThePole = moonRiseSets(julianDay({1, 1, 2026}), 1, GeoPosition{99.99, 99.99})[0];
  EXPECT_FALSE(beyondThePole.rise || beyondThePole.set);
  for (const GeoPosition where : {GeoPosition{12.48, 41.9}, GeoPosition{25.47, 65.01}}) {
    const std::vector<MoonRiseSet> month = moonRiseSets(julianDay({1, 3, 2026}) - 1.0 / 24, 31, where);
    ASSERT_EQ(month.size(), 31u);
    for (int d = 0; d < 31; ++d) {
      const MoonRiseSet day = moonRiseSets(julianDay({d + 1, 3, 2026}) - 1.0 / 24, 1, where)[0];
      for (const auto& [a, b] : {std::pair{month[d].rise, day.rise}, {month[d].set, day.set}}) {
        ASSERT_EQ(a.has_value(), b.has_value()) << d + 1;
        EXPECT_NEAR(a.value_or(0), b.value_or(0), Second) << d + 1;
      }
    }
  }
}

// Far from our centuries no reference is at hand, but the events keep their order and rhythm:
// quarters a week apart, extremes of declination a fortnight apart, a rise and a set nearly every day.
TEST(MoonEvents, FarCenturiesKeepTheirRhythm) {
  for (int year : {1, 1000, 5000, 9999}) {
    const double from = julianDay({1, 1, year}), to = from + 365;
    const auto expectRhythm = [&](const auto& events, std::size_t fewest, double period, int kinds, auto kindOf) {
      ASSERT_GE(events.size(), fewest) << year;
      for (std::size_t i = 1; i < events.size(); ++i) {
        EXPECT_EQ(kindOf(events[i]), (kindOf(events[i - 1]) + 1) % kinds) << year;
        EXPECT_NEAR(events[i].jdUT - events[i - 1].jdUT, period, 1.5) << year;
      }
    };
    expectRhythm(phaseMoments(from, to), 48, 7.38, 4, [](const PhaseMoment& p) { return int(p.kind); });
    expectRhythm(lunistices(from, to), 26, 13.66, 2, [](const Lunistice& l) { return int(l.north); });
    int rises = 0, sets = 0;
    for (const MoonRiseSet& d : moonRiseSets(julianDay({1, 12, year}) - 1.0 / 24, 31, {12.48, 41.9})) rises += bool(d.rise), sets += bool(d.set);
    EXPECT_TRUE(rises >= 29 && sets >= 29) << year;
  }
}

TEST(CivilTime, RoundsToTheMinuteAcrossDaysAndYears) {
  struct Case { double jd; int offset; calendar::Date date; int hour, minute; } cases[] = {
      {2451545.0, 1, {1, 1, 2000}, 13, 0}, {1721425.5 + 0.5, 1, {1, 1, 1}, 13, 0}, {2299160.5, 0, {15, 10, 1582}, 0, 0},
      {2451544.5 - 1.0 / 24 - 29 * Second, 1, {1, 1, 2000}, 0, 0},  // 23:59:31 rounds into the new year
      {2451544.5 - 31 * Second, 0, {31, 12, 1999}, 23, 59},         // 23:59:29 does not
      {2451544.5 + 23.0 / 24 - Second, 1, {2, 1, 2000}, 0, 0}, {2451544.5 + 23.0 / 24 - 29 * Second, 2, {2, 1, 2000}, 1, 0},
      {2460735.5 - 1.0 / 24, 2, {1, 3, 2025}, 1, 0}, {2451603.5 - 1.0 / 24, 2, {29, 2, 2000}, 1, 0},  // after 28 February
      {5373483.5 + 0.9, 1, {31, 12, 9999}, 22, 36},
  };
  for (const auto& c : cases) {
    const CivilTime got = civilTime(c.jd, c.offset);
    EXPECT_TRUE(got.date == c.date && got.hour == c.hour && got.minute == c.minute) << std::fixed << c.jd;
    EXPECT_EQ(civilTime(julianDay(c.date), 0).date, c.date) << calendar::dateText(c.date);
  }
}

}  // namespace
