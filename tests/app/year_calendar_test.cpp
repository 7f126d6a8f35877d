// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/year_calendar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "app/city_table.h"
#include "app/italian_clock.h"
#include "app/month_sheet.h"
#include "astro/time_scales.h"

// The files' line ends, their 75-octet lines and folds are checked here; what an
// independent parser makes of a whole file, by tests/ics/validate_ics.py.
namespace {
using namespace app;

const IcsStamp Stamp{2026, 3, 7, 9, 5, 3};
const Place Milano = findPlace("MILANO").value();
const Place Forli = findPlace("FORLÌ").value();  // a two-octet letter in every moon event

// The physical lines without their CRLF: none of more than 75 octets, no bare CR or LF.
std::vector<std::string> physicalLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
    end = text.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "the text does not end with CRLF";
      break;
    }
    lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << lines.back();
    EXPECT_LE(lines.back().size(), 75u) << lines.back();
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
  for (std::size_t i = 0; i < value.size(); ++i)
    out += value[i] == '\\' && i + 1 < value.size() ? (value[++i] == 'n' ? '\n' : value[i]) : value[i];
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

// The day an event stands on in the grid: its UID begins with it.
calendar::Date gridDay(const Event& e) { return dateOf(e.at("UID").substr(0, 8)); }

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
    for (std::size_t i = 1; i < physical.size(); ++i) {
      ASSERT_GE(physical[i].size(), 2u) << line;
      EXPECT_EQ(physical[i][0], ' ');
      EXPECT_NE(static_cast<unsigned char>(physical[i][1]) & 0xC0, 0x80) << "a fold splits a character of " << line;
      EXPECT_GE(physical[i - 1].size(), 72u) << "a fold wastes room in " << line;  // at most 3 octets held back
    }
    EXPECT_EQ(unfold(folded), std::vector<std::string>{line});
    EXPECT_EQ(physical.size() == 1, line.size() <= 75) << line;
  }
}

// Every event of its year, in date order, with a UID of its own that begins with
// its date: the phases (at their moment in UTC), the feasts and, with --periodi,
// the waxing and waning spans, on the days the month grid shows them.
TEST(YearCalendar, HoldsThePhasesFeastsAndSpansOfTheGrid) {
  using Dated = std::set<std::pair<calendar::Date, std::string>>;
  for (int year : {1, 1500, 1582, 1583, 1900, 2026, 4100, 9999}) {
    SCOPED_TRACE(year);
    Dated phases, feasts, wantPhases, wantFeasts;
    std::map<calendar::Date, PhaseMark> spans;
    std::set<std::string> uids;
    calendar::Date previous{1, 1, year};
    for (const Event& e : eventsOf(yearCalendarIcs(year, Forli, Stamp, {true, {}, false, {}}))) {
      EXPECT_TRUE(uids.insert(e.at("UID")).second) << "twice: " << e.at("UID");
      const calendar::Date day = gridDay(e);
      const std::string summary = unescape(e.at("SUMMARY"));
      const bool span = summary == "Luna crescente" || summary == "Luna calante";
      if (e.at("CATEGORIES") == "Festa") feasts.emplace(day, summary);
      if (e.at("CATEGORIES") == "Luna" && !span) phases.emplace(day, summary);
      if (e.count("DTSTART")) {
        const std::string& moment = e.at("DTSTART");
        ASSERT_EQ(moment.size(), 16u) << moment;
        EXPECT_EQ(moment.substr(8, 1) + moment.substr(13), "T00Z") << moment;
        EXPECT_EQ(day, dateOf(moment.substr(0, 8))) << "the UID names the event's own day: " << e.at("UID");
        EXPECT_FALSE(e.count("DTEND") || e.count("DURATION"));
        continue;
      }
      const std::string& start = e.at("DTSTART;VALUE=DATE");
      ASSERT_EQ(start.size(), 8u);
      EXPECT_EQ(e.at("UID").rfind(start + "-", 0), 0u) << e.at("UID");
      EXPECT_TRUE(calendar::isValidDate(day) && day.year == year) << start;
      EXPECT_LE(previous, day) << "events out of order";
      previous = day;
      const bool last = e.count("DURATION");  // no DTEND after 9999
      const int length = last ? std::stoi(e.at("DURATION").substr(1))
                              : calendar::daysFrom(day, dateOf(e.at("DTEND;VALUE=DATE")));
      EXPECT_TRUE(!last || calendar::addDays(day, length - 1) == (calendar::Date{31, 12, 9999})) << start;
      EXPECT_EQ(calendar::addDays(day, length - 1).year, year) << "a span is cut at the year's end";
      // A span of one day only where the year cuts it.
      const bool atTheYearsEdge = (day.day == 1 && day.month == 1) || (day.day == 31 && day.month == 12);
      EXPECT_TRUE(span ? length > 1 || atTheYearsEdge : length == 1) << summary << " " << start;
      if (!span) continue;
      EXPECT_EQ(e.at("CATEGORIES"), "Luna");
      const PhaseMark mark = summary == "Luna crescente" ? PhaseMark::Waxing : PhaseMark::Waning;
      for (int k = 0; k < length; ++k) EXPECT_TRUE(spans.emplace(calendar::addDays(day, k), mark).second);
      const std::string description = unescape(e.at("DESCRIPTION"));
      EXPECT_NE(description.find(summary + " dal"), std::string::npos) << description;
      // Said as Italian says it: "dall'8", "dall'11", "dal 1°", "al 1°".
      for (const char* wrong : {"dal 8 ", "dal 11 ", "dal 1 ", "al 8 ", "al 11 ", "al 1 "})
        EXPECT_EQ(description.find(wrong), std::string::npos) << description;
    }
    std::size_t marked = 0;
    for (int month = 1; month <= 12; ++month) {
      const MonthSheet sheet = sheetOf(year, month, Forli);
      // The spans run between the days a phone shows the timed full and new moons on.
      const MonthSheet phone = sheetOf(year, month, Forli, {PhaseDays::Italian});
      for (const DaySheet& day : sheet.days) {
        const calendar::Date date{day.day, month, year};
        for (const PhaseHour& phase : sheet.moon().phases())
          if (phase.gridDay == day.day) wantPhases.emplace(clockReading(phase.jdUT, 0).date, phaseName(phase.kind));
        if (day.feast) wantFeasts.emplace(date, day.saintOrFeast);
        const PhaseMark mark = phone.days[static_cast<std::size_t>(day.day - 1)].mark;
        if (mark == PhaseMark::Neutral) continue;  // full and new moon days stay outside the spans
        ++marked;
        EXPECT_TRUE(spans.count(date) && spans[date] == mark) << month << "/" << day.day;
      }
    }
    EXPECT_EQ(spans.size(), marked);
    EXPECT_EQ(phases, wantPhases);
    EXPECT_EQ(feasts, wantFeasts);
  }
}

