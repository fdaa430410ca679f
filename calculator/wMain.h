// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "platform/Menus.h"
#include "platform/Timer.h"
#include "platform/Window.h"

class TextField;
class TextArea;

// The calculator window: display, eighteen keys, paper tape and the key-enabling timer.
class wMain : public Window {
 public:
  wMain();
  // The live calculator window, created if none is live.
  static std::shared_ptr<wMain> Instance();
  // The most characters the display takes.
  static constexpr int32_t kEntryLimit = 8;

  class Timer1 : public Timer {
   public:
    using Timer::Timer;
    String ClassName() const override { return "wMain.Timer1"; }
  };

  void Layout() override;
  void CreateControls() override;
  void CreateControls0();

  void efDisplay_LostFocus();
  bool efDisplay_KeyDown(const String& key);
  void PushButton1_GotFocus();
  void PushButton1_Action();
  void PushButton2_GotFocus();
  void PushButton2_Action();
  void PushButton3_GotFocus();
  void PushButton3_Action();
  void PushButton4_GotFocus();
  void PushButton4_Action();
  void PushButton5_GotFocus();
  void PushButton5_Action();
  void PushButton6_GotFocus();
  void PushButton6_Action();
  void PushButton7_GotFocus();
  void PushButton7_Action();
  void PushButton8_GotFocus();
  void PushButton8_Action();
  void PushButton9_GotFocus();
  void PushButton9_Action();
  void PushButton10_GotFocus();
  void PushButton10_Action();
  void PushButton11_GotFocus();
  void PushButton11_Action();
  void PushButton12_GotFocus();
  void PushButton12_Action();
  void PushButton13_GotFocus();
  void PushButton13_Action();
  void PushButton14_GotFocus();
  void PushButton14_Action();
  void PushButton15_GotFocus();
  void PushButton15_Action();
  void PushButton16_GotFocus();
  void PushButton16_Action();
  void PushButton17_GotFocus();
  void PushButton17_Action();
  bool efHistory_KeyDown(const String& key);
  void PushButton18_GotFocus();
  void PushButton18_Action();
  void Timer1_Action();

  std::shared_ptr<MenuItem> HelpMenu();
  std::shared_ptr<MenuItem> HelpAbout();
  std::shared_ptr<MenuItem> HelpHelp();
  std::shared_ptr<MenuItem> EditMenu();
  std::shared_ptr<MenuItem> EditCopy();
  std::shared_ptr<MenuItem> FileMenu();
  std::shared_ptr<AppleMenuItem> FileAbout();
  std::shared_ptr<QuitMenuItem> FileQuit();
  std::shared_ptr<MenuItem> UntitledMenu0();

  void Event_Close() override;
  void Event_EnableMenuItems() override;
  void Event_Open() override;

 protected:
  void mAppearanceUpdate();

 private:
  TextField& display() const;
  TextArea& tape() const;
  void appendToTape(const String& piece) const;
  void focusDisplay() const;
  // A key button's word: spoken only while speech is on, cutting off what is being said.
  static void sayKey(const String& word);
  // Shared procedures behind the keys' handlers.
  void beginSecondOperand() const;
  void clearShownResult() const;
  void digitKey(int digit);
  void pointKey();
  void arithmeticKey(const char* word, const char* operation, const char* tapePrefix);
  void minusKey();
  void enterSign() const;
  void equalsKey();
  void clearKey(const char* word, bool clearTape);
};
