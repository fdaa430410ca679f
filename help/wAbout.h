// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "platform/Window.h"

// The about box: the product and its version, the ownership notice and the home-page link,
// right of a red band.
class wAbout : public Window {
 public:
  wAbout();
  // The live about box, or a new one.
  static std::shared_ptr<wAbout> Instance();

  void Layout() override;
  void CreateControls() override;

  void StaticText4_MouseUp(int32_t x, int32_t y);
  bool StaticText4_MouseDown(int32_t x, int32_t y);
  void StaticText4_MouseEnter();
  void StaticText4_MouseExit();

  void Event_Open() override;

 private:
  void CreateControls0();
};

// The ownership notice of the about box.
extern const char* const kOwnershipNotice;
