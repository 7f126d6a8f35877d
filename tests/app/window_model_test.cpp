// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_model.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/city_table.h"
#include "app/day_line.h"
#include "app/italian_clock.h"
#include "app/month_sheet.h"
#include "fake_platform.h"

namespace {
using namespace app;

// A place's row in the chooser's list.
int rowOf(std::string_view name) {
  const auto& places = tablePlaces();
  return static_cast<int>(std::find_if(places.begin(), places.end(), [&](const Place& p) { return p.name == name; }) -
                          places.begin());
}
const int Milano = rowOf("MILANO");
const int Forli = rowOf("FORLÌ");
const int Rome = rowOf("ROMA");

struct Window {
  FakePlatform platform;
  WindowModel form{platform};
  explicit Window(calendar::Date today = {6, 12, 2026}, std::optional<std::string> cityFile = std::nullopt) {
    platform.todayDate = today;
    if (cityFile) platform.files["/orto/luogo.txt"] = *cityFile;
    form.start();
  }
  void show(int month, int year) {
    form.shownYear = year;
    form.pickMonth(month - 1);
  }
  void choose(int row) {
    form.openCityChooser();
    form.pickCityRow(row);
    form.confirmCity();
  }
  std::string shown() const { return form.title.caption + " / " + form.tileDay.caption; }
  void expectPicker(int month) const {
    for (std::size_t i = 0; i < 12; ++i)
      EXPECT_EQ(form.monthBoxes[i].fillColor, static_cast<int>(i) == month - 1 ? colours::Red : colours::Blue) << i;
  }
};

TEST(StartUp, RemembersTheCityFromTheFile) {
  struct Case { std::optional<std::string> file; const char* city; const char* why; } cases[] = {
      {"", "ROMA", "an empty file"},
      {std::nullopt, "ROMA", "no file"},
      {"MILANO\r\n", "MILANO", "a city of the table"},
      {"milano\r\n", "ROMA", "letter case differs"},
      {"PARIGI\r\n", "ROMA", "not in the table"},
      {"FORL\xCC\r\n", "FORLÌ", "Windows-1252"},
      {std::string("\x00\xFF\xFE garbage \x01", 13), "ROMA", "binary junk"},
  };
  for (const auto& c : cases) {
    Window w({6, 12, 2026}, c.file);
    EXPECT_EQ(w.form.place, findPlace(c.city)) << c.why;
    EXPECT_EQ(w.form.city.caption, c.city) << c.why;
  }
}

TEST(StartUp, ShowsTodayAndAStripedCityList) {
  Window w({20, 3, 2026});
  EXPECT_TRUE(w.form.preferences.alwaysOnTop) << "above all other windows, as the almanac has always been";
  EXPECT_EQ(w.form.cityFilePath, "/orto/luogo.txt");
  ASSERT_EQ(w.form.cityList.rows.size(), tablePlaces().size());
  for (std::size_t i = 0; i < tablePlaces().size(); ++i) EXPECT_EQ(w.form.cityList.selected[i], i % 2 == 0) << i;
  w.expectPicker(3);
  EXPECT_EQ(w.shown(), "MARZO 2026 / 20");
  EXPECT_EQ(w.form.dayRows[8].caption + "|" + w.form.dayRows[9].caption, "  9 L|10 M");
  EXPECT_EQ(w.form.currentDate, (calendar::Date{20, 3, 2026}));
  EXPECT_EQ(w.form.notes.path, "/orto/Doc/Mar.rtf");
}

TEST(StartUp, AnUnknownWorkingFolderIsNeitherReadNorWritten) {
  FakePlatform platform;
  platform.folder = "";  // deleted while the almanac was starting, say
  platform.files["/luogo.txt"] = "MILANO\r\n";
  platform.files["luogo.txt"] = "MILANO\r\n";
  WindowModel form(platform);
  form.start();
  EXPECT_EQ(form.cityFilePath, "");
  EXPECT_EQ(form.place, defaultPlace());
  EXPECT_EQ(form.notes.path, "Doc/Dic.rtf") << "looked up by name among the installed notes";
  EXPECT_TRUE(form.notSavedNotice.visible) << "said at once, before a city is chosen";
  form.openCityChooser();
  form.pickCityRow(Milano);
  form.confirmCity();
  EXPECT_EQ(form.place.name, "MILANO");
  EXPECT_TRUE(form.notSavedNotice.visible);
  EXPECT_EQ(form.notSavedNotice.toolTip, WindowModel::notSavedExplanation("la cartella di lavoro non è nota"));
  EXPECT_EQ(platform.files.size(), 2u) << "nothing written anywhere";
  EXPECT_EQ(platform.files["/luogo.txt"], "MILANO\r\n");
}

// The window draws a month through its procedures, every other view reads the
// month's sheet: both must tell the gardener the same thing, row by row. One
// window shows the months one after the other, so nothing may leak between them.
TEST(MonthGrid, TheWindowShowsWhatTheSheetHolds) {
  struct Case { int year, month; const char* city; const char* why; } cases[] = {
      {2026, 3, "MILANO", "Palm Sunday and the Annunciation"},
      {2023, 8, "TORINO", "two full moons"},
      {2023, 9, "TORINO", "a thirty-day month after a full moon on the 31st"},
      {2014, 2, "FORLÌ", "no new moon"},
      {2024, 2, "RAGUSA", "leap day"},
      {2100, 2, "ROMA", "a century that is not a leap year"},
      {1500, 2, "ROMA", "a Julian leap year the Gregorian rule makes common"},
      {1582, 10, "BOLZANO", "the calendar reform"},
      {1969, 2, "ROMA", "the old saints, S.Mattia on the 24th"},
      {2000, 4, "CESENA", "Easter and the feasts that hang on it"},
      {1, 1, "ALESSANDRIA", "the first month"},
      {9999, 12, "SASSARI", "the last month"},
  };
  Window w;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const unsigned loads = w.form.notes.loadCount;
    w.form.place = findPlace(c.city).value();
    w.show(c.month, c.year);
    const MonthSheet sheet = sheetOf(c.year, c.month, w.form.place);
    const WindowModel& form = w.form;
    EXPECT_EQ(form.title.caption, sheet.title);
    EXPECT_EQ(form.notes.path, "/orto/Doc/" + std::string(sheet.notesDocument));
    EXPECT_GT(form.notes.loadCount, loads) << "the notes are loaded again";
    for (std::size_t k = 0; k < 31; ++k) {
      const bool row = k < sheet.days.size();
      for (const bool visible : {form.dayRows[k].visible, form.dayBars[k].visible, form.moonIcons[k].visible})
        EXPECT_EQ(visible, row) << k + 1;
      EXPECT_TRUE(row || form.moonIcons[k].resource == resources::None) << k + 1;
    }
    for (const DaySheet& day : sheet.days) {  // each row read after the clicks on the days before it
      const auto k = static_cast<std::size_t>(day.day - 1);
      EXPECT_EQ(form.dayRows[k].caption, day.label) << day.day;
      EXPECT_EQ(form.dayRows[k].bold, day.boldRed) << day.day;
      EXPECT_EQ(form.dayRows[k].foreColor, day.boldRed ? colours::Red : colours::Black) << day.day;
      EXPECT_EQ(form.dayBars[k].fillColor, colourOf(day.mark)) << day.day;
      EXPECT_EQ(form.moonIcons[k].resource, day.icon) << day.day;
      w.form.clickDay(day.day - 1);
      EXPECT_EQ(form.tileDay.caption, std::to_string(day.day));
      EXPECT_EQ(form.tileWeekday.caption, day.weekdayName()) << day.day;
      EXPECT_EQ(form.saintOrFeast.caption, day.saintOrFeast) << day.day;
      EXPECT_EQ(form.sunrise.caption, clockText(day.sunrise)) << day.day;
      EXPECT_EQ(form.sunset.caption, clockText(day.sunset)) << day.day;
      EXPECT_EQ(form.dateTile.fillColor, colourOf(day.mark)) << "the panel's tile is the day's own bar, " << day.day;
    }
  }
}

