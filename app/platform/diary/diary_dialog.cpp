// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/diary/diary_dialog.h"

#include "almanac/notes_advice.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/platform/qt/qt_colours.h"
#include "app/platform/qt/qt_text.h"
#include "app/platform/window/moon_cue.h"

#include <algorithm>
#include <memory>

namespace ortalba {

namespace {

// The reminders the notice lists at most: the most recent, when years of them are due.
constexpr std::size_t RemindersShown = 100;

QDate qDate(const calendar::Date& d) { return QDate(d.year, d.month, d.day); }
calendar::Date dateOf(const QDate& d) { return {d.day(), d.month(), d.year()}; }

QDateEdit* dateEdit(QWidget* parent) {
  auto* edit = new QDateEdit(parent);
  edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  edit->setCalendarPopup(true);
  edit->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
  return edit;
}

// A line of a list: what was done, a note's first line, and the reminder's day
// where the line does not say it already.
QString entryLine(const app::DiaryEntry& e, bool withReminder = true) {
  QString line = toQString(app::entrySummary(e));
  const QString note = toQString(e.note).section(QLatin1Char('\n'), 0, 0).trimmed();
  if (!note.isEmpty()) line += (line.isEmpty() ? QString() : QStringLiteral(" — ")) + note;
  if (withReminder && e.reminder && !e.reminderDone)
    line += QStringLiteral(" · promemoria il %1").arg(toQString(app::dayWords(*e.reminder)));
  return line;
}

QString reminderLine(const app::DiaryEntry& e) {
  return QStringLiteral("Promemoria dal diario del %1: %2").arg(toQString(app::dayWords(e.day)), entryLine(e, false));
}

// What failed, as the gardener reads it.
QString notSaved(const app::WriteOutcome& outcome) {
  return QStringLiteral("Non salvato: %1.").arg(toQString(outcome.reason));
}

void setProblemColour(QLabel* label, bool problem) {
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, problem ? feastRed(true) : QApplication::palette().color(QPalette::WindowText));
  label->setPalette(pal);
}

}  // namespace

