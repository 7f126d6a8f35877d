// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"

#include <algorithm>

#include "almanac/feast_names.h"
#include "almanac/saints.h"
#include "app/city_file.h"
#include "app/city_table.h"
#include "astro/sun_times.h"

namespace app {

namespace {

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

std::string notesDocumentPath(Platform& platform, int month) {
  const char sep = platform.pathSeparator();
  return joinPath(joinPath(platform.workingFolder(), "Doc", sep), NotesDocuments[static_cast<std::size_t>(month - 1)],
                  sep);
}

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
  avviso.toolTip = notSavedExplanation("");
  // The design's lettering and grounds: bold headings, white on the dark green.
  for (Label* heading : {&meseT, &giorno, &settimana, &Label2, &Label5, &zona, &sorge, &tramonta, &Label3, &AnnoC, &lmen,
                         &lpiu, &Label11, &Label1, &Label14, &Lsel, &Label15})
    heading->bold = true;
  for (auto& number : Label9) number.bold = true;
  for (Label* onGreen : {&meseT, &Label3, &lmen, &lpiu, &Label11, &Label15}) onGreen->foreColor = colours::White;
  for (auto& number : Label9) number.foreColor = colours::White;
  for (Shape* green : {&Shape6, &Shape8, &Shape10, &Shape16, &Shape19, &meno, &piu}) green->fillColor = colours::DarkGreen;
  Shape7.fillColor = colours::White;
  Shape5.fillColor = colours::White;
  Shape9.fillColor = colours::PickerGround;
  for (auto& box : MeseTXT) box.fillColor = colours::Blue;
  Shape3[32].visible = false;
  LunaIMG[0].visible = false;
  LunaIMG[32].visible = false;
  sceltac.visible = false;
  luogo2.foreColor = colours::White;
}

calendar::Date Form1::today() const {
  // A clock outside the almanac's years (set wrong, or left running past 9999)
  // gives the nearest end of the range, so that every redraw has a real day.
  const calendar::Date now = platform_.today();
  if (now.year < FirstYear) return {1, 1, FirstYear};
  if (now.year > LastYear) return {31, 12, LastYear};
  return now;
}

int Form1::shownYear() const { return static_cast<int>(calendar::Val(AnnoC.caption)); }

const MonthSheet& Form1::sheetFor(int month, int year) {
  // Every procedure of a redraw asks for the same month: it is computed once.
  const auto city = static_cast<std::size_t>(CityIndex);
  const bool sameCity = city < CityCodes.size() ? sheet_.cityCode == CityCodes[city] : sheet_.cityRow == CityIndex;
  if (!sheet_.isOf(year, month) || !sameCity) sheet_ = sheetOf(year, month, CityIndex);
  return sheet_;
}

const DaySheet* Form1::sheetDay(int month, int year, int day) const {
  if (!sheet_.isOf(year, month) || day < 1 || day > sheet_.length()) return nullptr;
  return &sheet_.days[static_cast<std::size_t>(day - 1)];
}

void Form1::Form_Load() {
  platform_.keepOnTop();

  CityFilePath = cityFilePath(platform_);
  // Without a folder for luogo.txt the gardener is told at once that the city
  // chosen will not be remembered.
  avviso.visible = CityFilePath.empty();
  avviso.caption = CityFilePath.empty() ? NotSavedNotice : "";
  avviso.toolTip = notSavedExplanation(CityFilePath.empty() ? platform_.whyNoWorkingFolder() : std::string());
  const std::optional<std::string> remembered = readRememberedName(platform_, CityFilePath);
  CityIndex = remembered ? 999 : DefaultCity;

  Image1.resource = resources::Gerbera;
  Image2.resource = resources::Sunflowers;
  Image3.resource = resources::QuestionMark;

  const calendar::Date now = today();
  ShownMonth = now.month;
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

  CurrentDate = now;
  ShowMonth();
}

void Form1::ShowMonth() {
  const int month = CurrentDate.month;
  const int year = CurrentDate.year;
  int n = MonthLengths[static_cast<std::size_t>(month - 1)];
  if (ShownMonth == 2 && calendar::isLeapYear(year)) ++n;

  AnnoC.caption = std::to_string(year);
  meseT.caption = MonthNames[static_cast<std::size_t>(month - 1)];
  // A redraw computes its month afresh; the procedures below read their days from it.
  sheet_ = sheetOf(year, month, CityIndex);

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

    label.caption = dayRowLabel(d, w);
  }

