// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The moon to the minute of a month at a place: moonrise and moonset, the
// ascending or descending moon of each day, and the instant of each principal
// phase the grid marks, from the precise model. Each part is worked out the
// first time a view asks for it, then kept: it costs several times the rest of
// the month, and a redraw that shows none of it pays nothing.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "almanac/notes_advice.h"
#include "app/italian_clock.h"
#include "astro/geo_position.h"
#include "astro/zodiac.h"
#include "astro/phases.h"
#include "astro/moon_phases.h"

namespace app {

struct MoonDay {
  std::optional<CivilTime> rise;  // in ora solare; none on a day without one
  std::optional<CivilTime> set;
  bool ascending = false;  // the Moon's declination rising at 12:00 UT
};

// A principal phase as the grid marks it (on its Greenwich day, by the almanac's
// own formulae), with the instant the precise model gives it.
struct PhaseHour {
  astro::PhaseKind kind{};
  int gridDay = 0;
  double jdUT = 0;
};

// The part of the plant the tradition gives the Moon's place: fire (Ariete, Leone,
// Sagittario) the fruit, earth (Toro, Vergine, Capricorno) the root, air (Gemelli,
// Bilancia, Acquario) the flower, water (Cancro, Scorpione, Pesci) the leaf.
almanac::PlantPart plantPartOf(astro::ZodiacSign sign);

// The Moon's entry into a constellation or a sign, and the part of the plant it brings.
struct ZodiacEntryHour {
  astro::ZodiacSign sign{};
  double jdUT = 0;
  almanac::PlantPart part = almanac::PlantPart::Radice;
};

// Perigee, apogee and the nodes: the instants the tradition marks as unfavourable,
// with the hours around them.
enum class MoonEventKind { Perigee, Apogee, AscendingNode, DescendingNode };
struct MoonEvent {
  MoonEventKind kind{};
  double jdUT = 0;
};
// The hours before and after an event that the tradition asks to leave the
// garden alone: twelve around the perigee, six around the apogee and the nodes.
double unfavourableHours(MoonEventKind kind);

// The tradition's side of a month: the part of the plant each day's noon (12:00 UT)
// favours, the entries into constellations or signs, and the events, all within the
// month's days of ora solare.
struct MonthTradition {
  astro::ZodiacSystem system = astro::ZodiacSystem::Constellations;
  astro::ZodiacSign firstSign{};               // where the Moon stands as the month begins
  std::vector<almanac::PlantPart> partAtNoon;  // days 1..length
  std::vector<ZodiacEntryHour> entries;        // in time order
  std::vector<MoonEvent> events;               // in time order
  // Whether day d (1..length) holds unfavourable hours, and its events.
  std::vector<bool> unfavourable;              // days 1..length
  // Where the Moon stands at an instant of the month.
  astro::ZodiacSign signAt(double jdUT) const;
};

// "perigeo", "apogeo", "nodo ascendente", "nodo discendente".
const char* moonEventName(MoonEventKind kind);

// What the tradition gives day d (1..length): "giorno di radice (Toro), costellazioni",
// and when the Moon changes part that day "giorno di frutto (Sagittario) e, dalle
// 12:36, di radice (Capricorno), costellazioni".
std::string plantPartText(const MonthTradition& tradition, int year, int month, int day);

// The same, short: "giorno di frutto, di radice dalle 12:36".
std::string plantPartShortText(const MonthTradition& tradition, int year, int month, int day);

// The events of day d and their unfavourable hours: "perigeo alle 10:12: ore
// sfavorevoli dalle 22:12 del 5 alle 22:12 del 6"; empty on a day without one.
std::string moonEventsText(const MonthTradition& tradition, int year, int month, int day);

class MonthMoon {
 public:
  MonthMoon(int year, int month, int length, astro::GeoPosition where, astro::MonthPhases gridPhases,
            astro::ZodiacSystem zodiac = astro::ZodiacSystem::Constellations);

  // Days 1..length of the month.
  const std::vector<MoonDay>& days() const;
  // The grid's phases of the month, in time order.
  const std::vector<PhaseHour>& phases() const;
  // The plant parts, the entries, perigee, apogee and the nodes.
  const MonthTradition& tradition() const;

  // Whether it is the moon of that month seen from there.
  bool isOf(int year, int month, const astro::GeoPosition& where) const {
    return year_ == year && month_ == month && where_ == where;
  }

 private:
  int year_, month_, length_;
  astro::GeoPosition where_;
  astro::MonthPhases gridPhases_;
  astro::ZodiacSystem zodiac_;
  mutable std::optional<std::vector<MoonDay>> days_;
  mutable std::optional<std::vector<PhaseHour>> phases_;
  mutable std::optional<MonthTradition> tradition_;
};

// "ascendente", "discendente".
const char* risingWord(bool ascending);

// What a day row says of the Moon: "Luna: sorge 07:12, tramonta 18:40, ascendente",
// in ora solare; with `legal` (the clocks on ora legale that day) also the clocks'
// times: "(orologi 08:12 e 19:40)".
std::string moonDayText(const MoonDay& day, bool legal);

// On which day a phase falls: its day at Greenwich by the almanac's own
// formulae, as the grid has always marked it, or the day Italian clocks show at
// its true instant (the day a phone shows a timed phase on).
enum class PhaseDays { Greenwich, Italian };

// "Luna piena alle 00:23 del 21 febbraio (Greenwich: 23:23 del 20)": the
// hour as Italian clocks show it ("ora legale" said on its days), and, where the
// grid puts the phase on its Greenwich day and that is not the Italian date, the
// Greenwich time and day.
std::string phaseHourText(const PhaseHour& phase, PhaseDays phaseDays);

// "La Luna sorge alle 17:34 e tramonta alle 06:57 a MILANO, in ora solare (UTC+1)",
// and with `legal` what the clocks show that day.
std::string moonTimesSentence(const MoonDay& day, std::string_view placeName, bool legal);
// "sorge alle 04:37 e tramonta alle 19:52", with "non sorge", "non tramonta".
std::string riseAndSet(const std::optional<CivilTime>& rise, const std::optional<CivilTime>& set);
// "; gli orologi, in ora legale, segnano 05:37 e 20:52": what the watch shows; empty with neither time.
std::string onTheWatch(const std::optional<CivilTime>& rise, const std::optional<CivilTime>& set);

}  // namespace app
