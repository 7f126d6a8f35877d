// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/diary/diary_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "app/diary_csv.h"
#include "app/platform/command_line/arguments.h"
#include "app/platform/diary/diary_store.h"
#include "app/platform/qt/qt_text.h"
#include "app/platform/session/file_io.h"

namespace ortalba {

namespace {

// The largest file --diario-importa reads: some hundred thousand entries.
constexpr std::size_t LargestImport = 256u << 20;

// The table's columns: the day, the moon, the entry; a line holds at most 100 characters.
constexpr int DayWidth = 12, MoonWidth = 16, EntryWidth = 100 - DayWidth - MoonWidth;

void say(const std::string& line) { std::fprintf(stderr, "ortalba: %s\n", line.c_str()); }

// The user's diary, its notice said once; none when there is no data folder.
std::unique_ptr<DiaryStore> userDiary() {
  const DiaryPath where = userDiaryPath();
  if (where.path.empty()) {
    say("il diario non si trova: " + where.problem);
    return nullptr;
  }
  auto store = std::make_unique<DiaryStore>(where.path);
  if (!store->notice().empty()) say(store->notice());
  return store;
}

// Why a file cannot be read, in a few Italian words.
std::string whyUnreadable(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT ? "il file non esiste" : errorWords(errno);
  if (S_ISDIR(st.st_mode)) return errorWords(EISDIR);
  if (!S_ISREG(st.st_mode)) return "non è un file ordinario";
  if (::access(path.c_str(), R_OK) != 0) return errorWords(errno);
  return "errore di lettura";
}

int importFile(const DiaryRequest& request) {
  const std::string path = QFile::encodeName(request.file).toStdString();
  const std::string shownName = shown(request.file).toStdString();
  const std::optional<std::string> bytes = readRegularFile(path, LargestImport + 1);
  if (!bytes) {
    say("impossibile leggere " + shownName + ": " + whyUnreadable(path));
    return 1;
  }
  if (bytes->size() > LargestImport) {
    say(shownName + " è troppo grande per un diario (più di 256 MiB)");
    return 1;
  }
  const app::DiaryCsvRead read = app::readDiaryCsv(*bytes);
  if (!read) {
    say(shownName + ", riga " + std::to_string(read.faultLine) + ": " + read.fault + "; il diario non è cambiato");
    return 1;
  }
  const std::unique_ptr<DiaryStore> store = userDiary();
  if (!store) return 1;
  const DiaryStore::Imported imported = store->addAll(read.entries);
  if (!imported.outcome) {
    say("il diario non è cambiato: " + imported.outcome.reason);
    return 1;
  }
  const std::size_t added = imported.added, kept = imported.alreadyKept;
  std::string said = added == 1 ? "Aggiunta una voce al diario" : "Aggiunte " + std::to_string(added) + " voci al diario";
  if (added == 0) said = kept == 0 ? "Il file non ha voci: il diario non è cambiato" : "Nessuna voce aggiunta al diario";
  if (kept > 0) said += kept == 1 ? "; una c'era già" : "; " + std::to_string(kept) + " c'erano già";
  return printedToStdout(QByteArray::fromStdString(said + ".\n"));
}

}  // namespace

QString diaryTable(const std::vector<app::DiaryEntry>& entries, const app::Reckoning& reckoning) {
  app::DiaryMoons moons(reckoning);
  const auto line = [](const QString& day, const QString& moon, const QString& text) {
    QString out = QStringLiteral("%1%2%3").arg(day, -DayWidth).arg(moon, -MoonWidth).arg(text);
    while (out.endsWith(QLatin1Char(' '))) out.chop(1);
    return out + QLatin1Char('\n');
  };
  QString out = entries.empty() ? QStringLiteral("Il diario non ha voci in questi giorni.\n")
                                : QStringLiteral("Diario dell'orto: %1\n")
                                      .arg(entries.size() == 1 ? QStringLiteral("una voce")
                                                               : QStringLiteral("%1 voci").arg(entries.size()));
  if (entries.empty()) return out;
  out += line(QStringLiteral("Giorno"), QStringLiteral("Luna"), QStringLiteral("Lavoro, piante, dove, quantità"));
  for (const app::DiaryEntry& e : entries) {
    QStringList lines = wrappedWords(toQString(app::entrySummary(e)), EntryWidth);
    for (const QString& paragraph : toQString(e.note).split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))))
      if (!paragraph.trimmed().isEmpty()) lines += wrappedWords(paragraph, EntryWidth);
    if (e.reminder)
      lines += QStringLiteral("Promemoria: %1%2")
                   .arg(toQString(app::dayWords(*e.reminder)), e.reminderDone ? QStringLiteral(" (fatto)") : QString());
    out += line(toQString(app::isoDate(e.day)), toQString(moons.wordsOf(e.day)), lines.front());
    for (qsizetype k = 1; k < lines.size(); ++k) out += line({}, {}, lines[k]);
  }
  return out;
}

