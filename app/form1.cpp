#include "app/form1.h"

#include <algorithm>

#include "almanac/feast_names.h"
#include "almanac/saints.h"
#include "app/city_file.h"
#include "app/city_table.h"
#include "astro/sun_times.h"

namespace app {

const std::array<const char*, 12> MonthNames{"GENNAIO", "FEBRAIO", "MARZO",     "APRILE",  "MAGGIO",   "GIUGNO",
                                             "LUGLIO",  "AGOSTO",  "SETTEMBRE", "OTTOBRE", "NOVEMBRE", "DICEMBRE"};
const std::array<const char*, 12> MonthWords{"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                                             "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};
const std::array<const char*, 7> WeekdayLetters{"D", "L", "M", "M", "G", "V", "S"};
const std::array<const char*, 7> WeekdayNames{"Domenica", "Lunedì",  "Martedì", "Mercoledì",
                                              "Giovedì",  "Venerdì", "Sabato"};
const std::array<const char*, 12> NotesDocuments{"Gen.rtf", "Feb.rtf", "Mar.rtf", "Apr.rtf", "Mag.rtf", "Giu.rtf",
                                                 "Lug.rtf", "Ago.rtf", "Sep.rtf", "Ott.rtf", "Nov.rtf", "Dic.rtf"};

const char* phaseWordsOfIcon(int resource) {
  switch (resource) {
    case resources::FullMoon:
      return "luna piena";
    case resources::FirstQuarter:
      return "primo quarto";
    case resources::LastQuarter:
      return "ultimo quarto";
    case resources::NewMoon:
      return "luna nuova";
    default:
      return nullptr;
  }
}

namespace {

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// The first `count` characters of a UTF-8 text, and whether it had more.
std::pair<std::string, bool> firstCharacters(const std::string& text, std::size_t count) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // continuation byte
    if (chars == count) return {text.substr(0, i), true};
    ++chars;
  }
  return {text, false};
}

int dayFromCaption(const Label& label) { return static_cast<int>(calendar::wholeNumber(calendar::Val(label.caption))); }

}  // namespace

Form1::Form1(Platform& platform) : platform_(platform) {
  Label2.caption = "Il Santo";
  Label5.caption = "Il Sole a:";
  Label4.caption = "Sorge:";
  Label6.caption = "Tramonta:";
  Label3.caption = "MESE";
  for (std::size_t i = 0; i < Label9.size(); ++i) Label9[i].caption = std::to_string(i + 1);
  lmen.caption = "<";
  lpiu.caption = ">";
  Label11.caption = "Data Odierna";
  Label14.caption = "SELEZIONE CITTA'";
  Label15.caption = "OK";
  Label7.caption =
      "Seguite le indicazioni date dal programma in base alle fasi della Luna.\n"
      "Le Lune CRESCENTI sono quelle segnate in Rosa, metre le CALANTI sono segnate in Verde Oliva.\n"
      "Durante la Luna PIENA e Luna NUOVA non bisogna fare nulla.";
  avviso.visible = false;
  avviso.foreColor = colours::Red;
  for (auto& box : MeseTXT) box.fillColor = colours::Blue;
  Shape3[32].visible = false;
  LunaIMG[0].visible = false;
  LunaIMG[32].visible = false;
  sceltac.visible = false;
  luogo2.foreColor = colours::White;
}

int Form1::shownYear() const { return static_cast<int>(calendar::Val(AnnoC.caption)); }

const astro::MonthPhases& Form1::phasesOf(int month, int year) {
  // A redraw asks for the same month once per day; the phases never change.
  const auto key = std::make_pair(year, month);
  auto it = phaseCache_.find(key);
  if (it == phaseCache_.end()) {
    if (phaseCache_.size() > 256) phaseCache_.clear();
    it = phaseCache_.emplace(key, astro::PhaseDaysOfMonth(month, year)).first;
  }
  return it->second;
}

