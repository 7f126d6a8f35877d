#pragma once
// The month's gardening notes, from their rich-text file into a document.
#include <QString>

class QTextDocument;

namespace ortalba {

inline constexpr const char* NotesMissingNotice = "Note del mese non disponibili";

// Replaces the document's content by the notes read from `path`; when nothing can
// be read, by a short notice. Returns whether the notes were read.
bool loadNotesDocument(const QString& path, QTextDocument* document);

}  // namespace ortalba
