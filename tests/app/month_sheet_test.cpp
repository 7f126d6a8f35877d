// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/month_sheet.h"

#include <gtest/gtest.h>

#include "app/city_table.h"
#include "app/form1.h"
#include "fake_platform.h"

namespace {
using namespace app;

// The window draws a month through its procedures, the printer reads the month's
// sheet: both must tell the gardener the same thing, row by row.
TEST(MonthSheet, TheWindowShowsWhatTheSheetHolds) {
  struct Case { int year, month, city; const char* why; } cases[] = {
      {2026, 3, 15, "Palm Sunday and the Annunciation"},
      {2026, 12, 68, "today's month"},
      {2023, 8, 5, "two full moons"},
      {2014, 2, 39, "no new moon"},
      {2024, 2, 100, "leap day"},
      {1500, 2, 68, "a Julian leap year the Gregorian rule makes common"},
      {1582, 10, 20, "the calendar reform"},
      {1969, 2, 68, "the old saints, S.Mattia on the 24th"},
      {1970, 2, 68, "the new saints"},
      {2000, 4, 107, "Easter and the feasts that hang on it"},
      {1, 1, 0, "the first month"},
      {9999, 12, 106, "the last month"},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    Form1 form(platform);
    form.Form_Load();
    form.CityIndex = c.city;
    form.AnnoC.caption = std::to_string(c.year);
    form.Label9_Click(c.month - 1);
    const MonthSheet sheet = sheetOf(c.year, c.month, c.city);
    SCOPED_TRACE(c.why);

    EXPECT_EQ(form.Label1.caption, sheet.title);
    EXPECT_EQ(form.FullMoonDay, sheet.FullMoonDay);
    EXPECT_EQ(form.NewMoonStamp, sheet.NewMoonStamp);
    EXPECT_EQ(form.Shape3[31].fillColor, colourOf(sheet.panelBackground(1)));
    EXPECT_EQ(form.VISMESE.path, "/orto/Doc/" + std::string(sheet.notesDocument));
    ASSERT_EQ(sheet.length(), calendar::daysInMonth(c.month, c.year));
    for (const DaySheet& day : sheet.days) {
      const auto k = static_cast<std::size_t>(day.day - 1);
      EXPECT_EQ(form.GGMM[k].caption, day.label) << day.day;
      EXPECT_EQ(form.GGMM[k].bold && form.GGMM[k].foreColor == colours::Red, day.boldRed) << day.day;
      EXPECT_EQ(form.Shape3[k].fillColor, colourOf(day.mark)) << day.day;
      EXPECT_EQ(form.LunaIMG[k + 1].resource, day.icon) << day.day;
      form.GGMM_Click(day.day - 1);
      EXPECT_EQ(form.settimana.caption, day.weekdayName()) << day.day;
      EXPECT_EQ(form.santo.caption, day.santo) << day.day;
      EXPECT_EQ(form.sorge.caption, day.sun.sorge) << day.day;
      EXPECT_EQ(form.tramonta.caption, day.sun.tramonta) << day.day;
    }
    for (int d = sheet.length() + 1; d <= 31; ++d) EXPECT_FALSE(form.GGMM[static_cast<std::size_t>(d - 1)].visible);
  }
}

// A city change between redraws is taken up by the next day shown.
TEST(MonthSheet, ADayClickAfterAChosenCityUsesTheNewCity) {
  FakePlatform platform;
  Form1 form(platform);
  form.Form_Load();
  form.zona_Click();
  form.setCityListFocusRow(15);
  form.Label15_Click();
  const auto milan = sheetOf(2026, 12, 15);
  EXPECT_EQ(form.sorge.caption, milan.days[5].sun.sorge);
  form.GGMM_Click(19);
  EXPECT_EQ(form.sorge.caption, milan.days[19].sun.sorge);
  EXPECT_EQ(form.tramonta.caption, milan.days[19].sun.tramonta);
  EXPECT_NE(sheetOf(2026, 12, DefaultCity).days[19].sun.tramonta, milan.days[19].sun.tramonta);
}

// A city's own holiday comes with the city: 7 December is Milan's, not Rome's.
TEST(MonthSheet, ThePatronHolidayFollowsTheChosenCity) {
  FakePlatform platform;
  platform.todayDate = {7, 12, 2026};
  Form1 form(platform);
  form.Form_Load();
  EXPECT_FALSE(form.GGMM[6].bold);
  form.zona_Click();
  form.setCityListFocusRow(15);
  form.Label15_Click();
  EXPECT_TRUE(form.GGMM[6].bold && form.GGMM[6].foreColor == colours::Red);
  EXPECT_EQ(form.santo.caption, sheetOf(2026, 12, 15).days[6].santo);
  EXPECT_NE(form.santo.caption.find("patrono di Milano"), std::string::npos);
}

TEST(MonthSheet, PlacesOutsideTheTableFallBackToRome) {
  for (int row : {-1, 108, 999}) {
    const MonthSheet sheet = sheetOf(2026, 6, row);
    EXPECT_EQ(sheet.cityName, "ROMA");
    EXPECT_EQ(sheet.cityRow, DefaultCity);
  }
}

}  // namespace
