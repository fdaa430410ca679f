// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/Exceptions.h"
#include "platform/Types.h"

class QAction;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QWidget;
class MenuBar;

// A menu or a menu item; a menu is an item with children. Changes show at once.
class MenuItem : public std::enable_shared_from_this<MenuItem> {
 public:
  MenuItem();
  virtual ~MenuItem();
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  // The framework's no-argument constructor; subclasses that build children override it.
  virtual void Constructor() {}
  virtual String ClassName() const { return "MenuItem"; }

  String Name() const { return name_; }
  void SetName(const String& name) { name_ = name; }
  String Text() const { return text_; }
  void SetText(const String& text);
  // "Cmd+Q" style; Cmd is the platform's command key. Empty for none.
  String KeyboardShortcut() const { return shortcut_; }
  void SetKeyboardShortcut(const String& shortcut);
  bool AutoEnable() const { return autoEnable_; }
  void SetAutoEnable(bool autoEnable) { autoEnable_ = autoEnable; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  void Append(std::shared_ptr<MenuItem> item);
  size_t Count() const { return children_.size(); }
  std::shared_ptr<MenuItem> Item(size_t index) const { return children_.at(index); }
  // The direct child of that name, or none.
  std::shared_ptr<MenuItem> Child(const String& name) const;
  // The item of that name anywhere below this one, or none.
  std::shared_ptr<MenuItem> Lookup(const String& name) const;

  QAction* Action() const { return action_; }

 private:
  friend QMenuBar* BuildMenuBar(MenuBar&, QWidget*);
  friend struct MenuRun;
  QAction* native();
  void ensureMenu();
  void sync();
  void chosen();
  void releaseNative();

  String name_, text_, shortcut_;
  bool autoEnable_ = false, enabled_ = true, visible_ = true;
  std::vector<std::shared_ptr<MenuItem>> children_;
  QAction* action_ = nullptr;
  QMenu* menu_ = nullptr;
};

class MenuBar : public MenuItem {
 public:
  String ClassName() const override { return "MenuBar"; }
};

// Choosing it ends the application.
class QuitMenuItem : public MenuItem {
 public:
  String ClassName() const override { return "QuitMenuItem"; }
};

// Shows in the application menu where the platform has one; elsewhere it stays in its menu.
class AppleMenuItem : public MenuItem {
 public:
  String ClassName() const override { return "AppleMenuItem"; }
};

// What a chosen item does, and how items are enabled, is the application's to say: it
// installs both for the running framework (RuntimeException when none runs). A chosen item
// first brings enabling up to date, and is carried out only if it is then enabled and visible.
void SetMenuCommandHandler(std::function<void(MenuItem&)> handler);
void SetMenuEnableHandler(std::function<void()> handler);

// Brings every item's enabled state up to date, as the installed enable handler does; each
// menu does so before it shows.
void UpdateMenuItems();

// The framework's own: the native bar of a window; whether the key is one of a menu item's
// shortcuts, so it belongs to the menus, not to a control.
QMenuBar* BuildMenuBar(MenuBar& bar, QWidget* parent);
bool IsMenuShortcut(const QKeyEvent& event);

// The item of that name anywhere in `bar`, as class T; none when it is absent or of another
// class. A missing bar raises NilObjectException.
template <class T>
std::shared_ptr<T> LookupItem(const std::shared_ptr<MenuBar>& bar, const String& name) {
  return std::dynamic_pointer_cast<T>(Checked(bar, "menu bar").Lookup(name));
}
