// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Controls.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOption>
#include <QTextDocument>
#include <cmath>

#include "platform/QtInternal.h"
#include "platform/Runtime.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "platform/testing/NativeAccess.h"

namespace {

constexpr size_t kAction = SignatureOf<ActionEvent>, kKeyDown = SignatureOf<KeyDownEvent>,
                 kMouseDown = SignatureOf<MouseDownEvent>, kMouseUp = SignatureOf<MouseUpEvent>;

bool Raises(std::initializer_list<std::pair<const char*, size_t>> events, const String& event,
            size_t signature) {
  for (auto [name, index] : events) {
    if (event == name) return signature == index;
  }
  return false;
}

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

QColor ToQColor(const Color& c) { return QColor(c.red, c.green, c.blue); }

// The display takes text only through typed keys, which KeyDown sees: no paste, no drop.
class FieldWidget : public QLineEdit {
 public:
  FieldWidget() { setAcceptDrops(false); }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::MiddleButton) return event->accept();
    QLineEdit::mousePressEvent(event);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::MiddleButton) return event->accept();  // X11 selection paste
    QLineEdit::mouseReleaseEvent(event);
  }
};

// A text control's context menu offers only what changes no text, whether the control is
// editable or not: the widgets' own menus paste, cut, delete, undo and redo.
template <class W>
void OfferReadingMenu(W* widget, QWidget* origin, bool (*hasSelection)(const W*)) {
  widget->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(widget, &QWidget::customContextMenuRequested, widget, [=](QPoint at) {
    auto* menu = new QMenu(widget);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto shortcut = [](QKeySequence::StandardKey key) {
      return '\t' + QKeySequence(key).toString(QKeySequence::NativeText);
    };
    menu->addAction(QMenu::tr("&Copy") + shortcut(QKeySequence::Copy), widget, &W::copy)
        ->setEnabled(hasSelection(widget));
    menu->addSeparator();
    menu->addAction(QMenu::tr("Select All") + shortcut(QKeySequence::SelectAll), widget,
                    &W::selectAll);
    menu->popup(origin->mapToGlobal(at));
  });
}

// Draws a control as the desktop's style does, but never its keyboard focus.
class NoFocusRingStyle : public QProxyStyle {
 public:
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element == PE_FrameFocusRect) return;
    if (option && (option->state & State_HasFocus)) {
      if (auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option)) {
        QStyleOptionFrame unfocused(*frame);
        unfocused.state &= ~State_HasFocus;
        return QProxyStyle::drawPrimitive(element, &unfocused, painter, widget);
      }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
};

class RectangleWidget : public QWidget {
 public:
  Color fill{255, 255, 255}, topLeft{0, 0, 0}, bottomRight{0, 0, 0};
  int32_t border = 1;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(fill));
    int w = width(), h = height(), b = std::min({border, w / 2, h / 2});
    if (b <= 0) return;
    painter.fillRect(0, 0, w, b, ToQColor(topLeft));
    painter.fillRect(0, 0, b, h, ToQColor(topLeft));
    painter.fillRect(0, h - b, w, b, ToQColor(bottomRight));
    painter.fillRect(w - b, 0, b, h, ToQColor(bottomRight));
  }
};

}  // namespace

// Turns the widget's native events into the control's events.
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
        // Text composed by an input method would skip KeyDown.
        return isEditableText();
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

  bool isEditableText() const {
    auto* text = dynamic_cast<TextControl*>(control_);
    return text && !text->ReadOnly();
  }

  RectControl* control_;
  bool mouseTaken_ = false;
  bool forwarding_ = false;
};

// Control.

Control::~Control() = default;

bool Control::ApplyProperty(const String&, const PropertyValue&) { return false; }

bool Control::RaisesEvent(const String&, size_t) const { return false; }

void Control::InstallHandler(const String& event, EventHandler handler) {
  if (!RaisesEvent(event, handler.index())) {
    throw RuntimeException(ClassName() + " raises no event " + event +
                           " with that handler's signature");
  }
  handlers_[event] = std::move(handler);
}

void InstallInstanceEventHandler(Control& control, const String& event, EventHandler handler) {
  control.InstallHandler(event, std::move(handler));
}