DiaryEntryEditor::DiaryEntryEditor(const app::DiaryEntry& entry, Save save, QWidget* parent)
    : QDialog(parent), original_(entry), save_(std::move(save)) {
  setWindowTitle(entry.id == 0 ? QStringLiteral("Nuova voce del diario") : QStringLiteral("Voce del diario"));
  auto* form = new QFormLayout;
  day_ = dateEdit(this);
  day_->setDate(qDate(entry.day));
  job_ = new QComboBox(this);
  job_->setEditable(true);
  // The day's-work jobs of the notes first; any other words do as well.
  for (const almanac::NotesJob& job : almanac::NotesJobs) job_->addItem(toQString(job.name));
  job_->setCurrentText(toQString(entry.job));
  plants_ = new QLineEdit(toQString(entry.plants), this);
  where_ = new QLineEdit(toQString(entry.where), this);
  quantity_ = new QLineEdit(toQString(entry.quantity), this);
  note_ = new QPlainTextEdit(toQString(entry.note), this);
  note_->setTabChangesFocus(true);  // Tab goes on to the reminder, as in every other field
  remind_ = new QCheckBox(QStringLiteral("il giorno"), this);
  reminder_ = dateEdit(this);
  remind_->setChecked(entry.reminder.has_value());
  reminder_->setDate(qDate(entry.reminder.value_or(calendar::addDays(entry.day, 14))));
  reminder_->setEnabled(entry.reminder.has_value());
  connect(remind_, &QCheckBox::toggled, reminder_, &QWidget::setEnabled);
  auto* reminderRow = new QHBoxLayout;
  reminderRow->addWidget(remind_);
  reminderRow->addWidget(reminder_, 1);

  // Each field with its label as the screen reader says it, and a key to reach it.
  const struct {
    const char16_t* label;
    const char16_t* name;
    QWidget* field;
  } fields[] = {{u"&Giorno:", u"Giorno", day_},         {u"&Lavoro:", u"Lavoro", job_},
                {u"&Piante:", u"Piante", plants_},      {u"&Dove:", u"Dove", where_},
                {u"&Quantità:", u"Quantità", quantity_}, {u"&Nota:", u"Nota", note_}};
  for (const auto& f : fields) {
    auto* label = new QLabel(QString::fromUtf16(f.label), this);
    label->setBuddy(f.field);
    f.field->setAccessibleName(QString::fromUtf16(f.name));
    form->addRow(label, f.field);
  }
  auto* reminderLabel = new QLabel(QStringLiteral("P&romemoria:"), this);
  reminderLabel->setBuddy(remind_);
  remind_->setAccessibleName(QStringLiteral("Promemoria"));
  reminder_->setAccessibleName(QStringLiteral("Giorno del promemoria"));
  form->addRow(reminderLabel, reminderRow);

  problem_ = new QLabel(this);
  problem_->setWordWrap(true);
  problem_->setAccessibleName(QStringLiteral("Avviso"));
  setProblemColour(problem_, true);
  problem_->hide();
  auto* buttons = new QDialogButtonBox(this);
  saveButton_ = buttons->addButton(QStringLiteral("&Salva"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
  saveButton_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &DiaryEntryEditor::trySave);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(problem_);
  layout->addWidget(buttons);
  resize(sizeHint().width() * 3 / 2, sizeHint().height());
  (entry.id == 0 ? static_cast<QWidget*>(job_) : plants_)->setFocus();
}

app::DiaryEntry DiaryEntryEditor::entry() const {
  app::DiaryEntry e = original_;
  e.day = dateOf(day_->date());
  e.job = job_->currentText().trimmed().toStdString();
  e.plants = plants_->text().trimmed().toStdString();
  e.where = where_->text().trimmed().toStdString();
  e.quantity = quantity_->text().trimmed().toStdString();
  e.note = note_->toPlainText().trimmed().toStdString();
  const std::optional<calendar::Date> reminder =
      remind_->isChecked() ? std::optional<calendar::Date>(dateOf(reminder_->date())) : std::nullopt;
  // A reminder moved to another day is to be shown again.
  if (reminder != original_.reminder) e.reminderDone = false;
  e.reminder = reminder;
  return e;
}

QString DiaryEntryEditor::problem() const { return problem_->isHidden() ? QString() : problem_->text(); }

void DiaryEntryEditor::trySave() {
  const app::WriteOutcome outcome = save_(entry());
  if (outcome) {
    accept();
    return;
  }
  // Everything typed stays where it is; the gardener reads why, and may try again.
  problem_->setText(notSaved(outcome) + QStringLiteral(" Quello che si è scritto resta qui."));
  problem_->show();
  problem_->setFocus();
}

DiaryDialog::DiaryDialog(app::WindowModel& form, std::function<void()> changed, std::function<void(calendar::Date)> goTo,
                         QWidget* parent)
    : QDialog(parent), form_(form), changed_(std::move(changed)), goTo_(std::move(goTo)) {
  setWindowTitle(QStringLiteral("Diario dell'orto"));
  heading_ = new QLabel(this);
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  entries_ = new QListWidget(this);
  entries_->setAccessibleName(QStringLiteral("Voci del giorno"));
  entries_->setWordWrap(true);
  auto* entriesLabel = new QLabel(QStringLiteral("&Voci del giorno:"), this);
  entriesLabel->setBuddy(entries_);
  add_ = new QPushButton(QStringLiteral("&Aggiungi…"), this);
  edit_ = new QPushButton(QStringLiteral("&Modifica…"), this);
  delete_ = new QPushButton(QStringLiteral("&Elimina"), this);
  done_ = new QPushButton(QStringLiteral("&Fatto"), this);
  done_->setToolTip(QStringLiteral("Il promemoria scelto non si mostra più"));
  auto* actions = new QHBoxLayout;
  for (QPushButton* button : {add_, edit_, delete_, done_}) {
    button->setAutoDefault(false);
    actions->addWidget(button);
  }
  actions->addStretch();

  search_ = new QLineEdit(this);
  search_->setPlaceholderText(QStringLiteral("pianta e anno, per esempio pomodoro 2026"));
  search_->setAccessibleName(QStringLiteral("Cerca nel diario"));
  search_->setClearButtonEnabled(true);
  auto* searchLabel = new QLabel(QStringLiteral("&Cerca in tutto il diario:"), this);
  searchLabel->setBuddy(search_);
  found_ = new QListWidget(this);
  found_->setAccessibleName(QStringLiteral("Voci trovate"));
  // Thousands of entries may be found: a line each, laid out alike.
  found_->setUniformItemSizes(true);
  found_->setToolTip(QStringLiteral("Invio o doppio clic: mostra quel giorno"));
  status_ = new QLabel(this);
  status_->setWordWrap(true);
  status_->setAccessibleName(QStringLiteral("Stato del diario"));
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  layout->addWidget(entriesLabel);
  layout->addWidget(entries_, 2);
  layout->addLayout(actions);
  layout->addWidget(searchLabel);
  layout->addWidget(search_);
  layout->addWidget(found_, 2);
  layout->addWidget(status_);
  layout->addWidget(close);
  resize(560, 520);

  connect(add_, &QPushButton::clicked, this, [this] {
    app::DiaryEntry fresh;
    fresh.day = form_.diary.day;
    openEditor(fresh, true);
  });
  connect(edit_, &QPushButton::clicked, this, [this] {
    if (const Row* row = selectedRow()) openEditor(row->entry, false);
  });
  connect(entries_, &QListWidget::itemActivated, this, [this] {
    if (const Row* row = selectedRow()) openEditor(row->entry, false);
  });
  connect(delete_, &QPushButton::clicked, this, &DiaryDialog::deleteSelected);
  connect(done_, &QPushButton::clicked, this, &DiaryDialog::dismissSelected);
  connect(entries_, &QListWidget::currentRowChanged, this, &DiaryDialog::updateButtons);
  connect(search_, &QLineEdit::returnPressed, this, &DiaryDialog::runSearch);
  connect(search_, &QLineEdit::textChanged, this, &DiaryDialog::runSearch);
  connect(found_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    const int row = found_->row(item);
    if (row >= 0 && row < int(results_.size())) goTo_(results_[std::size_t(row)].entry.day);
  });
  showDay();
}

