// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac's own words: months, weekdays, the moon's phases and marks, and
// the notes documents, each written once.
#include <array>
#include <string>
#include <string_view>

#include "astro/moon_phases.h"
#include "astro/zodiac.h"
#include "calendar/calendar.h"

namespace app {

// Moon mark of a bar: waxing "+", waning "-", or neutral (full-moon and new-moon days).
enum class PhaseMark { Neutral, Waxing, Waning };

extern const std::array<const char*, 12> MonthNames;     // "GENNAIO" ...
extern const std::array<const char*, 12> MonthWords;     // "gennaio", "febbraio" ... as said aloud
extern const std::array<const char*, 7> WeekdayLetters;  // by weekday 1 = Sunday
extern const std::array<const char*, 7> WeekdayNames;    // "Domenica" ...
extern const std::array<const char*, 12> NotesDocuments; // "Gen.rtf" ...

// "Luna nuova", "Primo quarto", "Luna piena", "Ultimo quarto".
const char* phaseName(astro::PhaseKind kind);

// The same inside a sentence: "luna piena".
std::string phaseWords(astro::PhaseKind kind);

// "crescente", "calante", "neutra".
const char* markWord(PhaseMark mark);

// The moon's mark from a principal phase on: waxing after a first quarter, waning
// after a last quarter, neutral on a full or new moon.
PhaseMark markOfPhase(astro::PhaseKind kind);

// What a gardener does under a mark, one sentence, the same in every view; it
// agrees with the monthly notes.
const char* adviceOf(PhaseMark mark);

// A day and its month after a preposition that takes the article, as Italian
// says it: "dal 2 marzo", "dall'8 marzo", "al 1° marzo", "del 21 febbraio".
std::string dayWithMonth(std::string_view preposition, int day, int month);

// A day of the month with its article: "il 3", "l'8", "l'11", "il 1°".
std::string theDay(int day);

// A span of days of one year as Italian says it: "dal 7 al 19 febbraio 2027",
// "dal 28 gennaio al 3 febbraio 2027", "dall'8 all'11 marzo 2027".
std::string daySpanText(const calendar::Date& first, const calendar::Date& last);

// What a gardener does with the ascending or the descending moon, one sentence, the
// same in every view: "Luna discendente: si trapianta, si pota e si lavora la terra."
const char* motionAdvice(bool ascending);

// "Ariete", "Toro", ... "Pesci": a constellation of the zodiac or its sign.
const char* zodiacName(astro::ZodiacSign sign);

// "costellazioni", "segni di 30°": how the almanac places the Moon in the zodiac.
const char* zodiacSystemName(astro::ZodiacSystem system);

// Why calendars of the tradition differ, and what they are: two sentences, the
// same in the help and on paper.
const char* zodiacSystemsExplained();

// The day row's text: the day, padded to line up, and the weekday's letter ("  7 V", "10 D").
std::string dayRowLabel(int day, int weekday);

}  // namespace app
