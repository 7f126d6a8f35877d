// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The diary in the window: a dialog for the selected day (its entries, added,
// changed and deleted, its reminders, and the search of the whole diary), the
// editor of one entry, and the notice of the reminders whose day has come. All of
// it by keyboard, with the names a screen reader says. What they show and do is
// the window model's diary (app::DiaryPanel); they only ask it and show it.
#include <QDialog>
#include <QPointer>
#include <functional>
#include <vector>

#include "app/window_model.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace ortalba {

// One entry, as the gardener writes it. Salva hands it to `save`; when that
// fails, the editor stays open with everything typed in it and says why.
class DiaryEntryEditor : public QDialog {
  Q_OBJECT
 public:
  using Save = std::function<app::WriteOutcome(const app::DiaryEntry&)>;
  DiaryEntryEditor(const app::DiaryEntry& entry, Save save, QWidget* parent);
  // The entry as typed so far.
  app::DiaryEntry entry() const;
  // Why it was not saved, once Salva failed; empty before.
  QString problem() const;
  QComboBox* job() const { return job_; }
  QLineEdit* plants() const { return plants_; }
  QPlainTextEdit* note() const { return note_; }
  QPushButton* saveButton() const { return saveButton_; }

 private:
  void trySave();

  app::DiaryEntry original_;
  Save save_;
  QDateEdit* day_;
  QComboBox* job_;
  QLineEdit* plants_;
  QLineEdit* where_;
  QLineEdit* quantity_;
  QPlainTextEdit* note_;
  QCheckBox* remind_;
  QDateEdit* reminder_;
  QLabel* problem_;
  QPushButton* saveButton_;
};

// The diary of the day the window shows. `changed` runs after every change, so
// that the window shows it; `goTo` shows a day found by the search in the window.
class DiaryDialog : public QDialog {
  Q_OBJECT
 public:
  DiaryDialog(app::WindowModel& form, std::function<void()> changed, std::function<void(calendar::Date)> goTo,
              QWidget* parent);
  // The day the window shows, its entries and reminders, read again.
  void showDay();

  // The widgets, for tests.
  QListWidget* entries() const { return entries_; }
  QListWidget* found() const { return found_; }
  QLineEdit* search() const { return search_; }
  QPushButton* addButton() const { return add_; }
  QPushButton* editButton() const { return edit_; }
  QPushButton* deleteButton() const { return delete_; }
  QPushButton* doneButton() const { return done_; }
  QLabel* status() const { return status_; }
  DiaryEntryEditor* editor() const { return editor_; }

 private:
  // The row of the list, as an entry done that day or a reminder of that day.
  struct Row {
    app::DiaryEntry entry;
    bool reminder = false;
  };
  const Row* selectedRow() const;
  void updateButtons();
  void say(const QString& text, bool problem);
  void openEditor(const app::DiaryEntry& entry, bool isNew);
  void deleteSelected();
  void dismissSelected();
  void runSearch();
  void afterChange(const app::WriteOutcome& outcome, const QString& done);

  app::WindowModel& form_;
  std::function<void()> changed_;
  std::function<void(calendar::Date)> goTo_;
  std::vector<Row> rows_;
  std::vector<app::DiaryFound> results_;
  QLabel* heading_;
  QListWidget* entries_;
  QPushButton *add_, *edit_, *delete_, *done_;
  QLineEdit* search_;
  QListWidget* found_;
  QLabel* status_;
  QPointer<DiaryEntryEditor> editor_;  // the editor open, until it goes (also with this dialog)
};

// The reminders whose day has come, each shown until it is marked done: a small
// notice over the window, when there are any; none when there are not.
QDialog* showDueReminders(app::WindowModel& form, const std::function<void()>& changed, QWidget* parent);

}  // namespace ortalba
