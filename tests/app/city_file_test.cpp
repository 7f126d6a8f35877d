// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/city_file.h"

#include <gtest/gtest.h>

#include "app/city_table.h"

namespace {
using namespace app;

TEST(CityFile, JoinsPathsWithoutDoublingTheSeparator) {
  struct Case { const char* folder; char sep; const char* path; } cases[] = {
      {"/", '/', "/luogo.txt"},          {"/ab", '/', "/ab/luogo.txt"},
      {"/home/orto/", '/', "/home/orto/luogo.txt"}, {"C:\\", '\\', "C:\\luogo.txt"},
      {"C:\\Orto", '\\', "C:\\Orto\\luogo.txt"},   {"", '/', "luogo.txt"}};  // no folder: never the root
  for (auto c : cases) EXPECT_EQ(joinPath(c.folder, CityFileName, c.sep), c.path) << c.folder;
}

TEST(CityFile, FirstFieldRules) {
  struct Case { const char* line; const char* field; } cases[] = {
      {"ROMA", "ROMA"},   {" \tMILANO", "MILANO"}, {"MILANO,TORINO", "MILANO"}, {" \"L'AQUILA\",x", "L'AQUILA"},
      {"\"ROMA", "ROMA"}, {"", ""},                {"ROMA \t", "ROMA"},        {"REGGIO EMILIA", "REGGIO EMILIA"}};
  for (auto c : cases) EXPECT_EQ(firstField(c.line), c.field) << c.line;
}

TEST(CityFile, ReadsWindows1252AndUtf8) {
  struct Case { const char* bytes; const char* text; } cases[] = {
      {"FORL\xCC", "FORLÌ"}, {"FORLÌ", "FORLÌ"}, {"\xEF\xBB\xBFMILANO", "MILANO"},
      {"A\xC3", "AÃ"}};  // a truncated sequence is not UTF-8: read as Windows-1252
  for (auto c : cases) EXPECT_EQ(decodeCityFileLine(c.bytes), c.text) << c.bytes;
}

TEST(CityFile, WritesWindows1252WithCrLf) {
  EXPECT_EQ(cityFileContent("FORLÌ"), std::optional<std::string>("FORL\xCC\r\n"));
  EXPECT_FALSE(cityFileContent("東京"));
  // Every name of the table survives the round trip through the file's character set.
  for (const Place& place : tablePlaces()) {
    auto bytes = cityFileContent(place.name);
    ASSERT_TRUE(bytes) << place.name;
    EXPECT_EQ(firstField(decodeCityFileLine(bytes->substr(0, bytes->size() - 2))), place.name);
  }
}

// A place's position from its code: longitude and latitude in degrees and minutes,
// the altitude in metres.
TEST(CityTable, PlacesKnowTheirPosition) {
  struct Case { const char* name; double longitude, latitude, altitude; } cases[] = {
      {"MILANO", 9 + 11.0 / 60, 45 + 28.0 / 60, 122}, {"AOSTA", 7 + 19.0 / 60, 45 + 44.0 / 60, 583},
      {"CALTANISETTA", 14 + 4.0 / 60, 37 + 29.0 / 60, 568}};
  for (auto c : cases) {
    const astro::GeoPosition p = findPlace(c.name).value().position;
    EXPECT_TRUE(p.longitude == c.longitude && p.latitude == c.latitude && p.altitudeMetres == c.altitude) << c.name;
  }
}

// Every place knows the part of the country its region is in.
TEST(CityTable, PlacesKnowTheirZone) {
  using enum almanac::Zone;
  const std::pair<const char*, almanac::Zone> cases[] = {{"MILANO", Nord},      {"FORLI'", Nord},
                                                         {"PESARO", Centro},    {"ROMA", Centro},
                                                         {"L'AQUILA", SudEIsole}, {"CAGLIARI", SudEIsole}};
  for (const auto& [name, zone] : cases) EXPECT_EQ(findPlace(name).value().zone, zone) << name;
  for (const Place& place : tablePlaces()) EXPECT_TRUE(place.zone.has_value()) << place.name;
}

}  // namespace
