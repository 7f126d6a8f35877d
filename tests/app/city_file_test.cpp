// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "app/city_file.h"
#include "app/city_table.h"

namespace {
using namespace app;

TEST(CityTable, HoldsTheHundredAndEightPlaces) {
  ASSERT_EQ(CityTable.size(), 108u);
  std::set<std::string_view> names;
  for (const auto& row : CityTable) {
    EXPECT_EQ(row.code.size(), 12u) << row.name;
    EXPECT_EQ(row.code.find_first_not_of("0123456789"), std::string_view::npos) << row.name;
    names.insert(row.name);
  }
  EXPECT_EQ(names.size(), 108u);
  struct Row { int index; const char* name; const char* code; } rows[] = {
      {0, "ALESSANDRIA", "083744550095"}, {8, "AOSTA", "071945440583"}, {15, "MILANO", "091145280122"},
      {39, "FORLÌ", "120244140034"},      {40, "FORLI'", "120244140034"}, {68, "ROMA", "122741550020"},
      {95, "CALTANISETTA", "140437290568"}, {107, "CESENA", "121544080044"}};
  for (auto r : rows) {
    EXPECT_EQ(CityTable[static_cast<std::size_t>(r.index)].name, r.name);
    EXPECT_EQ(CityTable[static_cast<std::size_t>(r.index)].code, r.code);
  }
  // The places listed under two spellings share their coordinates.
  for (auto [a, b] : {std::pair{39, 40}, {45, 46}, {91, 92}})
    EXPECT_EQ(CityTable[static_cast<std::size_t>(a)].code, CityTable[static_cast<std::size_t>(b)].code);
  EXPECT_EQ(CityTable[DefaultCity].name, "ROMA");
}

TEST(CityFile, JoinsPathsWithoutDoublingTheSeparator) {
  struct Case { const char* folder; char sep; const char* path; } cases[] = {
      {"/", '/', "/luogo.txt"},          {"/ab", '/', "/ab/luogo.txt"},
      {"/home/orto/", '/', "/home/orto/luogo.txt"}, {"C:\\", '\\', "C:\\luogo.txt"},
      {"C:\\Orto", '\\', "C:\\Orto\\luogo.txt"},   {"", '/', "luogo.txt"}};  // no folder: never the root
  for (auto c : cases) EXPECT_EQ(joinPath(c.folder, CityFileName, c.sep), c.path) << c.folder;
}

TEST(CityFile, FirstFieldRules) {
  struct Case { const char* line; const char* field; } cases[] = {
      {"ROMA", "ROMA"},         {"  MILANO", "MILANO"}, {"MILANO,TORINO", "MILANO"}, {"\"L'AQUILA\",x", "L'AQUILA"},
      {"\"ROMA", "ROMA"},       {"", ""},               {"ROMA  ", "ROMA"},          {"REGGIO EMILIA", "REGGIO EMILIA"}};
  for (auto c : cases) EXPECT_EQ(firstField(c.line), c.field) << c.line;
}

TEST(CityFile, ReadsWindows1252AndUtf8) {
  EXPECT_EQ(decodeCityFileLine("FORL\xCC"), "FORLÌ");
  EXPECT_EQ(decodeCityFileLine("FORLÌ"), "FORLÌ");
  EXPECT_EQ(decodeCityFileLine("\xEF\xBB\xBFMILANO"), "MILANO");
  EXPECT_EQ(decodeCityFileLine("\x80"), "€");
  // A lone continuation byte or a truncated sequence is not UTF-8: read as Windows-1252.
  EXPECT_EQ(decodeCityFileLine("A\xC3"), "AÃ");
}

TEST(CityFile, WritesWindows1252WithCrLf) {
  EXPECT_EQ(cityFileContent("ROMA"), std::optional<std::string>("ROMA\r\n"));
  EXPECT_EQ(cityFileContent("FORLÌ"), std::optional<std::string>("FORL\xCC\r\n"));
  EXPECT_EQ(cityFileContent("€"), std::optional<std::string>("\x80\r\n"));
  EXPECT_FALSE(cityFileContent("東京"));
  // Every name of the table survives the round trip through the file's character set.
  for (const auto& row : CityTable) {
    auto bytes = cityFileContent(row.name);
    ASSERT_TRUE(bytes) << row.name;
    EXPECT_EQ(firstField(decodeCityFileLine(bytes->substr(0, bytes->size() - 2))), row.name);
  }
}

}  // namespace
