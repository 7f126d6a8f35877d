#include "app/platform/notes_loader.h"

#include <QTextDocument>

namespace ortalba {

bool loadNotesDocument(const QString& path, QTextDocument* document) {
  (void)path;
  document->setPlainText(QString::fromUtf8(NotesMissingNotice));
  return false;
}

}  // namespace ortalba
