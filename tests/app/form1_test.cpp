// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/city_table.h"
#include "fake_platform.h"

namespace {
using namespace app;

struct Started {
  FakePlatform platform;
  Form1 form{platform};
  explicit Started(calendar::Date today = {6, 12, 2026}, std::optional<std::string> cityFile = std::nullopt) {
    platform.todayDate = today;
    if (cityFile) platform.files["/orto/luogo.txt"] = *cityFile;
    form.Form_Load();
  }
  void show(int month, int year) {
    form.AnnoC.caption = std::to_string(year);
    form.Label9_Click(month - 1);
  }
  long visibleRows() const { return std::count_if(form.GGMM.begin(), form.GGMM.end(), [](auto& l) { return l.visible; }); }
  std::string marks() const {  // one character a day bar: + waxing, - waning, o neutral
    std::string out;
    for (std::size_t k = 0; k < 32; ++k) {  // day bars and the panel
      const Rgb c = form.Shape3[k].fillColor;
      out += c == colours::Waxing ? '+' : c == colours::Waning ? '-' : 'o';
    }
    return out;
  }
};

TEST(StartUp, RemembersTheCityFromTheFile) {
  struct Case { std::optional<std::string> file; int city; const char* why; } cases[] = {
      {std::nullopt, 68, "no file"},
      {"", 68, "empty file"},
      {"MILANO\r\n", 15, "a city of the table"},
      {"milano\r\n", 68, "letter case differs"},
      {"PARIGI\r\n", 68, "not in the table"},
      {"FORL\xCC\r\n", 39, "Windows-1252"},
      {"FORLÌ\n", 39, "UTF-8 from a Linux editor"},
      {"FORLI'\r\n", 40, "the second spelling keeps its own row"},
      {"ROMA\r\nMILANO\r\n", 68, "only the first line counts"},
      {"  \"MILANO\",1,2\r\n", 15, "a quoted first field"},
      {std::string("\x00\xFF\xFE garbage \x01", 13), 68, "binary junk"},
  };
  for (const auto& c : cases) {
    Started s({6, 12, 2026}, c.file);
    EXPECT_EQ(s.form.CityIndex, c.city) << c.why;
    EXPECT_EQ(s.form.zona.caption, CityTable[static_cast<std::size_t>(c.city)].name) << c.why;
  }
}

TEST(StartUp, PreparesTheWindow) {
  Started s({20, 3, 2026});
  EXPECT_EQ(s.platform.keepOnTopCalls, 1);
  EXPECT_EQ(s.form.CityFilePath, "/orto/luogo.txt");
  ASSERT_EQ(s.form.luogo2.rows.size(), 108u);
  for (std::size_t i = 0; i < 108; ++i) EXPECT_EQ(s.form.luogo2.selected[i], i % 2 == 0) << i;  // striped
  // Today's month is drawn with today selected.
  EXPECT_EQ(s.form.MeseTXT[2].fillColor, colours::Red);
  EXPECT_EQ(s.form.AnnoC.caption, "2026");
  EXPECT_EQ(s.form.Label1.caption, "MARZO 2026");
  EXPECT_EQ(s.form.CurrentDate, (calendar::Date{20, 3, 2026}));
  EXPECT_EQ(s.form.giorno.caption, "20");
  EXPECT_EQ(s.form.VISMESE.path, "/orto/Doc/Mar.rtf");
}

TEST(StartUp, WindowsDriveRootJoinsWithoutDoubling) {
  FakePlatform platform;
  platform.folder = "C:\\";
  platform.separator = '\\';
  platform.todayDate = {15, 1, 2026};
  Form1 form(platform);
  form.Form_Load();
  EXPECT_EQ(form.CityFilePath, "C:\\luogo.txt");
  EXPECT_EQ(form.VISMESE.path, "C:\\Doc\\Gen.rtf");
}

TEST(MonthGrid, RowCountsFollowTheMonthLength) {
  struct Case { int month, year, rows; } cases[] = {{2, 2024, 29}, {2, 2100, 28}, {2, 2000, 29}, {4, 2026, 30}, {1, 2026, 31}};
  Started s;
  for (auto c : cases) {
    s.show(c.month, c.year);
    EXPECT_EQ(s.visibleRows(), c.rows) << c.month << "/" << c.year;
    EXPECT_EQ(s.form.Shape3[static_cast<std::size_t>(c.rows - 1)].visible, true);
    if (c.rows < 31) {
      EXPECT_FALSE(s.form.Shape3[static_cast<std::size_t>(c.rows)].visible);
      EXPECT_FALSE(s.form.LunaIMG[static_cast<std::size_t>(c.rows + 1)].visible);
    }
  }
}

TEST(MonthGrid, ThirtyDayMonthDropsTheIconOfDayThirtyOne) {
  Started s;
  s.show(8, 2023);  // full moons on the 1st and the 31st
  EXPECT_EQ(s.form.LunaIMG[31].resource, resources::FullMoon);
  s.show(9, 2023);
  EXPECT_FALSE(s.form.LunaIMG[31].visible);
  EXPECT_EQ(s.form.LunaIMG[31].resource, resources::None);
  EXPECT_FALSE(s.form.GGMM[30].visible);
}

TEST(MonthGrid, LabelsAndSundays) {
  Started s;
  s.show(3, 2026);  // 1 March 2026 is a Sunday
  EXPECT_EQ(s.form.GGMM[0].caption, "  1 D");
  EXPECT_TRUE(s.form.GGMM[0].bold);
  EXPECT_EQ(s.form.GGMM[0].foreColor, colours::Red);
  EXPECT_FALSE(s.form.GGMM[1].bold);
  EXPECT_EQ(s.form.GGMM[1].foreColor, colours::Black);
  s.show(8, 2026);  // 10 August 2026 is a Monday
  EXPECT_EQ(s.form.GGMM[9].caption, "10 L");
  EXPECT_TRUE(s.form.GGMM[14].bold) << "Ferragosto is a feast";
  s.show(2, 2026);
  EXPECT_EQ(s.form.Label1.caption, "FEBRAIO 2026");
}

TEST(MonthGrid, PhaseIconsAndRecordsOfJanuary2026) {
  Started s({15, 1, 2026});
  EXPECT_EQ(s.form.LunaIMG[3].resource, resources::FullMoon);
  EXPECT_EQ(s.form.LunaIMG[10].resource, resources::LastQuarter);
  EXPECT_EQ(s.form.LunaIMG[18].resource, resources::NewMoon);
  EXPECT_EQ(s.form.LunaIMG[26].resource, resources::FirstQuarter);
  int icons = 0;
  for (std::size_t slot = 1; slot <= 31; ++slot) icons += s.form.LunaIMG[slot].resource != resources::None;
  EXPECT_EQ(icons, 4);
  EXPECT_EQ(s.form.NewMoonStamp, "20260118");
  EXPECT_EQ(s.form.FullMoonDay, 3);
  // Waxing up to the full moon, waning to the new moon, waxing after it; the panel
  // shows today, the 15th, waning.
  EXPECT_EQ(s.marks(), "++o--------------o+++++++++++++-");
}

TEST(Colouring, FollowsTheMonthsOwnPhases) {
  struct Case { int month, year; const char* marks; const char* stamp; int fullMoonDay; } cases[] = {
      // two full moons: the 1st and the 31st
      {8, 2023, "o--------------o++++++++++++++o-", "20230816", 1},
      // no new moon at all
      {2, 2014, "+++++++++++++o--------------------", "", 14},
  };
  for (auto c : cases) {
    Started s;
    s.show(c.month, c.year);
    const auto days = static_cast<std::size_t>(calendar::daysInMonth(c.month, c.year));
    const std::string want = c.marks;
    EXPECT_EQ(s.marks().substr(0, days), want.substr(0, days)) << c.month << "/" << c.year;
    EXPECT_EQ(s.marks()[31], want[0]) << "the panel shows the 1st, " << c.month << "/" << c.year;
    EXPECT_EQ(s.form.NewMoonStamp, c.stamp);
    EXPECT_EQ(s.form.FullMoonDay, c.fullMoonDay);
  }
}

// The panel's tile is the selected day's own bar, whatever the month's last phase.
TEST(Colouring, ThePanelTakesTheSelectedDaysColour) {
  struct Case { calendar::Date day; Rgb colour; } cases[] = {
      {{20, 12, 2026}, colours::Waxing}, {{5, 12, 2025}, colours::Waning}, {{24, 12, 2026}, colours::Neutral}};
  for (const auto& c : cases) {
    Started s(c.day);
    EXPECT_EQ(s.form.Shape3[31].fillColor, c.colour) << c.day.day << "/" << c.day.year << " at start";
    s.form.GGMM_Click(0);
    EXPECT_EQ(s.form.Shape3[31].fillColor, s.form.Shape3[0].fillColor) << "after a click on the 1st";
  }
}

TEST(Colouring, NothingLeaksFromTheMonthShownBefore) {
  Started a, b;
  a.show(1, 2014);
  b.show(8, 2023);
  a.show(2, 2014);
  b.show(2, 2014);
  EXPECT_EQ(a.marks(), b.marks());
  EXPECT_EQ(a.form.FullMoonDay, b.form.FullMoonDay);
  EXPECT_EQ(a.form.NewMoonStamp, b.form.NewMoonStamp);
}

TEST(Colouring, OneNewAndOneFullMoonGiveTheClassicRules) {
  using astro::PhaseKind;
  struct Case { int fullDay, newDay; PhaseKind before; const char* marks; } cases[] = {
      {25, 10, PhaseKind::FullMoon, "---------o++++++++++++++o-------"},
      {5, 20, PhaseKind::NewMoon, "++++o--------------o+++++++++++-"},  // the panel shows the 6th
  };
  for (auto c : cases) {
    Started s;
    s.form.MonthPhases.phases = {{std::min(c.fullDay, c.newDay), c.fullDay < c.newDay ? PhaseKind::FullMoon : PhaseKind::NewMoon, 0},
                                 {std::max(c.fullDay, c.newDay), c.fullDay < c.newDay ? PhaseKind::NewMoon : PhaseKind::FullMoon, 0}};
    s.form.MonthPhases.lastBeforeMonth = c.before;
    s.form.SelCellIndex = 32;
    s.form.Ripulisci();
    EXPECT_EQ(s.marks(), c.marks) << "A=" << c.fullDay << " B=" << c.newDay;
  }
}

TEST(Commands, NextYearSelectsTheFirstOfTheSameMonth) {
  Started s({15, 3, 2026});
  s.form.lpiu_Click();
  EXPECT_EQ(s.form.AnnoC.caption, "2027");
  EXPECT_EQ(s.form.CurrentDate, (calendar::Date{1, 3, 2027}));
  EXPECT_EQ(s.form.giorno.caption, "1");
  EXPECT_EQ(s.form.MeseTXT[2].fillColor, colours::Red);
  s.form.lmen_Click();  // back to the current month of the current year: today again
  EXPECT_EQ(s.form.giorno.caption, "15");
}

TEST(Commands, YearsStopAtOneAndNineThousandNineHundredNinetyNine) {
  Started s;
  for (auto [year, step] : {std::pair{9999, &Form1::lpiu_Click}, {1, &Form1::lmen_Click}}) {
    s.show(12, year);
    (s.form.*step)();
    EXPECT_EQ(s.form.Label1.caption, "DICEMBRE " + std::to_string(year));
  }
}

TEST(Commands, MonthPickerAndToday) {
  Started s({6, 12, 2026});
  s.form.Label9_Click(1);
  EXPECT_EQ(s.form.CurrentDate, (calendar::Date{1, 2, 2026}));
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(s.form.MeseTXT[i].fillColor, i == 1 ? colours::Red : colours::Blue);
  s.form.lmen_Click();
  s.form.lmen_Click();
  s.form.Label11_Click();
  EXPECT_EQ(s.form.AnnoC.caption, "2026");
  EXPECT_EQ(s.form.CurrentDate, (calendar::Date{6, 12, 2026}));
  EXPECT_EQ(s.form.giorno.caption, "6");
  EXPECT_EQ(s.form.settimana.caption, "Domenica");
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(s.form.MeseTXT[i].fillColor, i == 11 ? colours::Red : colours::Blue);
}

TEST(Commands, DayClickFillsThePanelOnly) {
  Started s;
  s.show(6, 2026);
  const auto before = s.form.CurrentDate;
  std::array<int, 33> icons{};
  for (std::size_t i = 0; i < 33; ++i) icons[i] = s.form.LunaIMG[i].resource;
  s.form.GGMM_Click(4);
  EXPECT_EQ(s.form.giorno.caption, "5");
  EXPECT_EQ(s.form.settimana.caption, "Venerdì");
  EXPECT_EQ(s.form.santo.caption, "S.Bonifacio");
  EXPECT_EQ(s.form.CurrentDate, before);
  for (std::size_t i = 1; i <= 31; ++i) EXPECT_EQ(s.form.LunaIMG[i].resource, icons[i]) << i;
}

TEST(Commands, CityChooser) {
  Started s({6, 12, 2026});
  s.form.zona_Click();
  EXPECT_TRUE(s.form.sceltac.visible);
  EXPECT_EQ(s.form.luogo2.focusRow, 68);
  EXPECT_EQ(s.form.Lsel.caption, "ROMA");
  s.form.setCityListFocusRow(45);
  EXPECT_EQ(s.form.Lsel.caption, "REGGIO NELL.");
  EXPECT_EQ(s.form.Lsel.toolTip, s.form.luogo2.rows[45]) << "the whole name, on hovering and to a screen reader";
  s.form.luogo2.selected.assign(108, true);  // a click toggles rows; the striping comes back
  s.form.setCityListFocusRow(15);
  for (std::size_t i = 0; i < 108; ++i) EXPECT_EQ(s.form.luogo2.selected[i], i % 2 == 0);
  const std::string romeSunrise = s.form.sorge.caption;
  s.form.Label15_Click();
  EXPECT_FALSE(s.form.sceltac.visible);
  EXPECT_EQ(s.platform.files["/orto/luogo.txt"], "MILANO\r\n");
  EXPECT_EQ(s.form.zona.caption, "MILANO");
  EXPECT_EQ(s.form.CityIndex, 15);
  EXPECT_NE(s.form.sorge.caption, romeSunrise);
  EXPECT_FALSE(s.form.avviso.visible);
  s.form.GGMM_Click(0);
  EXPECT_EQ(s.form.zona.caption, "MILANO");
}

TEST(Commands, CityThatCannotBeSavedStillApplies) {
  Started s({6, 12, 2026}, std::string("ROMA\r\n"));
  s.platform.failWrites = true;
  s.form.zona_Click();
  s.form.setCityListFocusRow(39);  // FORLÌ
  s.form.Label15_Click();
  EXPECT_EQ(s.form.CityIndex, 39);
  EXPECT_EQ(s.form.zona.caption, "FORLÌ");
  EXPECT_TRUE(s.form.avviso.visible);
  EXPECT_EQ(s.form.avviso.caption, Form1::NotSavedNotice);
  EXPECT_EQ(s.platform.files["/orto/luogo.txt"], "ROMA\r\n");
  EXPECT_EQ(s.form.avviso.toolTip, Form1::notSavedExplanation("il disco è pieno"));
  EXPECT_NE(s.form.avviso.toolTip.find("(il disco è pieno)"), std::string::npos) << s.form.avviso.toolTip;
  s.platform.failWrites = false;
  s.form.zona_Click();
  s.form.Label15_Click();
  EXPECT_FALSE(s.form.avviso.visible);
  EXPECT_EQ(s.platform.files["/orto/luogo.txt"], "FORL\xCC\r\n");
  EXPECT_EQ(s.form.avviso.toolTip.find('('), std::string::npos) << "the reason goes with the failure";
}

TEST(Commands, AnUnknownWorkingFolderIsNeitherReadNorWritten) {
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
  form.setCityListFocusRow(15);
  form.Label15_Click();
  EXPECT_EQ(form.CityIndex, 15);
  EXPECT_TRUE(form.avviso.visible);
  EXPECT_EQ(form.avviso.toolTip, Form1::notSavedExplanation("la cartella di lavoro non è nota"));
  EXPECT_EQ(platform.files.size(), 2u) << "nothing written anywhere";
  EXPECT_EQ(platform.files["/luogo.txt"], "MILANO\r\n");
}

TEST(Notes, DocumentFollowsTheShownMonth) {
  Started s;
  const char* names[] = {"Gen", "Feb", "Mar", "Apr", "Mag", "Giu", "Lug", "Ago", "Sep", "Ott", "Nov", "Dic"};
  for (int m = 0; m < 12; ++m) {
    const unsigned loads = s.form.VISMESE.loadCount;
    s.form.Label9_Click(m);
    EXPECT_EQ(s.form.VISMESE.path, std::string("/orto/Doc/") + names[m] + ".rtf");
    EXPECT_GT(s.form.VISMESE.loadCount, loads);
  }
}

}  // namespace
