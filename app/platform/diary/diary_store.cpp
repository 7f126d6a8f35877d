// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/diary/diary_store.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDate>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>
#include <cerrno>

#include "app/platform/qt/qt_text.h"
#include "app/platform/session/config_folder.h"
#include "app/platform/session/file_io.h"

namespace ortalba {

namespace {

// SQLite's primary result codes, as Qt's driver gives them.
enum SqliteCode { Busy = 5, Locked = 6, ReadOnly = 8, IoError = 10, Corrupt = 11, Full = 13, CantOpen = 14, NotADatabase = 26 };

int sqliteCode(const QSqlError& error) {
  bool number = false;
  const int code = error.nativeErrorCode().toInt(&number);
  return number ? code & 0xFF : -1;
}

QString text(std::string_view s) { return toQString(s); }
QString isoText(const calendar::Date& date) { return QString::fromLatin1(app::isoDate(date)); }
QVariant reminderValue(const app::DiaryEntry& e) { return e.reminder ? QVariant(isoText(*e.reminder)) : QVariant(); }

// Why SQLite could not do what was asked, in a few Italian words.
std::string reasonOf(const QSqlError& error, const std::string& path) {
  switch (sqliteCode(error)) {
    case Full: return "il disco è pieno";
    case Busy:
    case Locked: return "il diario è occupato da un'altra finestra o da un altro programma; si riprovi tra poco";
    case ReadOnly:
    case CantOpen: {
      // A change writes its journal beside the diary: the folder must take it.
      const std::string folder = folderOf(path);
      if (::access(folder.c_str(), W_OK) != 0)
        return "la cartella " + folder + " non si può scrivere (" + errorWords(errno) + ")";
      if (::access(path.c_str(), W_OK) != 0) return "il file del diario non si può scrivere (" + errorWords(errno) + ")";
      return "il diario è in sola lettura";
    }
    case IoError: return "errore del disco";
    case Corrupt:
    case NotADatabase: return "il diario è danneggiato; alla prossima apertura sarà messo da parte e ne comincerà uno nuovo";
  }
  return "errore del diario: " + error.text().toStdString();
}

const QString Columns = QStringLiteral("id, day, job, plants, place, quantity, note, reminder, reminder_done");

app::DiaryEntry entryOf(const QSqlQuery& q) {
  app::DiaryEntry e;
  e.id = q.value(0).toLongLong();
  e.day = app::parseIsoDate(q.value(1).toString().toStdString()).value_or(calendar::Date{1, 1, 1});
  e.job = q.value(2).toString().toStdString();
  e.plants = q.value(3).toString().toStdString();
  e.where = q.value(4).toString().toStdString();
  e.quantity = q.value(5).toString().toStdString();
  e.note = q.value(6).toString().toStdString();
  e.reminder = app::parseIsoDate(q.value(7).toString().toStdString());  // NULL reads as no date
  e.reminderDone = q.value(8).toInt() != 0;
  return e;
}

// The diary's layout, one step a version: step k brings a diary of version k - 1
// to version k. A step is never changed once released; a new layout is a new step.
struct Step {
  const char* const* statements;
  bool (*after)(QSqlDatabase&);  // what SQL alone cannot do; none when nothing
};
constexpr const char* EntriesTable[] = {
    "CREATE TABLE entries ("
    " id INTEGER PRIMARY KEY,"
    " day TEXT NOT NULL CHECK (day GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]'),"
    " job TEXT NOT NULL DEFAULT '',"
    " plants TEXT NOT NULL DEFAULT '',"
    " place TEXT NOT NULL DEFAULT '',"
    " quantity TEXT NOT NULL DEFAULT '',"
    " note TEXT NOT NULL DEFAULT '',"
    " reminder TEXT CHECK (reminder IS NULL OR reminder GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]'),"
    " reminder_done INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX entries_by_day ON entries (day)",
    "CREATE INDEX reminders_by_day ON entries (reminder) WHERE reminder IS NOT NULL AND reminder_done = 0",
    nullptr};
// The search's own text of each entry, folded as the gardener's words are.
constexpr const char* SearchText[] = {"ALTER TABLE entries ADD COLUMN search TEXT NOT NULL DEFAULT ''", nullptr};
bool fillSearchText(QSqlDatabase& db) {
  QSqlQuery rows(db);
  rows.setForwardOnly(true);
  if (!rows.exec(QStringLiteral("SELECT ") + Columns + QStringLiteral(" FROM entries"))) return false;
  QSqlQuery update(db);
  update.prepare(QStringLiteral("UPDATE entries SET search = ? WHERE id = ?"));
  while (rows.next()) {
    const app::DiaryEntry e = entryOf(rows);
    update.addBindValue(text(app::searchTextOf(e)));
    update.addBindValue(QVariant::fromValue<qlonglong>(e.id));
    if (!update.exec()) return false;
  }
  return !rows.lastError().isValid();
}
const Step Steps[] = {{EntriesTable, nullptr}, {SearchText, fillSearchText}};
static_assert(std::size(Steps) == DiaryStore::SchemaVersion, "a step for each version");

// What the file is, as SQLite reads it.
enum class Health { Diary, Empty, NotADiary, Damaged, Newer, Unreadable };

struct Checked {
  Health health = Health::Unreadable;
  int version = 0;
  std::string problem;  // with Unreadable
};

Checked check(QSqlDatabase& db, const std::string& path) {
  QSqlQuery q(db);
  if (!q.exec(QStringLiteral("PRAGMA integrity_check"))) {
    const int code = sqliteCode(q.lastError());
    if (code == NotADatabase) return {Health::NotADiary, 0, {}};
    if (code == Corrupt) return {Health::Damaged, 0, {}};
    return {Health::Unreadable, 0, reasonOf(q.lastError(), path)};
  }
  const bool whole = q.next() && q.value(0).toString() == QLatin1String("ok") && !q.next();
  q.finish();
  if (!whole) return {Health::Damaged, 0, {}};
  const auto number = [&](const char* sql) {
    return q.exec(QString::fromLatin1(sql)) && q.next() ? q.value(0).toInt() : -1;
  };
  const int application = number("PRAGMA application_id");
  const int version = number("PRAGMA user_version");
  const int objects = number("SELECT count(*) FROM sqlite_master");
  q.finish();
  if (application < 0 || version < 0 || objects < 0) return {Health::Unreadable, 0, reasonOf(q.lastError(), path)};
  if (application == DiaryStore::ApplicationId)
    return {version > DiaryStore::SchemaVersion ? Health::Newer : Health::Diary, version, {}};
  return {application == 0 && objects == 0 ? Health::Empty : Health::NotADiary, 0, {}};
}

// `from` takes the name `to` unless something has it already.
bool renamedWithoutReplacing(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system that cannot rename so: a second name first, then the first one away.
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  return ::unlink(from.c_str()) == 0;
}

std::atomic<unsigned> connectionsMade{0};

}  // namespace

DiaryPath userDiaryPath() {
  const ConfigFolder folder = dataFolderPath();
  if (folder.path.empty()) return {{}, folder.problem};
  return {folder.path + "/diario.sqlite", {}};
}

DiaryStore::DiaryStore(std::string path)
    : path_(std::move(path)), connection_(QStringLiteral("ortalba-diario-%1").arg(connectionsMade++)) {
  open(Opening::Read);
}

DiaryStore::~DiaryStore() { close(); }

QSqlDatabase DiaryStore::database() const { return QSqlDatabase::database(connection_, false); }

void DiaryStore::close() {
  if (QSqlDatabase::contains(connection_)) {
    database().close();
    QSqlDatabase::removeDatabase(connection_);
  }
  open_ = false;
}

bool DiaryStore::open(Opening opening) {
  if (open_) return true;
  problem_.clear();
  if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
    problem_ = "manca il driver SQLite di Qt (il pacchetto libqt6sql6-sqlite)";
    return false;
  }
  struct stat st {};
  const bool exists = ::stat(path_.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) {
    problem_ = "il diario non si può leggere: " + errorWords(errno);
    return false;
  }
  std::string aside;
  const auto setAside = [&](const char* what) {
    close();
    // Named after the diary and the day, numbered when that name is taken.
    const std::string folder = folderOf(path_);
    std::string stem = path_.substr(path_.find_last_of('/') + 1);
    if (stem.ends_with(".sqlite")) stem.resize(stem.size() - 7);
    const std::string day = QDate::currentDate().toString(Qt::ISODate).toStdString();
    for (int n = 1; n < 1000 && aside.empty(); ++n) {
      const std::string name = stem + "-danneggiato-" + day + (n > 1 ? "-" + std::to_string(n) : "") + ".sqlite";
      if (renamedWithoutReplacing(path_, folder + "/" + name)) aside = name;
      else if (errno != EEXIST) break;
    }
    if (aside.empty()) {
      problem_ = "il file " + path_ + " " + what + ", e non si può mettere da parte (" + errorWords(errno) +
                 "): il diario resta com'è, senza essere usato";
      return false;
    }
    // A journal left beside it belongs to it: beside a new diary it would be played into that one.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
      const std::string journal = path_ + suffix;
      if (::access(journal.c_str(), F_OK) == 0 && !renamedWithoutReplacing(journal, folder + "/" + aside + suffix)) {
        problem_ = "il diario è stato messo da parte come " + aside + ", ma non il suo giornale " + journal +
                   " (" + errorWords(errno) + "): si tolga a mano prima di scrivere nel diario";
        return false;
      }
    }
    notice_ = "Il file del diario " + path_ + " " + what + ": è stato messo da parte così com'era, come " + aside +
              " nella stessa cartella, e comincia un diario nuovo.";
    return true;
  };

  if (exists && !S_ISREG(st.st_mode)) {
    if (!setAside("non è un file ordinario")) return false;
    return opening == Opening::Write && open(opening);
  }
  if (!exists) {
    if (opening == Opening::Read) return false;  // no diary yet: nothing to read
    if (std::string problem = madeFolder(folderOf(path_)); !problem.empty()) {
      problem_ = problem;
      return false;
    }
  }

  Checked checked;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(QFile::decodeName(QByteArray::fromStdString(path_)));
    // A change waits this long for another window's to end.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    checked = db.open() ? check(db, path_)
                        : Checked{Health::Unreadable, 0, "il diario non si può aprire: " + reasonOf(db.lastError(), path_)};
  }
  switch (checked.health) {
    case Health::Unreadable:
      problem_ = checked.problem;
      close();
      return false;
    case Health::NotADiary:
    case Health::Damaged:
      if (!setAside(checked.health == Health::Damaged ? "era danneggiato" : "non era un diario di Ortalba")) return false;
      return opening == Opening::Write && open(opening);
    case Health::Newer:
      open_ = true;
      readOnly_ = "il diario è di una versione più recente di Ortalba, che questa legge soltanto";
      return true;
    case Health::Empty:
      if (opening == Opening::Read) {
        close();
        return false;  // an empty file, as a diary killed while it was being made leaves: made at the first change
      }
      [[fallthrough]];
    case Health::Diary:
      break;
  }
  open_ = true;
  if (checked.health == Health::Diary && checked.version == SchemaVersion) return true;
  // Brought up to this almanac's layout, all the steps in one change; another
  // window may have done it meanwhile, so the version is read again inside it.
  const app::WriteOutcome upgraded = transaction([&](QSqlDatabase& held) {
    QSqlQuery q(held);
    const int version = q.exec(QStringLiteral("PRAGMA user_version")) && q.next() ? q.value(0).toInt() : -1;
    q.finish();
    if (version < 0) return app::WriteOutcome::failed(reasonOf(q.lastError(), path_));
    for (int step = version; step < SchemaVersion; ++step) {
      for (const char* const* sql = Steps[step].statements; *sql != nullptr; ++sql)
        if (!q.exec(QString::fromLatin1(*sql))) return app::WriteOutcome::failed(reasonOf(q.lastError(), path_));
      if (Steps[step].after && !Steps[step].after(held)) return app::WriteOutcome::failed("il diario non si è potuto aggiornare");
    }
    if (!q.exec(QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId)) ||
        !q.exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion)))
      return app::WriteOutcome::failed(reasonOf(q.lastError(), path_));
    return app::WriteOutcome::done();
  });
  // One that cannot be brought up to date (its folder read-only) is read as it is.
  if (!upgraded) readOnly_ = "il diario non si è potuto aggiornare: " + upgraded.reason;
  return true;
}