TEST(Commands, YearsMonthsAndToday) {
  Window w({15, 3, 2026});
  w.form.goToNextYear();
  EXPECT_EQ(w.shown(), "MARZO 2027 / 1") << "the next year opens on the first of the same month";
  EXPECT_EQ(w.form.currentDate, (calendar::Date{1, 3, 2027}));
  w.expectPicker(3);
  w.form.goToPreviousYear();
  EXPECT_EQ(w.shown(), "MARZO 2026 / 15") << "back to the current month: today again";
  w.form.pickMonth(1);
  w.expectPicker(2);
  w.form.goToPreviousYear();
  w.form.goToToday();
  EXPECT_EQ(w.shown(), "MARZO 2026 / 15");
  EXPECT_EQ(w.form.currentDate, (calendar::Date{15, 3, 2026}));
  EXPECT_EQ(w.form.tileWeekday.caption, "Domenica");
  w.expectPicker(3);
}

TEST(Commands, YearsStopAtOneAndNineThousandNineHundredNinetyNine) {
  struct Case { int month, year; Key key; void (WindowModel::*click)(); const char* shown; } cases[] = {
      {12, 9999, Key::PageDown, &WindowModel::goToNextYear, "DICEMBRE 9999 / 1"},
      {12, 9999, Key::CtrlPageDown, &WindowModel::goToNextYear, "DICEMBRE 9999 / 1"},
      {1, 1, Key::PageUp, &WindowModel::goToPreviousYear, "GENNAIO 1 / 1"},
      {1, 1, Key::CtrlPageUp, &WindowModel::goToPreviousYear, "GENNAIO 1 / 1"},
  };
  Window w;
  for (const auto& c : cases) {
    w.show(c.month, c.year);
    EXPECT_FALSE(w.form.keyDown(c.key)) << c.shown;
    (w.form.*c.click)();
    EXPECT_EQ(w.shown(), c.shown);
  }
}

