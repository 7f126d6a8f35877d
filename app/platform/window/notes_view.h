// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The month's gardening notes beside the grid: loaded from the RTF document, set
// to the window's zoom, with the passages that fit the selected day's moon marked.
#include <QTextBrowser>
#include <optional>
#include <string>
#include <vector>

#include "app/italian_words.h"
#include "app/notes_passages.h"

class QTextDocument;

namespace ortalba {

class NotesView : public QTextBrowser {
  Q_OBJECT
 public:
  explicit NotesView(QWidget* parent);

  // Shows the document at `path` (the file system's own bytes; the installed copy
  // when the working folder has none) at `zoom`. Asked again for the same document
  // it is read again, as it may have changed on disk, and the reader keeps his place
  // (after a zoom, the same share of the text). No passage is marked until markFor().
  void load(const std::string& path, double zoom);
  // The same document at another zoom.
  void setZoom(double zoom);
  double zoom() const { return zoom_; }

  // Marks the passages for the day's moon and says so to a screen reader;
  // Neutral (a full or new moon) marks none.
  void markFor(app::PhaseMark mark);

 private:
  std::string path_;
  bool loaded_ = false;
  double zoom_ = 1;
  std::vector<app::MoonPassage> passages_;
  std::optional<app::PhaseMark> marked_;  // what the notes are marked for; none: not yet
};

// The document at `path` read into `viewer`, set a little smaller for its column
// and as large as the window is drawn (`zoom`, 1 at design size).
void loadNotesInto(QTextBrowser* viewer, const std::string& path, double zoom = 1.0, rtf::Document* parsed = nullptr);

// Marks the notes' passages for `mark` (its sub-heading and advice) with a soft
// ground of the bar's colour, and clears the others; Neutral clears them all.
// The text, and so the reader's place in it, stays as it is.
void markPassages(QTextDocument& notes, const std::vector<app::MoonPassage>& passages, app::PhaseMark mark);

}  // namespace ortalba