QByteArray diaryJson(const std::vector<app::DiaryEntry>& entries, const app::Reckoning& reckoning) {
  app::DiaryMoons moons(reckoning);
  QJsonArray list;
  for (const app::DiaryEntry& e : entries) {
    QJsonObject entry;
    entry.insert(QStringLiteral("id"), static_cast<qint64>(e.id));
    entry.insert(QStringLiteral("data"), toQString(app::isoDate(e.day)));
    entry.insert(QStringLiteral("lavoro"), toQString(e.job));
    entry.insert(QStringLiteral("piante"), toQString(e.plants));
    entry.insert(QStringLiteral("dove"), toQString(e.where));
    entry.insert(QStringLiteral("quantita"), toQString(e.quantity));
    entry.insert(QStringLiteral("nota"), toQString(e.note));
    entry.insert(QStringLiteral("promemoria"),
                 e.reminder ? QJsonValue(toQString(app::isoDate(*e.reminder))) : QJsonValue(QJsonValue::Null));
    entry.insert(QStringLiteral("promemoria_fatto"), e.reminderDone);
    entry.insert(QStringLiteral("luna"), toQString(moons.wordsOf(e.day)));
    list.append(entry);
  }
  return QJsonDocument(list).toJson(QJsonDocument::Indented);
}

int runDiaryCommand(const DiaryRequest& request) {
  if (request.action == DiaryRequest::Action::Import) return importFile(request);
  const std::optional<std::vector<app::DiaryEntry>> entries = userDiaryEntries(request.from, request.to);
  if (!entries) return 1;
  if (request.action == DiaryRequest::Action::List)
    return printedToStdout(request.json ? diaryJson(*entries, request.reckoning) : diaryTable(*entries, request.reckoning).toUtf8());
  const app::WriteOutcome written =
      writeWholeFile(QFile::encodeName(request.file).toStdString(), app::diaryCsv(*entries), SpecialFiles::WriteInPlace);
  if (written) return 0;
  say("impossibile scrivere " + shown(request.file).toStdString() + ": " + written.reason);
  return 1;
}

std::optional<std::vector<app::DiaryEntry>> userDiaryEntries(const calendar::Date& first, const calendar::Date& last) {
  const std::unique_ptr<DiaryStore> store = userDiary();
  if (!store) return std::nullopt;
  app::DiaryList list = store->entriesBetween(first, last);
  if (!list) {
    say("il diario non si può leggere: " + list.problem);
    return std::nullopt;
  }
  return std::move(list.entries);
}

std::optional<app::DiaryOfYear> userDiaryOfYear(int year) {
  const std::unique_ptr<DiaryStore> store = userDiary();
  if (!store) return std::nullopt;
  app::DiaryList entries = store->entriesBetween({1, 1, year}, {31, 12, year});
  app::DiaryList reminders = store->remindersBetween({1, 1, year}, {31, 12, year});
  if (!entries || !reminders) {
    say("il diario non si può leggere: " + (entries ? reminders : entries).problem);
    return std::nullopt;
  }
  return app::DiaryOfYear{std::move(entries.entries), std::move(reminders.entries)};
}

}  // namespace ortalba
