// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/city_table.h"
#include "app/month_sheet.h"
#include "app/year_calendar.h"
#include "astro/moon_phases.h"
#include "astro/sun_times.h"
#include "calendar/calendar.h"

// The 2027 file is also checked by an independent parser (tests/ics/validate_ics.py).
namespace {
using namespace app;

const IcsStamp Stamp{2026, 3, 7, 9, 5, 3};
constexpr int Milano = 15;
constexpr int Forli = 39;  // "FORLÌ": a two-octet letter in every moon event

// The physical lines, without their CRLF; fails the test on a bare CR or LF.
std::vector<std::string> physicalLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
    end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "the text does not end with CRLF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << lines.back();
  }
  return lines;
}

std::vector<std::string> unfold(const std::string& text) {
  std::vector<std::string> lines;
  for (const std::string& line : physicalLines(text)) {
    if (!line.empty() && line[0] == ' ' && !lines.empty())
      lines.back() += line.substr(1);
    else
      lines.push_back(line);
  }
  return lines;
}

std::string unescape(const std::string& value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) ++i, out += value[i] == 'n' ? '\n' : value[i];
    else out += value[i];
  }
  return out;
}

// Name with parameters ("DTSTART;VALUE=DATE") -> raw value, per event.
using Event = std::map<std::string, std::string>;

std::vector<Event> eventsOf(const std::string& ics) {
  std::vector<Event> events;
  bool inside = false;
  for (const std::string& line : unfold(ics)) {
    if (line == "BEGIN:VEVENT" || line == "END:VEVENT") {
      inside = line[0] == 'B';
      if (inside) events.emplace_back();
    } else if (inside) {
      const std::size_t colon = line.find(':');
      EXPECT_NE(colon, std::string::npos) << line;
      if (colon != std::string::npos) events.back()[line.substr(0, colon)] = line.substr(colon + 1);
    }
  }
  return events;
}

calendar::Date dateOf(const std::string& yyyymmdd) {
  return {std::stoi(yyyymmdd.substr(6, 2)), std::stoi(yyyymmdd.substr(4, 2)), std::stoi(yyyymmdd.substr(0, 4))};
}

// The day an event stands on in the grid, yyyymmdd: its UID begins with it.
std::string gridDay(const Event& e) { return e.at("UID").substr(0, 8); }

// (yyyymmdd, summary) of every event of a category.
std::set<std::pair<std::string, std::string>> datedSummaries(const std::vector<Event>& events, const char* category) {
  std::set<std::pair<std::string, std::string>> out;
  for (const Event& e : events)
    if (e.at("CATEGORIES") == category) out.emplace(gridDay(e), unescape(e.at("SUMMARY")));
  return out;
}

std::string yyyymmdd(const calendar::Date& d) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", d.year, d.month, d.day);
  return text;
}

TEST(IcsText, EscapesWhatTextValuesReserve) {
  struct Case { const char* in; const char* out; } cases[] = {
      {"Sorge 07:02, tramonta 18:11", "Sorge 07:02\\, tramonta 18:11"}, {"a;b", "a\\;b"},
      {"C:\\orto", "C:\\\\orto"}, {"uno\ndue", "uno\\ndue"}, {"uno\r\ndue\rtre", "uno\\ndue\\ntre"},
      {"a\x01\x7F" "b\tc", "ab\tc"}, {"Lunedì dell'Angelo", "Lunedì dell'Angelo"}, {"", ""}};
  for (auto c : cases) EXPECT_EQ(icsEscapeText(c.in), c.out) << c.in;
}

TEST(IcsFold, FillsLinesTo75OctetsWithoutSplittingACharacter) {
  std::vector<std::string> lines{"", "x", std::string(75, 'a'), std::string(76, 'a'), std::string(149, 'a'),
                                 std::string(150, 'a')};
  for (const char* letter : {"è", "€", "🌕"})
    for (int lead = 0; lead < 4; ++lead) {
      std::string line(static_cast<std::size_t>(lead), 'x');
      for (int k = 0; k < 60; ++k) line += letter;
      lines.push_back(line);
    }
  for (const std::string& line : lines) {
    const std::string folded = icsFoldLine(line);
    const auto physical = physicalLines(folded);
    ASSERT_FALSE(physical.empty());
    for (std::size_t i = 0; i < physical.size(); ++i) {
      EXPECT_LE(physical[i].size(), 75u) << line;
      if (i == 0) continue;
      ASSERT_GE(physical[i].size(), 2u) << line;
      EXPECT_EQ(physical[i][0], ' ');
      EXPECT_NE(static_cast<unsigned char>(physical[i][1]) & 0xC0, 0x80) << "a fold splits a character of " << line;
      EXPECT_GE(physical[i - 1].size(), 72u) << "a fold wastes room in " << line;  // at most 3 octets held back
    }
    EXPECT_EQ(unfold(folded), std::vector<std::string>{line});
    EXPECT_EQ(physical.size() == 1, line.size() <= 75) << line;
  }
}