void Control::RaiseAction(const String& event) {
  auto it = handlers_.find(event);
  if (it == handlers_.end()) return;
  ActionEvent handler = std::get<ActionEvent>(it->second);  // a copy: the handler may rewire
  Guarded(handler);
}

bool Control::RaiseKeyDown(const String& key) {
  auto it = handlers_.find("KeyDown");
  if (it == handlers_.end()) return false;
  KeyDownEvent handler = std::get<KeyDownEvent>(it->second);
  // A handler that fails drops the key: nothing reaches the widget unseen.
  bool dropped = true;
  Guarded([&] { dropped = handler(key); });
  return dropped;
}

bool Control::RaiseMouseDown(int32_t x, int32_t y) {
  auto it = handlers_.find("MouseDown");
  if (it == handlers_.end()) return false;
  MouseDownEvent handler = std::get<MouseDownEvent>(it->second);
  bool taken = false;
  Guarded([&] { taken = handler(x, y); });
  return taken;
}

void Control::RaiseMouseUp(int32_t x, int32_t y) {
  auto it = handlers_.find("MouseUp");
  if (it == handlers_.end()) return;
  MouseUpEvent handler = std::get<MouseUpEvent>(it->second);
  Guarded([&] { handler(x, y); });
}

QObject* NativeObject(Control& control) { return control.Native(); }

RectControl* ControlOfWidget(const QWidget* widget) {
  Registries* running = Running();
  if (!running) return nullptr;
  for (; widget; widget = widget->parentWidget()) {
    auto it = running->widgetControls.find(widget);
    if (it != running->widgetControls.end()) return it->second;
  }
  return nullptr;
}

// RectControl.

RectControl::~RectControl() { ReleaseNative(true); }

void RectControl::Constructor() {
  if (widget_) return;
  widget_ = MakeWidget();
  widget_->setParent(Owner().ClientArea());
  glue_ = new EventGlue(*this, widget_);
  Registry().widgetControls[widget_] = this;
  applyFont();
}

void RectControl::ReleaseNative(bool now) {
  if (!widget_) return;
  if (Registries* running = Running()) running->widgetControls.erase(widget_);
  static_cast<EventGlue*>(glue_)->detach();
  // Not hidden here: hiding would move the focus to a sibling whose handlers still listen.
  // Its window hides once every control has let go.
  if (now) {
    delete widget_;
  } else {
    widget_->deleteLater();
  }
  widget_ = nullptr;
  glue_ = nullptr;
}

QObject* RectControl::Native() const { return widget_; }

QWidget* RectControl::widget() const {
  if (!widget_) throw NilObjectException(ClassName() + " " + Name() + " has no window open");
  return widget_;
}

void RectControl::SetEnabled(bool enabled) { widget()->setEnabled(enabled); }
void RectControl::SetVisible(bool visible) { widget()->setVisible(visible); }
// Qt keeps the request for a window that is not active yet and honours it when it becomes so.
void RectControl::SetFocus() { widget()->setFocus(Qt::OtherFocusReason); }
void RectControl::Refresh(bool) { widget()->repaint(); }

void RectControl::SetMouseCursor(const std::shared_ptr<MouseCursor>& cursor) {
  if (!cursor) return widget()->unsetCursor();
  widget()->setCursor(cursor->shape == MouseCursor::Shape::FingerPointer ? Qt::PointingHandCursor
                                                                         : Qt::ArrowCursor);
}

String RectControl::TextFont() const { return font_; }
void RectControl::SetTextFont(const String& font) {
  font_ = font;
  applyFont();
}
float RectControl::TextSize() const { return size_; }
void RectControl::SetTextSize(float size) {
  size_ = size;
  applyFont();
}
void RectControl::SetTextUnit(int32_t) {}

void RectControl::applyFont() {
  if (!widget_) return;
  // "System" and no name both mean the desktop's own face.
  QFont font = (font_.empty() || font_ == "System") ? QApplication::font() : QFont(ToQt(font_));
  if (size_ > 0) font.setPixelSize(std::max(1, int(std::lround(size_))));
  font.setBold(bold_);
  font.setItalic(italic_);
  font.setUnderline(underline_);
  widget_->setFont(font);
}

int32_t RectControl::Left() const { return widget()->x(); }

