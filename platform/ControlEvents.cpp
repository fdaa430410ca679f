// SPDX-License-Identifier: GPL-3.0-or-later
// The native events of a control's widget, turned into the control's events.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "platform/Controls.h"
#include "platform/Menus.h"
#include "platform/QtInternal.h"

namespace {

// Keys that Qt reports without a character of their own reach KeyDown as these.
const std::map<int, char> kControlKeys = {
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},     {Qt::Key_Backtab, 9},  {Qt::Key_Return, 13},
    {Qt::Key_Enter, 3},     {Qt::Key_Escape, 27}, {Qt::Key_Left, 28},    {Qt::Key_Right, 29},
    {Qt::Key_Up, 30},       {Qt::Key_Down, 31},   {Qt::Key_Delete, 127}, {Qt::Key_Home, 1},
    {Qt::Key_End, 4}};

// What a typed key is to a text control.
enum class KeyKind {
  Character,  // puts its character in the text, whatever modifiers produced it (AltGr too)
  Keeping,    // the caret keys, Tab, Return, Escape: the text stays as it is
  Editing,    // Backspace or Delete, applied as the plain key
  Other,      // raises no KeyDown: a shortcut, a function key, a modifier alone
};

struct TypedKey {
  KeyKind kind;
  String key;  // as KeyDown sees it; empty for Other
};

TypedKey Classify(const QKeyEvent& event) {
  const Qt::KeyboardModifiers held =
      event.modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
  if (auto it = kControlKeys.find(event.key()); it != kControlKeys.end()) {
    String key(1, it->second);
    if (key != "\b" && key != "\x7f") return {KeyKind::Keeping, key};
    // With Ctrl, Alt or Meta they delete words or lines; with Shift, Delete would cut.
    if (held & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
      return {KeyKind::Other, {}};
    }
    return {KeyKind::Editing, key};
  }
  const QString text = event.text();
  if (text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 127) {
    return {KeyKind::Other, {}};
  }
  // Ctrl alone or with Shift makes a shortcut, never a character; Ctrl with Alt is AltGr.
  if (held == Qt::ControlModifier || held == (Qt::ControlModifier | Qt::ShiftModifier)) {
    return {KeyKind::Other, {}};
  }
  return {KeyKind::Character, FromQt(text)};
}

class EventGlue : public QObject {
 public:
  EventGlue(RectControl& control, QWidget* widget) : QObject(widget), control_(&control) {
    widget->installEventFilter(this);
  }
  // The control has let go of its widget: events that still arrive go nowhere.
  void detach() { control_ = nullptr; }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (!control_) return false;
    switch (event->type()) {
      case QEvent::FocusIn:
        control_->RaiseAction("GotFocus");
        return false;
      case QEvent::FocusOut:
        control_->RaiseAction("LostFocus");
        return false;
      case QEvent::ShortcutOverride:
        // Not accepted here, so the menu's shortcut fires instead of the key reaching KeyDown.
        if (IsMenuShortcut(*static_cast<QKeyEvent*>(event))) {
          event->ignore();
          return true;
        }
        return false;
      case QEvent::KeyPress:
        return !forwarding_ && keyPress(*static_cast<QKeyEvent*>(event));
      case QEvent::InputMethod:
        // Text composed by an input method or a dead key would skip KeyDown, and a read-only
        // control would take it all the same.
        return dynamic_cast<TextControl*>(control_) != nullptr;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
        return mouse(static_cast<QMouseEvent*>(event), true);
      case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
        return mouse(static_cast<QMouseEvent*>(event), false);
      case QEvent::Enter:
        control_->RaiseAction("MouseEnter");
        return false;
      case QEvent::Leave:
        control_->RaiseAction("MouseExit");
        return false;
      default:
        return false;
    }
  }

 private:
  bool keyPress(QKeyEvent& event) {
    auto* text = dynamic_cast<TextControl*>(control_);
    if (!text) return false;
    const bool editable = !text->ReadOnly();
    const TypedKey typed = Classify(event);
    if (typed.kind == KeyKind::Other) {
      // Of the widget's own shortcuts, an editable control keeps only those that change no text.
      if (!editable || event.key() == Qt::Key_Menu) return false;
      return !event.matches(QKeySequence::Copy) && !event.matches(QKeySequence::SelectAll);
    }
    if (control_->RaiseKeyDown(typed.key)) return true;
    // The handler may have closed the window.
    if (control_ != text) return true;
    if (typed.key == "\t") return text->AcceptTabs();  // taken as typed: the focus stays
    if (typed.kind == KeyKind::Character && wouldPassLimit(*text)) return true;
    if (!editable || typed.kind == KeyKind::Keeping) return false;
    // The widget applies the key as if typed alone: AltGr+5 is 5, Shift+Delete deletes.
    QKeyEvent plain(QEvent::KeyPress, event.key(), Qt::NoModifier, event.text(),
                    event.isAutoRepeat(), quint16(event.count()));
    forwarding_ = true;
    QCoreApplication::sendEvent(text->NativeWidget(), &plain);
    forwarding_ = false;
    return true;
  }

  // Typing that would leave more characters than the limit is refused.
  static bool wouldPassLimit(TextControl& text) {
    if (text.LimitText() <= 0) return false;
    auto* field = qobject_cast<QLineEdit*>(text.NativeWidget());
    if (!field) return false;
    return field->text().size() - field->selectedText().size() + 1 > text.LimitText();
  }

  bool mouse(QMouseEvent* event, bool down) {
    QPoint at = event->position().toPoint();
    if (down) {
      mouseTaken_ = control_->RaiseMouseDown(at.x(), at.y());
      return mouseTaken_;
    }
    if (!mouseTaken_) return false;
    mouseTaken_ = false;
    control_->RaiseMouseUp(at.x(), at.y());
    return true;
  }

  RectControl* control_;
  bool mouseTaken_ = false;
  bool forwarding_ = false;
};

}  // namespace

QObject* AttachEvents(RectControl& control, QWidget* widget) {
  return new EventGlue(control, widget);
}

void DetachEvents(QObject* glue) { static_cast<EventGlue*>(glue)->detach(); }