// The city goes to luogo.txt, and its sun and its own holiday (7 December is
// Milan's, not Rome's) to the month and the days shown after.
TEST(Commands, TheChosenCityIsSavedAndShown) {
  Window w({7, 12, 2026});
  EXPECT_FALSE(w.form.dayRows[6].bold);
  w.form.openCityChooser();
  EXPECT_TRUE(w.form.cityChooser.visible);
  EXPECT_EQ(w.form.cityList.focusRow, Rome);
  EXPECT_EQ(w.form.chosenCity.caption, "ROMA");
  w.form.pickCityRow(rowOf("REGGIO NELL'EMILIA"));
  EXPECT_EQ(w.form.chosenCity.caption, "REGGIO NELL'EMILIA") << "the whole name, its letters fitted";
  EXPECT_EQ(w.form.chosenCity.toolTip, "REGGIO NELL'EMILIA") << "the whole name, on hovering and to a screen reader";
  w.form.cityList.selected.assign(tablePlaces().size(), true);  // a click toggles rows; the striping comes back
  w.form.pickCityRow(Milano);
  for (std::size_t i = 0; i < tablePlaces().size(); ++i) EXPECT_EQ(w.form.cityList.selected[i], i % 2 == 0);
  w.form.confirmCity();
  const MonthSheet milan = sheetOf(2026, 12, findPlace("MILANO").value());
  EXPECT_FALSE(w.form.cityChooser.visible);
  EXPECT_FALSE(w.form.notSavedNotice.visible);
  EXPECT_EQ(w.platform.files["/orto/luogo.txt"], "MILANO\r\n");
  EXPECT_EQ(w.form.place.name, "MILANO");
  EXPECT_EQ(w.form.city.caption, "MILANO");
  EXPECT_EQ(w.form.sunrise.caption, clockText(milan.days[6].sunrise));
  EXPECT_TRUE(w.form.dayRows[6].bold && w.form.dayRows[6].foreColor == colours::Red);
  EXPECT_NE(w.form.saintOrFeast.caption.find("patrono di Milano"), std::string::npos) << w.form.saintOrFeast.caption;
  w.form.clickDay(19);
  EXPECT_NE(clockText(sheetOf(2026, 12, defaultPlace()).days[19].sunset), clockText(milan.days[19].sunset));
  EXPECT_EQ(w.form.sunset.caption, clockText(milan.days[19].sunset));
  EXPECT_EQ(w.form.city.caption, "MILANO");
}

TEST(Commands, ACityThatCannotBeSavedStillApplies) {
  Window w({6, 12, 2026}, std::string("ROMA\r\n"));
  w.platform.failWrites = true;
  w.choose(Forli);
  EXPECT_EQ(w.form.place.name, "FORLÌ");
  EXPECT_EQ(w.form.city.caption, "FORLÌ");
  EXPECT_TRUE(w.form.notSavedNotice.visible);
  EXPECT_EQ(w.form.notSavedNotice.caption, WindowModel::NotSavedNotice);
  EXPECT_EQ(w.platform.files["/orto/luogo.txt"], "ROMA\r\n");
  EXPECT_NE(w.form.notSavedNotice.toolTip.find("(il disco è pieno)"), std::string::npos) << w.form.notSavedNotice.toolTip;
  w.platform.failWrites = false;
  w.choose(Forli);
  EXPECT_FALSE(w.form.notSavedNotice.visible);
  EXPECT_EQ(w.platform.files["/orto/luogo.txt"], "FORL\xCC\r\n");
  EXPECT_EQ(w.form.notSavedNotice.toolTip.find('('), std::string::npos) << "the reason goes with the failure";
}