void RectControl::place() {
  widget()->setGeometry(left_, top_, std::max(0, width_), std::max(0, height_));
}

namespace {

void SetFocusPolicyBit(QWidget* widget, Qt::FocusPolicy bit, bool on) {
  int policy = widget->focusPolicy();
  widget->setFocusPolicy(Qt::FocusPolicy(on ? policy | bit : policy & ~bit));
}

}  // namespace

bool RectControl::ApplyProperty(const String& name, const PropertyValue& value) {
  using T = RectControl;
  auto geometry = [](int32_t T::*field) {
    return [field](T& c, const PropertyValue& v) {
      c.*field = As<int32_t>(v);
      c.place();
    };
  };
  auto fontFlag = [](bool T::*field) {
    return [field](T& c, const PropertyValue& v) {
      c.*field = As<bool>(v);
      c.applyFont();
    };
  };
  static const PropertyTable<T> table = {
      {"Name", [](T& c, const PropertyValue& v) { c.SetName(As<String>(v)); }},
      {"Index", Inert<int32_t, T>},  // controls stand alone here, never in arrays
      {"Left", geometry(&T::left_)},
      {"Top", geometry(&T::top_)},
      {"Width", geometry(&T::width_)},
      {"Height", geometry(&T::height_)},
      // A window keeps its size, so no edge a control could follow ever moves.
      {"LockLeft", Inert<bool, T>},
      {"LockTop", Inert<bool, T>},
      {"LockRight", Inert<bool, T>},
      {"LockBottom", Inert<bool, T>},
      {"TabPanelIndex", Inert<int32_t, T>},
      {"TabIndex", [](T& c, const PropertyValue& v) { c.tabIndex_ = As<int32_t>(v); }},
      {"TabStop",
       [](T& c, const PropertyValue& v) {
         SetFocusPolicyBit(c.widget(), Qt::TabFocus, As<bool>(v));
       }},
      {"InitialParent", Inert<String, T>},
      {"Enabled", [](T& c, const PropertyValue& v) { c.SetEnabled(As<bool>(v)); }},
      {"Visible", [](T& c, const PropertyValue& v) { c.SetVisible(As<bool>(v)); }},
      {"AutoDeactivate", Inert<bool, T>},
      {"HelpTag",
       [](T& c, const PropertyValue& v) { c.widget()->setToolTip(ToQt(As<String>(v))); }},
      {"TextFont", [](T& c, const PropertyValue& v) { c.SetTextFont(As<String>(v)); }},
      {"Bold", fontFlag(&T::bold_)},
      {"Italic", fontFlag(&T::italic_)},
      {"Underline", fontFlag(&T::underline_)},
      {"DataSource", Inert<String, T>},
      {"DataField", Inert<String, T>},
  };
  return ApplyFrom(table, *this, name, value) || Control::ApplyProperty(name, value);
}

// PushButton.

QWidget* PushButton::MakeWidget() {
  auto* button = new QPushButton();
  QObject::connect(button, &QPushButton::clicked, button, [this] { RaiseAction("Action"); });
  return button;
}

void PushButton::SetCaption(const String& caption) {
  static_cast<QPushButton*>(widget())->setText(ToQt(caption));
}
void PushButton::Push() { RaiseAction("Action"); }

bool PushButton::ApplyProperty(const String& name, const PropertyValue& value) {
  using T = PushButton;
  static const PropertyTable<T> table = {
      {"Caption", [](T& c, const PropertyValue& v) { c.SetCaption(As<String>(v)); }},
      {"Default",
       [](T& c, const PropertyValue& v) {
         static_cast<QPushButton*>(c.widget())->setDefault(As<bool>(v));
       }},
      // Escape is not bound to a button on this desktop.
      {"Cancel", Inert<bool, T>},
  };
  return ApplyFrom(table, *this, name, value) || RectControl::ApplyProperty(name, value);
}

bool PushButton::RaisesEvent(const String& event, size_t signature) const {
  return Raises({{"Action", kAction}, {"GotFocus", kAction}, {"LostFocus", kAction}}, event,
                signature) ||
         Control::RaisesEvent(event, signature);
}

// TextControl.