void Form1::Form_Load() {
  platform_.keepOnTop();

  CityFilePath = joinPath(platform_.workingFolder(), CityFileName, platform_.pathSeparator());
  std::optional<std::string> remembered;
  if (auto line = platform_.readFirstLine(CityFilePath, CityFileReadLimit)) {
    remembered = firstField(decodeCityFileLine(*line));
    CityIndex = 999;
  } else {
    CityIndex = DefaultCity;
  }

  Image1.resource = resources::Gerbera;
  Image2.resource = resources::Sunflowers;
  Image3.resource = resources::QuestionMark;

  const calendar::Date today = platform_.today();
  ShownMonth = today.month;
  MeseTXT[static_cast<std::size_t>(ShownMonth - 1)].fillColor = colours::Red;

  MonthLengths = calendar::MonthLengths;

  CityNames.clear();
  CityCodes.clear();
  for (const auto& row : CityTable) {
    CityNames.emplace_back(row.name);
    CityCodes.emplace_back(row.code);
  }

  if (CityIndex == 999) CityIndex = findCity(CityNames, *remembered).value_or(DefaultCity);

  luogo2 = ListBox{};
  luogo2.foreColor = colours::White;
  for (std::size_t i = 0; i < CityNames.size(); ++i) {
    luogo2.addRow(CityNames[i]);
    luogo2.selected[i] = (i % 2 == 0);
  }

  CurrentDate = today;
  ShowMonth();
}

void Form1::ShowMonth() {
  const int month = CurrentDate.month;
  const int year = CurrentDate.year;
  int n = MonthLengths[static_cast<std::size_t>(month - 1)];
  if (ShownMonth == 2 && calendar::isLeapYear(year)) ++n;

  AnnoC.caption = std::to_string(year);
  meseT.caption = MonthNames[static_cast<std::size_t>(month - 1)];

  for (std::size_t i = 0; i < 31; ++i) {
    Shape3[i].visible = false;
    GGMM[i].visible = false;
    GGMM[i].bold = false;
    GGMM[i].foreColor = colours::Black;
    LunaIMG[i + 1].visible = false;
    LunaIMG[i + 1].resource = resources::None;
  }

  Label1.caption = meseT.caption + " " + AnnoC.caption;

  for (int j = 0; j < n; ++j) {
    const int d = j + 1;
    auto& label = GGMM[static_cast<std::size_t>(j)];
    Shape3[static_cast<std::size_t>(j)].visible = true;
    label.visible = true;
    LunaIMG[static_cast<std::size_t>(d)].visible = true;

    CurrentDate = {d, month, year};
    giorno.caption = std::to_string(d);
    label.bold = false;
    label.foreColor = colours::Black;

    const int w = calendar::weekday(d, month, year);
    settimana.caption = WeekdayLetters[static_cast<std::size_t>(w - 1)];
    if (w == 1) {
      label.bold = true;
      label.foreColor = colours::Red;
    }

    fillDay(CurrentDate, j);
    SelCellIndex = d;
    moonPasses(month, year);

    label.caption = (d < 10 ? "  " : "") + std::to_string(d) + " " + settimana.caption;
  }

  const calendar::Date today = platform_.today();
  if (ShownMonth == today.month && shownYear() == today.year)
    CurrentDate = today;
  else
    CurrentDate = {1, ShownMonth, shownYear()};

  DayCLK(CurrentDate);
  Ripulisci();
}

void Form1::DayCLK(calendar::Date DataSR) {
  if (!calendar::isValidDate(DataSR)) return;
  SelCellIndex = 32;
  giorno.caption = std::to_string(DataSR.day);
  const int cnt = dayFromCaption(giorno) - 1;
  settimana.caption =
      WeekdayNames[static_cast<std::size_t>(calendar::weekday(DataSR.day, DataSR.month, DataSR.year) - 1)];

  fillDay(DataSR, cnt);
  MoonState.clear();
  moonPasses(DataSR.month, DataSR.year);
  Ripulisci();
}

