// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "platform/Window.h"

// The help window: the text pane on the right, seven topic links on the left and the
// home-page link under the pane.
class wHelp : public Window {
 public:
  wHelp();
  // The live help window, or a new one.
  static std::shared_ptr<wHelp> Instance();

  void Layout() override;
  void CreateControls() override;

  bool StaticText1_MouseDown(int32_t x, int32_t y);
  void StaticText1_MouseUp(int32_t x, int32_t y);
  void StaticText1_MouseEnter();
  void StaticText1_MouseExit();
  void StaticText2_MouseEnter();
  void StaticText2_MouseExit();
  bool StaticText2_MouseDown(int32_t x, int32_t y);
  void StaticText2_MouseUp(int32_t x, int32_t y);
  void StaticText3_MouseEnter();
  void StaticText3_MouseExit();
  bool StaticText3_MouseDown(int32_t x, int32_t y);
  void StaticText3_MouseUp(int32_t x, int32_t y);
  void StaticText4_MouseEnter();
  void StaticText4_MouseExit();
  bool StaticText4_MouseDown(int32_t x, int32_t y);
  void StaticText4_MouseUp(int32_t x, int32_t y);
  void StaticText5_MouseEnter();
  void StaticText5_MouseExit();
  bool StaticText5_MouseDown(int32_t x, int32_t y);
  void StaticText5_MouseUp(int32_t x, int32_t y);
  void StaticText7_MouseEnter();
  bool StaticText7_MouseDown(int32_t x, int32_t y);
  void StaticText7_MouseUp(int32_t x, int32_t y);
  void StaticText7_MouseExit();
  void StaticText8_MouseEnter();
  void StaticText8_MouseExit();
  bool StaticText8_MouseDown(int32_t x, int32_t y);
  void StaticText8_MouseUp(int32_t x, int32_t y);
  void StaticText9_MouseEnter();
  void StaticText9_MouseExit();
  bool StaticText9_MouseDown(int32_t x, int32_t y);
  void StaticText9_MouseUp(int32_t x, int32_t y);

  void Event_Open() override;
  void Event_EnableMenuItems() override;
  void mAppearanceUpdate();

 private:
  void CreateControls0();
  // A topic link's action: its topic's text into the pane.
  void showTopic(const String& (*topic)());
  void pointAt(const char* link);
  void leave(const char* link);
};

// The line that ends the first part of a text too long to show whole.
extern const char* const kCutLine;