TEST(Keyboard, MonthsYearsAndDays) {
  struct Step { Key key; bool handled; const char* shown; } steps[] = {
      {Key::PageDown, true, "GENNAIO 2027 / 1"},  // across the year
      {Key::PageUp, true, "DICEMBRE 2026 / 6"},   // back to the current month: today
      {Key::PageUp, true, "NOVEMBRE 2026 / 1"},
      {Key::CtrlPageDown, true, "NOVEMBRE 2027 / 1"},
      {Key::Up, false, "NOVEMBRE 2027 / 1"},  // no day before the first
      {Key::Down, true, "NOVEMBRE 2027 / 2"},
      {Key::Right, true, "NOVEMBRE 2027 / 18"},  // the other column
      {Key::Right, false, "NOVEMBRE 2027 / 18"},  // no 34 November
      {Key::Left, true, "NOVEMBRE 2027 / 2"},
      {Key::CtrlPageUp, true, "NOVEMBRE 2026 / 1"},
      {Key::Home, true, "DICEMBRE 2026 / 6"},
      {Key::Enter, false, "DICEMBRE 2026 / 6"},  // no chooser open
      {Key::OpenChooser, true, "DICEMBRE 2026 / 6"},
      {Key::Escape, true, "DICEMBRE 2026 / 6"},
      {Key::Escape, false, "DICEMBRE 2026 / 6"},  // closed already
  };
  Window w;
  for (const auto& step : steps) {
    EXPECT_EQ(w.form.keyDown(step.key), step.handled) << step.shown;
    EXPECT_EQ(w.shown(), step.shown);
  }
  w.form.keyDown(Key::PageDown);
  w.expectPicker(1);
}

// A clock outside the almanac's years opens, and Home goes, to the nearest end,
// with a whole panel; the arrows bring the gardener back from there.
TEST(Keyboard, AClockOutsideTheYearsKeepsToTheirEnds) {
  struct Case { calendar::Date clock; const char* shown; const char* weekday; Key back; const char* after; } cases[] = {
      {{7, 12, 10026}, "DICEMBRE 9999 / 31", "Venerdì", Key::CtrlPageUp, "DICEMBRE 9998 / 1"},
      {{1, 1, 10000}, "DICEMBRE 9999 / 31", "Venerdì", Key::PageUp, "NOVEMBRE 9999 / 1"},
      {{7, 12, -3}, "GENNAIO 1 / 1", "Lunedì", Key::CtrlPageDown, "GENNAIO 2 / 1"},
      {{1, 1, 0}, "GENNAIO 1 / 1", "Lunedì", Key::PageDown, "FEBRAIO 1 / 1"},
      {{15, 6, 1}, "GIUGNO 1 / 15", "Venerdì", Key::PageDown, "LUGLIO 1 / 1"},  // the ends themselves are kept
      {{15, 6, 9999}, "GIUGNO 9999 / 15", "Martedì", Key::PageUp, "MAGGIO 9999 / 1"},
  };
  for (const auto& c : cases) {
    Window w(c.clock);
    EXPECT_EQ(w.shown(), c.shown);
    EXPECT_EQ(w.form.tileWeekday.caption, c.weekday);
    EXPECT_TRUE(w.form.keyDown(c.back));
    EXPECT_EQ(w.shown(), c.after);
    EXPECT_TRUE(w.form.keyDown(Key::Home));
    EXPECT_EQ(w.shown(), c.shown);
    EXPECT_EQ(w.form.tileWeekday.caption, c.weekday);
  }
}

TEST(Accessibility, DayNamesSayDateWeekdayFeastAndMoon) {
  Window w;
  struct Case { int day; const char* name; } cases[] = {
      {6, "6 dicembre, domenica, calante, giorno di fiore"},
      {8, "8 dicembre, martedì, festivo, calante, giorno di foglia"},
      {9, "9 dicembre, mercoledì, luna nuova, crescente, giorno di foglia"},
      {11, "11 dicembre, venerdì, crescente, giorno di frutto, ore sfavorevoli"},
      {24, "24 dicembre, giovedì, luna piena, calante, giorno di fiore, ore sfavorevoli"},
      {32, ""},
  };
  for (auto c : cases) EXPECT_EQ(w.form.dayAccessibleName(c.day), c.name);
  w.form.pickMonth(1);
  EXPECT_EQ(w.form.dayAccessibleName(29), "") << "no 29 February 2026";
}

}  // namespace