void Form1::fillDay(const calendar::Date& date, int cnt) {
  // The saint must be in place before the feasts, which replace or extend it;
  // the day is read back from the giorno caption, as every step expects.
  ferialday(date.month);
  santo.caption = SaintsOfMonth[static_cast<std::size_t>(std::clamp(dayFromCaption(giorno), 0, 31))];
  feste(date.year);
  const double day = calendar::Val(giorno.caption);
  Vfeste(day, date.year, MovableFeastDays.EasterMarchDay, MovableFeastDays.JulianEasterMarchDay, day, date.month, cnt);
  zona.caption = CityNames[static_cast<std::size_t>(CityIndex)];
  Sun(giorno, date.month, date.year, CityCodes[static_cast<std::size_t>(CityIndex)]);
}

void Form1::moonPasses(int month, int year) {
  double lunapiena = 0;
  flunari(month, year, 3, MoonState, lunapiena, NewMoonStamp);
  flunari(12, year - 1, 99, MoonState, lunapiena, NewMoonStamp);
}

PhaseMark Form1::phaseMarkOf(int d) const {
  // The bar of day d is neutral on a new or full moon; otherwise it follows the
  // last new or full moon before that day, from an earlier month if need be.
  astro::PhaseKind last = MonthPhases.lastBeforeMonth;
  for (const auto& phase : MonthPhases.phases) {
    if (phase.kind != astro::PhaseKind::NewMoon && phase.kind != astro::PhaseKind::FullMoon) continue;
    if (phase.day == d) return PhaseMark::Neutral;
    if (phase.day < d) last = phase.kind;
  }
  return last == astro::PhaseKind::NewMoon ? PhaseMark::Waxing : PhaseMark::Waning;
}

void Form1::Ripulisci() {
  const int bars = std::clamp(SelCellIndex, 0, 32);
  for (int k = 0; k < bars; ++k) {
    Shape3[static_cast<std::size_t>(k)].fillColor = colourOf(phaseMarkOf(k + 1));
  }

  if (ShownMonth < 1 || ShownMonth > 12) return;
  const char sep = platform_.pathSeparator();
  VISMESE.path = joinPath(joinPath(platform_.workingFolder(), "Doc", sep),
                          NotesDocuments[static_cast<std::size_t>(ShownMonth - 1)], sep);
  ++VISMESE.loadCount;
}

void Form1::ferialday(int mese) {
  if (mese < 1 || mese > 12) return;
  const int year = CurrentDate.year;
  const int days = mese == 2 ? 29 : MonthLengths[static_cast<std::size_t>(mese - 1)];
  for (int d = 1; d <= days; ++d)
    SaintsOfMonth[static_cast<std::size_t>(d)] = std::string(almanac::saintOfDay(mese, d, year));
}

void Form1::feste(int anno) { MovableFeastDays = almanac::movableFeasts(anno); }

void Form1::Vfeste(double i, int anno, int q, int p, double ii, int mese, int Cnt) {
  (void)i;  // the day is read from ii, which callers give the same value
  auto feasts = MovableFeastDays;
  feasts.EasterMarchDay = q;
  feasts.JulianEasterMarchDay = p;
  const auto result = almanac::feastOfDay(static_cast<int>(ii), mese, anno, feasts, santo.caption);
  santo.caption = result.santo;
  if (result.boldRed && Cnt >= 0 && Cnt < 31) {
    GGMM[static_cast<std::size_t>(Cnt)].bold = true;
    GGMM[static_cast<std::size_t>(Cnt)].foreColor = colours::Red;
  }
}

void Form1::Sun(const Label& giornoLabel, int mese, int anno, const std::string& dati) {
  const auto times = astro::sunTimes(calendar::Val(giornoLabel.caption), mese, anno, dati);
  sorge.caption = times.sorge;
  tramonta.caption = times.tramonta;
}

