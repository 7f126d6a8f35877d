// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The notes viewer's side of the RTF reader: the parsed document turned into a
// QTextDocument, and the month's file loaded with a notice when it cannot be read.
#include "rtf/layout_bounds.h"
#include "rtf/rtf_document.h"

#include <QString>
#include <string>

class QTextDocument;

namespace rtf {

// Shown in place of a notes document that is missing, unreadable or empty.
inline constexpr char NotesUnavailable[] = "Note del mese non disponibili";

// Files are read up to this size; a longer one is read as if cut there.
inline constexpr qint64 MaxNotesFileBytes = 64 * 1024 * 1024;

// Replaces the contents of `target` with `document`, within `bounds` (so that
// laying it out stays quick), its text sizes multiplied by `fontScale`.
void fillTextDocument(const Document& document, QTextDocument& target, double fontScale = 1.0,
                      const LayoutBounds& bounds = {});

// Replaces the contents of `target` with `NotesUnavailable`.
void fillWithNotice(QTextDocument& target, double fontScale = 1.0);

// Shows `result` in `target`: its text when it is readable, otherwise the notice.
// Returns whether the text was readable.
bool showReadResult(const ReadResult& result, QTextDocument& target, double fontScale = 1.0);

// Reads the RTF file at `path` (the file system's own bytes) into `target`.
// Returns true when the file gave text; false when `target` now holds the
// notice instead (also for anything that is not a regular file: a pipe or a
// device is never waited on).
// `parsed`, when given, receives the document as read (empty when it was not).
bool loadNotesFile(const std::string& path, QTextDocument& target, double fontScale = 1.0,
                   Document* parsed = nullptr);
// The same for a path in Qt's terms.
bool loadNotesDocument(const QString& path, QTextDocument& target, double fontScale = 1.0);

}  // namespace rtf