bool TextControl::ReadOnly() const { return widget()->property("readOnly").toBool(); }
void TextControl::SetReadOnly(bool readOnly) { widget()->setProperty("readOnly", readOnly); }

void TextControl::SetColors() {
  QPalette palette = widget()->palette();
  palette.setColor(QPalette::Text, ToQColor(textColor_));
  palette.setColor(QPalette::Base, ToQColor(backColor_));
  if (hideSelection_) {
    // The selection of a control without the focus is drawn in the inactive colours.
    palette.setColor(QPalette::Inactive, QPalette::Highlight, ToQColor(backColor_));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, ToQColor(textColor_));
  }
  widget()->setPalette(palette);
}

bool TextControl::ApplyProperty(const String& name, const PropertyValue& value) {
  using T = TextControl;
  static const PropertyTable<T> table = {
      {"Text", [](T& c, const PropertyValue& v) { c.SetText(As<String>(v)); }},
      {"ReadOnly", [](T& c, const PropertyValue& v) { c.SetReadOnly(As<bool>(v)); }},
      {"LimitText", [](T& c, const PropertyValue& v) { c.limitText_ = As<int32_t>(v); }},
      {"Alignment", [](T& c, const PropertyValue& v) { c.SetAlignment(As<int32_t>(v)); }},
      {"AcceptTabs", [](T& c, const PropertyValue& v) { c.acceptTabs_ = As<bool>(v); }},
      {"UseFocusRing",
       [](T& c, const PropertyValue& v) {
         if (As<bool>(v)) return c.widget()->setStyle(nullptr);
         auto* style = new NoFocusRingStyle();
         style->setParent(c.widget());
         c.widget()->setStyle(style);
       }},
      {"TextColor",
       [](T& c, const PropertyValue& v) {
         c.textColor_ = As<Color>(v);
         c.SetColors();
       }},
      {"BackColor",
       [](T& c, const PropertyValue& v) {
         c.backColor_ = As<Color>(v);
         c.SetColors();
       }},
      {"Format", Inert<String, T>},  // no format or mask is used: typing goes through KeyDown
      {"Mask", Inert<String, T>},
  };
  return ApplyFrom(table, *this, name, value) || RectControl::ApplyProperty(name, value);
}

bool TextControl::RaisesEvent(const String& event, size_t signature) const {
  return Raises({{"KeyDown", kKeyDown}, {"GotFocus", kAction}, {"LostFocus", kAction}}, event,
                signature) ||
         Control::RaisesEvent(event, signature);
}

namespace {

Qt::Alignment TextAlignment(int32_t code) {
  switch (code) {
    case 0:
    case 1:
      return Qt::AlignLeft;
    case 2:
      return Qt::AlignHCenter;
    case 3:
      return Qt::AlignRight;
  }
  throw RuntimeException("no alignment " + std::to_string(code));
}

}  // namespace

// TextField.

QWidget* TextField::MakeWidget() {
  auto* field = new FieldWidget();
  OfferReadingMenu<QLineEdit>(field, field,
                              [](const QLineEdit* line) { return line->hasSelectedText(); });
  return field;
}

namespace {
QLineEdit* FieldOf(QWidget* widget) { return static_cast<QLineEdit*>(widget); }
}  // namespace

String TextField::Text() const { return FromQt(FieldOf(widget())->text()); }
void TextField::SetText(const String& text) { FieldOf(widget())->setText(ToQt(text)); }
void TextField::SetSelStart(int32_t position) {
  FieldOf(widget())->setCursorPosition(std::max(0, position));
}
void TextField::Copy() { FieldOf(widget())->copy(); }

void TextField::SetAlignment(int32_t code) {
  FieldOf(widget())->setAlignment(TextAlignment(code) | Qt::AlignVCenter);
}

bool TextField::ApplyProperty(const String& name, const PropertyValue& value) {
  using T = TextField;
  static const PropertyTable<T> table = {
      {"Border", [](T& c, const PropertyValue& v) { FieldOf(c.widget())->setFrame(As<bool>(v)); }},
      {"Password",
       [](T& c, const PropertyValue& v) {
         FieldOf(c.widget())->setEchoMode(As<bool>(v) ? QLineEdit::Password : QLineEdit::Normal);
       }},
      {"CueText",
       [](T& c, const PropertyValue& v) {
         FieldOf(c.widget())->setPlaceholderText(ToQt(As<String>(v)));
       }},
  };
  return ApplyFrom(table, *this, name, value) || TextControl::ApplyProperty(name, value);
}