void Form1::flunari(int mese, int anno, int Calenda, std::string& stato, double& Lunapiena, std::string& LN) {
  // Only the month pass has effects; the December pass of the year before is kept
  // for the callers' sake and computes nothing.
  if (Calenda != 3) return;
  MonthPhases = phasesOf(mese, anno);

  LN.clear();
  FullMoonDay = 0;
  for (const auto& phase : MonthPhases.phases) {
    if (phase.kind == astro::PhaseKind::NewMoon && LN.empty())
      LN = std::to_string(anno) + twoDigits(mese) + twoDigits(phase.day);
    if (phase.kind == astro::PhaseKind::FullMoon && FullMoonDay == 0) FullMoonDay = phase.day;
  }
  Lunapiena = FullMoonDay;

  const std::string day = giorno.caption;
  static constexpr std::pair<astro::PhaseKind, int> matchOrder[] = {
      {astro::PhaseKind::FullMoon, resources::FullMoon},
      {astro::PhaseKind::FirstQuarter, resources::FirstQuarter},
      {astro::PhaseKind::LastQuarter, resources::LastQuarter},
      {astro::PhaseKind::NewMoon, resources::NewMoon},
  };
  static constexpr const char* phaseNames[] = {"Luna nuova", "Primo quarto", "Luna piena", "Ultimo quarto"};
  const int slot = std::clamp(SelCellIndex, 1, 32);
  const char* phaseName = nullptr;
  for (const auto& [kind, icon] : matchOrder) {
    for (const auto& phase : MonthPhases.phases) {
      if (phase.kind == kind && std::to_string(phase.day) == day) {
        LunaIMG[static_cast<std::size_t>(slot)].resource = icon;
        phaseName = phaseNames[static_cast<int>(kind)];
      }
    }
  }
  // The day's moon in words; nothing shows it, but it is there for whoever asks.
  if (phaseName)
    stato = phaseName;
  else
    stato = phaseMarkOf(static_cast<int>(calendar::Val(day))) == PhaseMark::Waning ? "calante" : "crescente";
}

void Form1::GGMM_Click(int Index) { DayCLK({Index + 1, ShownMonth, shownYear()}); }

void Form1::Label9_Click(int Index) {
  if (Index < 0 || Index > 11) return;
  ShownMonth = Index + 1;
  for (auto& box : MeseTXT) box.fillColor = colours::Blue;
  MeseTXT[static_cast<std::size_t>(Index)].fillColor = colours::Red;
  CurrentDate = {1, ShownMonth, shownYear()};
  ShowMonth();
}

void Form1::setYear(int year) {
  // The almanac's years run from 1 to 9999; the arrows stop there.
  if (year < FirstYear || year > LastYear) return;
  AnnoC.caption = std::to_string(year);
  giorno.caption = "1";
  CurrentDate = {dayFromCaption(giorno), ShownMonth, shownYear()};
  ShowMonth();
}

void Form1::lmen_Click() { setYear(shownYear() - 1); }
void Form1::lpiu_Click() { setYear(shownYear() + 1); }

void Form1::Label11_Click() {
  for (auto& box : MeseTXT) box.fillColor = colours::Blue;
  auto toToday = [this] {
    CurrentDate = platform_.today();
    ShownMonth = CurrentDate.month;
    MeseTXT[static_cast<std::size_t>(ShownMonth - 1)].fillColor = colours::Red;
    AnnoC.caption = std::to_string(CurrentDate.year);
  };
  toToday();
  ShowMonth();
  toToday();
  DayCLK(CurrentDate);
}

int Form1::panelDay() const { return dayFromCaption(giorno); }

