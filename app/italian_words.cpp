// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/italian_words.h"

namespace app {

const std::array<const char*, 12> MonthNames{"GENNAIO", "FEBRAIO", "MARZO",     "APRILE",  "MAGGIO",   "GIUGNO",
                                             "LUGLIO",  "AGOSTO",   "SETTEMBRE", "OTTOBRE", "NOVEMBRE", "DICEMBRE"};
const std::array<const char*, 12> MonthWords{"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                                             "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};
const std::array<const char*, 7> WeekdayLetters{"D", "L", "M", "M", "G", "V", "S"};
const std::array<const char*, 7> WeekdayNames{"Domenica", "Lunedì",  "Martedì", "Mercoledì",
                                              "Giovedì",  "Venerdì", "Sabato"};
const std::array<const char*, 12> NotesDocuments{"Gen.rtf", "Feb.rtf", "Mar.rtf", "Apr.rtf", "Mag.rtf", "Giu.rtf",
                                                 "Lug.rtf", "Ago.rtf", "Sep.rtf", "Ott.rtf", "Nov.rtf", "Dic.rtf"};

const char* phaseName(astro::PhaseKind kind) {
  switch (kind) {
    case astro::PhaseKind::NewMoon: return "Luna nuova";
    case astro::PhaseKind::FirstQuarter: return "Primo quarto";
    case astro::PhaseKind::FullMoon: return "Luna piena";
    case astro::PhaseKind::LastQuarter: return "Ultimo quarto";
  }
  return "Luna";
}

std::string phaseWords(astro::PhaseKind kind) {
  std::string words = phaseName(kind);
  words[0] = static_cast<char>(words[0] - 'A' + 'a');  // every name begins with a plain capital
  return words;
}

const char* markWord(PhaseMark mark) {
  switch (mark) {
    case PhaseMark::Waxing: return "crescente";
    case PhaseMark::Waning: return "calante";
    case PhaseMark::Neutral: break;
  }
  return "neutra";
}

PhaseMark markOfPhase(astro::PhaseKind kind) {
  switch (kind) {
    case astro::PhaseKind::FirstQuarter: return PhaseMark::Waxing;
    case astro::PhaseKind::LastQuarter: return PhaseMark::Waning;
    case astro::PhaseKind::NewMoon:
    case astro::PhaseKind::FullMoon: break;
  }
  return PhaseMark::Neutral;
}

const char* adviceOf(PhaseMark mark) {
  switch (mark) {
    case PhaseMark::Waxing: return "In Luna crescente si seminano gli ortaggi da foglia e da frutto, si trapianta e si innesta.";
    case PhaseMark::Waning: return "In Luna calante si seminano radici e bulbi, si pota e si raccoglie per la dispensa.";
    case PhaseMark::Neutral: break;
  }
  return "Con la Luna piena e la Luna nuova nell'orto non si fa nulla.";
}

std::string dayWithMonth(std::string_view preposition, int day, int month) {
  // The first of the month is said "primo"; the article is elided before the days
  // said with a vowel (otto, undici).
  const bool elided = day == 8 || day == 11;
  return std::string(preposition) + (elided ? "l'" : " ") + std::to_string(day) + (day == 1 ? "°" : "") + " " +
         MonthWords[static_cast<std::size_t>(month - 1)];
}

std::string theDay(int day) {
  const bool elided = day == 8 || day == 11;
  return (elided ? "l'" : "il ") + std::to_string(day) + (day == 1 ? "°" : "");
}

std::string daySpanText(const calendar::Date& first, const calendar::Date& last) {
  std::string from = dayWithMonth("dal", first.day, first.month);
  // The month is said once when both days are in it.
  if (first.month == last.month) from.resize(from.rfind(' '));
  return from + " " + dayWithMonth("al", last.day, last.month) + " " + std::to_string(last.year);
}

const char* motionAdvice(bool ascending) {
  return ascending ? "Luna ascendente: si innesta e si raccolgono i frutti."
                   : "Luna discendente: si trapianta, si pota e si lavora la terra.";
}

const char* zodiacName(astro::ZodiacSign sign) {
  constexpr const char* names[] = {"Ariete",  "Toro",     "Gemelli",    "Cancro",     "Leone",    "Vergine",
                                   "Bilancia", "Scorpione", "Sagittario", "Capricorno", "Acquario", "Pesci"};
  return names[static_cast<int>(sign)];
}

const char* zodiacSystemName(astro::ZodiacSystem system) {
  return system == astro::ZodiacSystem::Signs ? "segni di 30°" : "costellazioni";
}

const char* zodiacSystemsExplained() {
  return "I calendari biodinamici seguono la Luna nelle costellazioni vere dello zodiaco, che sono larghe da 20 a "
         "45 gradi, i lunari tradizionali nei dodici segni di 30 gradi, spostati di quasi un segno dalla precessione: "
         "per questo danno spesso parti della pianta diverse per lo stesso giorno. È una tradizione, non una "
         "promessa di raccolto.";
}

std::string dayRowLabel(int day, int weekday) {
  return (day < 10 ? "  " : "") + std::to_string(day) + " " + WeekdayLetters[static_cast<std::size_t>(weekday - 1)];
}

}  // namespace app
