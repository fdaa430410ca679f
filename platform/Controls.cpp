// SPDX-License-Identifier: GPL-3.0-or-later
// Every control's core: its handlers, its place and font; the push button and the rectangle.
#include "platform/Controls.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <cmath>

#include "platform/QtInternal.h"
#include "platform/Runtime.h"
#include "platform/System.h"

namespace {

// The control behind each widget that a control made, for a run.
struct WidgetControls {
  std::map<const QWidget*, RectControl*> byWidget;
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

RectControl* ControlOfWidget(const QWidget* widget) {
  auto* run = RunStateOrNull<WidgetControls>();
  if (!run) return nullptr;
  for (; widget; widget = widget->parentWidget()) {
    auto it = run->byWidget.find(widget);
    if (it != run->byWidget.end()) return it->second;
  }
  return nullptr;
}

// RectControl.

RectControl::~RectControl() { ReleaseNative(true); }

void RectControl::Constructor() {
  if (widget_) return;
  widget_ = MakeWidget();
  glue_ = AttachEvents(*this, widget_);
  RunState<WidgetControls>().byWidget[widget_] = this;
  applyFont();
}

void RectControl::ReleaseNative(bool now) {
  if (!widget_) return;
  if (auto* run = RunStateOrNull<WidgetControls>()) run->byWidget.erase(widget_);
  DetachEvents(glue_);
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