// Every event of its year, in date order, with a unique UID made of its date: a
// phase at its moment in UTC, within a day of the grid's, every other one a whole day.
TEST(YearCalendar, EventsAreOfTheirYear) {
  for (int year : {1, 2, 1500, 1582, 1583, 1900, 2023, 4099, 4100, 9999}) {
    SCOPED_TRACE(year);
    std::set<std::string> uids;
    std::string previous = "00000000";
    const auto events = eventsOf(yearCalendarIcs(year, Forli, Stamp));
    EXPECT_GE(events.size(), 49u);
    for (const Event& e : events) {
      EXPECT_TRUE(uids.insert(e.at("UID")).second) << "twice: " << e.at("UID");
      if (e.count("DTSTART")) {
        const std::string& moment = e.at("DTSTART");
        ASSERT_EQ(moment.size(), 16u) << moment;
        EXPECT_EQ(moment.substr(8, 1) + moment.substr(13), "T00Z") << moment;
        // Before 1583 the grid dates the phases by the Julian calendar, the moment by the
        // Gregorian; far in the future the grid's own formulae drift by a day or two.
        const int drift = year > 1582 && year < 5000 ? 1 : 12;
        EXPECT_LE(std::abs(calendar::daysFrom(dateOf(gridDay(e)), dateOf(moment.substr(0, 8)))), drift) << moment;
        EXPECT_FALSE(e.count("DTEND") || e.count("DURATION"));
        continue;
      }
      const std::string& start = e.at("DTSTART;VALUE=DATE");
      ASSERT_EQ(start.size(), 8u);
      const calendar::Date date{std::stoi(start.substr(6, 2)), std::stoi(start.substr(4, 2)), year};
      EXPECT_TRUE(calendar::isValidDate(date)) << start;
      EXPECT_EQ(yyyymmdd(date), start) << "not of the year";
      EXPECT_LE(previous, start) << "events out of order";
      previous = start;
      EXPECT_EQ(e.at("UID").rfind(start + "-", 0), 0u) << e.at("UID");
      if (start == "99991231") {
        EXPECT_EQ(e.at("DURATION"), "P1D");
        continue;
      }
      calendar::Date next{date.day + 1, date.month, date.year};
      if (!calendar::isValidDate(next)) next = date.month == 12 ? calendar::Date{1, 1, year + 1} : calendar::Date{1, date.month + 1, year};
      EXPECT_EQ(e.at("DTEND;VALUE=DATE"), yyyymmdd(next));
    }
  }
}

TEST(YearCalendar, HoldsTheFeastsAndNotesOf2027) {
  const auto events = eventsOf(yearCalendarIcs(2027, Milano, Stamp));
  const std::set<std::pair<std::string, std::string>> feasts{
      {"20270101", "Capodanno"}, {"20270106", "Epifania"}, {"20270110", "Battesimo di Gesù"},
      {"20270214", "I di Quaresima"}, {"20270328", "Pasqua"}, {"20270329", "Lunedì dell'Angelo"},
      {"20270425", "Liberazione"}, {"20270501", "Festa del Lavoro"}, {"20270509", "Ascensione"},
      {"20270516", "Pentecoste"}, {"20270523", "SS.Trinità"}, {"20270530", "Corpus Domini"},
      {"20270602", "Festa della Repubblica"}, {"20270604", "S.Cuore di Gesù"},
      {"20270815", "Assunzione M.Vergine (Ferragosto)"}, {"20271004", "S.Francesco d'Assisi Patrono d'Italia"},
      {"20271101", "Tutti i Santi"},
      {"20271107", "Festa Unità Nazionale"}, {"20271207", "S.Ambrogio, patrono di Milano"},
      {"20271208", "Immacolata Concezione"}, {"20271225", "Natale"},
      {"20271226", "S.Stefano"}};
  EXPECT_EQ(datedSummaries(events, "Festa"), feasts);
  const std::set<std::pair<std::string, std::string>> notes{{"20270209", "Martedì grasso"},
                                                            {"20270321", "Domenica delle Palme"}};
  EXPECT_EQ(datedSummaries(events, "Nota"), notes);
  std::set<std::string> uids;
  for (const Event& e : events) uids.insert(e.at("UID"));
  EXPECT_TRUE(uids.count("20270329-lunedi-dell-angelo-milano@ortalba")) << "UIDs are plain ASCII";
}

