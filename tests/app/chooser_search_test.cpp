// SPDX-License-Identifier: GPL-3.0-or-later
// The window's chooser with its search box, and the festa of a place of the gardener's own.
#include <gtest/gtest.h>

#include "app/city_table.h"
#include "app/window_model.h"
#include "fake_platform.h"

namespace {
using namespace app;

struct Window {
  FakePlatform platform;
  WindowModel form{platform};
  explicit Window(std::optional<std::string> cityFile = std::nullopt) {
    platform.todayDate = {6, 7, 2026};
    if (cityFile) platform.files["/orto/luogo.txt"] = *cityFile;
    form.start();
  }
  void search(std::string text) {
    form.openCityChooser();
    form.searchCities(std::move(text));
  }
};

TEST(ChooserSearch, FindsAComuneAndRemembersIt) {
  Window w;
  w.search("bardon");
  ASSERT_FALSE(w.form.cityList.rows.empty());
  EXPECT_EQ(w.form.cityList.rows.front(), "BARDONECCHIA (TO)");
  EXPECT_EQ(w.form.cityList.focusRow, 0) << "Enter takes the first place found";
  EXPECT_EQ(w.form.chosenCity.caption, "BARDONECCHIA (TO)");
  EXPECT_EQ(w.form.cityList.rows.size(), w.form.cityRowPlaces.size());
  for (std::size_t i = 0; i < w.form.cityList.selected.size(); ++i) EXPECT_EQ(w.form.cityList.selected[i], i % 2 == 0);
  w.form.keyDown(Key::Enter);
  EXPECT_FALSE(w.form.cityChooser.visible);
  EXPECT_EQ(w.form.city.caption, "BARDONECCHIA (TO)");
  EXPECT_EQ(w.platform.files["/orto/luogo.txt"], "BARDONECCHIA (TO)\r\n");
  const MonthSheet own = sheetOf(2026, 7, w.form.place);
  EXPECT_EQ(w.form.sunrise.caption, clockText(own.days[5].sunrise));
  EXPECT_NE(clockText(own.days[5].sunrise), clockText(sheetOf(2026, 7, findPlace("TORINO").value()).days[5].sunrise));
  // Started again, the almanac is where the gardener left it.
  Window again(w.platform.files["/orto/luogo.txt"]);
  EXPECT_EQ(again.form.place, w.form.place);
  // Opened again, the chooser shows the list's places as the list has them.
  w.form.openCityChooser();
  EXPECT_TRUE(w.form.citySearch.empty());
  EXPECT_EQ(w.form.cityList.rows.size(), tablePlaces().size());
}

TEST(ChooserSearch, TakesAFieldsCoordinates) {
  Window w;
  w.search("Orto di casa;45.08,6.70");
  ASSERT_EQ(w.form.cityList.rows.size(), 1u);
  EXPECT_EQ(w.form.cityList.rows.front(), "Orto di casa (45.08, 6.70)");
  w.form.confirmCity();
  EXPECT_EQ(w.form.city.caption, "Orto di casa");
  EXPECT_EQ(w.platform.files["/orto/luogo.txt"], "Orto di casa;45.08,6.7\r\n");
  EXPECT_EQ(Window(w.platform.files["/orto/luogo.txt"]).form.place, w.form.place);
  w.search("zzzz");
  EXPECT_TRUE(w.form.cityList.rows.empty());
  EXPECT_EQ(w.form.cityList.focusRow, -1);
}

TEST(ChooserSearch, TheGardenersOwnFesta) {
  Window w(std::string("MONZA (MB)\r\n"));
  ASSERT_EQ(w.form.place.name, "MONZA (MB)");
  EXPECT_FALSE(w.form.dayRows[23].bold);
  w.form.setOwnFeast(FeastDay{24, 6});  // not this month: the rows stay as they were
  w.form.setOwnFeast(FeastDay{14, 7});
  EXPECT_EQ(w.platform.remembered.ownFeasts.at("MONZA (MB)"), (FeastDay{14, 7}));
  EXPECT_TRUE(w.form.dayRows[13].bold && w.form.dayRows[13].foreColor == colours::Red);
  EXPECT_EQ(w.form.selectedDay, 6) << "the same day in the panel";
  w.form.clickDay(13);
  EXPECT_NE(w.form.saintOrFeast.caption.find("Festa patronale di MONZA"), std::string::npos) << w.form.saintOrFeast.caption;
  // Remembered, and applied when the almanac starts or the place is chosen again.
  Window again(std::string("MONZA (MB)\r\n"));
  again.platform.remembered = w.platform.remembered;
  again.form.start();
  EXPECT_TRUE(again.form.dayRows[13].bold);
  w.form.setOwnFeast(std::nullopt);
  EXPECT_FALSE(w.form.dayRows[13].bold);
  EXPECT_TRUE(w.platform.remembered.ownFeasts.empty());
  // The list's places keep their own.
  Window rome;
  rome.form.setOwnFeast(FeastDay{14, 7});
  EXPECT_TRUE(rome.platform.remembered.ownFeasts.empty());
  EXPECT_FALSE(rome.form.dayRows[13].bold);
}

}  // namespace
