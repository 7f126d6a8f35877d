// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"

#include <gtest/gtest.h>

#include "app/city_table.h"
#include "app/month_sheet.h"
#include "fake_platform.h"

namespace {
using namespace app;

const int Milano = findCity("MILANO").value();
const int Forli = findCity("FORLÌ").value();

struct Window {
  FakePlatform platform;
  Form1 form{platform};
  explicit Window(calendar::Date today = {6, 12, 2026}, std::optional<std::string> cityFile = std::nullopt) {
    platform.todayDate = today;
    if (cityFile) platform.files["/orto/luogo.txt"] = *cityFile;
    form.Form_Load();
  }
  void show(int month, int year) {
    form.AnnoC.caption = std::to_string(year);
    form.Label9_Click(month - 1);
  }
  void choose(int row) {
    form.zona_Click();
    form.setCityListFocusRow(row);
    form.Label15_Click();
  }
  std::string shown() const { return form.Label1.caption + " / " + form.giorno.caption; }
  void expectPicker(int month) const {
    for (std::size_t i = 0; i < 12; ++i)
      EXPECT_EQ(form.MeseTXT[i].fillColor, static_cast<int>(i) == month - 1 ? colours::Red : colours::Blue) << i;
  }
};

TEST(StartUp, RemembersTheCityFromTheFile) {
  struct Case { std::optional<std::string> file; int city; const char* why; } cases[] = {
      {"", DefaultCity, "an empty file"},
      {std::nullopt, DefaultCity, "no file"},
      {"MILANO\r\n", Milano, "a city of the table"},
      {"milano\r\n", DefaultCity, "letter case differs"},
      {"PARIGI\r\n", DefaultCity, "not in the table"},
      {"FORL\xCC\r\n", Forli, "Windows-1252"},
      {std::string("\x00\xFF\xFE garbage \x01", 13), DefaultCity, "binary junk"},
  };
  for (const auto& c : cases) {
    Window w({6, 12, 2026}, c.file);
    EXPECT_EQ(w.form.CityIndex, c.city) << c.why;
    EXPECT_EQ(w.form.zona.caption, CityTable[static_cast<std::size_t>(c.city)].name) << c.why;
  }
}

TEST(StartUp, ShowsTodayAndAStripedCityList) {
  Window w({20, 3, 2026});
  EXPECT_EQ(w.platform.keepOnTopCalls, 1);
  EXPECT_EQ(w.form.CityFilePath, "/orto/luogo.txt");
  ASSERT_EQ(w.form.luogo2.rows.size(), CityTable.size());
  for (std::size_t i = 0; i < CityTable.size(); ++i) EXPECT_EQ(w.form.luogo2.selected[i], i % 2 == 0) << i;
  w.expectPicker(3);
  EXPECT_EQ(w.shown(), "MARZO 2026 / 20");
  EXPECT_EQ(w.form.GGMM[8].caption + "|" + w.form.GGMM[9].caption, "  9 L|10 M");
  EXPECT_EQ(w.form.CurrentDate, (calendar::Date{20, 3, 2026}));
  EXPECT_EQ(w.form.VISMESE.path, "/orto/Doc/Mar.rtf");
}

TEST(StartUp, AnUnknownWorkingFolderIsNeitherReadNorWritten) {
  FakePlatform platform;
  platform.folder = "";  // deleted while the almanac was starting, say
  platform.files["/luogo.txt"] = "MILANO\r\n";
  platform.files["luogo.txt"] = "MILANO\r\n";
  Form1 form(platform);
  form.Form_Load();
  EXPECT_EQ(form.CityFilePath, "");
  EXPECT_EQ(form.CityIndex, DefaultCity);
  EXPECT_EQ(form.VISMESE.path, "Doc/Dic.rtf") << "looked up by name among the installed notes";
  EXPECT_TRUE(form.avviso.visible) << "said at once, before a city is chosen";
  form.zona_Click();
  form.setCityListFocusRow(Milano);
  form.Label15_Click();
  EXPECT_EQ(form.CityIndex, Milano);
  EXPECT_TRUE(form.avviso.visible);
  EXPECT_EQ(form.avviso.toolTip, Form1::notSavedExplanation("la cartella di lavoro non è nota"));
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
    const unsigned loads = w.form.VISMESE.loadCount;
    w.form.CityIndex = findCity(c.city).value();
    w.show(c.month, c.year);
    const MonthSheet sheet = sheetOf(c.year, c.month, w.form.CityIndex);
    const Form1& form = w.form;
    EXPECT_EQ(form.Label1.caption, sheet.title);
    EXPECT_EQ(form.FullMoonDay, sheet.FullMoonDay);
    EXPECT_EQ(form.NewMoonStamp, sheet.NewMoonStamp);
    EXPECT_EQ(form.VISMESE.path, "/orto/Doc/" + std::string(sheet.notesDocument));
    EXPECT_GT(form.VISMESE.loadCount, loads) << "the notes are loaded again";
    for (std::size_t k = 0; k < 31; ++k) {
      const bool row = k < sheet.days.size();
      for (const bool visible : {form.GGMM[k].visible, form.Shape3[k].visible, form.LunaIMG[k + 1].visible})
        EXPECT_EQ(visible, row) << k + 1;
      EXPECT_TRUE(row || form.LunaIMG[k + 1].resource == resources::None) << k + 1;
    }
    for (const DaySheet& day : sheet.days) {  // each row read after the clicks on the days before it
      const auto k = static_cast<std::size_t>(day.day - 1);
      EXPECT_EQ(form.GGMM[k].caption, day.label) << day.day;
      EXPECT_EQ(form.GGMM[k].bold, day.boldRed) << day.day;
      EXPECT_EQ(form.GGMM[k].foreColor, day.boldRed ? colours::Red : colours::Black) << day.day;
      EXPECT_EQ(form.Shape3[k].fillColor, colourOf(day.mark)) << day.day;
      EXPECT_EQ(form.LunaIMG[k + 1].resource, day.icon) << day.day;
      w.form.GGMM_Click(day.day - 1);
      EXPECT_EQ(form.giorno.caption, std::to_string(day.day));
      EXPECT_EQ(form.settimana.caption, day.weekdayName()) << day.day;
      EXPECT_EQ(form.santo.caption, day.santo) << day.day;
      EXPECT_EQ(form.sorge.caption, day.sun.sorge) << day.day;
      EXPECT_EQ(form.tramonta.caption, day.sun.tramonta) << day.day;
      EXPECT_EQ(form.Shape3[31].fillColor, colourOf(day.mark)) << "the panel's tile is the day's own bar, " << day.day;
    }
  }
}