void DiaryDialog::showDay() {
  const calendar::Date day = form_.diary.day;
  app::DiaryMoons moons(form_.preferences.reckoning);
  const std::string weekday = app::WeekdayNames[std::size_t(calendar::weekday(day.day, day.month, day.year) - 1)];
  heading_->setText(QStringLiteral("%1 %2 · %3").arg(toQString(weekday), toQString(app::dayWords(day)),
                                                    toQString(moons.wordsOf(day))));
  const int keep = entries_->currentRow();
  rows_.clear();
  for (const app::DiaryEntry& e : form_.diary.dayEntries) rows_.push_back({e, false});
  for (const app::DiaryEntry& e : form_.diary.dayReminders) rows_.push_back({e, true});
  {
    const QSignalBlocker quiet(entries_);
    entries_->clear();
    for (const Row& row : rows_) entries_->addItem(row.reminder ? reminderLine(row.entry) : entryLine(row.entry));
    if (rows_.empty()) {
      entries_->addItem(QStringLiteral("Nessuna voce per questo giorno: Aggiungi ne scrive una."));
      entries_->item(0)->setFlags(Qt::ItemIsEnabled);
    }
    if (!rows_.empty()) entries_->setCurrentRow(std::clamp(keep, 0, int(rows_.size()) - 1));
  }
  const QString unreadable = QStringLiteral("Il diario non si può leggere");
  if (!form_.diary.problem.empty())
    say(QStringLiteral("%1: %2.").arg(unreadable, toQString(form_.diary.problem)), true);
  else if (status_->text().startsWith(unreadable))
    say({}, false);
  updateButtons();
  if (!search_->text().trimmed().isEmpty()) runSearch();
}

