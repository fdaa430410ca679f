// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/Exceptions.h"
#include "platform/Runtime.h"
#include "platform/Types.h"

class MenuBar;
class MenuItem;
class FolderItem;

class Application : public std::enable_shared_from_this<Application> {
 public:
  Application();
  virtual ~Application();

  std::shared_ptr<::MenuBar> MenuBar() const { return menuBar_; }
  void SetMenuBar(std::shared_ptr<::MenuBar> bar);
  // The file of the running executable; none when the system cannot tell.
  std::shared_ptr<FolderItem> ExecutableFile() const;
  // Runs `handler` when the menu item of that name is chosen; true means it was handled.
  void AddMenuHandler(const String& itemName, std::function<bool()> handler);
  // The handler installed for the item, run as the framework runs it; false when none handled it.
  bool HandleMenuItem(const String& itemName);

  // Raised once, when the object is registered, so settings are in place before any window
  // opens.
  virtual void Event_Open() {}
  // Raised whenever the menus' enabled state is brought up to date.
  virtual void Event_EnableMenuItems() {}

 private:
  std::shared_ptr<::MenuBar> menuBar_;
  std::vector<std::pair<String, std::function<bool()>>> menuHandlers_;
};

// The event loop, quitting and what becomes of an exception nothing caught belong to the run:
// platform/Runtime.h.

// Initialises the framework (the toolkit, fonts, message handling) and then runs `startup`.
// With no display to show windows on, it says so on standard error and ends the process
// with exit status 1.
void RunFrameworkInitialization(const std::function<void()>& startup);

void RuntimeRegisterAppObject(std::shared_ptr<Application> app);
std::shared_ptr<Application> GetAppObject();