namespace {
using namespace app;

// The choices come back at start, apply at once, and are remembered; one that
// cannot be remembered still applies, and the gardener is told.
TEST(Preferences, AreRememberedAndApplied) {
  FakePlatform platform;
  platform.todayDate = {10, 2, 2027};
  platform.remembered.alwaysOnTop = false;
  platform.remembered.reckoning.phaseDays = PhaseDays::Italian;
  WindowModel form(platform);
  form.start();
  EXPECT_FALSE(form.preferences.alwaysOnTop);
  // The full moon of 20 February 2027 at 23:23 UT is on the 21st in Italy.
  EXPECT_EQ(form.moonIcons[20].resource, resources::FullMoon);
  EXPECT_EQ(form.moonIcons[19].resource, resources::None);
  form.togglePhaseDays();
  EXPECT_EQ(form.moonIcons[19].resource, resources::FullMoon) << "its Greenwich day";
  EXPECT_EQ(form.selectedDay, 10) << "the same day in the panel";
  EXPECT_EQ(platform.remembered.reckoning.phaseDays, PhaseDays::Greenwich);
  form.toggleAlwaysOnTop();
  EXPECT_TRUE(platform.remembered.alwaysOnTop);
  platform.failWrites = true;
  form.toggleAlwaysOnTop();
  EXPECT_FALSE(form.preferences.alwaysOnTop);
  EXPECT_TRUE(form.notSavedNotice.visible);
  EXPECT_EQ(form.notSavedNotice.caption, WindowModel::PreferencesNotSavedNotice);
}

// The panel's line: the sun and the moon with their clocks, the phase at its hour,
// the moon's motion and what a gardener does.
TEST(DayLine, SaysTheDaysSunMoonAndWork) {
  const Place milan = findPlace("MILANO").value();
  struct Case { int year, month, day; PhaseDays phaseDays; std::vector<std::string> says; } cases[] = {
      {2027, 2, 21, PhaseDays::Italian, {"luna piena alle 00:23 del 21 febbraio", adviceOf(PhaseMark::Neutral)}},
      {2027, 2, 20, PhaseDays::Greenwich, {"(Greenwich: 23:23 del 20)", adviceOf(PhaseMark::Neutral)}},
      {2027, 2, 24, PhaseDays::Greenwich, {"calante, discendente", adviceOf(PhaseMark::Waning), motionAdvice(false)}},
      {2026, 7, 15, PhaseDays::Greenwich, {"in ora solare (UTC+1); gli orologi, in ora legale, segnano "}},
  };
  for (const auto& c : cases) {
    const std::string line = dayLineText(sheetOf(c.year, c.month, milan, {c.phaseDays}), c.day);
    for (const std::string& part : c.says) EXPECT_NE(line.find(part), std::string::npos) << part << "\n" << line;
    EXPECT_EQ(line.find("ora legale"), c.month == 7 ? line.find("ora legale") : std::string::npos) << line;
  }
  EXPECT_EQ(dayLineText(sheetOf(2027, 2, milan), 29), "");
}

}  // namespace

namespace {
using namespace app;

// A job chosen marks its good days on the rows and says why in the day's line;
// none chosen, no marks; the choice is remembered.
TEST(GoodDays, TheWindowMarksThemAndSaysWhy) {
  FakePlatform platform;
  platform.todayDate = {24, 3, 2027};
  WindowModel form(platform);
  form.start();
  EXPECT_EQ(std::count(form.goodDays.begin(), form.goodDays.end(), true), 0);
  form.chooseJob(ChosenJob{almanac::Job::Potare, {}});
  EXPECT_EQ(platform.remembered.job, (ChosenJob{almanac::Job::Potare, {}}));
  const MonthSheet march = sheetOf(2027, 3, form.place);
  for (int d = 1; d <= 31; ++d)
    EXPECT_EQ(form.goodDays[static_cast<std::size_t>(d - 1)], judgeDay(march, d, {almanac::Job::Potare, {}}).good) << d;
  EXPECT_NE(form.dayLine.caption.find("Per potare: giorno buono (calante e discendente)."), std::string::npos)
      << form.dayLine.caption;
  form.clickDay(21);
  EXPECT_NE(form.dayLine.caption.find("Per potare: no, Luna piena o nuova"), std::string::npos) << form.dayLine.caption;
  form.chooseJob(std::nullopt);
  EXPECT_EQ(std::count(form.goodDays.begin(), form.goodDays.end(), true), 0);
}

}  // namespace
