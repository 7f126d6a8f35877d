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
  for (const auto& row : CityTable) {
    auto bytes = cityFileContent(row.name);
    ASSERT_TRUE(bytes) << row.name;
    EXPECT_EQ(firstField(decodeCityFileLine(bytes->substr(0, bytes->size() - 2))), row.name);
  }
}

// Longitude and latitude in degrees and minutes, the altitude in metres; a missing or non-digit character is 0.
TEST(CityTable, PositionOfACode) {
  struct Case { const char* code; double longitude, latitude, altitude; } cases[] = {
      {"083744550095", 8 + 37.0 / 60, 44 + 55.0 / 60, 95}, {"08374455", 8 + 37.0 / 60, 44 + 55.0 / 60, 0},
      {"0837", 8 + 37.0 / 60, 0, 0}, {"", 0, 0, 0}, {"08a7x4550x95", 8 + 7.0 / 60, 4 + 55.0 / 60, 95},
      {"122741551234", 12 + 27.0 / 60, 41 + 55.0 / 60, 1234}};
  for (auto c : cases) {
    const astro::GeoPosition p = positionOfCityCode(c.code);
    EXPECT_TRUE(p.longitude == c.longitude && p.latitude == c.latitude && p.altitudeMetres == c.altitude) << c.code;
  }
}

}  // namespace