TEST(YearCalendar, MoonPhasesAreTheDaysTheGridMarks) {
  const char* names[] = {"Luna nuova", "Primo quarto", "Luna piena", "Ultimo quarto"};
  for (int year : {1500, 2023, 2027, 9999}) {
    std::set<std::pair<std::string, std::string>> expected;
    for (int month = 1; month <= 12; ++month)
      for (const auto& phase : astro::PhaseDaysOfMonth(month, year).phases)
        if (phase.day <= calendar::daysInMonth(month, year))
          expected.emplace(yyyymmdd({phase.day, month, year}), names[static_cast<int>(phase.kind)]);
    EXPECT_EQ(datedSummaries(eventsOf(yearCalendarIcs(year, Milano, Stamp)), "Luna"), expected) << year;
  }
}

// The place name is escaped in the calendar's name and in every moon event, next to the sun times.
TEST(YearCalendar, MoonEventsTellTheGardenerTheSunTimesAndThePlace) {
  const std::string ics = yearCalendarIcs(2027, "BORGO, SAN; X\\Y", CityTable[Milano].code, Stamp);
  const auto lines = unfold(ics);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "X-WR-CALNAME:Ortalba 2027 - BORGO\\, SAN\\; X\\\\Y"), 1);
  int moons = 0;
  for (const Event& e : eventsOf(ics)) {
    if (e.at("CATEGORIES") != "Luna") continue;
    const std::string start = gridDay(e);
    const auto sun = astro::sunTimes(std::stoi(start.substr(6, 2)), std::stoi(start.substr(4, 2)), 2027, CityTable[Milano].code);
    const std::string description = unescape(e.at("DESCRIPTION"));
    EXPECT_NE(description.find("\nSorge " + sun.sorge + ", tramonta " + sun.tramonta + " a BORGO, SAN; X\\Y"),
              std::string::npos) << description;
    EXPECT_TRUE(e.at("SUMMARY") != "Luna piena" || description.rfind(std::string(adviceOf(PhaseMark::Neutral)) + "\n", 0) == 0);
    ++moons;
  }
  EXPECT_GE(moons, 48);
}

TEST(YearCalendar, RejectsWhatItCannotWrite) {
  for (int year : {0, -4, 10000}) EXPECT_EQ(yearCalendarIcs(year, Milano, Stamp), "") << year;
  const std::string rome = yearCalendarIcs(2027, DefaultCity, Stamp);
  EXPECT_EQ(yearCalendarIcs(2027, -1, Stamp), rome);
  EXPECT_EQ(yearCalendarIcs(2027, 108, Stamp), rome);
  struct Case { IcsStamp stamp; const char* text; } stamps[] = {
      {Stamp, "20260307T090503Z"}, {{1, 1, 1, 0, 0, 0}, "00010101T000000Z"},
      {{9999, 12, 31, 23, 59, 59}, "99991231T235959Z"}, {{-3, 13, 0, 24, -1, 60}, "00011201T230059Z"}};
  for (auto c : stamps) EXPECT_EQ(eventsOf(yearCalendarIcs(2027, Milano, c.stamp)).at(0).at("DTSTAMP"), c.text);
}

}  // namespace

namespace {

// Two places' calendars imported into one phone keep all their events.
TEST(YearCalendar, UidsNameThePlaceAndStayTheSame) {
  std::set<std::string> milan, rome;
  for (const Event& e : eventsOf(yearCalendarIcs(2027, Milano, Stamp))) milan.insert(e.at("UID"));
  for (const Event& e : eventsOf(yearCalendarIcs(2027, DefaultCity, Stamp))) rome.insert(e.at("UID"));
  std::set<std::string> again;
  for (const Event& e : eventsOf(yearCalendarIcs(2027, Milano, IcsStamp{2030, 1, 1, 0, 0, 0}))) again.insert(e.at("UID"));
  EXPECT_EQ(milan, again) << "a later run gives the same UIDs";
  for (const std::string& uid : milan) {
    EXPECT_FALSE(rome.count(uid)) << uid;
    EXPECT_NE(uid.find("-milano@ortalba"), std::string::npos) << uid;
  }
}

// The sun times are ora solare; on the days the clocks are on ora legale the
// description gives them as the clocks show them too.
TEST(YearCalendar, SunTimesSayOraSolareAndGiveOraLegaleInSummer) {
  const SummerTime summer = [](const calendar::Date& d) { return d.month >= 4 && d.month <= 9; };
  int summerDays = 0;
  for (const Event& e : eventsOf(yearCalendarIcs(2027, Milano, Stamp, {summer}))) {
    if (e.at("CATEGORIES") != "Luna") continue;
    const std::string start = gridDay(e);
    const int month = std::stoi(start.substr(4, 2));
    const auto sun = astro::sunTimes(std::stoi(start.substr(6, 2)), month, 2027, CityTable[Milano].code);
    const std::string description = unescape(e.at("DESCRIPTION"));
    EXPECT_NE(description.find("a MILANO, in ora solare (UTC+1)"), std::string::npos) << description;
    const std::string legal = "in ora legale " + oneHourLater(sun.sorge) + " e " + oneHourLater(sun.tramonta);
    EXPECT_EQ(description.find(legal) != std::string::npos, month >= 4 && month <= 9) << description;
    summerDays += month >= 4 && month <= 9;
  }
  EXPECT_GT(summerDays, 20);
}

TEST(YearCalendar, OneHourLaterIsTheClockOfOraLegale) {
  struct Case { const char* in; const char* out; } cases[] = {
      {"05:38", "06:38"}, {"09:59", "10:59"}, {"19:00", "20:00"}, {"23:10", "00:10"}, {"--:--", "--:--"}, {"7:05", "7:05"}};
  for (auto c : cases) EXPECT_EQ(oneHourLater(c.in), c.out) << c.in;
}

}  // namespace