app::WriteOutcome DiaryStore::transaction(const std::function<app::WriteOutcome(QSqlDatabase&)>& run) {
  if (!open(Opening::Write)) return app::WriteOutcome::failed(problem_);
  if (!readOnly_.empty()) return app::WriteOutcome::failed(readOnly_);
  QSqlDatabase db = database();
  QSqlQuery control(db);
  if (!control.exec(QStringLiteral("BEGIN IMMEDIATE"))) return app::WriteOutcome::failed(reasonOf(control.lastError(), path_));
  app::WriteOutcome outcome = run(db);
  if (outcome && control.exec(QStringLiteral("COMMIT"))) return outcome;
  if (outcome) outcome = app::WriteOutcome::failed(reasonOf(control.lastError(), path_));
  control.exec(QStringLiteral("ROLLBACK"));
  return outcome;
}

app::DiaryList DiaryStore::select(const QString& where, const std::vector<QString>& values, const QString& order) {
  app::DiaryList list;
  if (!open(Opening::Read)) {
    list.problem = problem_;
    return list;
  }
  QSqlQuery q(database());
  q.setForwardOnly(true);
  q.prepare(QStringLiteral("SELECT ") + Columns + QStringLiteral(" FROM entries WHERE ") + where +
            QStringLiteral(" ORDER BY ") + order);
  for (const QString& value : values) q.addBindValue(value);
  if (!q.exec()) {
    list.problem = reasonOf(q.lastError(), path_);
    return list;
  }
  while (q.next()) list.entries.push_back(entryOf(q));
  if (q.lastError().isValid()) {
    list.entries.clear();
    list.problem = reasonOf(q.lastError(), path_);
  }
  return list;
}

