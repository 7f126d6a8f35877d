// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/form1.h"
#include "fake_platform.h"

namespace {
using namespace app;

struct Window {
  FakePlatform platform;
  Form1 form{platform};
  Window() { form.Form_Load(); }  // today: Sunday 6 December 2026
  std::string shown() const { return form.Label1.caption + " / " + form.giorno.caption; }
};

TEST(Keyboard, MonthsYearsAndDays) {
  struct Step { Key key; bool handled; const char* shown; } steps[] = {
      {Key::PageDown, true, "GENNAIO 2027 / 1"},    // across the year
      {Key::PageUp, true, "DICEMBRE 2026 / 6"},     // back to the current month: today
      {Key::PageUp, true, "NOVEMBRE 2026 / 1"},
      {Key::CtrlPageDown, true, "NOVEMBRE 2027 / 1"},
      {Key::Up, false, "NOVEMBRE 2027 / 1"},        // no day before the first
      {Key::Down, true, "NOVEMBRE 2027 / 2"},
      {Key::Right, true, "NOVEMBRE 2027 / 18"},     // the other column
      {Key::Right, false, "NOVEMBRE 2027 / 18"},    // no 34 November
      {Key::Left, true, "NOVEMBRE 2027 / 2"},
      {Key::CtrlPageUp, true, "NOVEMBRE 2026 / 1"},
      {Key::Home, true, "DICEMBRE 2026 / 6"},
      {Key::Enter, false, "DICEMBRE 2026 / 6"},     // no chooser open
  };
  Window w;
  for (const auto& step : steps) {
    EXPECT_EQ(w.form.Form_KeyDown(step.key), step.handled) << step.shown;
    EXPECT_EQ(w.shown(), step.shown);
  }
  // The month picker follows the keys as it follows the clicks.
  w.form.Form_KeyDown(Key::PageDown);
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(w.form.MeseTXT[i].fillColor, i == 0 ? colours::Red : colours::Blue);
}

TEST(Keyboard, StopsAtTheEndsOfTheYears) {
  Window w;
  w.form.AnnoC.caption = "9999";
  w.form.Label9_Click(11);
  EXPECT_FALSE(w.form.Form_KeyDown(Key::PageDown));
  EXPECT_FALSE(w.form.Form_KeyDown(Key::CtrlPageDown));
  EXPECT_EQ(w.shown(), "DICEMBRE 9999 / 1");
  w.form.AnnoC.caption = "1";
  w.form.Label9_Click(0);
  EXPECT_FALSE(w.form.Form_KeyDown(Key::PageUp));
  EXPECT_FALSE(w.form.Form_KeyDown(Key::CtrlPageUp));
  EXPECT_EQ(w.shown(), "GENNAIO 1 / 1");
}

// A clock outside the almanac's years opens, and Home goes, to the nearest end,
// with a whole panel; the arrows bring the gardener back from there.
TEST(Keyboard, AClockOutsideTheYearsKeepsToTheirEnds) {
  struct Case { calendar::Date clock; const char* shown; const char* weekday; Key back; const char* after; } cases[] = {
      {{7, 12, 10026}, "DICEMBRE 9999 / 31", "Venerdì", Key::CtrlPageUp, "DICEMBRE 9998 / 1"},
      {{1, 1, 10000}, "DICEMBRE 9999 / 31", "Venerdì", Key::PageUp, "NOVEMBRE 9999 / 1"},
      {{7, 12, -3}, "GENNAIO 1 / 1", "Lunedì", Key::CtrlPageDown, "GENNAIO 2 / 1"},
      {{1, 1, 0}, "GENNAIO 1 / 1", "Lunedì", Key::PageDown, "FEBRAIO 1 / 1"},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.todayDate = c.clock;
    Form1 form(platform);
    form.Form_Load();
    const auto shown = [&] { return form.Label1.caption + " / " + form.giorno.caption; };
    EXPECT_EQ(shown(), c.shown);
    EXPECT_EQ(form.settimana.caption, c.weekday);
    EXPECT_TRUE(form.Form_KeyDown(c.back));
    EXPECT_EQ(shown(), c.after);
    EXPECT_TRUE(form.Form_KeyDown(Key::Home));
    EXPECT_EQ(shown(), c.shown);
    EXPECT_EQ(form.settimana.caption, c.weekday);
  }
}

TEST(Accessibility, DayNamesSayDateWeekdayFeastAndMoon) {
  Window w;
  w.form.AnnoC.caption = "2026";
  w.form.Label9_Click(11);
  struct Case { int day; const char* name; } cases[] = {
      {6, "6 dicembre, domenica, calante"},
      {8, "8 dicembre, martedì, festivo, calante"},
      {9, "9 dicembre, mercoledì, luna nuova, crescente"},
      {24, "24 dicembre, giovedì, luna piena, calante"},
      {25, "25 dicembre, venerdì, festivo, calante"},
      {32, ""},
  };
  for (auto c : cases) EXPECT_EQ(w.form.dayAccessibleName(c.day), c.name);
  w.form.Label9_Click(1);
  EXPECT_EQ(w.form.dayAccessibleName(29), "") << "no 29 February 2026";
}

}  // namespace