// TextArea.

namespace {
QPlainTextEdit* AreaOf(QWidget* widget) { return static_cast<QPlainTextEdit*>(widget); }

// Qt lays out a line of the pane whole, and wraps a run without a space in time that grows
// with the square of its length: a few megabytes on one line would hold the window for
// seconds or minutes. A line grown past kLongLine characters is broken before its next word,
// or at twice that length when none comes.
constexpr qsizetype kLongLine = 4096;

bool EndsLine(QChar c) { return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator; }

// `text` as the pane shows it, continuing after `before` a line of `line` characters; `line`
// becomes the length of the line it ends with. Only what comes before a character decides a
// break there, so a text broken in pieces breaks as it does whole.
QString Broken(const QString& text, QChar before, ptrdiff_t& line) {
  QString broken;
  qsizetype from = 0;  // what is not yet copied to `broken`
  for (qsizetype i = 0; i < text.size(); before = text[i++]) {
    QChar c = text[i];
    if (EndsLine(c)) {
      line = 0;
      continue;
    }
    bool nextWord = line > kLongLine && before.isSpace() && !c.isSpace();
    if (nextWord || (line >= 2 * kLongLine && !c.isLowSurrogate())) {
      broken += QStringView(text).mid(from, i - from);
      broken += u'\n';
      from = i;
      line = 0;
    }
    ++line;
  }
  if (broken.isEmpty()) return text;
  broken += QStringView(text).mid(from);
  return broken;
}

// Appending gives the same pane as setting the whole text only where the cut splits no UTF-8
// sequence and no CR LF pair: after an ASCII character other than CR.
bool AppendsTo(const String& old, const String& text) {
  if (text.size() < old.size() || text.compare(0, old.size(), old) != 0) return false;
  if (old.empty()) return true;
  auto last = uint8_t(old.back());
  return last < 0x80 && last != '\r';
}
}  // namespace

QWidget* TextArea::MakeWidget() {
  auto* area = new QPlainTextEdit();
  OfferReadingMenu<QPlainTextEdit>(area, area->viewport(), [](const QPlainTextEdit* plain) {
    return plain->textCursor().hasSelection();
  });
  // Text only ever grows at its end here; an undo history of a long tape would only cost.
  area->document()->setUndoRedoEnabled(false);
  QObject::connect(area, &QPlainTextEdit::textChanged, area, [this] {
    if (!writing_) textStale_ = true;
  });
  return area;
}

String TextArea::Text() const {
  if (textStale_) {
    text_ = FromQt(AreaOf(widget())->toPlainText());
    textStale_ = false;
  }
  return text_;
}

void TextArea::SetText(const String& text) {
  QPlainTextEdit* area = AreaOf(widget());
  bool typedInto = textStale_;  // then the pane holds lines that were never broken
  Text();
  writing_ = true;
  if (!typedInto && AppendsTo(text_, text)) {
    if (text.size() > text_.size()) {
      QTextCursor end(area->document());
      end.movePosition(QTextCursor::End);
      QChar before = text_.empty() ? QChar() : QChar(text_.back());
      end.insertText(Broken(ToQt(text.substr(text_.size())), before, lineLength_));
    }
  } else {
    lineLength_ = 0;
    area->setPlainText(Broken(ToQt(text), QChar(), lineLength_));
  }
  writing_ = false;
  text_ = text;
}

void TextArea::SetScrollPosition(int32_t line) {
  QScrollBar* bar = AreaOf(widget())->verticalScrollBar();
  bar->setValue(std::clamp(line, bar->minimum(), bar->maximum()));
}

void TextArea::Copy() { AreaOf(widget())->copy(); }

void TextArea::SetAlignment(int32_t code) {
  QTextDocument* document = AreaOf(widget())->document();
  QTextOption option = document->defaultTextOption();
  option.setAlignment(TextAlignment(code));
  document->setDefaultTextOption(option);
}