// Milan's own holiday, the Monday after Easter in a plain ASCII UID, and the two notes.
TEST(YearCalendar, TheFeastsAndNotesOf2027AtMilan) {
  std::set<std::vector<std::string>> found;  // UID, category, summary
  for (const Event& e : eventsOf(yearCalendarIcs(2027, Milano, Stamp)))
    found.insert({e.at("UID"), e.at("CATEGORIES"), unescape(e.at("SUMMARY"))});
  const std::vector<std::string> wanted[] = {
      {"20270329-lunedi-dell-angelo-milano@ortalba", "Festa", "Lunedì dell'Angelo"},
      {"20271207-s-ambrogio-patrono-di-milano-milano@ortalba", "Festa", "S.Ambrogio, patrono di Milano"},
      {"20270209-martedi-grasso-milano@ortalba", "Nota", "Martedì grasso"},
      {"20270321-domenica-delle-palme-milano@ortalba", "Nota", "Domenica delle Palme"}};
  for (const auto& event : wanted) EXPECT_TRUE(found.count(event)) << event[0];
  EXPECT_EQ(std::count_if(found.begin(), found.end(), [](auto& event) { return event[1] == "Nota"; }), 2);
}

// The day a phone shows a timed event on, in Italy.
calendar::Date phoneDay(const Event& e) {
  const std::string& utc = e.at("DTSTART");
  const double jd = astro::julianDay(dateOf(utc.substr(0, 8))) + (std::stoi(utc.substr(9, 2)) * 60 + std::stoi(utc.substr(11, 2))) / 1440.0;
  return italianTime(jd).time.date;
}

// A phase event tells the moon of the day a phone shows it on, its clock and its
// motion; the place is escaped in the calendar's name and written plainly in the UIDs.
TEST(YearCalendar, PhaseEventsTellTheMoonOfTheirOwnDay) {
  const std::string place = "BORGO, SAN; X\\Y";
  const std::string ics = yearCalendarIcs(2027, Place{place, Milano.position, std::nullopt}, Stamp);
  const auto lines = unfold(ics);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "X-WR-CALNAME:Ortalba 2027 - BORGO\\, SAN\\; X\\\\Y"), 1);
  int moons = 0, summerDays = 0;
  for (const Event& e : eventsOf(ics)) {
    EXPECT_TRUE(e.at("UID").ends_with("-borgo-san-x-y@ortalba")) << e.at("UID");
    if (e.at("CATEGORIES") != "Luna") continue;
    const calendar::Date day = phoneDay(e);
    const MoonDay moon = sheetOf(day.year, day.month, Milano).moon().days()[static_cast<std::size_t>(day.day - 1)];
    const std::string description = unescape(e.at("DESCRIPTION"));
    EXPECT_NE(description.find(moonTimesSentence(moon, place, onOraLegale(day))), std::string::npos) << description;
    EXPECT_NE(description.find(motionAdvice(moon.ascending)), std::string::npos) << description;
    EXPECT_EQ(description.find("Sorge "), std::string::npos) << "no time without its body: " << description;
    const std::string neutral = std::string(adviceOf(PhaseMark::Neutral)) + "\n";
    EXPECT_TRUE(e.at("SUMMARY") != "Luna piena" || description.starts_with(neutral)) << description;
    ++moons;
    summerDays += onOraLegale(day);
  }
  EXPECT_GE(moons, 48);
  EXPECT_GT(summerDays, 20);
}

