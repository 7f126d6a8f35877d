#pragma once
// What a screen reader finds in the window: buttons that can be pressed, the city
// list with the city in focus as its selected one, the notes as a document, and
// the panel's texts as text; the bars and pictures are decoration.
#include <QTextBrowser>

namespace ortalba {

// The notes viewer, a document to a screen reader.
class NotesViewer : public QTextBrowser {
  Q_OBJECT
 public:
  using QTextBrowser::QTextBrowser;
};

// Makes the window's own widgets known to the accessibility layer (once).
void installAccessibility();

}  // namespace ortalba
