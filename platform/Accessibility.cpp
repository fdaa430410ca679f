// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive tools reach through the widgets' accessibility interfaces: they read the
// text controls, move their caret and selection, but edit neither, since text enters only as
// typed keys; and a button's press clicks it at once.
#include "platform/Accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLoggingCategory>
#include <QStringList>
#include <algorithm>

#include "platform/QtInternal.h"

namespace {

// The toolkit's own interface of a widget, with the rules above laid over it.
class RuledInterface : public QAccessibleInterface,
                       public QAccessibleTextInterface,
                       public QAccessibleActionInterface {
 public:
  explicit RuledInterface(QAccessibleInterface* standard)
      : standard_(standard), standardId_(QAccessible::uniqueId(standard)) {}
  ~RuledInterface() override { QAccessible::deleteAccessibleInterface(standardId_); }

  bool isValid() const override { return standard_->isValid(); }
  QObject* object() const override { return standard_->object(); }
  QWindow* window() const override { return standard_->window(); }
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override {
    return standard_->relations(match);
  }
  QAccessibleInterface* focusChild() const override { return standard_->focusChild(); }
  QAccessibleInterface* childAt(int x, int y) const override { return standard_->childAt(x, y); }
  QAccessibleInterface* parent() const override { return standard_->parent(); }
  QAccessibleInterface* child(int index) const override { return standard_->child(index); }
  int childCount() const override { return standard_->childCount(); }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return standard_->indexOfChild(child);
  }
  QString text(QAccessible::Text t) const override { return standard_->text(t); }
  // The value of a text control is its text.
  void setText(QAccessible::Text t, const QString& text) override {
    if (t != QAccessible::Value) standard_->setText(t, text);
  }
  QRect rect() const override { return standard_->rect(); }
  QAccessible::Role role() const override { return standard_->role(); }
  QAccessible::State state() const override { return standard_->state(); }
  QColor foregroundColor() const override { return standard_->foregroundColor(); }
  QColor backgroundColor() const override { return standard_->backgroundColor(); }
  void virtual_hook(int id, void* data) override { standard_->virtual_hook(id, data); }

  void* interface_cast(QAccessible::InterfaceType type) override {
    switch (type) {
      case QAccessible::EditableTextInterface:
        return nullptr;
      case QAccessible::TextInterface:
        return standard_->textInterface() ? static_cast<QAccessibleTextInterface*>(this) : nullptr;
      case QAccessible::ActionInterface:
        return standard_->actionInterface() ? static_cast<QAccessibleActionInterface*>(this)
                                            : nullptr;
      default:
        return standard_->interface_cast(type);
    }
  }

  // Text. A tool may ask with offsets of the text before it changed (the range that a change
  // removed, say): they are taken as the end of the text instead of being warned about.
  void selection(int index, int* start, int* end) const override {
    standardText()->selection(index, start, end);
  }
  int selectionCount() const override { return standardText()->selectionCount(); }
  void addSelection(int start, int end) override {
    standardText()->addSelection(within(start), within(end));
  }
  void removeSelection(int index) override { standardText()->removeSelection(index); }
  void setSelection(int index, int start, int end) override {
    standardText()->setSelection(index, within(start), within(end));
  }
  int cursorPosition() const override { return standardText()->cursorPosition(); }
  void setCursorPosition(int position) override {
    standardText()->setCursorPosition(within(position));
  }
  QString text(int start, int end) const override {
    return standardText()->text(within(start), within(end));
  }
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                           int* end) const override {
    return standardText()->textBeforeOffset(within(offset), boundary, start, end);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                          int* end) const override {
    return standardText()->textAfterOffset(within(offset), boundary, start, end);
  }
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                       int* end) const override {
    return standardText()->textAtOffset(within(offset), boundary, start, end);
  }
  int characterCount() const override { return standardText()->characterCount(); }
  // At the end of the text the toolkit measures the character after it, of which there is none,
  // and complains before it answers rightly: the end, zero wide.
  QRect characterRect(int offset) const override {
    offset = within(offset);
    if (offset < characterCount()) return standardText()->characterRect(offset);
    QLoggingCategory* messages = QLoggingCategory::defaultCategory();
    const bool warns = messages->isWarningEnabled();
    messages->setEnabled(QtWarningMsg, false);
    const QRect end = standardText()->characterRect(offset);
    messages->setEnabled(QtWarningMsg, warns);
    return end;
  }
  int offsetAtPoint(const QPoint& point) const override {
    return standardText()->offsetAtPoint(point);
  }
  void scrollToSubstring(int start, int end) override {
    standardText()->scrollToSubstring(within(start), within(end));
  }
  QString attributes(int offset, int* start, int* end) const override {
    return standardText()->attributes(within(offset), start, end);
  }

  // Actions.
  QStringList actionNames() const override { return standardActions()->actionNames(); }
  QString localizedActionName(const QString& name) const override {
    return standardActions()->localizedActionName(name);
  }
  QString localizedActionDescription(const QString& name) const override {
    return standardActions()->localizedActionDescription(name);
  }
  // The toolkit's press is an animated click that lands later, so that presses closer together
  // than its animation merge or come in another order.
  void doAction(const QString& name) override {
    auto* button = qobject_cast<QAbstractButton*>(object());
    if (button && name == pressAction()) return button->click();
    standardActions()->doAction(name);
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    return standardActions()->keyBindingsForAction(name);
  }

 private:
  QAccessibleTextInterface* standardText() const { return standard_->textInterface(); }
  QAccessibleActionInterface* standardActions() const { return standard_->actionInterface(); }
  // Negative offsets keep their meaning (the caret, the end).
  int within(int offset) const { return std::min(offset, characterCount()); }

  QAccessibleInterface* const standard_;
  const QAccessible::Id standardId_;
};

// The widget whose standard interface is being made, which the factory leaves to the toolkit.
QObject* makingStandard = nullptr;

// The widgets the controls are made of. Their standard interface, made first, keeps its own
// place among the toolkit's interfaces; the widget itself is then known by the ruled one.
QAccessibleInterface* RuledFactory(const QString& className, QObject* object) {
  static const QStringList kRuled = {"QLineEdit", "QPlainTextEdit", "QPushButton"};
  if (object == makingStandard || !kRuled.contains(className)) return nullptr;
  makingStandard = object;
  QAccessibleInterface* standard = QAccessible::queryAccessibleInterface(object);
  makingStandard = nullptr;
  return standard ? new RuledInterface(standard) : nullptr;
}

}  // namespace

void InstallAccessibleRules() {
  // Asked before the toolkit's own factory, which every new QApplication installs anew.
  QAccessible::removeFactory(RuledFactory);
  QAccessible::installFactory(RuledFactory);
}