  const calendar::Date now = today();
  if (ShownMonth == now.month && shownYear() == now.year)
    CurrentDate = now;
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

PhaseMark Form1::phaseMarkOf(int d) const { return app::phaseMarkOf(MonthPhases, d); }

void Form1::Ripulisci() {
  const int bars = std::clamp(SelCellIndex, 0, 32);
  for (int k = 0; k < bars; ++k) {
    // The panel's tile (the 32nd shape) has the colour of the bar of the day it
    // shows: a gardener reads it as that day's moon.
    const int position = k == 31 ? panelDay() : k + 1;
    Shape3[static_cast<std::size_t>(k)].fillColor = colourOf(phaseMarkOf(position));
  }

  if (ShownMonth < 1 || ShownMonth > 12) return;
  VISMESE.path = notesDocumentPath(platform_, ShownMonth);
  ++VISMESE.loadCount;
}

void Form1::ferialday(int mese) {
  if (mese < 1 || mese > 12) return;
  const int days = almanac::listedSaintDays(mese);
  const MonthSheet& month = sheetFor(mese, CurrentDate.year);
  for (int d = 1; d <= days && d <= 31; ++d)
    SaintsOfMonth[static_cast<std::size_t>(d)] = month.saints[static_cast<std::size_t>(d)];
}

void Form1::feste(int anno) {
  MovableFeastDays = sheet_.year == anno && sheet_.month != 0 ? sheet_.feasts : almanac::movableFeasts(anno);
}

void Form1::Vfeste(double i, int anno, int q, int p, double ii, int mese, int Cnt) {
  (void)i;  // the day is read from ii, which callers give the same value
  auto feasts = MovableFeastDays;
  feasts.EasterMarchDay = q;
  feasts.JulianEasterMarchDay = p;
  const int day = static_cast<int>(ii);
  bool boldRed = false;
  // The month's sheet already holds the decision for the day's own saint and feasts.
  const DaySheet* known = sheetDay(mese, anno, day);
  if (known && feasts == sheet_.feasts && santo.caption == sheet_.saints[static_cast<std::size_t>(day)]) {
    santo.caption = known->santo;
    boldRed = known->feast;
  } else {
    auto result = almanac::feastOfDay(day, mese, anno, feasts, santo.caption);
    santo.caption = std::move(result.santo);
    boldRed = result.boldRed;
  }
  if (boldRed && Cnt >= 0 && Cnt < 31) {
    GGMM[static_cast<std::size_t>(Cnt)].bold = true;
    GGMM[static_cast<std::size_t>(Cnt)].foreColor = colours::Red;
  }
}

void Form1::Sun(const Label& giornoLabel, int mese, int anno, const std::string& dati) {
  const double day = calendar::Val(giornoLabel.caption);
  const bool whole = day >= 1 && day <= 31 && day == static_cast<int>(day);
  const DaySheet* known = whole && sheet_.cityCode == dati ? sheetDay(mese, anno, static_cast<int>(day)) : nullptr;
  const SunClock times =
      known ? known->sun : sunClockOf({static_cast<int>(day), mese, anno}, positionOfCityCode(dati));
  sorge.caption = times.sorge;
  tramonta.caption = times.tramonta;
}

void Form1::flunari(int mese, int anno, int Calenda, std::string& stato, double& Lunapiena, std::string& LN) {
  // Only the month pass has effects; the December pass of the year before is kept
  // for the callers' sake and computes nothing.
  if (Calenda != 3) return;
  const MonthSheet& month = sheetFor(mese, anno);
  MonthPhases = month.phases;
  LN = month.NewMoonStamp;
  FullMoonDay = month.FullMoonDay;
  Lunapiena = FullMoonDay;

  // The phase days are matched against the giorno caption.
  const std::string& day = giorno.caption;
  const int d = dayFromCaption(giorno);
  const bool shown = d >= 1 && d <= 31 && std::to_string(d) == day;
  const int icon = shown ? month.icons[static_cast<std::size_t>(d)] : resources::None;
  if (icon != resources::None) LunaIMG[static_cast<std::size_t>(std::clamp(SelCellIndex, 1, 32))].resource = icon;
  // The day's moon in words; nothing shows it, but it is there for whoever asks.
  if (const auto phase = phaseOfIcon(icon))
    stato = phaseName(*phase);
  else
    stato = markWord(phaseMarkOf(static_cast<int>(calendar::Val(day))) == PhaseMark::Waning ? PhaseMark::Waning
                                                                                            : PhaseMark::Waxing);
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
    CurrentDate = today();
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
  if (const auto phase = phaseOfIcon(LunaIMG[k + 1].resource)) name += ", " + phaseWords(*phase);
  // A full or new moon day is neither; it says where the moon goes from there.
  PhaseMark mark = phaseMarkOf(d);
  if (mark == PhaseMark::Neutral) mark = phaseMarkOf(d + 1);
  name += std::string(", ") + markWord(mark == PhaseMark::Waning ? PhaseMark::Waning : PhaseMark::Waxing);
  return name;
}

void Form1::zona_Click() {
  if (auto row = findCity(luogo2.rows, zona.caption)) setCityListFocusRow(*row);
  sceltac.visible = true;
}

std::string Form1::notSavedExplanation(const std::string& reason) {
  return "Il file luogo.txt non si può scrivere" + (reason.empty() ? std::string() : " (" + reason + ")") +
         ": la città scelta vale fino alla chiusura.";
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
  Lsel.toolTip = PendingCity;
}

void Form1::Label15_Click() {
  const auto row = findCity(CityNames, PendingCity);
  if (!row) return;  // nothing chosen yet: the chooser stays open
  zona.caption = PendingCity;

  const auto content = cityFileContent(zona.caption);
  const WriteOutcome outcome = CityFilePath.empty() ? WriteOutcome::failed(platform_.whyNoWorkingFolder())
                               : !content           ? WriteOutcome::failed("il nome non si scrive in luogo.txt")
                                                    : platform_.replaceFile(CityFilePath, *content);
  const bool saved = outcome.written;
  avviso.caption = saved ? "" : NotSavedNotice;
  avviso.visible = !saved;
  avviso.toolTip = notSavedExplanation(saved ? std::string() : outcome.reason);

  CityIndex = *row;
  Sun(giorno, CurrentDate.month, CurrentDate.year, CityCodes[static_cast<std::size_t>(CityIndex)]);
  sceltac.visible = false;

  // The place's own holiday goes with the place: the rows and the panel's text follow.
  const MonthSheet& month = sheetFor(ShownMonth, shownYear());
  for (const DaySheet& day : month.days) {
    Label& row = GGMM[static_cast<std::size_t>(day.day - 1)];
    row.bold = day.boldRed;
    row.foreColor = day.boldRed ? colours::Red : colours::Black;
  }
  if (const DaySheet* shown = sheetDay(ShownMonth, shownYear(), panelDay())) santo.caption = shown->santo;
}

}  // namespace app
