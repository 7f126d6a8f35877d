// SPDX-License-Identifier: GPL-3.0-or-later
// The moon's events against tables made once from an independent precise ephemeris
// (tests/astro/data/make_reference.mjs says how).
#include "astro/moon_events.h"

#include <gtest/gtest.h>

#include <algorithm>
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
  EXPECT_TRUE(in) << name;
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream split(line);
    for (std::string field; std::getline(split, field, ',');) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

// Errors in seconds: the largest, the median and the share within a limit.
struct Errors {
  std::vector<double> seconds;
  void add(double a, double b) { seconds.push_back(std::fabs(a - b) / Second); }
  double largest() const { return seconds.empty() ? 0 : *std::max_element(seconds.begin(), seconds.end()); }
  double within(double limit) const {
    return static_cast<double>(std::count_if(seconds.begin(), seconds.end(), [&](double s) { return s <= limit; })) /
           seconds.size();
  }
  std::string summary() {
    std::sort(seconds.begin(), seconds.end());
    std::ostringstream out;
    out << seconds.size() << " events, largest " << largest() << " s, median " << seconds[seconds.size() / 2]
        << " s, within 1 minute " << 100 * within(60) << "%";
    return out.str();
  }
};

// The same events in the same order as a reference table (kind, instant), each within `limit` seconds.
void expectSameEvents(const std::vector<std::pair<std::string, double>>& ours, const std::string& table, double limit) {
  const auto reference = readTable(table);
  ASSERT_EQ(ours.size(), reference.size()) << table;
  Errors errors;
  for (std::size_t i = 0; i < ours.size(); ++i) {
    ASSERT_EQ(ours[i].first, reference[i][0]) << table << " " << i;
    errors.add(ours[i].second, std::stod(reference[i][1]));
  }
  EXPECT_LE(errors.largest(), limit) << table;
  std::cout << table << ": " << errors.summary() << "\n";
}

TEST(MoonEvents, PhasesOf1900To2100WithinAMinute) {
  std::vector<std::pair<std::string, double>> ours;
  for (const PhaseMoment& p : phaseMoments(From1900, To2101))
    ours.emplace_back(std::to_string(static_cast<int>(p.kind)), p.jdUT);
  expectSameEvents(ours, "moon_phases_1900_2100.csv", 60);
}

TEST(MoonEvents, RiseAndSetAtEveryPlace) {
  std::map<int, GeoPosition> places;
  for (const auto& row : readTable("moon_places.csv"))
    places[std::stoi(row[0])] = {std::stod(row[1]), std::stod(row[2])};
  ASSERT_GE(places.size(), 108u);
  Errors errors;
  int daysWithout = 0;
  for (const auto& row : readTable("moon_rise_set.csv")) {
    const calendar::Date day{std::stoi(row[3]), std::stoi(row[2]), std::stoi(row[1])};
    const MoonRiseSet ours = moonRiseSet(day, places.at(std::stoi(row[0])));
    const std::optional<double>* got[2] = {&ours.rise, &ours.set};
    for (int i = 0; i < 2; ++i) {
      const std::string& expected = row[4 + i];
      const std::string what = (i == 0 ? "rise at " : "set at ") + row[0] + " on " + calendar::dateText(day);
      daysWithout += expected == "-";
      ASSERT_EQ(got[i]->has_value(), expected != "-") << what;
      if (got[i]->has_value()) errors.add(**got[i], std::stod(expected));
    }
  }
  EXPECT_LE(errors.largest(), 120);
  EXPECT_GE(errors.within(60), 0.99);
  EXPECT_GT(daysWithout, 100);
  std::cout << "rise and set: " << errors.summary() << ", " << daysWithout << " days without one\n";
}

// A month at once gives what each of its days gives alone; a damaged code beyond the pole gives nothing.
TEST(MoonEvents, MonthRunMatchesSingleDays) {
  const MoonRiseSet beyondThePole = moonRiseSet({1, 1, 2026}, decodeCityCode("009999990000"));
  EXPECT_FALSE(beyondThePole.rise || beyondThePole.set);
  for (const GeoPosition where : {GeoPosition{12.48, 41.9}, GeoPosition{25.47, 65.01}}) {
    const calendar::Date first{1, 3, 2026};
    const std::vector<MoonRiseSet> month = moonRiseSets(first, 31, where);
    ASSERT_EQ(month.size(), 31u);
    for (int d = 0; d < 31; ++d) {
      const MoonRiseSet day = moonRiseSet({d + 1, 3, 2026}, where);
      for (const auto& [a, b] : {std::pair{month[d].rise, day.rise}, std::pair{month[d].set, day.set}}) {
        ASSERT_EQ(a.has_value(), b.has_value()) << d + 1;
        if (a) {
          EXPECT_NEAR(*a, *b, Second) << d + 1;
        }
      }
    }
  }
}

TEST(MoonEvents, PerigeeAndApogee) {
  std::vector<std::pair<std::string, double>> ours;
  for (const Apsis& a : apsides(From1900, To2101)) ours.emplace_back(a.perigee ? "P" : "A", a.jdUT);
  expectSameEvents(ours, "moon_apsides_1900_2100.csv", 900);
}