TEST(Commands, YearsMonthsAndToday) {
  Window w({15, 3, 2026});
  w.form.lpiu_Click();
  EXPECT_EQ(w.shown(), "MARZO 2027 / 1") << "the next year opens on the first of the same month";
  EXPECT_EQ(w.form.CurrentDate, (calendar::Date{1, 3, 2027}));
  w.expectPicker(3);
  w.form.lmen_Click();
  EXPECT_EQ(w.shown(), "MARZO 2026 / 15") << "back to the current month: today again";
  w.form.Label9_Click(1);
  w.expectPicker(2);
  w.form.lmen_Click();
  w.form.Label11_Click();
  EXPECT_EQ(w.shown(), "MARZO 2026 / 15");
  EXPECT_EQ(w.form.CurrentDate, (calendar::Date{15, 3, 2026}));
  EXPECT_EQ(w.form.settimana.caption, "Domenica");
  w.expectPicker(3);
}

TEST(Commands, YearsStopAtOneAndNineThousandNineHundredNinetyNine) {
  struct Case { int month, year; Key key; void (Form1::*click)(); const char* shown; } cases[] = {
      {12, 9999, Key::PageDown, &Form1::lpiu_Click, "DICEMBRE 9999 / 1"},
      {12, 9999, Key::CtrlPageDown, &Form1::lpiu_Click, "DICEMBRE 9999 / 1"},
      {1, 1, Key::PageUp, &Form1::lmen_Click, "GENNAIO 1 / 1"},
      {1, 1, Key::CtrlPageUp, &Form1::lmen_Click, "GENNAIO 1 / 1"},
  };
  Window w;
  for (const auto& c : cases) {
    w.show(c.month, c.year);
    EXPECT_FALSE(w.form.Form_KeyDown(c.key)) << c.shown;
    (w.form.*c.click)();
    EXPECT_EQ(w.shown(), c.shown);
  }
}