namespace {


calendar::Date following(const calendar::Date& d) {
  if (d.day < calendar::daysInMonth(d.month, d.year)) return {d.day + 1, d.month, d.year};
  return d.month < 12 ? calendar::Date{1, d.month + 1, d.year} : calendar::Date{1, 1, d.year + 1};
}

// --periodi: every waxing and waning span of the year as the bars colour it, day by day.
TEST(YearCalendar, MoonSpansAreTheDaysTheBarsColour) {
  for (int year : {2026, 2027, 1582, 9999}) {
    SCOPED_TRACE(year);
    const auto events = eventsOf(yearCalendarIcs(year, Milano, Stamp, {{}, true}));
    std::map<std::pair<int, int>, PhaseMark> marked;  // (month, day) -> the span's mark
    std::string previous;
    for (const Event& e : events) {
      if (e.at("SUMMARY") != "Luna crescente" && e.at("SUMMARY") != "Luna calante") continue;
      EXPECT_EQ(e.at("CATEGORIES"), "Luna");
      EXPECT_EQ(e.at("TRANSP"), "TRANSPARENT");
      const PhaseMark mark = e.at("SUMMARY") == "Luna crescente" ? PhaseMark::Waxing : PhaseMark::Waning;
      const std::string& start = e.at("DTSTART;VALUE=DATE");
      EXPECT_LT(previous, start) << "spans in order, one per start";
      previous = start;
      calendar::Date day = dateOf(start);
      int length = 0;
      if (e.count("DTEND;VALUE=DATE")) {
        const calendar::Date end = dateOf(e.at("DTEND;VALUE=DATE"));
        for (calendar::Date d = day; d < end; d = following(d)) ++length;
      } else {
        length = std::stoi(e.at("DURATION").substr(1));  // "P12D"
      }
      for (int k = 0; k < length; ++k) {
        EXPECT_EQ(day.year, year) << "a span is cut at the year's end";
        EXPECT_TRUE(marked.emplace(std::pair{day.month, day.day}, mark).second) << "two spans on one day";
        day = following(day);
      }
      const std::string description = unescape(e.at("DESCRIPTION"));
      EXPECT_NE(description.find(e.at("SUMMARY") + " dal"), std::string::npos) << description;
      // Said as Italian says it: "dall'8", "dall'11", "dal 1°", "al 1°".
      for (const char* wrong : {"dal 8 ", "dal 11 ", "dal 1 ", "al 8 ", "al 11 ", "al 1 "})
        EXPECT_EQ(description.find(wrong), std::string::npos) << description;
    }
    for (int month = 1; month <= 12; ++month)
      for (const DaySheet& day : sheetOf(year, month, Milano).days) {
        const auto it = marked.find({month, day.day});
        if (day.mark == PhaseMark::Neutral)
          EXPECT_TRUE(it == marked.end()) << month << "/" << day.day << ": full and new moon days stay outside";
        else
          EXPECT_TRUE(it != marked.end() && it->second == day.mark) << month << "/" << day.day;
      }
  }
  // Without the option the calendar is the one of the phases and feasts alone.
  EXPECT_EQ(yearCalendarIcs(2027, Milano, Stamp, {{}, false}), yearCalendarIcs(2027, Milano, Stamp));
  const auto spans = moonSpansOfYear(2026);
  ASSERT_FALSE(spans.empty());
  EXPECT_EQ(spans.front().first, (calendar::Date{1, 1, 2026})) << "the first span starts on New Year's Day";
  EXPECT_EQ(spans.back().last, (calendar::Date{31, 12, 2026}));
}

}  // namespace
