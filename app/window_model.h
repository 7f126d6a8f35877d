// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The almanac's one window as a view model: its state, its widgets, and the
// procedures that draw the month, fill the day's panel and run the commands.
// The platform layer renders the widgets and passes every click and key here.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/diary_panel.h"
#include "app/italian_words.h"
#include "app/month_sheet.h"
#include "app/place.h"
#include "app/platform_port.h"
#include "app/view_model.h"
#include "calendar/calendar.h"

namespace app {

// Keys the window answers; each goes through the same commands as the clicks.
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

class WindowModel {
 public:
  explicit WindowModel(Platform& platform);
  Platform& platform() const { return platform_; }

  // ---- state ----------------------------------------------------------------
  calendar::Date currentDate;  // the day the last redraw worked from
  int shownMonth = 1;
  int shownYear = 2000;
  int selectedDay = 1;         // the day the panel shows
  Place place;                 // where the sun is seen from and whose holiday is kept
  std::string cityFilePath;    // luogo.txt; empty when the city cannot be remembered
  std::string pendingCity;     // the city picked in the chooser, until it is confirmed
  std::string citySearch;      // what the chooser's search box holds
  std::vector<Place> cityRowPlaces;  // the place each row of the chooser's list stands for
  Preferences preferences;     // read at start, saved at each change
  DiaryPanel diary;            // the gardener's diary: the days' marks, the selected day's entries

  // ---- widgets --------------------------------------------------------------
  // The day's panel: the date tile (coloured as the day's bar), the saint, the sun.
  Shape dateTile, tileHeader, weekdayGround;
  Label tileMonth, tileDay, tileWeekday, saintHeading, saintOrFeast, sunHeading, city, sunriseCaption, sunrise,
      sunsetCaption, sunset;
  // The month picker, the year and "Data Odierna".
  Shape pickerGround, pickerHeader;
  Label pickerHeading;
  std::array<Shape, 12> monthBoxes;
  std::array<Label, 12> monthNumbers;  // "1".."12" on the boxes
  Shape yearGround, previousYearGround, nextYearGround, todayGround;
  Label year, previousYear, nextYear, todayButton;
  // The month: its title, a bar, a row and a moon icon a day.
  Label title;
  std::array<Shape, 31> dayBars;
  std::array<Label, 31> dayRows;
  std::array<Picture, 31> moonIcons;
  std::array<PlantMark, 31> plantMarks;
  std::array<bool, 31> goodDays{};  // the days that suit the chosen job
  // The notes, the notice, the pictures and the instructions.
  RichTextViewer notes;
  Label notSavedNotice;  // when the chosen city could not be saved
  Shape gerberaFrame, sunflowersFrame;
  Picture gerbera, sunflowers, helpPicture;
  Label instructions;
  Label dayLine;  // the selected day in words: sun, moon, phase, what to do
  // The city chooser.
  Frame cityChooser;
  Label chooserHeading;
  ListBox cityList;
  Label chosenCity;  // the city picked, shortened to fit
  Label confirmCityButton;

  // ---- procedures -----------------------------------------------------------
  void start();
  // Draws the month of currentDate: its rows, then today or the 1st in the panel.
  void drawMonth();
  // The panel shows `date`, a day of the shown month.
  void showDay(calendar::Date date);
  // The bars and the tile take their moon's colours; the month's notes are loaded.
  void colourBarsAndLoadNotes();

  // ---- commands -------------------------------------------------------------
  void clickDay(int index);  // the row of day index + 1
  void pickMonth(int index);  // the box of month index + 1
  void goToPreviousYear();
  void goToNextYear();
  void goToToday();
  void openCityChooser();
  // A row of the chooser's list picked, by a click or the arrow keys.
  void pickCityRow(int row);
  // The chooser's list shows what the search finds (app/place_search), its first row picked.
  void searchCities(std::string text);
  void confirmCity();
  // The festa patronale of a place of the gardener's own, or none; remembered.
  void setOwnFeast(std::optional<FeastDay> day);
  // The window above all others, or not; remembered.
  void toggleAlwaysOnTop();
  // Phases on their Greenwich day or on their Italian day; remembered, and the month drawn again.
  void togglePhaseDays();
  // The Moon's place by the constellations or by the 30° signs; remembered, and the month drawn again.
  void toggleZodiac();
  // The job whose good days the rows show, or none; remembered, and the month drawn again.
  void chooseJob(std::optional<ChosenJob> job);
  // A key pressed in the window; false when it does nothing here.
  bool keyDown(Key key);

  // What a screen reader says for day row d: "5 giugno, venerdì, luna piena, calante".
  std::string dayAccessibleName(int d) const;

  // Moon mark of position d (1..32) of the shown month, as the bars show it.
  PhaseMark phaseMarkOf(int d) const;

  // The month shown.
  const MonthSheet& month() const { return month_; }

  // The rows the chooser's list shows at most, more than the list's own places: a
  // search that finds more asks for more letters.
  static constexpr std::size_t ChooserRows = 150;
  static constexpr int FirstYear = 1;
  static constexpr int LastYear = 9999;
  static constexpr const char* NotSavedNotice = "Città non salvata in luogo.txt";
  static constexpr const char* PreferencesNotSavedNotice = "Preferenza non salvata";
  // Why, on hovering the notice: "Il file luogo.txt non si può scrivere (il disco è pieno): ...".
  static std::string notSavedExplanation(const std::string& reason);

 private:
  // Today by the platform's clock, within the almanac's years.
  calendar::Date today() const;
  // The shown month at the current place, computed again only when either changed.
  const MonthSheet& shownMonthSheet();
  // The panel's saint, city and sun for a day of the shown month; its row turns
  // bold and red on a feast.
  void fillDay(const DaySheet& day);
  void setYear(int year);
  void savePreferences();
  // The month drawn again with the preferences as they are now, the same day in the panel.
  void redrawWithPreferences();
  void markPickedMonth();

  // The shown month's day lines, each made the first time its day is shown.
  const std::string& dayLineOf(int day);

  Platform& platform_;
  MonthSheet month_;
  std::vector<std::optional<std::string>> dayLines_;
};

// The row mark of a plant part, and back.
PlantPartMark markOfPart(almanac::PlantPart part);
almanac::PlantPart partOfMark(PlantPartMark mark);

// Where the notes document of `month` lives: Doc/ of the working folder.
std::string notesDocumentPath(Platform& platform, int month);

}  // namespace app