const DiaryDialog::Row* DiaryDialog::selectedRow() const {
  const int row = entries_->currentRow();
  return row >= 0 && row < int(rows_.size()) ? &rows_[std::size_t(row)] : nullptr;
}

void DiaryDialog::updateButtons() {
  const Row* row = selectedRow();
  edit_->setEnabled(row != nullptr);
  delete_->setEnabled(row != nullptr && !row->reminder);
  done_->setEnabled(row != nullptr && row->reminder);
}

void DiaryDialog::say(const QString& text, bool problem) {
  status_->setText(text);
  setProblemColour(status_, problem);
}

void DiaryDialog::afterChange(const app::WriteOutcome& outcome, const QString& done) {
  changed_();  // the window, and this dialog with it, show the diary as it now is
  say(outcome ? done : notSaved(outcome), !outcome);
}

void DiaryDialog::openEditor(const app::DiaryEntry& entry, bool isNew) {
  const app::DiaryEntry before = entry;
  editor_ = new DiaryEntryEditor(entry, [this, before, isNew](const app::DiaryEntry& typed) {
    const app::WriteOutcome outcome = isNew ? form_.diary.add(typed) : form_.diary.change(before, typed);
    afterChange(outcome, isNew ? QStringLiteral("Voce aggiunta.") : QStringLiteral("Voce salvata."));
    return outcome;
  }, this);
  editor_->setAttribute(Qt::WA_DeleteOnClose);
  editor_->setWindowModality(Qt::WindowModal);
  editor_->show();
}

void DiaryDialog::deleteSelected() {
  const Row* row = selectedRow();
  if (!row || row->reminder) return;
  const app::DiaryEntry entry = row->entry;
  auto* box = new QMessageBox(QMessageBox::Question, QStringLiteral("Elimina la voce"),
                              QStringLiteral("Eliminare dal diario la voce «%1»?").arg(entryLine(entry)),
                              QMessageBox::Yes | QMessageBox::No, this);
  box->setDefaultButton(QMessageBox::No);
  box->setAttribute(Qt::WA_DeleteOnClose);
  connect(box, &QMessageBox::finished, this, [this, box, entry](int) {
    if (box->clickedButton() != box->button(QMessageBox::Yes)) return;
    afterChange(form_.diary.remove(entry), QStringLiteral("Voce eliminata."));
  });
  box->open();
}

void DiaryDialog::dismissSelected() {
  const Row* row = selectedRow();
  if (!row || !row->reminder) return;
  afterChange(form_.diary.dismiss(row->entry), QStringLiteral("Promemoria fatto: non si mostra più."));
}

void DiaryDialog::runSearch() {
  results_ = form_.diary.search(search_->text().toStdString(), form_.preferences.reckoning);
  found_->clear();
  for (const app::DiaryFound& f : results_)
    found_->addItem(QStringLiteral("%1 · %2 · %3")
                        .arg(toQString(calendar::dateText(f.entry.day)), toQString(f.moon), entryLine(f.entry)));
  if (search_->text().trimmed().isEmpty()) return;
  say(results_.empty() ? QStringLiteral("Nessuna voce trovata.")
                       : results_.size() == 1 ? QStringLiteral("Una voce trovata.")
                                              : QStringLiteral("%1 voci trovate.").arg(results_.size()),
      false);
}

