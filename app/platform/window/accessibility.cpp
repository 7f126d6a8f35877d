// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/window/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <algorithm>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "app/platform/window/notes_view.h"
#include "app/platform/window/widgets.h"

namespace ortalba {

namespace {

// The day bars, the picker boxes and the pictures: what they say is said by the
// buttons on them.
class Decoration : public QAccessibleWidget {
 public:
  explicit Decoration(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Graphic) {}
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.invisible = true;
    return s;
  }
};

// A text of the panel: a label whose text a screen reader can read as text.
class AccessibleText : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit AccessibleText(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return label()->text();
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    return s;
  }

  // QAccessibleTextInterface: the label's text, which has no cursor and no selection.
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int start, int end) const override {
    const QString all = label()->text();
    start = std::clamp(start, 0, int(all.size()));
    end = end < 0 ? int(all.size()) : std::clamp(end, start, int(all.size()));
    return all.mid(start, end - start);
  }
  int characterCount() const override { return int(label()->text().size()); }
  QRect characterRect(int) const override { return rect(); }
  int offsetAtPoint(const QPoint&) const override { return 0; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override {
    *start = offset;
    *end = offset;
    return {};
  }

 private:
  QLabel* label() const { return static_cast<QLabel*>(widget()); }
};

// The month's notes: a read-only document whose text a screen reader can read.
class AccessibleNotes : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit AccessibleNotes(NotesView* viewer) : QAccessibleWidget(viewer, QAccessible::Document) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    s.focusable = true;
    return s;
  }

  // QAccessibleTextInterface
  void selection(int index, int* start, int* end) const override {
    const QTextCursor c = viewer()->textCursor();
    *start = index == 0 && c.hasSelection() ? c.selectionStart() : 0;
    *end = index == 0 && c.hasSelection() ? c.selectionEnd() : 0;
  }
  int selectionCount() const override { return viewer()->textCursor().hasSelection() ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int) override {
    QTextCursor c = viewer()->textCursor();
    c.clearSelection();
    viewer()->setTextCursor(c);
  }
  void setSelection(int, int start, int end) override {
    QTextCursor c(viewer()->document());
    c.setPosition(clamped(start));
    c.setPosition(clamped(end), QTextCursor::KeepAnchor);
    viewer()->setTextCursor(c);
  }
  int cursorPosition() const override { return viewer()->textCursor().position(); }
  void setCursorPosition(int position) override {
    QTextCursor c = viewer()->textCursor();
    c.setPosition(clamped(position));
    viewer()->setTextCursor(c);
  }
  QString text(int start, int end) const override {
    return plain().mid(clamped(start), clamped(end) - clamped(start));
  }
  int characterCount() const override { return int(plain().size()); }
  QRect characterRect(int offset) const override {
    QTextCursor c(viewer()->document());
    c.setPosition(clamped(offset));
    const QRect r = viewer()->cursorRect(c);
    return QRect(viewer()->viewport()->mapToGlobal(r.topLeft()), r.size());
  }
  int offsetAtPoint(const QPoint& point) const override {
    return viewer()->cursorForPosition(viewer()->viewport()->mapFromGlobal(point)).position();
  }
  void scrollToSubstring(int start, int) override {
    QTextCursor c(viewer()->document());
    c.setPosition(clamped(start));
    viewer()->setTextCursor(c);
    viewer()->ensureCursorVisible();
  }
  QString attributes(int offset, int* start, int* end) const override {
    *start = offset;
    *end = offset;
    return {};
  }

 private:
  NotesView* viewer() const { return static_cast<NotesView*>(widget()); }
  QString plain() const { return viewer()->document()->toPlainText(); }
  int clamped(int position) const { return std::clamp(position, 0, characterCount()); }
};

QAccessibleInterface* almanacWidgets(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  if (className == QLatin1String("ortalba::DesignLabel")) return new AccessibleText(static_cast<DesignLabel*>(object));
  // The notes' scrolling area: its inner widgets are the document's own frame.
  if (className == QLatin1String("QWidget") && object->objectName().startsWith(QLatin1String("qt_scrollarea_")) &&
      qobject_cast<NotesView*>(object->parent()))
    return new Decoration(static_cast<QWidget*>(object));
  if (className == QLatin1String("ortalba::ShapeWidget") || className == QLatin1String("ortalba::PictureWidget") ||
      className == QLatin1String("ortalba::CueLegend") || className == QLatin1String("ortalba::PlantMarkWidget"))
    return new Decoration(static_cast<QWidget*>(object));
  if (className == QLatin1String("ortalba::NotesView")) return new AccessibleNotes(static_cast<NotesView*>(object));
  if (className == QLatin1String("ortalba::MainWindow"))
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  return nullptr;
}

}  // namespace

void installAccessibility() {
  static const bool installed = (QAccessible::installFactory(almanacWidgets), true);
  (void)installed;
}

}  // namespace ortalba
