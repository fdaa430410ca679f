// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "platform/Application.h"
#include "platform/Menus.h"

class App : public Application {
 public:
  // The application object registered with the framework; never creates one.
  static std::shared_ptr<App> Instance();

  void Event_EnableMenuItems() override;
  void Event_Open() override;
  virtual bool HelpHelp_Action();
  virtual bool FileAbout_Action();
  virtual bool HelpAbout_Action();
};

// Items of the application's menu bar, looked up anew on every call.
std::shared_ptr<MenuItem> HelpAbout();
std::shared_ptr<MenuItem> HelpHelp();
std::shared_ptr<AppleMenuItem> FileAbout();
std::shared_ptr<QuitMenuItem> FileQuit();