app::DiaryList DiaryStore::entriesBetween(const calendar::Date& first, const calendar::Date& last) {
  return select(QStringLiteral("day BETWEEN ? AND ?"), {isoText(first), isoText(last)}, QStringLiteral("day, id"));
}

app::DiaryList DiaryStore::remindersBetween(const calendar::Date& first, const calendar::Date& last) {
  return select(QStringLiteral("reminder BETWEEN ? AND ? AND reminder_done = 0"), {isoText(first), isoText(last)},
                QStringLiteral("reminder, id"));
}

std::bitset<32> DiaryStore::markedDays(int year, int month) {
  std::bitset<32> days;
  if (month < 1 || month > 12 || !open(Opening::Read)) return days;
  const QString first = isoText({1, month, year}), last = isoText({31, month, year});
  QSqlQuery q(database());
  q.setForwardOnly(true);
  q.prepare(QStringLiteral("SELECT DISTINCT substr(day, 9, 2) FROM entries WHERE day BETWEEN ? AND ? "
                           "UNION SELECT substr(reminder, 9, 2) FROM entries "
                           "WHERE reminder BETWEEN ? AND ? AND reminder_done = 0"));
  for (const QString& value : {first, last, first, last}) q.addBindValue(value);
  if (!q.exec()) return days;
  while (q.next())
    if (const int d = q.value(0).toInt(); d >= 1 && d <= 31) days.set(static_cast<std::size_t>(d));
  return days;
}