bool Form1::Form_KeyDown(Key key) {
  const int year = shownYear();
  switch (key) {
    case Key::PageUp:
    case Key::PageDown: {
      // Crossing the year as the arrows and then the picker would.
      const bool back = key == Key::PageUp;
      if (back && ShownMonth == 1) {
        if (year <= FirstYear) return false;
        lmen_Click();
        Label9_Click(11);
      } else if (!back && ShownMonth == 12) {
        if (year >= LastYear) return false;
        lpiu_Click();
        Label9_Click(0);
      } else {
        Label9_Click(ShownMonth - 1 + (back ? -1 : 1));
      }
      return true;
    }
    case Key::CtrlPageUp:
      if (year <= FirstYear) return false;
      lmen_Click();
      return true;
    case Key::CtrlPageDown:
      if (year >= LastYear) return false;
      lpiu_Click();
      return true;
    case Key::Up:
    case Key::Down:
    case Key::Left:
    case Key::Right: {
      const int step = key == Key::Up ? -1 : key == Key::Down ? 1 : key == Key::Left ? -16 : 16;
      const int day = panelDay() + step;
      if (day < 1 || day > calendar::daysInMonth(ShownMonth, year)) return false;
      GGMM_Click(day - 1);
      return true;
    }
    case Key::Home:
      Label11_Click();
      return true;
    case Key::OpenChooser:
      zona_Click();
      return true;
    case Key::Enter:
      if (!sceltac.visible) return false;
      Label15_Click();
      return true;
    case Key::Escape:
      if (!sceltac.visible) return false;
      sceltac.visible = false;
      return true;
  }
  return false;
}

std::string Form1::dayAccessibleName(int d) const {
  const int year = shownYear();
  if (ShownMonth < 1 || ShownMonth > 12 || d < 1 || d > calendar::daysInMonth(ShownMonth, year)) return {};
  const auto k = static_cast<std::size_t>(d - 1);
  const int w = calendar::weekday(d, ShownMonth, year);
  std::string weekday = WeekdayNames[static_cast<std::size_t>(w - 1)];
  weekday[0] = static_cast<char>(weekday[0] - 'A' + 'a');  // the names begin with an unaccented capital
  std::string name = std::to_string(d) + " " + MonthWords[static_cast<std::size_t>(ShownMonth - 1)] + ", " + weekday;
  if (GGMM[k].bold && GGMM[k].foreColor == colours::Red && w != 1) name += ", festivo";
  if (const char* phase = phaseWordsOfIcon(LunaIMG[k + 1].resource)) name += std::string(", ") + phase;
  // A full or new moon day is neither; it says where the moon goes from there.
  PhaseMark mark = phaseMarkOf(d);
  if (mark == PhaseMark::Neutral) mark = phaseMarkOf(d + 1);
  name += mark == PhaseMark::Waning ? ", calante" : ", crescente";
  return name;
}

void Form1::zona_Click() {
  if (auto row = findCity(luogo2.rows, zona.caption)) setCityListFocusRow(*row);
  sceltac.visible = true;
}

void Form1::setCityListFocusRow(int row) {
  if (row < 0 || row >= static_cast<int>(luogo2.rows.size())) return;
  luogo2.focusRow = row;
  luogo2_Click();
}

void Form1::luogo2_Click() {
  for (std::size_t i = 0; i < luogo2.selected.size(); ++i) luogo2.selected[i] = (i % 2 == 0);
  if (luogo2.focusRow < 0 || luogo2.focusRow >= static_cast<int>(luogo2.rows.size())) return;
  PendingCity = luogo2.rows[static_cast<std::size_t>(luogo2.focusRow)];
  const auto [head, longer] = firstCharacters(PendingCity, 11);
  Lsel.caption = longer ? head + "." : PendingCity;
}

void Form1::Label15_Click() {
  const auto row = findCity(CityNames, PendingCity);
  if (!row) return;  // nothing chosen yet: the chooser stays open
  zona.caption = PendingCity;

  const auto content = cityFileContent(zona.caption);
  const bool saved = content && platform_.replaceFile(CityFilePath, *content);
  avviso.caption = saved ? "" : NotSavedNotice;
  avviso.visible = !saved;

  CityIndex = *row;
  Sun(giorno, CurrentDate.month, CurrentDate.year, CityCodes[static_cast<std::size_t>(CityIndex)]);
  sceltac.visible = false;
}

}  // namespace app
