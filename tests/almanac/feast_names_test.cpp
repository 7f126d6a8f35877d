#include "almanac/feast_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "almanac/feast_table.h"
#include "almanac/movable_feasts.h"
#include "almanac/saints.h"
#include "calendar/calendar.h"
#include "easter_reference.h"

namespace {
using namespace almanac;
using almanac_test::easterPlus;

constexpr const char* Palms = " (Domenica Delle Palme)";
constexpr const char* Shrove = " - (Martedì Grasso)";

FeastOfDay decide(int day, int month, int year) {
  return feastOfDay(day, month, year, movableFeasts(year), saintOfDay(month, day, year));
}

std::string saint(int day, int month, int year) { return std::string(saintOfDay(month, day, year)); }

// Expected outcome of a day: a feast name (bold, red), or the saint with an
// optional note appended and the cell left as it was.
struct Outcome {
  const char* feast = nullptr;
  const char* note = "";
};
constexpr Outcome plain{};
constexpr Outcome feast(const char* text) { return {text, ""}; }
constexpr Outcome withNote(const char* note) { return {nullptr, note}; }

void expectOutcome(int d, int m, int y, const Outcome& want) {
  const FeastOfDay got = decide(d, m, y);
  const std::string where = std::to_string(d) + "/" + std::to_string(m) + "/" + std::to_string(y);
  if (want.feast) {
    EXPECT_EQ(got.santo, want.feast) << where;
    EXPECT_TRUE(got.boldRed) << where;
  } else {
    EXPECT_EQ(got.santo, saint(d, m, y) + want.note) << where;
    EXPECT_FALSE(got.boldRed) << where;
  }
}

TEST(FeastOfDay, ExamplesOfTheCalendar) {
  struct Case {
    int d, m, y;
    Outcome want;
  } cases[] = {
      {24, 4, 2011, feast("Pasqua")},         {25, 4, 2011, feast("Liberazione")},
      {5, 4, 2026, feast("Pasqua")},          {6, 4, 2026, feast("Lunedì dell'Angelo")},
      {22, 2, 2026, feast("I di Quaresima")}, {29, 3, 2026, withNote(Palms)},
      {28, 4, 2026, plain},                   {17, 2, 2026, withNote(Shrove)},
      {25, 2, 2020, withNote(Shrove)},        {1, 3, 2020, feast("I di Quaresima")},
      {3, 5, 2285, feast("Ascensione")},      {30, 4, 2285, plain},
      {19, 4, 1500, feast("Pasqua")},         {11, 4, 1700, plain},
      {1, 1, 1899, plain},                    {1, 1, 1900, feast("Capodanno")},
      {6, 1, 1980, plain},                    {6, 1, 1986, feast("Epifania")},
      {11, 1, 1970, feast("Battesimo di Gesù")}, {12, 1, 1969, plain},
      {2, 6, 1948, plain},                    {2, 6, 1986, feast("Festa della Repubblica")},
      {1, 6, 1980, feast("Festa della Repubblica")}, {2, 6, 1985, feast("Festa della Repubblica")},
      {2, 6, 1987, plain},                    {4, 11, 2001, feast("Festa Unità Nazionale")},
      {5, 11, 2000, feast("Festa Forze Armate")}, {4, 11, 1925, feast("Battaglia V.Veneto")},
      {4, 11, 1931, feast("Ann.Vittoria")},   {25, 4, 1943, feast("Pasqua")},
      {25, 4, 2038, feast("Liberazione")},
      // Palm Sunday of 1967 is 19 March, S.Giuseppe: the feast drops the note.
      {19, 3, 1967, feast("S.Giuseppe")},
  };
  for (const Case& c : cases) expectOutcome(c.d, c.m, c.y, c.want);
}

// Some saints bear the feast's own name ("Capodanno"), so a feast is kept only
// when the label is also marked.
bool keptAs(const FeastOfDay& got, const char* text) { return got.boldRed && got.santo == text; }

// The years of each entry are inclusive at both ends; several entries have gaps.
TEST(FeastOfDay, YearBoundsOfFixedFeasts) {
  struct Case {
    int d, m;
    const char* text;
    std::vector<int> kept, notKept;
  } cases[] = {
      {1, 1, "Capodanno", {1900, 4099}, {1899, 4100}},
      {6, 1, "Epifania", {1900, 1976, 1986, 4099}, {1899, 1977, 1985, 4100}},
      {2, 6, "Festa della Repubblica", {1947, 1949, 1976, 1986, 2001, 9999}, {1946, 1948, 1977, 1984, 1999}},
      {29, 6, "S.Pietro e Paolo", {1900, 1913, 1924, 1976}, {1899, 1914, 1923, 1977}},
      {8, 12, "Immacolata Concezione", {1900, 1913, 1924, 9999}, {1899, 1914, 1923}},
      {26, 12, "S.Stefano", {1949}, {1948}},
  };
  for (const Case& c : cases) {
    for (int y : c.kept) expectOutcome(c.d, c.m, y, feast(c.text));
    for (int y : c.notKept) EXPECT_FALSE(keptAs(decide(c.d, c.m, y), c.text)) << c.text << " " << y;
  }
}

TEST(FeastOfDay, YearBoundsOfMovableFeasts) {
  struct Case {
    int offset;
    const char* text;
    std::vector<int> kept, notKept;
  } cases[] = {
      {0, "Pasqua", {1900, 4099}, {1899, 4100}},
      {-42, "I di Quaresima", {1900, 4099}, {1899, 4100}},
      {1, "Lunedì dell'Angelo", {1949, 4099}, {1948, 4100}},
      {39, "Ascensione", {1900, 1976}, {1899, 1977}},
      {42, "Ascensione", {1977, 9999}, {1976}},
      {49, "Pentecoste", {1901, 9999}, {1899}},  // 1900: 3 June, the Statuto's Sunday
      {56, "SS.Trinità", {1900, 9999}, {1899}},
      {68, "S.Cuore di Gesù", {1900, 9999}, {1899}},
      {60, "Corpus Domini", {1900, 1913, 1924, 1976}, {1899, 1914, 1923, 1977}},
      {63, "Corpus Domini", {1977, 9999}, {1976}},
  };
  for (const Case& c : cases) {
    for (int y : c.kept) {
      const auto date = easterPlus(y, c.offset);
      expectOutcome(almanac_test::dayOf(date), almanac_test::monthOf(date), y, feast(c.text));
    }
    for (int y : c.notKept) {
      const auto date = easterPlus(y, c.offset);
      EXPECT_FALSE(keptAs(decide(almanac_test::dayOf(date), almanac_test::monthOf(date), y), c.text)) << c.text << " " << y;
    }
  }
}

TEST(FeastOfDay, JulianEasterOnlyFrom326To1582) {
  for (int y = 300; y <= 1600; ++y) {
    const int p = almanac_test::meeusJulianEasterMarchCount(y);
    const int d = p <= 31 ? p : p - 31, m = p <= 31 ? 3 : 4;
    if (y >= 326 && y <= 1582)
      expectOutcome(d, m, y, feast("Pasqua"));
    else
      expectOutcome(d, m, y, plain);
  }
}

// Later entries win: Liberation Day over Easter and Easter Monday, the June
// Sundays over Pentecost and its followers, SS. Peter and Paul over the Sacred Heart.
TEST(FeastOfDay, LaterEntriesWinOverEarlierOnes) {
  int easterOn25April[2] = {0, 0}, mondayOn25April = 0, statuto = 0, republic = 0, heart[2] = {0, 0};
  for (int y = 1900; y <= 4099; ++y) {
    const auto easter = easterPlus(y, 0);
    if (almanac_test::monthOf(easter) == 4 && almanac_test::dayOf(easter) == 25) {
      ++easterOn25April[y >= 1946];
      expectOutcome(25, 4, y, feast(y >= 1946 ? "Liberazione" : "Pasqua"));
    }
    if (almanac_test::monthOf(easter) == 4 && almanac_test::dayOf(easter) == 24 && y >= 1946) {
      ++mondayOn25April;
      expectOutcome(25, 4, y, feast("Liberazione"));
    }
    int firstSunday = 1;
    while (calendar::weekday(firstSunday, 6, y) != 1) ++firstSunday;
    for (int offset : {49, 56, 63}) {
      const auto date = easterPlus(y, offset);
      if (almanac_test::monthOf(date) != 6 || almanac_test::dayOf(date) != firstSunday) continue;
      if (y <= 1943 && offset != 63) {
        ++statuto;
        expectOutcome(firstSunday, 6, y, feast("Festa dello Statuto"));
      }
      if ((y >= 1977 && y <= 1985) || (y >= 1987 && y <= 2000)) {
        ++republic;
        expectOutcome(firstSunday, 6, y, feast("Festa della Repubblica"));
      }
    }
    const auto sacredHeart = easterPlus(y, 68);
    if (almanac_test::monthOf(sacredHeart) == 6 && almanac_test::dayOf(sacredHeart) == 29) {
      const bool apostles = (y <= 1913) || (y >= 1924 && y <= 1976);
      ++heart[apostles];
      expectOutcome(29, 6, y, feast(apostles ? "S.Pietro e Paolo" : "S.Cuore di Gesù"));
    }
  }
  // Each rule was exercised in both directions.
  EXPECT_GT(easterOn25April[0], 0);
  EXPECT_GT(easterOn25April[1], 0);
  EXPECT_GT(mondayOn25April, 0);
  EXPECT_GT(statuto, 0);
  EXPECT_GT(republic, 0);
  EXPECT_GT(heart[0], 0);
  EXPECT_GT(heart[1], 0);
}

TEST(FeastOfDay, NovemberWhoseFirstDayIsSunday) {
  for (int y : {1981, 2026}) {
    ASSERT_EQ(calendar::weekday(1, 11, y), 1) << y;
    expectOutcome(1, 11, y, feast("Tutti i Santi"));
    for (int d = 2; d <= 30; ++d) expectOutcome(d, 11, y, plain);
  }
}

TEST(FeastOfDay, BaptismOnTheSundayAfterEpiphany) {
  for (int y = 1960; y <= 2100; ++y)
    for (int d = 7; d <= 13; ++d)
      expectOutcome(d, 1, y, y >= 1970 && calendar::weekday(d, 1, y) == 1 ? feast("Battesimo di Gesù") : plain);
}

// No feast of the table shares a Sunday of 7..13 January, so the rule that the
// Baptism yields to an earlier match is shown with one more entry.
TEST(FeastOfDay, BaptismYieldsToAnEarlierMatch) {
  std::vector<FeastEntry> table(FeastTable.begin(), FeastTable.end());
  FeastEntry extra;
  extra.text = "Prova";
  extra.rule = FeastRule::FixedDate;
  extra.month = 1;
  extra.firstDay = extra.lastDay = 11;
  extra.years[0] = {1900, 2100};
  const auto decideWith = [&](const std::vector<FeastEntry>& t) {
    return applyFeastTable(t, 11, 1, 1970, movableFeasts(1970), "S.Igino").santo;
  };
  EXPECT_EQ(decideWith(table), "Battesimo di Gesù");
  auto before = table;
  before.insert(before.begin(), extra);
  EXPECT_EQ(decideWith(before), "Prova");
  auto after = table;
  after.push_back(extra);
  EXPECT_EQ(decideWith(after), "Prova");
}

TEST(FeastOfDay, PalmSundayNoteFrom1900To4099) {
  for (int y = 1895; y <= 4105; ++y) {
    const auto palm = easterPlus(y, -7);
    const int d = almanac_test::dayOf(palm), m = almanac_test::monthOf(palm);
    const FeastOfDay got = decide(d, m, y);
    if (y < 1900 || y > 4099)
      expectOutcome(d, m, y, plain);
    else if (!got.boldRed)
      expectOutcome(d, m, y, withNote(Palms));
    else
      EXPECT_EQ(got.santo, "S.Giuseppe") << y;  // only 19 March, 1929..1976, outranks it
    for (int other : {-8, -6, -14}) {
      const auto near = easterPlus(y, other);
      EXPECT_EQ(decide(almanac_test::dayOf(near), almanac_test::monthOf(near), y).santo.find(Palms), std::string::npos) << y;
    }
  }
}

TEST(FeastOfDay, ShroveTuesdayNoteInEveryYear) {
  for (int y = 1583; y <= 9999; ++y) {
    const auto shrove = easterPlus(y, -47);
    expectOutcome(almanac_test::dayOf(shrove), almanac_test::monthOf(shrove), y, withNote(Shrove));
    const auto wednesday = easterPlus(y, -46);
    ASSERT_EQ(decide(almanac_test::dayOf(wednesday), almanac_test::monthOf(wednesday), y).santo.find(Shrove),
              std::string::npos) << y;
  }
}

TEST(FeastOfDay, MonthOutsideTheYearLeavesTheSaint) {
  for (int m : {0, 13, -1}) {
    const FeastOfDay got = feastOfDay(1, m, 2026, movableFeasts(2026), "S.Prova");
    EXPECT_EQ(got.santo, "S.Prova");
    EXPECT_FALSE(got.boldRed);
  }
}

}  // namespace