app::DiaryList DiaryStore::search(const app::DiaryQuery& query) {
  if (query.empty()) return {};
  QString where = QStringLiteral("day BETWEEN ? AND ?");
  std::vector<QString> values{isoText({1, 1, query.year.value_or(1)}), isoText({31, 12, query.year.value_or(9999)})};
  for (const std::string& word : query.words) {
    where += QStringLiteral(" AND instr(search, ?) > 0");
    values.push_back(text(word));
  }
  return select(where, values, QStringLiteral("day, id"));
}

namespace {

// Binds an entry's fields in the order of the insert and the search.
void bindFields(QSqlQuery& q, const app::DiaryEntry& e) {
  q.addBindValue(isoText(e.day));
  for (const std::string* field : {&e.job, &e.plants, &e.where, &e.quantity, &e.note}) q.addBindValue(text(*field));
  q.addBindValue(reminderValue(e));
}

const QString Insert = QStringLiteral(
    "INSERT INTO entries (day, job, plants, place, quantity, note, reminder, reminder_done, search) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");

bool inserted(QSqlQuery& insert, app::DiaryEntry& e) {
  bindFields(insert, e);
  insert.addBindValue(e.reminderDone ? 1 : 0);
  insert.addBindValue(text(app::searchTextOf(e)));
  if (!insert.exec()) return false;
  e.id = insert.lastInsertId().toLongLong();
  return true;
}

}  // namespace

app::WriteOutcome DiaryStore::add(app::DiaryEntry& entry) {
  app::DiaryEntry kept = entry;
  const app::WriteOutcome outcome = transaction([&](QSqlDatabase& db) {
    QSqlQuery insert(db);
    insert.prepare(Insert);
    return inserted(insert, kept) ? app::WriteOutcome::done() : app::WriteOutcome::failed(reasonOf(insert.lastError(), path_));
  });
  if (outcome) entry.id = kept.id;
  return outcome;
}