TEST(MoonEvents, AscendingAndExtremesOfDeclination) {
  std::vector<std::pair<std::string, double>> ours;
  for (const Lunistice& l : lunistices(From1900, To2101)) ours.emplace_back(l.north ? "N" : "S", l.jdUT);
  expectSameEvents(ours, "moon_lunistices_1900_2100.csv", 1800);
  std::vector<Lunistice> reference;
  for (const auto& row : readTable("moon_lunistices_1900_2100.csv"))
    reference.push_back({row[0] == "N", std::stod(row[1])});
  // Every noon: ascending from a southern extreme to the next northern one.
  std::size_t next = 0;
  int compared = 0;
  for (double noon = From1900 + 0.5; noon < To2101; noon += 1) {
    while (next < reference.size() && reference[next].jdUT < noon) ++next;
    const bool nearExtreme = (next < reference.size() && reference[next].jdUT - noon < 3600 * Second) ||
                             (next > 0 && noon - reference[next - 1].jdUT < 3600 * Second);
    if (nearExtreme || next == 0 || next == reference.size()) continue;
    ASSERT_EQ(moonAscending(noon), reference[next].north) << std::fixed << noon;
    ++compared;
  }
  EXPECT_GT(compared, 72000);
}

// Far from our centuries no reference is at hand, but the events keep their order
// and rhythm: quarters in turn a week apart, a rise and a set nearly every day,
// northern and southern extremes in turn a fortnight apart.
TEST(MoonEvents, FarCenturiesKeepTheirRhythm) {
  for (int year : {1, 1000, 5000, 9999}) {
    const double from = julianDay({1, 1, year}), to = from + 365;
    const std::vector<PhaseMoment> phases = phaseMoments(from, to);
    ASSERT_GE(phases.size(), 48u) << year;
    for (std::size_t i = 1; i < phases.size(); ++i) {
      EXPECT_EQ(static_cast<int>(phases[i].kind), (static_cast<int>(phases[i - 1].kind) + 1) % 4) << year;
      EXPECT_NEAR(phases[i].jdUT - phases[i - 1].jdUT, 7.38, 1.5) << year;
    }
    const std::vector<Lunistice> extremes = lunistices(from, to);
    ASSERT_GE(extremes.size(), 26u) << year;
    for (std::size_t i = 1; i < extremes.size(); ++i) {
      EXPECT_NE(extremes[i].north, extremes[i - 1].north) << year;
      EXPECT_NEAR(extremes[i].jdUT - extremes[i - 1].jdUT, 13.66, 1.5) << year;
    }
    const std::vector<MoonRiseSet> month = moonRiseSets({1, 12, year}, 31, {12.48, 41.9});
    const auto count = [&](auto member) {
      return std::count_if(month.begin(), month.end(), [&](const MoonRiseSet& d) { return (d.*member).has_value(); });
    };
    EXPECT_GE(count(&MoonRiseSet::rise), 29) << year;
    EXPECT_GE(count(&MoonRiseSet::set), 29) << year;
  }
}

TEST(CivilTime, RoundsToTheMinuteAcrossDaysAndYears) {
  struct Case {
    double jd;
    int offset;
    calendar::Date date;
    int hour, minute;
  } cases[] = {
      {2451545.0, 1, {1, 1, 2000}, 13, 0},
      {2451544.5 - 1.0 / 24 - 29.0 / 86400, 1, {1, 1, 2000}, 0, 0},  // 23:59:31 rounds into the new year
      {2451544.5 - 31.0 / 86400, 0, {31, 12, 1999}, 23, 59},         // 23:59:29 does not
      {2451544.5 + 23.0 / 24 - 1.0 / 86400, 1, {2, 1, 2000}, 0, 0},
      {2451544.5 + 23.0 / 24 - 29.0 / 86400, 2, {2, 1, 2000}, 1, 0},
      {2460735.5 - 1.0 / 24, 2, {1, 3, 2025}, 1, 0},   // after 28 February
      {2451603.5 - 1.0 / 24, 2, {29, 2, 2000}, 1, 0},  // after 28 February of a leap year
      {1721425.5 + 0.5, 1, {1, 1, 1}, 13, 0},          // year 1, proleptic Gregorian
      {2299160.5, 0, {15, 10, 1582}, 0, 0},
      {5373483.5 + 0.9, 1, {31, 12, 9999}, 22, 36},
  };
  for (const auto& c : cases) {
    const CivilTime got = civilTime(c.jd, c.offset);
    EXPECT_EQ(got.date, c.date) << std::fixed << c.jd;
    EXPECT_EQ(got.hour * 60 + got.minute, c.hour * 60 + c.minute) << std::fixed << c.jd;
    EXPECT_EQ(civilTime(julianDay(c.date), 0).date, c.date) << calendar::dateText(c.date);
  }
  EXPECT_EQ(julianDay({1, 1, 2000}), 2451544.5);
  EXPECT_EQ(julianDay({1, 1, 1}), 1721425.5);
}

}  // namespace