bool TextArea::ApplyProperty(const String& name, const PropertyValue& value) {
  using T = TextArea;
  auto bar = [](T& c, const PropertyValue& v) {
    AreaOf(c.widget())
        ->setVerticalScrollBarPolicy(As<bool>(v) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  };
  static const PropertyTable<T> table = {
      {"Border",
       [](T& c, const PropertyValue& v) {
         AreaOf(c.widget())->setFrameShape(As<bool>(v) ? QFrame::StyledPanel : QFrame::NoFrame);
       }},
      {"Multiline", Inert<bool, T>},  // an area is always several lines here
      {"ScrollbarVertical", bar},
      // No horizontal bar: lines wrap at the area's width instead.
      {"ScrollbarHorizontal",
       [](T& c, const PropertyValue& v) {
         bool horizontal = As<bool>(v);
         QPlainTextEdit* area = AreaOf(c.widget());
         area->setLineWrapMode(horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
         area->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded
                                                       : Qt::ScrollBarAlwaysOff);
       }},
      {"Styled", Inert<bool, T>},  // the text is always plain
      {"HideSelection",
       [](T& c, const PropertyValue& v) {
         c.hideSelection_ = As<bool>(v);
         c.SetColors();
       }},
  };
  return ApplyFrom(table, *this, name, value) || TextControl::ApplyProperty(name, value);
}

// StaticText.

namespace {
QLabel* LabelOf(QWidget* widget) { return static_cast<QLabel*>(widget); }
}  // namespace

QWidget* StaticText::MakeWidget() {
  auto* label = new QLabel();
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);
  return label;
}

String StaticText::Text() const { return FromQt(LabelOf(widget())->text()); }
void StaticText::SetText(const String& text) { LabelOf(widget())->setText(ToQt(text)); }

bool StaticText::ApplyProperty(const String& name, const PropertyValue& value) {
  using T = StaticText;
  static const PropertyTable<T> table = {
      {"Text", [](T& c, const PropertyValue& v) { c.SetText(As<String>(v)); }},
      {"TextColor",
       [](T& c, const PropertyValue& v) {
         QPalette palette = c.widget()->palette();
         palette.setColor(QPalette::WindowText, ToQColor(As<Color>(v)));
         c.widget()->setPalette(palette);
       }},
      {"TextAlign",
       [](T& c, const PropertyValue& v) {
         static const Qt::Alignment kAligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
         int32_t code = As<int32_t>(v);
         if (code < 0 || code > 2) throw RuntimeException("no alignment " + std::to_string(code));
         LabelOf(c.widget())->setAlignment(kAligns[code] | Qt::AlignTop);
       }},
      {"Multiline",
       [](T& c, const PropertyValue& v) { LabelOf(c.widget())->setWordWrap(As<bool>(v)); }},
  };
  return ApplyFrom(table, *this, name, value) || RectControl::ApplyProperty(name, value);
}

bool StaticText::RaisesEvent(const String& event, size_t signature) const {
  return Raises({{"MouseDown", kMouseDown},
                 {"MouseUp", kMouseUp},
                 {"MouseEnter", kAction},
                 {"MouseExit", kAction}},
                event, signature) ||
         Control::RaisesEvent(event, signature);
}

// Rectangle.

QWidget* Rectangle::MakeWidget() { return new RectangleWidget(); }

bool Rectangle::ApplyProperty(const String& name, const PropertyValue& value) {
  using T = Rectangle;
  auto color = [](Color RectangleWidget::*field) {
    return [field](T& c, const PropertyValue& v) {
      auto* widget = static_cast<RectangleWidget*>(c.widget());
      widget->*field = As<Color>(v);
      widget->update();
    };
  };
  static const PropertyTable<T> table = {
      {"FillColor", color(&RectangleWidget::fill)},
      {"TopLeftColor", color(&RectangleWidget::topLeft)},
      {"BottomRightColor", color(&RectangleWidget::bottomRight)},
      {"BorderWidth",
       [](T& c, const PropertyValue& v) {
         auto* widget = static_cast<RectangleWidget*>(c.widget());
         widget->border = std::max(0, As<int32_t>(v));
         widget->update();
       }},
  };
  return ApplyFrom(table, *this, name, value) || RectControl::ApplyProperty(name, value);
}
