// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "platform/Exceptions.h"
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

// Initialises the framework (the toolkit, fonts, message handling) and then runs `startup`.
// With no display to show windows on, it says so on standard error and ends the process
// with exit status 1.
void RunFrameworkInitialization(const std::function<void()>& startup);
// Runs the event loop until the application quits; returns the exit code.
int32_t RuntimeRun();
// Ends the framework after the program has released its own references: closes the windows,
// drops the application object and the toolkit. Returns the exit code to leave with.
int32_t RuntimeExit(int32_t code);

void RuntimeRegisterAppObject(std::shared_ptr<Application> app);
std::shared_ptr<Application> GetAppObject();

// Default handling of an exception that nothing caught: written to standard error and shown
// in a modal box naming its class and message; the application keeps running.
void UnhandledException(const std::exception& e);

// Asks the framework to end the application; takes effect when the running handler returns.
void Quit(int32_t code = 0);

// Quitting as a seam, so tests can see the request without ending their event loop.
class QuitService {
 public:
  virtual ~QuitService() = default;
  virtual void Quit(int32_t code) = 0;
  static std::unique_ptr<QuitService> MakeDefault();
};

// Where the running executable lies, as a seam, so tests can point the program at a folder
// of their own.
class ExecutableService {
 public:
  virtual ~ExecutableService() = default;
  // Empty when the system cannot tell.
  virtual std::filesystem::path ExecutablePath() = 0;
  static std::unique_ptr<ExecutableService> MakeDefault();
};
