// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/year_calendar.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <vector>

#include "almanac/feast_table.h"
#include "app/city_table.h"
#include "app/italian_clock.h"
#include "app/month_sheet.h"
#include "calendar/calendar.h"

namespace app {
namespace {

struct Event {
  calendar::Date date;
  std::string slug;  // what the event is, for its UID
  std::string summary;
  std::string description;  // empty: no DESCRIPTION
  std::string category;
  int days = 1;      // an event of several days: a span of the moon
  std::optional<CivilTime> instant;  // a moment in UTC instead of a whole day: a phase
  std::optional<calendar::Date> instantDay;  // its day, at Greenwich or in Italy as the phases are reckoned
};

using calendar::zeroPadded;

std::string stampValue(const IcsStamp& s) {
  return zeroPadded(std::clamp(s.year, 1, 9999), 4) + zeroPadded(std::clamp(s.month, 1, 12), 2) +
         zeroPadded(std::clamp(s.day, 1, 31), 2) + "T" + zeroPadded(std::clamp(s.hour, 0, 23), 2) +
         zeroPadded(std::clamp(s.minute, 0, 59), 2) + zeroPadded(std::clamp(s.second, 0, 59), 2) + "Z";
}

// The Latin-1 letter that UTF-8 writes as C3 followed by `second`.
unsigned char latin1Of(char second) { return static_cast<unsigned char>(static_cast<unsigned char>(second) + 0x40); }

// The plain vowel of an accented one (Latin-1), for slugs; 0 for anything else.
char plainLetter(unsigned char latin1) {
  const unsigned char lower = latin1 | 0x20;
  if (lower >= 0xE0 && lower <= 0xE5) return 'a';
  if (lower >= 0xE8 && lower <= 0xEB) return 'e';
  if (lower >= 0xEC && lower <= 0xEF) return 'i';
  if (lower >= 0xF2 && lower <= 0xF6) return 'o';
  if (lower >= 0xF9 && lower <= 0xFC) return 'u';
  return 0;
}

// "Lunedì dell'Angelo" -> "lunedi-dell-angelo": letters and digits only, so that
// the UID is plain ASCII whatever the feast is called.
std::string slugOf(std::string_view text) {
  std::string slug;
  bool gap = false;
  auto put = [&](char c) {
    if (gap && !slug.empty()) slug += '-';
    gap = false;
    slug += c;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      put(static_cast<char>(c));
    } else if (c >= 'A' && c <= 'Z') {
      put(static_cast<char>(c - 'A' + 'a'));
    } else if (const char plain = c == 0xC3 && i + 1 < text.size() ? plainLetter(latin1Of(text[i + 1])) : 0) {
      put(plain);
      ++i;
    } else {
      gap = true;
    }
  }
  return slug.empty() ? "giorno" : slug;
}

// The notes are recognised by the very text the almanac appends to the saint.
std::string_view noteText(almanac::FeastRule rule) {
  for (const auto& entry : almanac::FeastTable)
    if (entry.rule == rule) return entry.text;
  return {};
}

void addFeastsOfDay(std::vector<Event>& events, const calendar::Date& date, const DaySheet& day) {
  static const std::string_view palmNote = noteText(almanac::FeastRule::PalmSundayNote);
  static const std::string_view shroveNote = noteText(almanac::FeastRule::ShroveTuesdayNote);

  // Every feast of the table has a name, and the name replaces the saint's text;
  // a saint that already bears the feast's name (Natale, Capodanno) is still a feast.
  const std::string& text = day.saintOrFeast;
  if (day.feast && !text.empty()) {
    events.push_back({date, slugOf(text), text, {}, "Festa", 1, {}, {}});
    return;
  }
  if (!palmNote.empty() && text.find(palmNote) != std::string::npos)
    events.push_back({date, "domenica-delle-palme", "Domenica delle Palme", text, "Nota", 1, {}, {}});
  if (!shroveNote.empty() && text.find(shroveNote) != std::string::npos)
    events.push_back({date, "martedi-grasso", "Martedì grasso", text, "Nota", 1, {}, {}});
}


void addMoonSpans(std::vector<Event>& events, int year) {
  for (const MoonSpan& span : moonSpansOfYear(year)) {
    const std::string name = std::string("Luna ") + markWord(span.mark);
    std::string description = adviceOf(span.mark);
    description += "\n" + name + " " + daySpanText(span.first, span.last) + ".";
    events.push_back({span.first, slugOf(name), name, std::move(description), "Luna",
                      calendar::daysFrom(span.first, span.last) + 1, {}, {}});
  }
}

// The moon's times of a day: from the year's months, or from a month next to the
// year worked out once (a phase late on 31 December is on 1 January in Italy).
class MoonDays {
 public:
  explicit MoonDays(const std::vector<MonthSheet>& months) : months_(months) {}
  const MoonDay& of(const calendar::Date& day) {
    const auto k = static_cast<std::size_t>(day.day - 1);
    if (day.year == months_.front().year) return months_[static_cast<std::size_t>(day.month - 1)].moon().days()[k];
    auto found = beside_.find({day.year, day.month});
    if (found == beside_.end())
      found = beside_.emplace(std::pair{day.year, day.month}, sheetOf(day.year, day.month, months_.front().place)).first;
    return found->second.moon().days()[k];
  }

