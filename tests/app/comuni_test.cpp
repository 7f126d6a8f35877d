// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

#include "app/city_file.h"
#include "app/city_table.h"
#include "app/comuni.h"
#include "app/italian_clock.h"
#include "app/month_sheet.h"
#include "app/own_feast.h"
#include "app/place_search.h"

namespace {
using namespace app;

const ComuneRow& comune(std::string_view typed) {
  const auto found = comuniNamed(typed);
  EXPECT_EQ(found.size(), 1u) << typed;
  return *found.at(0);
}

TEST(Comuni, TheSearchKeyDropsCaseAccentsAndMarks) {
  const std::pair<const char*, const char*> cases[] = {
      {"Forlì", "FORLI"},       {"l aquila", "LAQUILA"},   {"L'Aquila", "LAQUILA"}, {"Bolzano/Bozen", "BOLZANOBOZEN"},
      {"Weinstraße", "WEINSTRASSE"}, {"Sovodnje ob Soči", "SOVODNJEOBSOCI"}, {"Števerjan", "STEVERJAN"},
      {"Nabrežina", "NABREZINA"}, {"Sèn Jan", "SENJAN"},     {"Castro (LE)", "CASTROLE"}, {"東京", ""}};
  for (const auto& [text, key] : cases) EXPECT_EQ(searchKey(text), key) << text;
  EXPECT_LT(compareKeys("Agliè", "Aglientu"), 0);
  EXPECT_EQ(compareKeys("FORLI'", "Forlì"), 0);
}

TEST(Comuni, TitlesInCapitalsWithTheirProvince) {
  const std::pair<const char*, const char*> cases[] = {
      {"Bardonecchia", "BARDONECCHIA (TO)"},
      {"Agliè", "AGLIÈ (TO)"},
      {"Castro (LE)", "CASTRO (LE)"},
      {"Savogna d'Isonzo-Sovodnje ob Soči", "SAVOGNA D'ISONZO-SOVODNJE OB SOČI (GO)"},
      {"San Floriano del Collio-Števerjan", "SAN FLORIANO DEL COLLIO-ŠTEVERJAN (GO)"},
      {"Appiano sulla strada del vino", "APPIANO SULLA STRADA DEL VINO/EPPAN AN DER WEINSTRASSE (BZ)"},
  };
  for (const auto& [typed, title] : cases) EXPECT_EQ(comuneTitle(comune(typed)), title) << typed;
}

TEST(Comuni, FoundByNameProvinceAndPosition) {
  struct Case { const char* typed; std::size_t count; } cases[] = {
      {"Castro", 2}, {"castro (le)", 1}, {"Castro (MI)", 0}, {"Bozen", 1}, {"Bolzano", 1}, {"Nowhere", 0}, {"", 0}};
  for (auto c : cases) EXPECT_EQ(comuniNamed(c.typed).size(), c.count) << c.typed;
  EXPECT_EQ(comune("Castro (LE)").province, "LE");
  EXPECT_EQ(comuniOfProvince("bt").size(), 10u);
  EXPECT_TRUE(comuniOfProvince("XX").empty());
  for (const ComuneRow* row : comuniOfProvince("MB")) EXPECT_EQ(row->region, almanac::Region::Lombardia);
  EXPECT_EQ(nearestComune({6.70, 45.08}).name, "Bardonecchia");
  EXPECT_EQ(nearestComune({16.17, 41.88}).name, "Vieste");
}

// The table keeps the coordinates of nearly every comune, each in its province's
// part of Italy.
TEST(Comuni, NearlyEveryComuneHasItsSeat) {
  const auto rows = comuneRows();
  const auto located = std::count_if(rows.begin(), rows.end(), [](const ComuneRow& r) { return r.located; });
  EXPECT_GE(located * 100, static_cast<long>(rows.size()) * 99);
  EXPECT_GT(rows.size(), 7800u);
  EXPECT_FALSE(placeOfComune(comune("Capizzone")).has_value()) << "a comune without its seat is no place";
}

// A comune that is a place of the list is that place, with the list's name,
// coordinates and holiday; every other one stands at its seat with its region's zone.
TEST(Comuni, ThePlacesTheyAre) {
  std::set<std::string> linked;
  for (const ComuneRow& row : comuneRows())
    if (const Place* listed = listedPlaceOf(row)) linked.insert(listed->name);
  EXPECT_EQ(linked.size(), tablePlaces().size() - 3) << "the second spellings FORLI', REGGIO EMILIA, REGGIO CALABRIA";
  for (const char* second : {"FORLI'", "REGGIO EMILIA", "REGGIO CALABRIA"}) EXPECT_FALSE(linked.count(second)) << second;
  struct Case { const char* typed; const char* name; std::optional<almanac::Zone> zone; bool patron; } cases[] = {
      {"Roma", "ROMA", almanac::Zone::Centro, true},
      {"Forlì", "FORLÌ", almanac::Zone::Nord, true},
      {"Reggio di Calabria", "REGGIO DI CALABRIA", almanac::Zone::SudEIsole, true},
      {"Caltanissetta", "CALTANISETTA", almanac::Zone::SudEIsole, true},
      {"Bolzano", "BOLZANO", almanac::Zone::Nord, true},
      {"Monza", "MONZA (MB)", almanac::Zone::Nord, false},
      {"Fermo", "FERMO (FM)", almanac::Zone::Centro, false},
      {"Vieste", "VIESTE (FG)", almanac::Zone::SudEIsole, false},
  };
  for (auto c : cases) {
    const Place place = placeOfComune(comune(c.typed)).value();
    EXPECT_EQ(place.name, c.name) << c.typed;
    EXPECT_EQ(place.zone, c.zone) << c.typed;
    EXPECT_EQ(place.patron.has_value(), c.patron) << c.typed;
  }
  const Place bardonecchia = placeOfComune(comune("Bardonecchia")).value();
  EXPECT_NEAR(bardonecchia.position.latitude, 45.08, 0.01);
  EXPECT_NEAR(bardonecchia.position.longitude, 6.70, 0.01);
}

TEST(PlaceSearch, CoordinatesAsAGardenerWritesThem) {
  struct Case { const char* text; bool valid; const char* name; double latitude, longitude; bool inItaly; } cases[] = {
      {"45.08,6.70", true, "", 45.08, 6.70, true},
      {" 45.08, 6.70 ", true, "", 45.08, 6.70, true},
      {"45.08 6.7", true, "", 45.08, 6.7, true},
      {"Orto di casa;45.08,6.70", true, "Orto di casa", 45.08, 6.70, true},
      {"Orto di casa\t ; 45.08,6.70", true, "Orto di casa", 45.08, 6.70, true},  // one festa whatever the blanks
      {"Orto; ora;37,15", true, "Orto; ora", 37, 15, true},
      {"40.7,-74", true, "", 40.7, -74, false},
      {"34.99,12", true, "", 34.99, 12, false},
      {"45,08", true, "", 45, 8, true},  // a decimal comma reads as two numbers
      {"45.08", false, "", 0, 0, false},
      {"45.08,6.70,1", false, "", 0, 0, false},
      {"45.,6", false, "", 0, 0, false},
      {"Roma", false, "", 0, 0, false},
      {"", false, "", 0, 0, false},
  };
  for (auto c : cases) {
    const auto parsed = parseCoordinates(c.text);
    ASSERT_EQ(parsed.has_value(), c.valid) << c.text;
    if (!parsed) continue;
    EXPECT_EQ(parsed->name, c.name) << c.text;
    EXPECT_DOUBLE_EQ(parsed->latitude, c.latitude) << c.text;
    EXPECT_DOUBLE_EQ(parsed->longitude, c.longitude) << c.text;
    EXPECT_EQ(withinItaly(*parsed), c.inItaly) << c.text;
  }
  const Place field = placeOfCoordinates(*parseCoordinates("45.08, 6.70"));
  EXPECT_EQ(field.name, "45.08, 6.70");
  EXPECT_EQ(field.zone, almanac::Zone::Nord) << "Bardonecchia's, the nearest comune";
  EXPECT_EQ(placeOfCoordinates(*parseCoordinates("Orto;41.1,16.9")).zone, almanac::Zone::SudEIsole);
}

TEST(PlaceSearch, NamesOnTheCommandLine) {
  struct Case { const char* typed; const char* place; std::size_t homonyms; bool withoutSeat; } cases[] = {
      {"Bardonecchia", "BARDONECCHIA (TO)", 0, false}, {"Monza", "MONZA (MB)", 0, false},
      {"Fermo", "FERMO (FM)", 0, false},               {"Castro (LE)", "CASTRO (LE)", 0, false},
      {"Castro", nullptr, 2, false},                   {"Capizzone", nullptr, 0, true},
      {"Roma (RM)", "ROMA", 0, false},                 {"forli", "FORLÌ", 0, false},
      {"FORLI'", "FORLI'", 0, false},                  {"Bozen", "BOLZANO", 0, false},
      {"Caltanissetta", "CALTANISETTA", 0, false},     {"Nowhere", nullptr, 0, false},
  };
  for (auto c : cases) {
    const PlaceLookup found = lookUpPlace(c.typed);
    if (c.place) EXPECT_EQ(found.place->name, c.place) << c.typed;
    else EXPECT_FALSE(found.place) << c.typed;
    EXPECT_EQ(found.homonyms.size(), c.homonyms) << c.typed;
    EXPECT_EQ(found.withoutSeat.empty(), !c.withoutSeat) << c.typed;
  }
  const auto near = suggestedPlaces("Bardonechia", 3);
  EXPECT_NE(std::find(near.begin(), near.end(), "BARDONECCHIA (TO)"), near.end());
  const auto begun = suggestedPlaces("Barlet", 3);
  EXPECT_NE(std::find(begun.begin(), begun.end(), "BARLETTA (BT)"), begun.end());
}

// luogo.txt: the list's names exactly as before; a comune and a field in forms
// that an older almanac, reading up to the first comma and finding no such name,
// takes for ROMA.
TEST(PlaceSearch, RememberedInLuogoTxt) {
  struct Case { Place place; const char* line; } cases[] = {
      {findPlace("FORLI'").value(), "FORLI'"},
      {findPlace("REGGIO NELL'EMILIA").value(), "REGGIO NELL'EMILIA"},
      {placeOfComune(comune("Bardonecchia")).value(), "BARDONECCHIA (TO)"},
      {placeOfComune(comune("Savogna d'Isonzo-Sovodnje ob Soci")).value(), "SAVOGNA D'ISONZO-SOVODNJE OB SOCI (GO)"},
      {placeOfCoordinates(*parseCoordinates("45.08, 6.70")), "45.08,6.70"},
      {placeOfCoordinates(*parseCoordinates("Orto di casa;45.08,6.70")), "Orto di casa;45.08,6.7"},
      {placeOfCoordinates(*parseCoordinates(";39 13.5;39,13.5")), ";39 13.5;39,13.5"},  // a name that reads as coordinates
      {Place{"ROMA", {12.5, 41.9, 0}, std::nullopt, almanac::Zone::Centro}, "ROMA;41.9,12.5"},
  };
  for (const auto& c : cases) {
    const std::string line = rememberedLine(c.place);
    EXPECT_EQ(line, c.line);
    const auto bytes = cityFileContent(line);
    ASSERT_TRUE(bytes) << line << ": Windows-1252 holds it";
    const Place back = placeOfRememberedName(decodeCityFileLine(bytes->substr(0, bytes->size() - 2)));
    EXPECT_EQ(back.position, c.place.position) << line;
    EXPECT_EQ(back.name, c.place.name) << line;
    const bool listed = findPlace(firstField(line)).has_value();
    EXPECT_EQ(listed, findPlace(c.place.name) && findPlace(c.place.name)->position == c.place.position) << line;
  }
  for (const char* unknown : {"milano", "BARDONECCHIA", "Bardonecchia (MI)", "40.7,-74", "PARIGI"})
    EXPECT_EQ(placeOfRememberedName(std::string(unknown)).name, "ROMA") << unknown;
  EXPECT_EQ(placeOfRememberedName(std::string("bardonecchia (to)")).name, "BARDONECCHIA (TO)");
}

std::vector<std::string> titles(std::string_view typed, std::size_t limit) {
  std::vector<std::string> out;
  for (const FoundPlace& found : searchPlaces(typed, limit)) out.push_back(found.title);
  return out;
}

TEST(PlaceSearch, TheChoosersSearch) {
  using Titles = std::vector<std::string>;
  struct Case { const char* typed; Titles first; } cases[] = {
      {"bard", {"BARD (AO)", "BARDELLO CON MALGESSO E BREGANO (VA)"}},
      {"bardon", {"BARDONECCHIA (TO)"}},
      {"Forli", {"FORLÌ", "FORLI'", "FORLÌ DEL SANNIO (IS)", "FORLIMPOPOLI (FC)"}},
      {"l aquila", {"L'AQUILA"}},
      {"reggio", {"REGGIO NELL'EMILIA", "REGGIO EMILIA", "REGGIO DI CALABRIA", "REGGIO CALABRIA", "REGGIOLO (RE)"}},
      {"castro", {"CASTRO (BG)", "CASTRO (LE)"}},
      {"ROMA", {"ROMA", "ROMA (RM)"}},
      {"45.08, 6.70", {"45.08, 6.70"}},
      {"Orto;45.1,7", {"Orto (45.1, 7)"}},
  };
  for (const auto& c : cases) {
    const Titles found = titles(c.typed, 100);
    ASSERT_GE(found.size(), c.first.size()) << c.typed;
    if (std::string(c.typed) == "ROMA") {
      EXPECT_EQ(found.front(), "ROMA");
      EXPECT_EQ(std::count(found.begin(), found.end(), "ROMA (RM)"), 0) << "Roma is ROMA of the list";
      continue;
    }
    EXPECT_EQ(Titles(found.begin(), found.begin() + static_cast<long>(c.first.size())), c.first) << c.typed;
  }
  // Nothing typed: the list's places in its order.
  const Titles all = titles("", 1000);
  ASSERT_EQ(all.size(), tablePlaces().size());
  for (std::size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i], tablePlaces()[i].name);
  EXPECT_EQ(titles("a", 40).size(), 40u);
  EXPECT_GT(countFoundPlaces("a"), 5000u);
  EXPECT_EQ(countFoundPlaces("castro"), titles("castro", 1000).size());
  EXPECT_EQ(searchPlaces("bardon", 1).front().place.name, "BARDONECCHIA (TO)");
  EXPECT_TRUE(searchPlaces("zzzz", 10).empty());
}

