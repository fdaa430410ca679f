// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <vector>

#include "platform/Controls.h"
#include "platform/Exceptions.h"
#include "platform/Properties.h"

class MenuBar;
class QWidget;
class WindowWidget;

// A top-level window. The framework builds it in a fixed order: Layout, CreateControls,
// Event_Open (by then it is the live window of its class), then shows it if it is Visible.
class Window : public PropertyTarget, public std::enable_shared_from_this<Window> {
 public:
  // `className` is the name under which the single-instance registry finds the live window.
  explicit Window(String className);
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  String ClassName() const override { return className_; }

  // Builds, registers, opens and shows the window.
  void Constructor();
  // Brings the window to the front, showing it if it is hidden or minimised.
  void Show();
  // Closes the window as its close box would: Event_Close, then it leaves the registry.
  void Close();

  String Title() const;
  void SetTitle(const String& title);
  std::shared_ptr<::MenuBar> MenuBar() const { return menuBar_; }
  void SetMenuBar(std::shared_ptr<::MenuBar> bar);

  // A new control of class T that belongs to this window; not yet named or constructed.
  template <class T>
  std::shared_ptr<T> New() {
    return std::make_shared<T>();
  }
  // The control becomes part of the window under `name`.
  void AddControl(const String& name, std::shared_ptr<Control> control);
  // A new control of class T, constructed and added under `name`; the one found by that name.
  template <class T>
  T& Add(const String& name) {
    std::shared_ptr<T> created = New<T>();
    created->Constructor();
    AddControl(name, created);
    return Find<T>(name);
  }
  // The control of that name and class; NilObjectException when there is none.
  template <class T>
  T& Find(const String& name) const {
    auto control = std::dynamic_pointer_cast<T>(FindControl(name));
    if (!control) throw NilObjectException("no control " + name + " in " + className_);
    return *control;
  }
  std::shared_ptr<Control> FindControl(const String& name) const;
  const std::vector<std::shared_ptr<Control>>& Controls() const { return controls_; }

  // The framework's own: the area that holds the controls, building the window's widget on
  // first use.
  QWidget* ClientArea();
  // The window goes without its Close event, its widgets at once: the runtime is ending.
  void Discard();

  // Hooks that the framework calls.
  virtual void Layout() {}
  virtual void CreateControls() {}
  virtual void Event_Open() {}
  virtual void Event_EnableMenuItems() {}
  virtual void Event_Close() {}

 protected:
  bool ApplyProperty(const String& name, const PropertyValue& value) override;

 private:
  // The window's widget, made on first use; controls sit in its client area.
  WindowWidget& native();
  // Lets go of every native object; `now` only where no event of theirs is being handled.
  void dropNatives(bool now);
  void refresh();
  void applyFrame();
  void applyPlacement();
  void applyBackground();
  void installMenuBar();
  void updateTabOrder();

  String className_;
  String title_;
  WindowWidget* widget_ = nullptr;
  std::shared_ptr<::MenuBar> menuBar_;
  std::vector<std::shared_ptr<Control>> controls_;
  int32_t placement_ = 0;
  int32_t width_ = 300, height_ = 300;
  bool visible_ = true, menuBarVisible_ = true;
  bool hasBackColor_ = false;
  Color backColor_{255, 255, 255};
  bool shown_ = false;
  bool closing_ = false;
  struct Frame {
    bool closeButton = true, minimizeButton = true, maximizeButton = true;
  } frame_;
};

// The live window of a class name, or none.
std::shared_ptr<Window> GetImplicitWindow(const String& className);
// The live windows, front first.
std::vector<std::shared_ptr<Window>> LiveWindows();

// The live window registered under `className`, as a W; when none is live, a new W, built
// and opened.
template <class W>
std::shared_ptr<W> ImplicitInstance(const String& className) {
  std::shared_ptr<Window> window = GetImplicitWindow(className);
  if (!window) {
    auto created = std::make_shared<W>();
    created->Constructor();
    window = created;
  }
  return std::dynamic_pointer_cast<W>(window);
}