 private:
  const std::vector<MonthSheet>& months_;
  std::map<std::pair<int, int>, MonthSheet> beside_;
};

// The tradition's events of the year: each change of the plant part ("Giorno di
// radice dalle 14:32"), each perigee, apogee and node with its unfavourable hours.
void addTraditionEvents(std::vector<Event>& events, const std::vector<MonthSheet>& months) {
  for (const MonthSheet& sheet : months) {
    const int year = sheet.year;
    const MonthTradition& tradition = sheet.moon().tradition();
    const auto timed = [&](double jdUT, std::string slug, std::string summary, std::string description) {
      const CivilTime utc = clockReading(jdUT, 0);
      const calendar::Date italianDay = italianTime(jdUT).time.date;
      if (utc.date.year < 1 || utc.date.year > 9999 || italianDay.year != year) return;
      events.push_back({italianDay, std::move(slug), std::move(summary), std::move(description), "Luna", 1, utc, italianDay});
    };
    for (const ZodiacEntryHour& e : tradition.entries) {
      const std::string part(almanac::plantPartName(e.part));
      const std::string hour = hourText(italianTime(e.jdUT).time);
      timed(e.jdUT, "giorno-di-" + part + "-" + zeroPadded(italianTime(e.jdUT).time.hour, 2) + zeroPadded(italianTime(e.jdUT).time.minute, 2),
            "Giorno di " + part + " dalle " + hour,
            std::string("La Luna entra in ") + zodiacName(e.sign) + " (" + zodiacSystemName(tradition.system) + ").");
    }
    for (const MoonEvent& e : tradition.events) {
      std::string name = moonEventName(e.kind);
      const std::string slug = slugOf(name);
      name[0] = static_cast<char>(name[0] - 'a' + 'A');
      const int hours = static_cast<int>(unfavourableHours(e.kind));
      timed(e.jdUT, slug, name,
            "Ore sfavorevoli per l'orto: " + std::to_string(hours) + " prima e " + std::to_string(hours) + " dopo.");
    }
  }
}

// Each run of days that suit the job, as one all-day event: "Buoni per potare".
void addGoodDays(std::vector<Event>& events, const std::vector<MonthSheet>& months, const ChosenJob& job) {
  const std::string name = chosenJobName(job);
  std::optional<calendar::Date> first, last;
  std::string why;
  const auto close = [&] {
    if (!first) return;
    events.push_back({*first, slugOf("buoni per " + name), "Buoni per " + name,
                      "Giorni buoni per " + name + " " + daySpanText(*first, *last) + ": " + why +
                          ". Consigli della tradizione, non una promessa di raccolto.",
                      "Orto", calendar::daysFrom(*first, *last) + 1, {}, {}});
    first.reset();
  };
  for (const MonthSheet& sheet : months) {
    const int year = sheet.year, month = sheet.month;
    for (const DaySheet& day : sheet.days) {
      const DayVerdict verdict = judgeDay(sheet, day.day, job);
      if (!verdict.good) {
        close();
        continue;
      }
      if (!first) {
        first = calendar::Date{day.day, month, year};
        why = verdict.why;
      }
      last = calendar::Date{day.day, month, year};
    }
  }
  close();
}

std::vector<Event> eventsOfYear(const std::vector<MonthSheet>& months) {
  std::vector<Event> events;
  events.reserve(80);
  MoonDays moonDays(months);
  for (const MonthSheet& sheet : months) {
    const int year = sheet.year, month = sheet.month;
    const Reckoning& reckoning = sheet.reckoning;
    const Place& place = sheet.place;
    const std::vector<PhaseHour>& hours = sheet.moon().phases();
    for (const DaySheet& day : sheet.days) {
      const calendar::Date date{day.day, month, year};
      for (const auto& phase : sheet.phases.phases) {
        if (phase.day != day.day) continue;
        std::string description = adviceOf(markOfPhase(phase.kind));
        // The phase at its instant, so that every phone shows it at its own hour,
        // and the moon of the day the phone shows it on.
        std::optional<CivilTime> instant;
        std::optional<calendar::Date> instantDay;
        for (const PhaseHour& hour : hours) {
          if (hour.kind != phase.kind || hour.gridDay != phase.day) continue;
          description += "\n" + phaseHourText(hour, reckoning.phaseDays) + ".";
          const CivilTime utc = clockReading(hour.jdUT, 0);
          const calendar::Date italianDay = italianTime(hour.jdUT).time.date;
          if (utc.date.year >= 1 && utc.date.year <= 9999) {
            instant = utc;
            instantDay = reckoning.phaseDays == PhaseDays::Italian ? italianDay : utc.date;
          }
          if (italianDay.year >= 1 && italianDay.year <= 9999) {
            const MoonDay& moon = moonDays.of(italianDay);
            description += "\n" + moonTimesSentence(moon, place.name, onOraLegale(italianDay)) + "\n" +
                           motionAdvice(moon.ascending);
          }
        }
        events.push_back({date, slugOf(phaseName(phase.kind)), phaseName(phase.kind), std::move(description), "Luna",
                          1, instant, instantDay});
      }
      addFeastsOfDay(events, date, day);
    }
  }
  return events;
}

void addLine(std::string& out, std::string_view line) { out += icsFoldLine(line); }

}  // namespace