TEST(OwnFeast, DaysAsAGardenerWritesThem) {
  struct Case { const char* text; std::optional<FeastDay> day; } cases[] = {
      {"25/07", FeastDay{25, 7}}, {"25/7", FeastDay{25, 7}}, {" 1-12 ", FeastDay{1, 12}}, {"31/12", FeastDay{31, 12}},
      {"29/02", std::nullopt},   {"31/04", std::nullopt},   {"0/5", std::nullopt},        {"12/13", std::nullopt},
      {"2507", std::nullopt},    {"a/b", std::nullopt},     {"", std::nullopt},           {"123/1", std::nullopt}};
  for (auto c : cases) EXPECT_EQ(parseFeastDay(c.text), c.day) << c.text;
  EXPECT_EQ(feastDayText({5, 8}), "05/08");
}

// The gardener's festa is a feast of the month, bold and red, and says whose it is.
TEST(OwnFeast, MarksTheDayAsTheListsHolidays) {
  const std::map<std::string, FeastDay> kept{{"BARDONECCHIA (TO)", {25, 7}}, {"45.08,6.70", {3, 7}}};
  struct Case { Place place; int day; const char* says; } cases[] = {
      {placeOfComune(comune("Bardonecchia")).value(), 25, "S.Giacomo - Festa patronale di BARDONECCHIA"},
      {placeOfCoordinates(*parseCoordinates("45.08,6.70")), 3, "S.Tommaso - Festa patronale"},
  };
  for (const auto& c : cases) {
    const MonthSheet plain = sheetOf(2026, 7, c.place);
    const MonthSheet kept2026 = sheetOf(2026, 7, withOwnFeast(c.place, kept));
    for (const DaySheet& day : kept2026.days) {
      const bool feast = day.day == c.day;
      EXPECT_EQ(day.patronHoliday, feast) << day.day;
      EXPECT_EQ(day.boldRed, feast || plain.days[std::size_t(day.day - 1)].boldRed) << day.day;
    }
    EXPECT_EQ(kept2026.days[std::size_t(c.day - 1)].saintOrFeast, c.says);
    EXPECT_FALSE(plain.days[std::size_t(c.day - 1)].patronHoliday);
  }
  // The list's places keep their own holiday.
  const Place rome = findPlace("ROMA").value();
  EXPECT_FALSE(takesOwnFeast(rome));
  EXPECT_EQ(withOwnFeast(rome, FeastDay{1, 5}), rome);
  EXPECT_FALSE(withOwnFeast(withOwnFeast(placeOfComune(comune("Monza")).value(), FeastDay{24, 6}), std::nullopt).patron);
}