QDialog* showDueReminders(app::WindowModel& form, const std::function<void()>& changed, QWidget* parent) {
  const calendar::Date today = form.platform().today();
  auto due = std::make_shared<std::vector<app::DiaryEntry>>(form.diary.dueReminders(today));
  if (due->empty()) return nullptr;
  auto* notice = new QDialog(parent);
  notice->setAttribute(Qt::WA_DeleteOnClose);
  notice->setWindowTitle(QStringLiteral("Promemoria del diario"));
  auto* said = new QLabel(notice);
  said->setWordWrap(true);
  auto* list = new QListWidget(notice);
  list->setAccessibleName(QStringLiteral("Promemoria"));
  list->setWordWrap(true);
  said->setBuddy(list);
  auto* status = new QLabel(notice);
  status->setWordWrap(true);
  // The reminders as the list shows them, so that the one marked done is the one
  // the gardener sees: the most recent ones, when years of them are due.
  auto shown = std::make_shared<std::vector<app::DiaryEntry>>();
  const auto fill = [&form, today, notice, said, list, due, shown](bool readAgain) {
    if (readAgain) *due = form.diary.dueReminders(today);
    if (due->empty()) return notice->accept();
    shown->assign(due->end() - static_cast<std::ptrdiff_t>(std::min(due->size(), RemindersShown)), due->end());
    said->setText(due->size() == 1 ? QStringLiteral("Un promemoria del diario, di oggi o dei giorni scorsi:")
                  : due->size() <= RemindersShown
                      ? QStringLiteral("%1 promemoria del diario, di oggi o dei giorni scorsi:").arg(due->size())
                      : QStringLiteral("%1 promemoria del diario, di oggi o dei giorni scorsi; qui i %2 più recenti:")
                            .arg(due->size())
                            .arg(RemindersShown));
    list->clear();
    for (const app::DiaryEntry& e : *shown)
      list->addItem(QStringLiteral("%1 — %2 (dal diario del %3)")
                        .arg(toQString(app::dayWords(*e.reminder)), entryLine(e, false), toQString(app::dayWords(e.day))));
    list->setCurrentRow(0);
  };
  const auto after = [changed, status, fill](const app::WriteOutcome& outcome) {
    changed();
    status->setText(outcome ? QString() : notSaved(outcome));
    fill(true);
  };
  auto* buttons = new QDialogButtonBox(notice);
  QPushButton* done = buttons->addButton(QStringLiteral("&Fatto"), QDialogButtonBox::ActionRole);
  done->setToolTip(QStringLiteral("Il promemoria scelto non si mostra più"));
  QPushButton* all = buttons->addButton(QStringLiteral("&Tutti fatti…"), QDialogButtonBox::ActionRole);
  all->setToolTip(QStringLiteral("Nessuno di questi promemoria si mostra più"));
  buttons->addButton(QStringLiteral("&Più tardi"), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::rejected, notice, &QDialog::reject);
  QObject::connect(done, &QPushButton::clicked, notice, [&form, list, shown, after] {
    const int row = list->currentRow();
    if (row >= 0 && row < int(shown->size())) after(form.diary.dismiss((*shown)[std::size_t(row)]));
  });
  QObject::connect(all, &QPushButton::clicked, notice, [&form, notice, due, after] {
    auto* box = new QMessageBox(QMessageBox::Question, QStringLiteral("Tutti fatti"),
                                QStringLiteral("Segnare come fatti tutti i %1 promemoria?").arg(due->size()),
                                QMessageBox::Yes | QMessageBox::No, notice);
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, notice, [&form, box, due, after](int) {
      if (box->clickedButton() == box->button(QMessageBox::Yes)) after(form.diary.dismissAll(*due));
    });
    box->open();
  });
  auto* layout = new QVBoxLayout(notice);
  layout->addWidget(said);
  layout->addWidget(list);
  layout->addWidget(status);
  layout->addWidget(buttons);
  fill(false);
  notice->resize(480, 260);
  notice->show();
  list->setFocus();
  return notice;
}

}  // namespace ortalba