std::vector<MoonSpan> moonSpansOfYear(int year) {
  std::vector<MoonSpan> spans;
  if (year < 1 || year > 9999) return spans;
  for (int month = 1; month <= 12; ++month) {
    const MonthSheet sheet = sheetOf(year, month, defaultPlace(), {PhaseDays::Italian});
    for (const DaySheet& day : sheet.days) {
      const calendar::Date date{day.day, month, year};
      if (day.mark == PhaseMark::Neutral) continue;
      if (!spans.empty() && spans.back().mark == day.mark && calendar::addDays(spans.back().last, 1) == date)
        spans.back().last = date;
      else
        spans.push_back({day.mark, date, date});
    }
  }
  return spans;
}

std::string yearCalendarIcs(int year, const Place& place, const IcsStamp& stamp, const IcsOptions& options) {
  if (year < 1 || year > 9999) return {};

  std::string out;
  out.reserve(32 * 1024);
  addLine(out, "BEGIN:VCALENDAR");
  addLine(out, "VERSION:2.0");
  addLine(out, "PRODID:-//Ortalba//Almanacco lunare//IT");
  addLine(out, "CALSCALE:GREGORIAN");
  addLine(out, "METHOD:PUBLISH");
  addLine(out, "X-WR-CALNAME:" + icsEscapeText("Ortalba " + std::to_string(year) + " - " + place.name));

  const std::string dtstamp = "DTSTAMP:" + stampValue(stamp);
  const std::string placeSlug = slugOf(place.name);
  const std::vector<MonthSheet> months = monthsOfYear(year, place, options.reckoning);
  std::vector<Event> events = eventsOfYear(months);
  if (options.moonSpans) addMoonSpans(events, year);
  if (options.plantParts) addTraditionEvents(events, months);
  if (options.job) addGoodDays(events, months, *options.job);
  if (options.moonSpans || options.plantParts || options.job)
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.date < b.date; });
  for (const Event& e : events) {
    // The UID names the day the event stands on: a timed one's own.
    const std::string day = icsDateValue(e.instantDay ? *e.instantDay : e.date);
    beginIcsEvent(out,
                  {day + "-" + e.slug + "-" + placeSlug,
                   e.instant ? std::vector<std::string>{"DTSTART:" + icsDateValue(e.instant->date) + "T" +
                                                        zeroPadded(e.instant->hour, 2) +
                                                        zeroPadded(e.instant->minute, 2) + "00Z"}
                             : icsWholeDays(e.date, e.days),
                   e.summary, e.description, e.category},
                  dtstamp);
    addLine(out, "END:VEVENT");
  }
  if (options.diary) out += diaryIcsEvents(*options.diary, dtstamp, options.reckoning);
  addLine(out, "END:VCALENDAR");
  return out;
}

}  // namespace app