// The city goes to luogo.txt, and its sun and its own holiday (7 December is
// Milan's, not Rome's) to the month and the days shown after.
TEST(Commands, TheChosenCityIsSavedAndShown) {
  Window w({7, 12, 2026});
  EXPECT_FALSE(w.form.GGMM[6].bold);
  w.form.zona_Click();
  EXPECT_TRUE(w.form.sceltac.visible);
  EXPECT_EQ(w.form.luogo2.focusRow, DefaultCity);
  EXPECT_EQ(w.form.Lsel.caption, "ROMA");
  const int reggio = findCity("REGGIO NELL'EMILIA").value();
  w.form.setCityListFocusRow(reggio);
  EXPECT_EQ(w.form.Lsel.caption, "REGGIO NELL.");
  EXPECT_EQ(w.form.Lsel.toolTip, "REGGIO NELL'EMILIA") << "the whole name, on hovering and to a screen reader";
  w.form.luogo2.selected.assign(CityTable.size(), true);  // a click toggles rows; the striping comes back
  w.form.setCityListFocusRow(Milano);
  for (std::size_t i = 0; i < CityTable.size(); ++i) EXPECT_EQ(w.form.luogo2.selected[i], i % 2 == 0);
  w.form.Label15_Click();
  const MonthSheet milan = sheetOf(2026, 12, Milano);
  EXPECT_FALSE(w.form.sceltac.visible);
  EXPECT_FALSE(w.form.avviso.visible);
  EXPECT_EQ(w.platform.files["/orto/luogo.txt"], "MILANO\r\n");
  EXPECT_EQ(w.form.CityIndex, Milano);
  EXPECT_EQ(w.form.zona.caption, "MILANO");
  EXPECT_EQ(w.form.sorge.caption, milan.days[6].sun.sorge);
  EXPECT_TRUE(w.form.GGMM[6].bold && w.form.GGMM[6].foreColor == colours::Red);
  EXPECT_NE(w.form.santo.caption.find("patrono di Milano"), std::string::npos) << w.form.santo.caption;
  w.form.GGMM_Click(19);
  EXPECT_NE(sheetOf(2026, 12, DefaultCity).days[19].sun.tramonta, milan.days[19].sun.tramonta);
  EXPECT_EQ(w.form.tramonta.caption, milan.days[19].sun.tramonta);
  EXPECT_EQ(w.form.zona.caption, "MILANO");
}

TEST(Commands, ACityThatCannotBeSavedStillApplies) {
  Window w({6, 12, 2026}, std::string("ROMA\r\n"));
  w.platform.failWrites = true;
  w.choose(Forli);
  EXPECT_EQ(w.form.CityIndex, Forli);
  EXPECT_EQ(w.form.zona.caption, "FORLÌ");
  EXPECT_TRUE(w.form.avviso.visible);
  EXPECT_EQ(w.form.avviso.caption, Form1::NotSavedNotice);
  EXPECT_EQ(w.platform.files["/orto/luogo.txt"], "ROMA\r\n");
  EXPECT_NE(w.form.avviso.toolTip.find("(il disco è pieno)"), std::string::npos) << w.form.avviso.toolTip;
  w.platform.failWrites = false;
  w.choose(Forli);
  EXPECT_FALSE(w.form.avviso.visible);
  EXPECT_EQ(w.platform.files["/orto/luogo.txt"], "FORL\xCC\r\n");
  EXPECT_EQ(w.form.avviso.toolTip.find('('), std::string::npos) << "the reason goes with the failure";
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
    EXPECT_EQ(w.form.Form_KeyDown(step.key), step.handled) << step.shown;
    EXPECT_EQ(w.shown(), step.shown);
  }
  w.form.Form_KeyDown(Key::PageDown);
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
    EXPECT_EQ(w.form.settimana.caption, c.weekday);
    EXPECT_TRUE(w.form.Form_KeyDown(c.back));
    EXPECT_EQ(w.shown(), c.after);
    EXPECT_TRUE(w.form.Form_KeyDown(Key::Home));
    EXPECT_EQ(w.shown(), c.shown);
    EXPECT_EQ(w.form.settimana.caption, c.weekday);
  }
}

TEST(Accessibility, DayNamesSayDateWeekdayFeastAndMoon) {
  Window w;
  struct Case { int day; const char* name; } cases[] = {
      {6, "6 dicembre, domenica, calante"},
      {8, "8 dicembre, martedì, festivo, calante"},
      {9, "9 dicembre, mercoledì, luna nuova, crescente"},
      {24, "24 dicembre, giovedì, luna piena, calante"},
      {32, ""},
  };
  for (auto c : cases) EXPECT_EQ(w.form.dayAccessibleName(c.day), c.name);
  w.form.Label9_Click(1);
  EXPECT_EQ(w.form.dayAccessibleName(29), "") << "no 29 February 2026";
}

}  // namespace
