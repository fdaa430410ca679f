// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "platform/Menus.h"

// The one menu bar, shared by the application and the calculator window.
class MenuBar1 : public MenuBar {
 public:
  // Creates the bar on the first call.
  static std::shared_ptr<MenuBar1> Instance();
  // Drops the bar at exit.
  static void Release();

  void Constructor() override;
  virtual void Untitled1();  // File
  virtual void Untitled2();  // Edit
  virtual void Untitled3();  // Help

 private:
  static std::shared_ptr<MenuBar1> implicitInstance;
};
