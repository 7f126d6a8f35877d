#pragma once
// The notes viewer's side of the RTF reader: the parsed document turned into a
// QTextDocument, and the month's file loaded with a notice when it cannot be read.
#include "rtf/rtf_document.h"

#include <QString>

class QTextDocument;

namespace rtf {

// Shown in place of a notes document that is missing, unreadable or empty.
inline constexpr char kNotesUnavailable[] = "Note del mese non disponibili";

// Files are read up to this size; a longer one is read as if cut there.
inline constexpr qint64 kMaxNotesFileBytes = 64 * 1024 * 1024;

// Replaces the contents of `target` with `document`.
void fillTextDocument(const Document& document, QTextDocument& target);

// Replaces the contents of `target` with `kNotesUnavailable`.
void fillWithNotice(QTextDocument& target);

// Shows `result` in `target`: its text when it is readable, otherwise the notice.
// Returns whether the text was readable.
bool showReadResult(const ReadResult& result, QTextDocument& target);

// Reads the RTF file at `path` into `target`. Returns true when the file gave
// text; false when `target` now holds the notice instead.
bool loadNotesDocument(const QString& path, QTextDocument& target);

}  // namespace rtf