// Moonrise and moonset at comuni far from their capital agree to the minute with
// a precise ephemeris at the comune's seat, and are not the capital's.
TEST(ComuniMoon, RiseAndSetAtTheComunesOwnSeat) {
  std::ifstream file(std::string(ORTALBA_SOURCE_DIR) + "/tests/app/data/comuni_moon.csv");
  ASSERT_TRUE(file) << "comuni_moon.csv";
  const auto minutes = [](const CivilTime& t) { return t.date.day * 1440 + t.hour * 60 + t.minute; };
  std::map<std::string, int> compared, apart;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::stringstream fields(line);
    for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
    ASSERT_EQ(f.size(), 8u) << line;
    const std::string typed = f[0] + " (" + f[1] + ")";
    const Place place = lookUpPlace(typed).place.value();
    const Place capital = lookUpPlace(f[2]).place.value();
    const int year = std::stoi(f[3]), month = std::stoi(f[4]), day = std::stoi(f[5]);
    const MonthSheet own = sheetOf(year, month, place), capitals = sheetOf(year, month, capital);
    const MoonDay& ours = own.moon().days()[std::size_t(day - 1)];
    const MoonDay& theirs = capitals.moon().days()[std::size_t(day - 1)];
    for (const auto& [got, capitalTime, expected] :
         {std::tuple{ours.rise, theirs.rise, f[6]}, std::tuple{ours.set, theirs.set, f[7]}}) {
      ASSERT_EQ(got.has_value(), expected != "-") << line;
      if (!got) continue;
      const CivilTime reference = oraSolare(std::stod(expected));
      EXPECT_LE(std::abs(minutes(*got) - minutes(reference)), 1) << line << ": " << clockText(got);
      ++compared[typed];
      if (capitalTime && std::abs(minutes(*got) - minutes(*capitalTime)) >= 1) ++apart[typed];
    }
  }
  EXPECT_EQ(compared.size(), 6u);
  for (const auto& [typed, count] : compared) EXPECT_GT(apart[typed] * 2, count) << typed << ": most times not the capital's";
}

}  // namespace