namespace {

// Inside a change: the diary still holds `before` as it was read.
app::WriteOutcome stillAsRead(QSqlDatabase& db, const app::DiaryEntry& before, const std::string& path) {
  QSqlQuery q(db);
  q.prepare(QStringLiteral("SELECT ") + Columns + QStringLiteral(" FROM entries WHERE id = ?"));
  q.addBindValue(QVariant::fromValue<qlonglong>(before.id));
  if (!q.exec()) return app::WriteOutcome::failed(reasonOf(q.lastError(), path));
  if (!q.next()) return app::WriteOutcome::failed("la voce non c'è più: è stata eliminata in un'altra finestra");
  if (!(entryOf(q) == before))
    return app::WriteOutcome::failed("la voce è stata cambiata in un'altra finestra; ora si vede com'è stata salvata");
  return app::WriteOutcome::done();
}

}  // namespace

app::WriteOutcome DiaryStore::change(const app::DiaryEntry& before, const app::DiaryEntry& after) {
  return transaction([&](QSqlDatabase& db) {
    if (app::WriteOutcome same = stillAsRead(db, before, path_); !same) return same;
    QSqlQuery update(db);
    update.prepare(QStringLiteral("UPDATE entries SET day = ?, job = ?, plants = ?, place = ?, quantity = ?, note = ?, "
                                  "reminder = ?, reminder_done = ?, search = ? WHERE id = ?"));
    bindFields(update, after);
    update.addBindValue(after.reminderDone ? 1 : 0);
    update.addBindValue(text(app::searchTextOf(after)));
    update.addBindValue(QVariant::fromValue<qlonglong>(before.id));
    return update.exec() ? app::WriteOutcome::done() : app::WriteOutcome::failed(reasonOf(update.lastError(), path_));
  });
}

app::WriteOutcome DiaryStore::remove(const app::DiaryEntry& entry) {
  return transaction([&](QSqlDatabase& db) {
    if (app::WriteOutcome same = stillAsRead(db, entry, path_); !same) return same;
    QSqlQuery erase(db);
    erase.prepare(QStringLiteral("DELETE FROM entries WHERE id = ?"));
    erase.addBindValue(QVariant::fromValue<qlonglong>(entry.id));
    return erase.exec() ? app::WriteOutcome::done() : app::WriteOutcome::failed(reasonOf(erase.lastError(), path_));
  });
}

app::WriteOutcome DiaryStore::dismissAll(const std::vector<app::DiaryEntry>& reminders) {
  return transaction([&](QSqlDatabase& db) {
    QSqlQuery dismiss(db);
    dismiss.prepare(QStringLiteral("UPDATE entries SET reminder_done = 1 WHERE id = ? AND reminder IS ?"));
    for (const app::DiaryEntry& e : reminders) {
      dismiss.addBindValue(QVariant::fromValue<qlonglong>(e.id));
      dismiss.addBindValue(reminderValue(e));
      if (!dismiss.exec()) return app::WriteOutcome::failed(reasonOf(dismiss.lastError(), path_));
    }
    return app::WriteOutcome::done();
  });
}

DiaryStore::Imported DiaryStore::addAll(const std::vector<app::DiaryEntry>& entries) {
  Imported imported;
  imported.outcome = transaction([&](QSqlDatabase& db) {
    // Those already kept are known before any is added: two equal lines of the file are two entries.
    QSqlQuery kept(db);
    kept.prepare(QStringLiteral("SELECT 1 FROM entries WHERE day = ? AND job = ? AND plants = ? AND place = ? "
                                "AND quantity = ? AND note = ? AND reminder IS ? LIMIT 1"));
    std::vector<bool> known(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
      bindFields(kept, entries[i]);
      if (!kept.exec()) return app::WriteOutcome::failed(reasonOf(kept.lastError(), path_));
      known[i] = kept.next();
      kept.finish();
    }
    QSqlQuery insert(db);
    insert.prepare(Insert);
    imported.added = imported.alreadyKept = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (known[i]) {
        ++imported.alreadyKept;
        continue;
      }
      app::DiaryEntry e = entries[i];
      if (!inserted(insert, e)) return app::WriteOutcome::failed(reasonOf(insert.lastError(), path_));
      ++imported.added;
    }
    return app::WriteOutcome::done();
  });
  if (!imported.outcome) imported.added = imported.alreadyKept = 0;
  return imported;
}

}  // namespace ortalba
