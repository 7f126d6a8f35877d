// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac's one window: its state, its widgets as a view model, and the
// window procedures that draw the month, fill the day panel and run the commands.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "almanac/movable_feasts.h"
#include "app/italian_words.h"
#include "app/month_sheet.h"
#include "app/platform_port.h"
#include "app/view_model.h"
#include "astro/moon_phases.h"
#include "calendar/calendar.h"

namespace app {

// Keys the window answers; each goes through the same handlers as the clicks.
enum class Key {
  PageUp,        // previous month
  PageDown,      // next month
  CtrlPageUp,    // previous year
  CtrlPageDown,  // next year
  Up,            // previous day
  Down,          // next day
  Left,          // the day of the other column (16 days before)
  Right,         // the day of the other column (16 days after)
  Home,          // back to today
  OpenChooser,   // F4 or Ctrl+L: the city chooser
  Enter,         // in the chooser: OK
  Escape,        // in the chooser: close it, keeping the old city
};

class Form1 {
 public:
  explicit Form1(Platform& platform);
  Platform& platform() const { return platform_; }

  // ---- form-level state -------------------------------------------------
  calendar::Date CurrentDate;
  int ShownMonth = 1;
  std::array<int, 12> MonthLengths{};
  std::vector<std::string> CityNames;
  std::vector<std::string> CityCodes;
  int CityIndex = 0;
  std::string CityFilePath;
  std::string PendingCity;
  std::array<std::string_view, 32> SaintsOfMonth{};  // the saints of the static tables
  int SelCellIndex = 1;
  std::string MoonState;
  double MoonIllum = 0;
  int FullMoonDay = 0;
  std::string NewMoonStamp;
  almanac::MovableFeastDays MovableFeastDays;
  // The phases of the month the last moon pass was made for; the bars are coloured from them.
  astro::MonthPhases MonthPhases;

  // ---- widgets ------------------------------------------------------------
  Shape Shape6, Shape7, Shape9, Shape8, Shape5, Shape10, Shape16, Shape19, meno, piu;
  std::array<Shape, 33> Shape3;   // 0..30 day bars, 31 panel background, 32 spare
  std::array<Shape, 12> MeseTXT;  // month picker boxes
  Label meseT, giorno, settimana, Label2, santo, Label5, zona, Label4, sorge, Label6, tramonta, Label3;
  std::array<Label, 12> Label9;   // "1".."12" on the picker boxes
  Label lmen, AnnoC, lpiu, Label11, Label1;
  std::array<Label, 31> GGMM;     // day labels
  Label Label14, Lsel, Label15, Label7;
  Label avviso;                   // notice when the chosen city could not be saved
  std::array<Picture, 33> LunaIMG;  // 1..31 day icon slots, 32 the hidden panel slot; 0 unused
  Picture Image1, Image2, Image3;
  ListBox luogo2;
  Frame sceltac;
  RichTextViewer VISMESE;

  // ---- window procedures --------------------------------------------------
  void Form_Load();
  void ShowMonth();
  void DayCLK(calendar::Date DataSR);
  void Ripulisci();
  void ferialday(int mese);
  void feste(int anno);
  void Vfeste(double i, int anno, int q, int p, double ii, int mese, int Cnt);
  void Sun(const Label& giorno, int mese, int anno, const std::string& dati);
  void flunari(int mese, int anno, int Calenda, std::string& stato, double& Lunapiena, std::string& LN);

  // ---- commands -----------------------------------------------------------
  void GGMM_Click(int Index);
  void Label9_Click(int Index);
  void lmen_Click();
  void lpiu_Click();
  void Label11_Click();
  void zona_Click();
  void luogo2_Click();
  void Label15_Click();
  // Setting the list's focus row raises its click event, as a user click does.
  void setCityListFocusRow(int row);
  // A key pressed in the window; false when it does nothing here.
  bool Form_KeyDown(Key key);

  // The day shown in the panel (1..31), and the year shown.
  int panelDay() const;
  int shownYear() const;
  // What a screen reader says for day row d: "5 giugno, venerdì, luna piena, calante".
  std::string dayAccessibleName(int d) const;

  // Moon mark of position d (1..32) of the shown month, as the bars show it.
  PhaseMark phaseMarkOf(int d) const;

  // The month the procedures read their days from: the one the last redraw
  // computed, or the one a procedure last asked for.
  const MonthSheet& sheet() const { return sheet_; }

  static constexpr int FirstYear = 1;
  static constexpr int LastYear = 9999;
  static constexpr const char* NotSavedNotice = "Città non salvata in luogo.txt";
  // Why, on hovering the notice: "Il file luogo.txt non si può scrivere (il disco è pieno): ...".
  static std::string notSavedExplanation(const std::string& reason);

 private:
  // Today by the platform's clock, within the almanac's years.
  calendar::Date today() const;
  // The month of `month` and `year` at the current city, computed once.
  const MonthSheet& sheetFor(int month, int year);
  // The day of the sheet when it is of `month` and `year`; nullptr otherwise.
  const DaySheet* sheetDay(int month, int year, int day) const;
  // The calls a redraw makes for each day and the panel makes for its day, in
  // their order: saint, feasts, city, sun, then the two moon passes.
  void fillDay(const calendar::Date& date, int cnt);
  void moonPasses(int month, int year);
  void setYear(int year);

  Platform& platform_;
  MonthSheet sheet_;
};

// Where the notes document of `month` lives: Doc/ of the working folder.
std::string notesDocumentPath(Platform& platform, int month);

}  // namespace app
