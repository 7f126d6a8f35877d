// SPDX-License-Identifier: GPL-3.0-or-later
// The diary's options on the command line, and its entries as a table.
#include "app/platform/diary/diary_command.h"

#include <gtest/gtest.h>

#include "app/platform/command_line/arguments.h"

namespace {
using namespace ortalba;

TEST(DiaryArguments, AskForTheDiaryOrSayWhatIsWrong) {
  using Action = DiaryRequest::Action;
  const struct Case {
    QStringList args;
    std::optional<Action> action;  // the diary's own command; none: the almanac's, or an error
    bool withAlmanac;              // a request of the almanac with its diary
    const char* errorPart;
  } cases[] = {
      {{"--diario"}, Action::List, false, ""},
      {{"--diario", "--json", "--da", "2026-01-01", "--a", "2026-12-31"}, Action::List, false, ""},
      {{"--diario-esporta", "orto.csv", "--da", "2026-01-01"}, Action::Export, false, ""},
      {{"--diario-importa", "orto.csv"}, Action::Import, false, ""},
      {{"--ics", "2027", "--diario"}, std::nullopt, true, ""},
      {{"--month", "2026-03", "--pdf", "marzo.pdf", "--diario"}, std::nullopt, true, ""},
      {{"--month", "2026-03", "--diario"}, std::nullopt, false, "--diario va da solo, con --ics o con --pdf"},
      {{"--ics", "2027", "--da", "2027-01-01"}, std::nullopt, false, "--da e --a vanno con --diario"},
      {{"--diario-importa", "orto.csv", "--da", "2026-01-01"}, std::nullopt, false, "--da e --a vanno"},
      {{"--diario-importa", "orto.csv", "--diario-esporta", "b.csv"}, std::nullopt, false, "una volta sola"},
      {{"--diario-esporta", "a.csv", "--month", "2026-03"}, std::nullopt, false, "vanno da sole"},
      {{"--diario", "--city", "MILANO"}, std::nullopt, false, "vanno da sole"},
      {{"--diario-esporta", "a.csv", "--json"}, std::nullopt, false, "--json va con --diario"},
      {{"--diario", "--da", "2026-02-30"}, std::nullopt, false, "data non valida per --da: \"2026-02-30\""},
      {{"--diario", "--da", "2026-12-31", "--a", "2026-01-01"}, std::nullopt, false, "viene dopo"},
      {{"--diario-esporta", "orto.csv "}, std::nullopt, false, "nome di file non valido"},
  };
  for (const Case& c : cases) {
    QStringList args{QStringLiteral("ortalba")};
    args += c.args;
    SCOPED_TRACE(args.join(' ').toStdString());
    const ParsedArguments parsed = parseArguments(args);
    EXPECT_EQ(parsed.diary.has_value(), c.action.has_value()) << parsed.error.toStdString();
    if (parsed.diary) {
      EXPECT_EQ(parsed.diary->action, *c.action);
    }
    EXPECT_EQ(parsed.request.has_value() && parsed.request->diary, c.withAlmanac) << parsed.error.toStdString();
    if (!c.action && !c.withAlmanac) {
      EXPECT_TRUE(parsed.error.contains(QString::fromUtf8(c.errorPart))) << parsed.error.toStdString();
    }
  }
  const auto limited = parseArguments({"ortalba", "--diario", "--json", "--da", "2026-01-01", "--a", "2026-06-30"}).diary;
  ASSERT_TRUE(limited);
  EXPECT_TRUE(limited->json);
  EXPECT_EQ(limited->from, (calendar::Date{1, 1, 2026}));
  EXPECT_EQ(limited->to, (calendar::Date{30, 6, 2026}));
  EXPECT_EQ(parseArguments({"ortalba", "--diario-esporta", "orto.csv"}).diary->file, "orto.csv");
  EXPECT_TRUE(helpText().contains("--diario-importa <FILE>"));
}

// The table keeps within 100 columns, each entry with its moon, its note's lines and its reminder.
TEST(DiaryTable, AnEntryItsMoonItsNoteAndItsReminder) {
  app::DiaryEntry sowing;
  sowing.day = {12, 3, 2026};
  sowing.job = "Semina";
  sowing.plants = "pomodoro";
  sowing.where = "aiuola 2";
  sowing.note = "prima riga\r\n" + std::string(150, 'x') + " fine";
  sowing.reminder = calendar::Date{28, 4, 2026};
  sowing.reminderDone = true;
  const QStringList lines = diaryTable({sowing}, {}).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 8) << diaryTable({sowing}, {}).toStdString();
  EXPECT_EQ(lines[0], "Diario dell'orto: una voce");
  EXPECT_EQ(lines[2], "2026-03-12  Luna calante    Semina: pomodoro; aiuola 2");
  EXPECT_EQ(lines[3], "                            prima riga");
  EXPECT_EQ(lines[7], "                            Promemoria: 28 aprile 2026 (fatto)");
  for (const QString& line : lines) EXPECT_LE(line.size(), 100);
  EXPECT_EQ(diaryTable({}, {}), "Il diario non ha voci in questi giorni.\n");
}

}  // namespace
