// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_model.h"

#include <algorithm>

#include "app/city_file.h"
#include "app/city_table.h"
#include "app/day_line.h"
#include "app/good_days.h"
#include "app/place_search.h"

namespace app {

namespace {

std::optional<int> rowOf(const std::vector<std::string>& rows, std::string_view name) {
  const auto found = std::find(rows.begin(), rows.end(), name);
  return found == rows.end() ? std::nullopt : std::optional<int>(static_cast<int>(found - rows.begin()));
}

}  // namespace

PlantPartMark markOfPart(almanac::PlantPart part) {
  switch (part) {
    case almanac::PlantPart::Radice: return PlantPartMark::Root;
    case almanac::PlantPart::Foglia: return PlantPartMark::Leaf;
    case almanac::PlantPart::Fiore: return PlantPartMark::Flower;
    case almanac::PlantPart::Frutto: break;
  }
  return PlantPartMark::Fruit;
}

std::string notesDocumentPath(Platform& platform, int month) {
  const char sep = platform.pathSeparator();
  return joinPath(joinPath(platform.workingFolder(), "Doc", sep), NotesDocuments[static_cast<std::size_t>(month - 1)],
                  sep);
}

WindowModel::WindowModel(Platform& platform) : platform_(platform) {
  saintHeading.caption = "Il Santo";
  sunHeading.caption = "Il Sole a:";
  sunriseCaption.caption = "Sorge:";
  sunsetCaption.caption = "Tramonta:";
  pickerHeading.caption = "MESE";
  for (std::size_t i = 0; i < monthNumbers.size(); ++i) monthNumbers[i].caption = std::to_string(i + 1);
  previousYear.caption = "<";
  nextYear.caption = ">";
  todayButton.caption = "Data Odierna";
  chooserHeading.caption = "SELEZIONE CITTA'";
  confirmCityButton.caption = "OK";
  instructions.caption =
      "Seguite le indicazioni date dal programma in base alle fasi della Luna.\n"
      "Le Lune CRESCENTI sono quelle segnate in Rosa, metre le CALANTI sono segnate in Verde Oliva.\n"
      "Durante la Luna PIENA e Luna NUOVA non bisogna fare nulla.";
  notSavedNotice.visible = false;
  notSavedNotice.foreColor = colours::Red;
  notSavedNotice.toolTip = notSavedExplanation("");
  // The design's lettering and grounds: bold headings, white on the dark green.
  for (Label* heading : {&tileMonth, &tileDay, &tileWeekday, &saintHeading, &sunHeading, &city, &sunrise, &sunset,
                         &pickerHeading, &year, &previousYear, &nextYear, &todayButton, &title, &chooserHeading,
                         &chosenCity, &confirmCityButton})
    heading->bold = true;
  for (auto& number : monthNumbers) number.bold = true;
  for (Label* onGreen : {&tileMonth, &pickerHeading, &previousYear, &nextYear, &todayButton, &confirmCityButton})
    onGreen->foreColor = colours::White;
  for (auto& number : monthNumbers) number.foreColor = colours::White;
  for (Shape* green : {&tileHeader, &pickerHeader, &todayGround, &sunflowersFrame, &gerberaFrame, &previousYearGround,
                       &nextYearGround})
    green->fillColor = colours::DarkGreen;
  weekdayGround.fillColor = colours::White;
  yearGround.fillColor = colours::White;
  pickerGround.fillColor = colours::PickerGround;
  for (auto& box : monthBoxes) box.fillColor = colours::Blue;
  cityChooser.visible = false;
  cityList.foreColor = colours::White;
}

calendar::Date WindowModel::today() const {
  // A clock outside the almanac's years (set wrong, or left running past 9999)
  // gives the nearest end of the range, so that every redraw has a real day.
  const calendar::Date now = platform_.today();
  if (now.year < FirstYear) return {1, 1, FirstYear};
  if (now.year > LastYear) return {31, 12, LastYear};
  return now;
}

const MonthSheet& WindowModel::shownMonthSheet() {
  if (!month_.isOf(shownYear, shownMonth) || !(month_.place == place) || !(month_.reckoning == preferences.reckoning)) {
    MonthSheet next = sheetOf(shownYear, shownMonth, place, preferences.reckoning);
    next.keepMoonOf(month_);
    month_ = std::move(next);
    dayLines_.clear();
  }
  return month_;
}

void WindowModel::start() {
  preferences = platform_.preferences();

  cityFilePath = app::cityFilePath(platform_);
  // Without a folder for luogo.txt the gardener is told at once that the city
  // chosen will not be remembered.
  notSavedNotice.visible = cityFilePath.empty();
  notSavedNotice.caption = cityFilePath.empty() ? NotSavedNotice : "";
  notSavedNotice.toolTip = notSavedExplanation(cityFilePath.empty() ? platform_.whyNoWorkingFolder() : std::string());
  place = withOwnFeast(placeOfRememberedName(readRememberedName(platform_, cityFilePath)), preferences.ownFeasts);

  gerbera.resource = resources::Gerbera;
  sunflowers.resource = resources::Sunflowers;
  helpPicture.resource = resources::QuestionMark;

  const calendar::Date now = today();
  shownMonth = now.month;
  markPickedMonth();

  cityList = ListBox{};
  cityList.foreColor = colours::White;
  cityRowPlaces.clear();
  for (const Place& listed : tablePlaces()) {
    cityList.addRow(listed.name);
    cityList.selected.back() = cityList.rows.size() % 2 == 1;  // the design's stripes
    cityRowPlaces.push_back(listed);
  }

  currentDate = now;
  drawMonth();
}

void WindowModel::drawMonth() {
  const int month = currentDate.month;
  shownYear = currentDate.year;
  year.caption = std::to_string(shownYear);
  tileMonth.caption = MonthNames[static_cast<std::size_t>(month - 1)];
  // A redraw computes its month afresh; the moon, worked out only when a view
  // asks for it, is kept when the month and the place are the same.
  MonthSheet next = sheetOf(shownYear, month, place, preferences.reckoning);
  next.keepMoonOf(month_);
  month_ = std::move(next);
  dayLines_.clear();
  diary.showMonth(shownYear, month);

  for (std::size_t k = 0; k < 31; ++k) {
    dayBars[k].visible = false;
    dayRows[k].visible = false;
    dayRows[k].bold = false;
    dayRows[k].foreColor = colours::Black;
    moonIcons[k].visible = false;
    moonIcons[k].resource = resources::None;
    plantMarks[k] = PlantMark{PlantPartMark::None, false, false};
  }
  title.caption = tileMonth.caption + " " + year.caption;

  for (const DaySheet& day : month_.days) {
    const auto k = static_cast<std::size_t>(day.day - 1);
    dayBars[k].visible = true;
    dayRows[k].visible = true;
    moonIcons[k].visible = true;
    // Sundays and feasts, the place's own holiday among them, are bold and red.
    dayRows[k].bold = day.boldRed;
    dayRows[k].foreColor = day.boldRed ? colours::Red : colours::Black;
    moonIcons[k].resource = day.icon;
    dayRows[k].caption = day.label;
  }
  // The tradition's marks: the plant part of each day's noon, and its unfavourable hours.
  const MonthTradition& tradition = month_.moon().tradition();
  for (std::size_t k = 0; k < tradition.partAtNoon.size() && k < plantMarks.size(); ++k)
    plantMarks[k] = PlantMark{markOfPart(tradition.partAtNoon[k]), tradition.unfavourable[k], true};
  goodDays.fill(false);
  if (preferences.job)
    for (int d = 1; d <= month_.length(); ++d) goodDays[static_cast<std::size_t>(d - 1)] = judgeDay(month_, d, *preferences.job).good;

  const calendar::Date now = today();
  currentDate = shownMonth == now.month && shownYear == now.year ? now : calendar::Date{1, shownMonth, shownYear};
  showDay(currentDate);
  colourBarsAndLoadNotes();
}

void WindowModel::showDay(calendar::Date date) {
  if (!calendar::isValidDate(date)) return;
  selectedDay = date.day;
  tileDay.caption = std::to_string(date.day);
  tileWeekday.caption = WeekdayNames[static_cast<std::size_t>(calendar::weekday(date.day, date.month, date.year) - 1)];
  const MonthSheet& month = shownMonthSheet();
  if (date.day <= month.length()) fillDay(month.days[static_cast<std::size_t>(date.day - 1)]);
  diary.showDay(date);
  dayLine.caption = dayLineOf(date.day) + diary.dayLine();
  colourBarsAndLoadNotes();
}

void WindowModel::fillDay(const DaySheet& day) {
  saintOrFeast.caption = day.saintOrFeast;
  if (day.feast) {
    Label& row = dayRows[static_cast<std::size_t>(day.day - 1)];
    row.bold = true;
    row.foreColor = colours::Red;
  }
  city.caption = place.name;
  sunrise.caption = clockText(day.sunrise);
  sunset.caption = clockText(day.sunset);
}

PhaseMark WindowModel::phaseMarkOf(int d) const { return app::phaseMarkOf(month_.phases, d); }

void WindowModel::colourBarsAndLoadNotes() {
  for (std::size_t k = 0; k < dayBars.size(); ++k) dayBars[k].fillColor = colourOf(phaseMarkOf(static_cast<int>(k) + 1));
  // The panel's tile has the colour of the bar of the day it shows: a gardener
  // reads it as that day's moon.
  dateTile.fillColor = colourOf(phaseMarkOf(selectedDay));

  if (shownMonth < 1 || shownMonth > 12) return;
  notes.path = notesDocumentPath(platform_, shownMonth);
  ++notes.loadCount;
}

void WindowModel::markPickedMonth() {
  for (std::size_t i = 0; i < monthBoxes.size(); ++i)
    monthBoxes[i].fillColor = static_cast<int>(i) == shownMonth - 1 ? colours::Red : colours::Blue;
}

void WindowModel::clickDay(int index) { showDay({index + 1, shownMonth, shownYear}); }

void WindowModel::pickMonth(int index) {
  if (index < 0 || index > 11) return;
  shownMonth = index + 1;
  markPickedMonth();
  currentDate = {1, shownMonth, shownYear};
  drawMonth();
}

void WindowModel::setYear(int newYear) {
  // The almanac's years run from 1 to 9999; the arrows stop there.
  if (newYear < FirstYear || newYear > LastYear) return;
  currentDate = {1, shownMonth, newYear};
  drawMonth();
}

void WindowModel::goToPreviousYear() { setYear(shownYear - 1); }
void WindowModel::goToNextYear() { setYear(shownYear + 1); }

void WindowModel::goToToday() {
  currentDate = today();
  shownMonth = currentDate.month;
  markPickedMonth();
  drawMonth();
}

bool WindowModel::keyDown(Key key) {
  switch (key) {
    case Key::PageUp:
    case Key::PageDown: {
      // Crossing the year as the arrows and then the picker would.
      const bool back = key == Key::PageUp;
      if (back && shownMonth == 1) {
        if (shownYear <= FirstYear) return false;
        goToPreviousYear();
        pickMonth(11);
      } else if (!back && shownMonth == 12) {
        if (shownYear >= LastYear) return false;
        goToNextYear();
        pickMonth(0);
      } else {
        pickMonth(shownMonth - 1 + (back ? -1 : 1));
      }
      return true;
    }
    case Key::CtrlPageUp:
      if (shownYear <= FirstYear) return false;
      goToPreviousYear();
      return true;
    case Key::CtrlPageDown:
      if (shownYear >= LastYear) return false;
      goToNextYear();
      return true;
    case Key::Up:
    case Key::Down:
    case Key::Left:
    case Key::Right: {
      const int step = key == Key::Up ? -1 : key == Key::Down ? 1 : key == Key::Left ? -16 : 16;
      const int day = selectedDay + step;
      if (day < 1 || day > calendar::daysInMonth(shownMonth, shownYear)) return false;
      clickDay(day - 1);
      return true;
    }
    case Key::Home:
      goToToday();
      return true;
    case Key::OpenChooser:
      openCityChooser();
      return true;
    case Key::Enter:
      if (!cityChooser.visible) return false;
      confirmCity();
      return true;
    case Key::Escape:
      if (!cityChooser.visible) return false;
      cityChooser.visible = false;
      return true;
  }
  return false;
}

std::string WindowModel::dayAccessibleName(int d) const {
  if (shownMonth < 1 || shownMonth > 12 || d < 1 || d > calendar::daysInMonth(shownMonth, shownYear)) return {};
  const auto k = static_cast<std::size_t>(d - 1);
  const int w = calendar::weekday(d, shownMonth, shownYear);
  std::string weekday = WeekdayNames[static_cast<std::size_t>(w - 1)];
  weekday[0] = static_cast<char>(weekday[0] - 'A' + 'a');  // the names begin with an unaccented capital
  std::string name = std::to_string(d) + " " + MonthWords[static_cast<std::size_t>(shownMonth - 1)] + ", " + weekday;
  if (dayRows[k].bold && dayRows[k].foreColor == colours::Red && w != 1) name += ", festivo";
  if (const auto phase = phaseOfIcon(moonIcons[k].resource)) name += ", " + phaseWords(*phase);
  // A full or new moon day is neither; it says where the moon goes from there.
  PhaseMark mark = phaseMarkOf(d);
  if (mark == PhaseMark::Neutral) mark = phaseMarkOf(d + 1);
  name += std::string(", ") + markWord(mark == PhaseMark::Waning ? PhaseMark::Waning : PhaseMark::Waxing);
  const auto& parts = month_.moon().tradition().partAtNoon;
  if (plantMarks[k].part != PlantPartMark::None && k < parts.size())
    name += ", giorno di " + std::string(almanac::plantPartName(parts[k]));
  if (plantMarks[k].unfavourable) name += ", ore sfavorevoli";
  return name + diary.accessibleWords(d);
}

void WindowModel::openCityChooser() {
  if (!citySearch.empty()) searchCities({});  // the list's places as the list has them
  if (auto row = rowOf(cityList.rows, city.caption)) pickCityRow(*row);
  cityChooser.visible = true;
}

std::string WindowModel::notSavedExplanation(const std::string& reason) {
  return "Il file luogo.txt non si può scrivere" + (reason.empty() ? std::string() : " (" + reason + ")") +
         ": la città scelta vale fino alla chiusura.";
}

void WindowModel::pickCityRow(int row) {
  if (row < 0 || row >= static_cast<int>(cityList.rows.size())) return;
  cityList.focusRow = row;
  for (std::size_t i = 0; i < cityList.selected.size(); ++i) cityList.selected[i] = (i % 2 == 0);
  pendingCity = cityList.rows[static_cast<std::size_t>(row)];
  chosenCity.caption = pendingCity;  // whole: the letters shrink to fit it
  chosenCity.toolTip = pendingCity;
}

void WindowModel::searchCities(std::string text) {
  citySearch = std::move(text);
  cityList.rows.clear();
  cityList.selected.clear();
  cityList.focusRow = -1;
  cityRowPlaces.clear();
  for (FoundPlace& found : searchPlaces(citySearch, ChooserRows)) {
    cityList.addRow(std::move(found.title));
    cityRowPlaces.push_back(std::move(found.place));
  }
  for (std::size_t i = 0; i < cityList.selected.size(); ++i) cityList.selected[i] = (i % 2 == 0);
  // Enter takes the first place found, as the arrows take the next.
  if (!cityList.rows.empty()) pickCityRow(0);
}

void WindowModel::confirmCity() {
  const auto row = rowOf(cityList.rows, pendingCity);
  const auto chosen = row && static_cast<std::size_t>(*row) < cityRowPlaces.size()
                          ? std::optional<Place>(cityRowPlaces[static_cast<std::size_t>(*row)])
                          : findPlace(pendingCity);
  if (!chosen) return;  // nothing chosen yet: the chooser stays open
  city.caption = chosen->name;

  const auto content = cityFileContent(rememberedLine(*chosen));
  const WriteOutcome outcome = cityFilePath.empty() ? WriteOutcome::failed(platform_.whyNoWorkingFolder())
                               : !content           ? WriteOutcome::failed("il nome non si scrive in luogo.txt")
                                                    : platform_.replaceFile(cityFilePath, *content);
  const bool saved = outcome.written;
  notSavedNotice.caption = saved ? "" : NotSavedNotice;
  notSavedNotice.visible = !saved;
  notSavedNotice.toolTip = notSavedExplanation(saved ? std::string() : outcome.reason);

  place = withOwnFeast(*chosen, preferences.ownFeasts);
  cityChooser.visible = false;

  // The place's sun and its own holiday go with the place: the rows and the panel follow.
  const MonthSheet& month = shownMonthSheet();
  for (const DaySheet& day : month.days) {
    Label& row = dayRows[static_cast<std::size_t>(day.day - 1)];
    row.bold = day.boldRed;
    row.foreColor = day.boldRed ? colours::Red : colours::Black;
  }
  if (selectedDay >= 1 && selectedDay <= month.length()) {
    const DaySheet& shown = month.days[static_cast<std::size_t>(selectedDay - 1)];
    saintOrFeast.caption = shown.saintOrFeast;
    sunrise.caption = clockText(shown.sunrise);
    sunset.caption = clockText(shown.sunset);
    dayLine.caption = dayLineOf(selectedDay) + diary.dayLine();
  }
}

const std::string& WindowModel::dayLineOf(int day) {
  static const std::string none;
  if (day < 1 || day > month_.length()) return none;
  dayLines_.resize(static_cast<std::size_t>(month_.length()));
  auto& line = dayLines_[static_cast<std::size_t>(day - 1)];
  if (!line) {
    line = dayLineText(month_, day);
    if (preferences.job) {
      const DayVerdict verdict = judgeDay(month_, day, *preferences.job);
      *line += "\nPer " + chosenJobName(*preferences.job) + ": " +
               (verdict.good ? "giorno buono (" + verdict.why + ")." : "no, " + verdict.why + ".");
    }
  }
  return *line;
}

void WindowModel::savePreferences() {
  const WriteOutcome outcome = platform_.savePreferences(preferences);
  if (outcome) return;
  notSavedNotice.caption = PreferencesNotSavedNotice;
  notSavedNotice.visible = true;
  notSavedNotice.toolTip = "Le preferenze non si possono ricordare (" + outcome.reason + "): valgono fino alla chiusura.";
}

void WindowModel::toggleAlwaysOnTop() {
  preferences.alwaysOnTop = !preferences.alwaysOnTop;
  savePreferences();
}

void WindowModel::setOwnFeast(std::optional<FeastDay> day) {
  if (!takesOwnFeast(place)) return;
  const std::string line = rememberedLine(place);
  if (day)
    preferences.ownFeasts[line] = *day;
  else
    preferences.ownFeasts.erase(line);
  savePreferences();
  place = withOwnFeast(place, day);
  const int shown = selectedDay;
  currentDate = {1, shownMonth, shownYear};
  drawMonth();
  showDay({shown, shownMonth, shownYear});
}

void WindowModel::togglePhaseDays() {
  auto& phaseDays = preferences.reckoning.phaseDays;
  phaseDays = phaseDays == PhaseDays::Greenwich ? PhaseDays::Italian : PhaseDays::Greenwich;
  redrawWithPreferences();
}

void WindowModel::toggleZodiac() {
  auto& zodiac = preferences.reckoning.zodiac;
  zodiac = zodiac == astro::ZodiacSystem::Constellations ? astro::ZodiacSystem::Signs : astro::ZodiacSystem::Constellations;
  redrawWithPreferences();
}

void WindowModel::chooseJob(std::optional<ChosenJob> job) {
  preferences.job = job;
  redrawWithPreferences();
}

void WindowModel::redrawWithPreferences() {
  savePreferences();
  const int day = selectedDay;
  currentDate = {1, shownMonth, shownYear};
  drawMonth();
  showDay({day, shownMonth, shownYear});
}

}  // namespace app