// On the phone, in either reckoning of the phase days, no day carries a full or
// new moon and a waxing or waning span together; with the Italian days the UIDs
// name the day the phone shows the phase on.
TEST(YearCalendar, APhoneNeverShowsAFullMoonInsideASpan) {
  for (const PhaseDays phaseDays : {PhaseDays::Greenwich, PhaseDays::Italian}) {
    std::map<calendar::Date, std::string> phaseOn;
    std::set<calendar::Date> spanDays;
    for (const Event& e : eventsOf(yearCalendarIcs(2027, Milano, Stamp, {true, {phaseDays}, false, {}}))) {
      const std::string summary = unescape(e.at("SUMMARY"));
      if (summary == "Luna piena" || summary == "Luna nuova") {
        phaseOn[phoneDay(e)] = summary;
        if (phaseDays == PhaseDays::Italian) {
          EXPECT_EQ(gridDay(e), phoneDay(e)) << e.at("UID");
        }
      } else if (summary == "Luna crescente" || summary == "Luna calante") {
        const calendar::Date first = dateOf(e.at("DTSTART;VALUE=DATE"));
        const int days = calendar::daysFrom(first, dateOf(e.at("DTEND;VALUE=DATE")));
        for (int k = 0; k < days; ++k) spanDays.insert(calendar::addDays(first, k));
      }
    }
    EXPECT_GE(phaseOn.size(), 24u);
    for (const auto& [day, phase] : phaseOn)
      EXPECT_FALSE(spanDays.count(day)) << phase << " inside a span on " << calendar::dateText(day);
  }
}

// With the tradition's events, each entry of the Moon into a new part of the
// plant and each perigee, apogee and node is a timed event of its Italian day;
// without them there are none.
TEST(YearCalendar, TheTraditionsEventsOnlyWhenAskedFor) {
  std::set<std::string> asked, plain;
  for (const Event& e : eventsOf(yearCalendarIcs(2027, Milano, Stamp, {false, {}, true, {}}))) asked.insert(unescape(e.at("SUMMARY")));
  for (const Event& e : eventsOf(yearCalendarIcs(2027, Milano, Stamp))) plain.insert(unescape(e.at("SUMMARY")));
  int changes = 0, apsides = 0, nodes = 0;
  for (const std::string& summary : asked) {
    changes += summary.starts_with("Giorno di ");
    apsides += summary == "Perigeo" || summary == "Apogeo";
    nodes += summary.starts_with("Nodo ");
  }
  EXPECT_GT(changes, 100) << "one at each change of part, a dozen a month, most at hours of their own";
  EXPECT_EQ(apsides, 2);
  EXPECT_EQ(nodes, 2);
  for (const std::string& summary : plain) EXPECT_FALSE(summary.starts_with("Giorno di ") || summary == "Perigeo");
  int parts = 0;
  for (int month = 1; month <= 12; ++month) parts += static_cast<int>(sheetOf(2027, month, Milano).moon().tradition().entries.size());
  int timed = 0;
  for (const Event& e : eventsOf(yearCalendarIcs(2027, Milano, Stamp, {false, {}, true, {}})))
    timed += unescape(e.at("SUMMARY")).starts_with("Giorno di ") && e.count("DTSTART");
  EXPECT_EQ(timed, parts);
}

TEST(YearCalendar, RejectsWhatItCannotWrite) {
  for (int year : {0, -4, 10000}) EXPECT_EQ(yearCalendarIcs(year, Milano, Stamp), "") << year;
  struct Case { IcsStamp stamp; const char* text; } stamps[] = {
      {Stamp, "20260307T090503Z"}, {{1, 1, 1, 0, 0, 0}, "00010101T000000Z"},
      {{9999, 12, 31, 23, 59, 59}, "99991231T235959Z"}, {{-3, 13, 0, 24, -1, 60}, "00011201T230059Z"}};
  for (auto c : stamps) EXPECT_EQ(eventsOf(yearCalendarIcs(2027, Milano, c.stamp)).at(0).at("DTSTAMP"), c.text);
}

}  // namespace
