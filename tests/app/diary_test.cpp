// SPDX-License-Identifier: GPL-3.0-or-later
// The diary without a database: its file for spreadsheets, its dates, its search,
// the moon of a day's work, its phone events, and the window's side of it.
#include <gtest/gtest.h>

#include <random>

#include "app/diary_csv.h"
#include "app/diary_ics.h"
#include "app/diary_panel.h"
#include "app/diary_search.h"
#include "app/window_model.h"
#include "fake_diary.h"
#include "fake_platform.h"

namespace {
using namespace app;

DiaryEntry entry(calendar::Date day, std::string job, std::string plants, std::string note = {},
                 std::optional<calendar::Date> reminder = std::nullopt) {
  DiaryEntry e;
  e.day = day;
  e.job = std::move(job);
  e.plants = std::move(plants);
  e.note = std::move(note);
  e.reminder = reminder;
  return e;
}

TEST(DiaryDates, AreWrittenAndReadAsFourTwoTwoDigits) {
  EXPECT_EQ(isoDate({7, 3, 26}), "0026-03-07");
  const struct {
    const char* text;
    std::optional<calendar::Date> date;
  } cases[] = {{"2026-03-12", calendar::Date{12, 3, 2026}}, {"0001-01-01", calendar::Date{1, 1, 1}},
               {"9999-12-31", calendar::Date{31, 12, 9999}}, {"2024-02-29", calendar::Date{29, 2, 2024}},
               {"2026-02-29", std::nullopt}, {"2026-13-01", std::nullopt}, {"2026-00-10", std::nullopt},
               {"0000-01-01", std::nullopt}, {"2026-3-12", std::nullopt},  {"12/03/2026", std::nullopt},
               {"2026-03-12 ", std::nullopt}, {"2026-03-1x", std::nullopt}, {"2026/03-12", std::nullopt},
               {"2026-03/12", std::nullopt},  {"", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(parseIsoDate(c.text), c.date) << c.text;
}

TEST(DiaryEntries, AreKeptOnlyWithADayAndSomethingWritten) {
  const auto with = [](auto change) {
    DiaryEntry e = entry({12, 3, 2026}, "Semina", "pomodoro");
    change(e);
    return entryProblem(e);
  };
  EXPECT_EQ(with([](DiaryEntry&) {}), "");
  EXPECT_EQ(with([](DiaryEntry& e) { e.job = ""; e.plants = ""; e.note = "solo una nota"; }), "");
  EXPECT_EQ(with([](DiaryEntry& e) { e.note = "riga\r\nriga\tcolonna"; }), "") << "a note has lines";
  EXPECT_NE(with([](DiaryEntry& e) { e.job = " "; e.plants = "\t"; e.where = "aiuola"; }), "") << "nothing written";
  EXPECT_NE(with([](DiaryEntry& e) { e.day = {30, 2, 2026}; }), "");
  EXPECT_NE(with([](DiaryEntry& e) { e.reminder = calendar::Date{31, 4, 2026}; }), "");
  EXPECT_NE(with([](DiaryEntry& e) { e.plants = "a\nb"; }), "") << "one line for the plants";
  EXPECT_NE(with([](DiaryEntry& e) { e.where = std::string("a\0b", 3); }), "");
  EXPECT_NE(with([](DiaryEntry& e) { e.note = "\xC3("; }), "") << "not UTF-8";
  EXPECT_NE(with([](DiaryEntry& e) { e.note = std::string(LongestDiaryField + 1, 'x'); }), "");
}

// What a spreadsheet is given, it gives back: accents, quotes, semicolons, line breaks.
TEST(DiaryCsv, GivesBackEveryEntryItWrites) {
  std::mt19937 random(7);
  const std::vector<std::string> pieces{"pomodoro", "perché", "\"San Marzano\"", ";", "a;b", "\n", "\r\n", "\r",
                                        "  ", "zucchine, basilico", "caffè", "\"", "«»", "l’orto", "\t", "€"};
  std::vector<DiaryEntry> entries;
  for (int i = 0; i < 400; ++i) {
    const auto text = [&](bool lines) {
      std::string s;
      for (int k = std::uniform_int_distribution(0, 4)(random); k > 0; --k) {
        std::string piece = pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        if (lines || piece.find_first_of("\r\n") == std::string::npos) s += piece;
      }
      return s;
    };
    DiaryEntry e;
    e.day = calendar::addDays({1, 1, 1990}, std::uniform_int_distribution(0, 20000)(random));
    e.job = text(false);
    e.plants = "p" + text(false);
    e.where = text(false);
    e.quantity = text(false);
    e.note = text(true);
    if (i % 3 == 0) e.reminder = calendar::addDays(e.day, i % 90);
    entries.push_back(e);
  }
  const std::string csv = diaryCsv(entries);
  EXPECT_TRUE(csv.starts_with(std::string(DiaryCsvHeader) + "\r\n"));
  const DiaryCsvRead read = readDiaryCsv(csv);
  ASSERT_TRUE(read) << read.faultLine << ": " << read.fault;
  EXPECT_EQ(read.entries, entries);
  EXPECT_EQ(readDiaryCsv("\xEF\xBB\xBF" + csv).entries, entries) << "with a byte-order mark";
}

// The file as a gardener's spreadsheet may give it, and how each fault is told: its line first.
TEST(DiaryCsv, ReadsWholeOrSaysTheLineOfTheFirstFault) {
  const std::string head = "data;lavoro;piante;dove;quantità;nota;promemoria\r\n";
  const struct Case {
    std::string file;
    int entries;      // read; -1 when the file is refused
    int faultLine;
    const char* says;  // part of the fault
  } cases[] = {
      {head + "2026-03-12;Semina;pomodoro;aiuola 2;30 semi;;2026-04-28\r\n", 1, 0, ""},
      {"Data;Lavoro;Piante;Dove;Quantita;Nota;Promemoria;;\n2026-03-12;;basilico;;;;\n", 1, 0, ""},
      {head + "\r\n2026-03-12;;basilico;;;;\r\n;;;;;;\r\n\r\n", 1, 0, "blank lines and rows"},
      {head + "2026-03-12;;\"a;b\";;;\"riga 1\nriga 2\";\n2026-03-13;;c;;;;\n", 2, 0, ""},
      {head + "2026-03-12;;basilico;;;;;\n", 1, 0, "an empty column past the last"},
      {head + "2026-03-12;;basilico;;;;\r\n2026-03-13;;\"fave\";;;;", 2, 0, "no line end after the last"},
      {head + "2026-03-12;;basilico;;;\n", -1, 2, "6 campi invece di 7"},
      {head + "2026-03-12;;basilico;;;;;x\n", -1, 2, "8 campi"},
      {head + "2026-03-12;;b;;;\"a\r\nb\";\n2026-02-30;;b;;;;\n", -1, 4, "data non valida «2026-02-30»"},
      {head + "2026-03-12;;\"a\nb\";;;;\n", -1, 2, "il campo «piante» va scritto su una riga sola"},
      {head + "12/03/2026;;b;;;;\n", -1, 2, "si scrive AAAA-MM-GG"},
      {head + ";;b;;;;\n", -1, 2, "manca la data"},
      {head + "2026-03-12;;b;;;;domani\n", -1, 2, "promemoria non valido «domani»"},
      {head + "2026-03-12;Semina;;;;;\n2026-03-13;;;aiuola;;;\n", -1, 3, "la voce è vuota"},
      {head + "2026-03-12;;\"aperte;;;;\n2026-03-13;;b;;;;\n", -1, 2, "mai chiuse"},
      {head + "2026-03-12;;\"a\"b;;;;\n", -1, 2, "dopo le virgolette"},
      {head + "2026-03-12;;a\"b;;;;\n", -1, 2, "virgolette in mezzo"},
      {head + "2026-03-12;;caff\xE8;;;;\n", -1, 2, "non è UTF-8"},
      {"data;piante;lavoro;dove;quantità;nota;promemoria\n", -1, 1, "la prima riga"},
      {"", -1, 1, "vuoto"},
      {head + "2026-03-12;;a\rb;;;;\n", -1, 2, "3 campi"},  // a lone CR ends a line as it does in old files
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const DiaryCsvRead read = readDiaryCsv(c.file);
    if (c.entries >= 0) {
      EXPECT_TRUE(read) << read.faultLine << ": " << read.fault;
      EXPECT_EQ(int(read.entries.size()), c.entries);
    } else {
      EXPECT_TRUE(read.entries.empty()) << "nothing of a file with a fault";
      EXPECT_EQ(read.faultLine, c.faultLine) << read.fault;
      EXPECT_NE(read.fault.find(c.says), std::string::npos) << read.fault;
    }
  }
  const DiaryCsvRead two = readDiaryCsv(cases[3].file);
  ASSERT_EQ(two.entries.size(), 2u);
  EXPECT_EQ(two.entries[0].plants, "a;b");
  EXPECT_EQ(two.entries[0].note, "riga 1\nriga 2");
  EXPECT_EQ(readDiaryCsv(cases[0].file).entries[0].reminder, (calendar::Date{28, 4, 2026}));
}

TEST(DiarySearch, TakesThePlantsAndTheYearAsAGardenerTypesThem) {
  const struct {
    const char* typed;
    DiaryQuery query;
  } cases[] = {{"pomodoro 2026", {{"pomodor"}, 2026}},
               {"2026 Pomodòri", {{"pomodor"}, 2026}},
               {"fave, piselli  1999 2000", {{"fav", "pisell", "2000"}, 1999}},
               {"San Marzano", {{"san", "marzan"}, std::nullopt}},
               {"orto", {{"ort"}, std::nullopt}},
               {"aia 12 0000", {{"aia", "12", "0000"}, std::nullopt}},
               {" \t, ", {{}, std::nullopt}}};
  for (const auto& c : cases) EXPECT_EQ(parseDiaryQuery(c.typed), c.query) << c.typed;
  EXPECT_EQ(searchFolded("PERCHÉ Così l’ÆRE Ñ ÿ 42 € ×"), "perche cosi l'aere n y 42 € ×");

  const DiaryEntry tomatoes = entry({12, 3, 2026}, "Semina", "Pomodori San Marzano", "comprati da Mariù");
  const struct {
    const char* typed;
    bool found;
  } asked[] = {{"pomodoro 2026", true}, {"POMODORI", true},  {"pomodoro 2025", false}, {"mariu", true},
               {"semina marzano", true}, {"semina zucchine", false}, {"2026", true}, {"", false}};
  for (const auto& a : asked) EXPECT_EQ(answers(tomatoes, parseDiaryQuery(a.typed)), a.found) << a.typed;
}

// The moon of a day's work, from the month's marks: March 2026 has its full moon on
// the 3rd, its last quarter on the 11th, its new moon on the 19th, its first quarter
// on the 25th; February 2027's full moon is at 23:23 on the 20th by Greenwich, the
// 21st on Italian clocks.
TEST(DiaryMoons, AreTheMonthsMarksOfTheDay) {
  DiaryMoons greenwich;
  DiaryMoons italian({PhaseDays::Italian});
  const struct {
    calendar::Date day;
    const char* greenwich;
    const char* italian;
  } cases[] = {{{3, 3, 2026}, "Luna piena", "Luna piena"},     {{7, 3, 2026}, "Luna calante", "Luna calante"},
               {{11, 3, 2026}, "Ultimo quarto", "Ultimo quarto"}, {{19, 3, 2026}, "Luna nuova", "Luna nuova"},
               {{22, 3, 2026}, "Luna crescente", "Luna crescente"}, {{25, 3, 2026}, "Primo quarto", "Primo quarto"},
               {{20, 2, 2027}, "Luna piena", "Luna crescente"},   {{21, 2, 2027}, "Luna calante", "Luna piena"}};
  for (const auto& c : cases) {
    EXPECT_EQ(greenwich.wordsOf(c.day), c.greenwich) << isoDate(c.day);
    EXPECT_EQ(italian.wordsOf(c.day), c.italian) << isoDate(c.day);
  }
}

// Each entry an event of its day; each reminder an event of its day with an alarm.
TEST(DiaryIcs, AnEventAnEntryAndAnAlarmAReminder) {
  DiaryOfYear year;
  year.entries = {entry({12, 3, 2026}, "Semina", "pomodoro; basilico", "da \"Mario\""),
                  entry({31, 12, 9999}, "Raccolta", "cavoli")};
  year.entries[0].id = 7;
  year.reminders = {entry({12, 3, 2026}, "Trapianto", "pomodoro", "", calendar::Date{28, 4, 2026})};
  year.reminders[0].id = 7;
  const std::string ics = diaryIcsEvents(year, "DTSTAMP:20270101T000000Z", {});
  EXPECT_NE(ics.find("END:VEVENT\r\nBEGIN:VEVENT\r\nUID:20260428-promemoria-7"), std::string::npos) << "whole events";
  EXPECT_NE(ics.find("BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Promemoria: Trapianto: pomodoro\r\n"
                     "TRIGGER;RELATED=START:PT8H\r\nEND:VALARM\r\nEND:VEVENT\r\n"), std::string::npos);
  EXPECT_NE(ics.find("UID:20260312-diario-7@ortalba\r\n"), std::string::npos);
  EXPECT_NE(ics.find("UID:20260428-promemoria-7@ortalba\r\nDTSTAMP:20270101T000000Z\r\nDTSTART;VALUE=DATE:20260428\r\n"
                     "DTEND;VALUE=DATE:20260429\r\n"), std::string::npos);
  EXPECT_NE(ics.find("SUMMARY:Diario: Semina: pomodoro\\; basilico\r\n"), std::string::npos);
  EXPECT_NE(ics.find("DESCRIPTION:da \"Mario\"\\nLuna calante.\r\n"), std::string::npos) << ics;
  EXPECT_NE(ics.find("DTSTART;VALUE=DATE:99991231\r\nDURATION:P1D\r\n"), std::string::npos);
  for (std::size_t at = 0, end; (end = ics.find("\r\n", at)) != std::string::npos; at = end + 2)
    EXPECT_LE(end - at, 75u) << "folded";
}

// ---- the window's side of the diary, over a diary in memory -------------------------

struct Window {
  FakePlatform platform;  // today is Sunday 6 December 2026
  FakeDiary kept;
  WindowModel form{platform};
  explicit Window(std::vector<DiaryEntry> entries = {}) {
    for (DiaryEntry& e : entries) kept.add(e);
    form.diary.attach(&kept);
    form.start();
  }
};

TEST(DiaryPanel, MarksTheDaysWithEntriesOrRemindersAndSaysThemOfTheDay) {
  Window w({entry({6, 12, 2026}, "Semina", "fave"), entry({6, 12, 2026}, "", "aglio"),
            entry({1, 11, 2026}, "Semina", "cipolle", "", calendar::Date{20, 12, 2026}),
            entry({20, 12, 2025}, "Potatura", "rose")});
  for (int d = 1; d <= 31; ++d) EXPECT_EQ(w.form.diary.marks[std::size_t(d - 1)], d == 6 || d == 20) << d;
  EXPECT_TRUE(w.form.dayLine.caption.ends_with(". Diario: 2 voci (Ctrl+D).")) << w.form.dayLine.caption;
  w.form.clickDay(19);
  EXPECT_TRUE(w.form.dayLine.caption.ends_with(". Diario: un promemoria (Ctrl+D).")) << w.form.dayLine.caption;
  w.form.clickDay(6);
  EXPECT_EQ(w.form.dayLine.caption.find("Diario"), std::string::npos);
  w.form.pickMonth(10);
  for (int d = 1; d <= 30; ++d) EXPECT_EQ(w.form.diary.marks[std::size_t(d - 1)], d == 1) << "November, " << d;
  EXPECT_TRUE(w.form.dayLine.caption.ends_with(". Diario: una voce (Ctrl+D).")) << "the 1st, shown first";

  // The reminder dismissed: its day is no longer marked.
  w.form.pickMonth(11);
  ASSERT_EQ(w.form.diary.dueReminders({20, 12, 2026}).size(), 1u);
  EXPECT_TRUE(w.form.diary.dueReminders({19, 12, 2026}).empty()) << "not before its day";
  EXPECT_TRUE(w.form.diary.dismiss(w.form.diary.dueReminders({20, 12, 2026})[0]));
  EXPECT_FALSE(w.form.diary.marks[19]);
  EXPECT_TRUE(w.form.diary.dueReminders({31, 12, 2026}).empty());
}

TEST(DiaryPanel, ChangesAreReadBackAndAFailedOneChangesNothing) {
  Window w;
  DiaryPanel& diary = w.form.diary;
  EXPECT_TRUE(diary.add(entry({6, 12, 2026}, "Semina", "fave")));
  ASSERT_EQ(diary.dayEntries.size(), 1u);
  EXPECT_NE(diary.dayEntries[0].id, 0);
  EXPECT_TRUE(diary.marks[5]);
  EXPECT_FALSE(diary.add(entry({6, 12, 2026}, "", ""))) << "an empty entry";
  EXPECT_EQ(w.kept.kept.size(), 1u);

  const DiaryEntry read = diary.dayEntries[0];
  DiaryEntry edited = read;
  edited.plants = "fave e piselli";
  EXPECT_TRUE(diary.change(read, edited));
  EXPECT_EQ(diary.dayEntries[0].plants, "fave e piselli");
  // The first window's copy is out of date: its change is refused, and it shows what is kept.
  DiaryEntry late = read;
  late.plants = "solo fave";
  const WriteOutcome refused = diary.change(read, late);
  EXPECT_FALSE(refused);
  EXPECT_EQ(diary.dayEntries[0].plants, "fave e piselli");
  EXPECT_FALSE(diary.remove(read)) << "nor deleted";

  w.kept.failWrites = "il disco è pieno";
  const WriteOutcome full = diary.add(entry({6, 12, 2026}, "Semina", "cipolle"));
  EXPECT_EQ(full.reason, "il disco è pieno");
  EXPECT_EQ(diary.dayEntries.size(), 1u);
  w.kept.failWrites.clear();
  EXPECT_TRUE(diary.remove(diary.dayEntries[0]));
  EXPECT_FALSE(diary.marks[5]);
  w.form.clickDay(5);
  EXPECT_EQ(w.form.dayLine.caption.find("Diario"), std::string::npos) << "the window's line, once shown again";
}

}  // namespace
