#pragma once
// The almanac's own words: months, weekdays, the moon's phases and marks, and
// the notes documents, each written once.
#include <array>
#include <string>

#include "astro/moon_phases.h"

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

}  // namespace app
