// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <memory>

#include "platform/Events.h"
#include "platform/Properties.h"
#include "platform/Types.h"

class QWidget;
class QObject;
struct MouseCursor;

// A control belongs to one window and is found there by its name.
class Control : public PropertyTarget {
 public:
  ~Control() override;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const String& Name() const { return name_; }
  void SetName(const String& name) { name_ = name; }

  // Made through Window::New.
  Control() = default;

  // The framework's part of construction: makes the native object. Runs once, before the
  // control is added to its window.
  virtual void Constructor() = 0;

  // Wires a handler to an event; see InstallInstanceEventHandler.
  void InstallHandler(const String& event, EventHandler handler);

  // The framework's own. Run the installed handler, if any. An exception escaping it goes to the
  // framework's unhandled-exception handling, never into the native toolkit.
  void RaiseAction(const String& event);
  // No handler: false (the key is applied, the click is not taken).
  bool RaiseKeyDown(const String& key);
  bool RaiseMouseDown(int32_t x, int32_t y);
  void RaiseMouseUp(int32_t x, int32_t y);

  // The framework's own: the native object, none once it is let go.
  virtual QObject* Native() const = 0;
  // Lets go of the native object: at once, or once control returns to the event loop (the
  // object may be the one whose event is being handled).
  virtual void ReleaseNative(bool now) = 0;

 protected:
  bool ApplyProperty(const String& name, const PropertyValue& value) override;

  // The events this class raises: name and handler signature (index into EventHandler).
  virtual bool RaisesEvent(const String& event, size_t signature) const;

 private:
  String name_;
  std::map<String, EventHandler> handlers_;
};

// Wires a handler to an event of a control. An event the control does not raise, or a handler
// of the wrong signature, raises RuntimeException.
void InstallInstanceEventHandler(Control& control, const String& event, EventHandler handler);

// A control with a place on the window.
class RectControl : public Control {
 public:
  ~RectControl() override;
  void Constructor() override;

  void SetEnabled(bool enabled);
  void SetVisible(bool visible);
  // Takes the keyboard focus now, or as soon as its window is shown.
  void SetFocus();
  void Refresh(bool eraseBackground);
  void SetMouseCursor(const std::shared_ptr<MouseCursor>& cursor);

  String TextFont() const;
  void SetTextFont(const String& font);
  float TextSize() const;
  void SetTextSize(float size);
  // Every unit draws as pixels: the layouts were drawn where a point is a pixel.
  void SetTextUnit(int32_t unit);

  int32_t Left() const;

  // The framework's own: the widget, none once it is let go; the place in the tab order.
  QObject* Native() const override;
  void ReleaseNative(bool now) override;
  QWidget* NativeWidget() const { return widget_; }
  int32_t TabIndex() const { return tabIndex_; }

 protected:
  using Control::Control;
  bool ApplyProperty(const String& name, const PropertyValue& value) override;
  // The native widget of this class, made by Constructor.
  virtual QWidget* MakeWidget() = 0;
  QWidget* widget() const;

 private:
  void applyFont();
  void place();

  QWidget* widget_ = nullptr;
  QObject* glue_ = nullptr;
  String font_;
  float size_ = 0;
  bool bold_ = false, italic_ = false, underline_ = false;
  int32_t tabIndex_ = -1;
  int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

class PushButton : public RectControl {
 public:
  using RectControl::RectControl;
  String ClassName() const override { return "PushButton"; }
  void SetCaption(const String& caption);
  // Runs the Action handler as a click would, also while the button is disabled.
  void Push();

 protected:
  bool ApplyProperty(const String& name, const PropertyValue& value) override;
  bool RaisesEvent(const String& event, size_t signature) const override;
  QWidget* MakeWidget() override;
};

// What the one-line field and the multi-line area share.
class TextControl : public RectControl {
 public:
  using RectControl::RectControl;
  virtual String Text() const = 0;
  virtual void SetText(const String& text) = 0;
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);
  // The most characters typing may leave in the control; 0 for no limit.
  int32_t LimitText() const { return limitText_; }
  // Whether a typed Tab goes into the text rather than moving the focus.
  bool AcceptTabs() const { return acceptTabs_; }
  // Copies the selection to the clipboard.
  virtual void Copy() = 0;

 protected:
  bool ApplyProperty(const String& name, const PropertyValue& value) override;
  bool RaisesEvent(const String& event, size_t signature) const override;
  virtual void SetAlignment(int32_t code) = 0;
  void SetColors();

  bool acceptTabs_ = false;
  int32_t limitText_ = 0;
  Color textColor_{0, 0, 0};
  Color backColor_{255, 255, 255};
  bool hideSelection_ = false;
};

class TextField : public TextControl {
 public:
  using TextControl::TextControl;
  String ClassName() const override { return "TextField"; }
  String Text() const override;
  // Never cut to LimitText: the limit caps typing only.
  void SetText(const String& text) override;
  void SetSelStart(int32_t position);
  void Copy() override;

 protected:
  bool ApplyProperty(const String& name, const PropertyValue& value) override;
  QWidget* MakeWidget() override;
  void SetAlignment(int32_t code) override;
};

class TextArea : public TextControl {
 public:
  using TextControl::TextControl;
  String ClassName() const override { return "TextArea"; }
  String Text() const override;
  // A text that extends the current one is appended, so a long text grows cheaply; the pane
  // shows the same as after setting the text whole. Lines of many thousand characters show
  // broken in several.
  void SetText(const String& text) override;
  // The line shown at the top; past the last line it shows the end.
  void SetScrollPosition(int32_t line);
  void Copy() override;

 protected:
  bool ApplyProperty(const String& name, const PropertyValue& value) override;
  QWidget* MakeWidget() override;
  void SetAlignment(int32_t code) override;

 private:
  // What the widget holds, so reading a long text back costs no conversion.
  mutable String text_;
  mutable bool textStale_ = false;
  bool writing_ = false;
  // The length of the pane's last line, which an appended piece continues.
  ptrdiff_t lineLength_ = 0;
};

class StaticText : public RectControl {
 public:
  using RectControl::RectControl;
  String ClassName() const override { return "StaticText"; }
  String Text() const;
  void SetText(const String& text);

 protected:
  bool ApplyProperty(const String& name, const PropertyValue& value) override;
  bool RaisesEvent(const String& event, size_t signature) const override;
  QWidget* MakeWidget() override;
};

class Rectangle : public RectControl {
 public:
  using RectControl::RectControl;
  String ClassName() const override { return "Rectangle"; }

 protected:
  bool ApplyProperty(const String& name, const PropertyValue& value) override;
  QWidget* MakeWidget() override;
};

// The framework's own: the control behind a widget or its nearest ancestor, none between runs.
RectControl* ControlOfWidget(const QWidget* widget);
// Turns the native events of a control's widget into the control's events. The glue goes
// with the widget; once detached, events that still arrive go nowhere.
QObject* AttachEvents(RectControl& control, QWidget* widget);
void DetachEvents(QObject* glue);
